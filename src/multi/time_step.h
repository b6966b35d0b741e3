#pragma once
// One time step of a multi-population replication and the statistics the
// run keeps over replications. The run (RunSimulation) calls, per
// replication: StartReplication; per step t: the step counters, DrawDeviates
// (stochastic runs), StepPopulation for each population in order,
// DisperseIndividuals when any population sends dispersers, TimeSumm and the
// progress call; and ReplSumm after the last step done. InitializeRun comes
// before the first replication, FinishRunStatistics after the last.

#include "multi/model_data.h"
#include "multi/run_state.h"

namespace multi {

// The dispersal rates from every source i to every target j, each at most 1,
// prepared for the binomial draws, at (i - 1) * P + (j - 1).
std::vector<TBinomialRate> DispersalRatesOf(const TMultiModel& model, int P);

// Accumulators zeroed, the model's minima and maxima at their start values
// and its means and SDs 0 for the run's populations and steps,
// ReplicationsDone 0, no stop requested.
void InitializeRun(TMultiModel& model, TMultiRun& run);

// Abundances := the initial abundances, counters 0, running total their sum,
// the replication's extremes and crossings reset.
void StartReplication(const TMultiModel& model, TMultiRun& run);

// The environmental deviates of the step by the correlation structure.
void DrawDeviates(TMultiRun& run);

// The carrying capacity of population i in the step: K plus its trend times
// the steps so far, at least 0; capped below the count limit (overflow flag).
double StepCarryingCapacity(TMultiModel& model, const TMultiRun& run, int i);

// RealizedRate of population i := its growth rate after density dependence
// at its abundance and carrying capacity kt.
void ApplyDensityDependence(const TMultiModel& model, TMultiRun& run, int i, double kt);

// Lognormal environmental variation of the realised rate of population i
// with its standard deviation of R and the step's deviate (stochastic runs).
void EnvStoch(const TMultiModel& model, TMultiRun& run, int i);

// Population i, when it has individuals: the step's carrying capacity,
// density dependence, environmental variation, growth (binomial survivors and
// Poisson offspring with demographic stochasticity, else rounding) and the
// ceiling.
void StepPopulation(TMultiModel& model, TMultiRun& run, int i);

// Binomial (or rounded) dispersers from every population with individuals to
// every target its dispersal rate reaches; every source is processed against
// the abundances before any movement.
void DisperseIndividuals(TMultiModel& model, TMultiRun& run);

// After step run.CurrentTimeStep: the per-population, total and occupancy
// statistics, the first crossings of the thresholds, the running total, and
// run.AllExtinct (with the minima of this and every later step 0).
void TimeSumm(TMultiModel& model, TMultiRun& run);

// After the last step of replication model.ReplicationsDone: steps left out
// by an early end count as extinct; the replication's extremes and final
// total; the local occupancy of every population.
void ReplSumm(TMultiModel& model, TMultiRun& run);

// After the last replication: means and standard deviations over the
// replications done into the model's result arrays (minimum = maximum = the
// value with one replication); run.RoundOffFlag when a variance of abundances
// came out negative.
void FinishRunStatistics(TMultiModel& model, TMultiRun& run);

}  // namespace multi
