#pragma once
// The simulation run of the age/stage engine: checks the model held in `Info`,
// prepares every derived quantity, runs the replications by time steps and
// leaves the statistics of the completed replications in the store.
//
// The engine never processes window events (the contract of
// core/run_progress.h); a run is refused when a stage matrix cannot give a
// population's Rmax.
//
// A batch run:
//     std::vector<float> trajectory(Info.duration + 1);
//     TRunOutcome outcome;
//     RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
// The simulation window passes a callback that updates its progress bar,
// status panels and live chart, waits out the configured step delay while
// processing events, and answers false once Stop was pressed; it tells
// "Simulation complete" from a refused or stopped run by outcome.end.

#include "core/run_progress.h"
#include "sim/run_seed.h"
#include "stage/run_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <span>

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
