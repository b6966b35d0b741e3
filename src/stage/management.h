#pragma once
// Population management (harvest, introduction, translocation) and the
// movement of dispersers between populations, applied after the projection
// of every population in a time step. The run calls, per step: every action
// timed before dispersal (Management, in action order) and
// RecomputePopulationTotals; DisperseIndividuals when any dispersal exists;
// then the actions timed after dispersal and RecomputePopulationTotals.

#include "core/model_store.h"
#include "stage/run_state.h"

#include <cstdint>
#include <span>

// Whether action `action` acts at step t: active, inside its window, and t is
// its first step or a whole number of periods after it (a period below 1
// acts at the first step only).
bool ActsAtStep(const ManagementRecord& action, std::int32_t t);

// Applies action number `action` (1..model.actioncount) at the run's current
// step to StageAbundance; harvests are added to run.Repl.stepHarvest in
// weight. Population totals are left to RecomputePopulationTotals. Throws
// std::runtime_error("Management: unknown Amount") for an amount kind other
// than number (0) or proportion (1).
void Management(const TCoravel& model, TRunState& run, int action);

// Every population total := the sum of its stages (clamped).
void RecomputePopulationTotals(TRunState& run);

// Drawn or rounded movers can outnumber the `available` individuals they
// leave from (out > available): an excess of 11 or more is removed
// proportionally (every count scaled by available / out and truncated, out
// summed again), a smaller one one by one from the destination with the most
// movers (the lowest-numbered among equals). `movers` holds the count of
// every destination in population order.
void RemoveExcessMovers(std::span<std::int32_t> movers, std::int32_t available, std::int32_t& out, bool& overflow);

// Moves dispersers among all populations, simultaneously: every source
// population is processed against the abundances before any movement.
void DisperseIndividuals(const TCoravel& model, TRunState& run);
