#pragma once
// Population management (harvest, introduction, translocation) and the
// movement of dispersers between populations, applied after the projection
// of every population in a time step. The run calls, per step: every action
// timed before dispersal (Management, in action order) and
// RecomputePopulationTotals; DisperseIndividuals when any dispersal exists;
// then the actions timed after dispersal and RecomputePopulationTotals.

#include "stage/model_store.h"
#include "sim/excess_movers.h"
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

// Moves dispersers among all populations, simultaneously: every source
// population is processed against the abundances before any movement.
void DisperseIndividuals(const TCoravel& model, TRunState& run);
