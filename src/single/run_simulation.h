#pragma once
// The single-population run: the multi-population run with its own input
// check, no dispersal and independent deviates (each population draws its
// own), and what the run window of this program needs before the first
// replication: the status texts that describe the run, the time steps in the
// plot buffer for the live chart, and a fresh live chart. The date and time
// at which a run ends are kept for the batch log.
//     TRunOutcome outcome;
//     single::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome);

#include "core/run_progress.h"
#include "multi/model_data.h"

#include <string>

namespace single {

// Runs `model` (the contract of multi::RunSimulation). Before the first
// replication it reports, as status texts, the title, the four comment
// lines, in batch mode "Batch run... File: " and the model file name, and
// "Stochastic simulation with <R> replications and <T> time steps" or
// "Deterministic simulation with <T> time steps".
bool RunSimulation(multi::TMultiModel& model, const TProgress& Progress, TRunOutcome* outcome = nullptr);

// True while the replications of a run are in progress.
bool RunActive();

// When the last run of the program ended: "00/00/0000" and "00:00:00" until
// a run reaches its end, then its date (four-digit year) and time.
struct TRunEndTexts {
    std::string Date = "00/00/0000";
    std::string Time = "00:00:00";
};
extern TRunEndTexts LastRunEnd;

}  // namespace single
