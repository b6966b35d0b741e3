#pragma once
// The multi-population simulation run: converts and checks the model,
// prepares the random numbers, the correlation structure and the per-run
// work arrays, runs the replications of every population's abundance over
// the model's duration (carrying capacity with its trend, density
// dependence, lognormal environmental variation with correlated deviates,
// demographic stochasticity or rounding, the ceiling, dispersal), and leaves
// the statistics of the replications done in the model with state 2.
//
// The run follows the contract of core/run_progress.h: it processes no window
// events; after every time step it calls the caller's progress callback,
// whose false answer ends the run after the replication in progress.
//     TRunOutcome outcome;
//     multi::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome);
// A run is refused (with a warning, the model untouched) when its duration
// is below 1 or above MaxDuration, or its replications are negative or above
// MaxReplications.

#include "core/run_progress.h"
#include "multi/model_data.h"
#include "multi/run_state.h"
#include "multi/validate_input.h"

#include <functional>

namespace multi {

// What a program built on this engine changes in the run. The defaults are
// the map program's.
struct TRunVariant {
    // The check of the parameters that gates the run.
    void (*validate)(TMultiModel&) = ValidateInput;
    // Populations linked by dispersal and by correlated deviates. Without,
    // nobody disperses and every population draws its own deviate, whatever
    // the matrices hold.
    bool linkPopulations = true;
    // Called once the work arrays exist, before the first replication.
    std::function<void(TMultiModel&)> beforeReplications;
};

// Runs `model`. True when it reached its end (completed, or stopped by the
// callback with the replications done so far); false when the input check
// failed ("Error in input data"), the run was refused or an exception ended
// it ("Simulation: " + its message). `outcome`, when given, says which.
bool RunSimulation(TMultiModel& model, const TProgress& Progress, TRunOutcome* outcome = nullptr,
                   const TRunVariant& variant = {});

// True exactly while a run is in progress (also while its callback runs).
bool RunActive();

// The working state of the run in progress, for the live map (current
// abundances and step counters); null outside the replications of a run.
const TMultiRun* ActiveRun();

}  // namespace multi
