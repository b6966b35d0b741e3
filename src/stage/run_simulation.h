#pragma once
// The simulation run of the age/stage engine: checks the model held in `Info`,
// prepares every derived quantity, runs the replications by time steps and
// leaves the statistics of the completed replications in the store.
//
// The engine never processes window events: after every time step it calls
// the caller's progress callback, and whatever the window needs (redrawing,
// event processing, the per-step delay, the Stop button) happens there.
//
// A batch run:
//     std::vector<float> trajectory(Info.duration + 1);
//     TRunOutcome outcome;
//     RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
// The simulation window passes a callback that updates its progress bar,
// status panels and live chart, waits out the configured step delay while
// processing events, and answers false once Stop was pressed; it tells
// "Simulation complete" from a refused or stopped run by outcome.end.

#include "stage/run_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <span>

// Called after every time step with the replication in progress and the time
// step just done; answers whether to go on. A false answer lets the
// replication in progress finish and then ends the run.
using TProgress = std::function<bool(std::int32_t replication, std::int32_t timeStep)>;

// How a run ended.
enum class TRunEnd : std::uint8_t {
    Completed,     // every requested replication ran; results present
    Stopped,       // the progress callback asked to stop; results of the replications done
    Refused,       // a stage matrix cannot give a population's Rmax; no run, results untouched
    InvalidInput,  // the input check found faults; no run
    Failed,        // an exception ended the run; no results
};

struct TRunOutcome {
    TRunEnd end = TRunEnd::Failed;
    std::int32_t replicationsDone = 0;  // replications whose statistics are in the store
};

// Runs the model in `Info`. `Trajectory` (indices 0..duration) receives the
// total of the replication in progress: index 0 before the first step, index
// t after step t. True when the input passed the check and the run reached its
// end (completed, stopped or refused); false for invalid input or a failure.
// `outcome`, when given, tells which of these it was.
bool RunSimulation(std::span<float> Trajectory, const TProgress& Progress, TRunOutcome* outcome = nullptr);

// True exactly while a run is in progress (also while its progress callback
// runs).
bool RunningFlag();

// The working state of the run in progress, for the live trajectory chart
// (replication, time step and its axes-drawn mark); null outside a run.
TRunState* ActiveRunState();

// The seed a run uses for the configured seed text: empty or "0" takes one
// from the clock, any other text must be an integer (taken modulo 2^32);
// anything else raises std::invalid_argument "Invalid initial random seed: ".
std::uint32_t RunSeed(const std::string& seedText);
