#pragma once
// One time step of a population in an age/stage run: catastrophes, the
// carrying capacity of the step, the step matrix with its trends and density
// dependence, environmental stochasticity, the truncation of impossible vital
// rates, the projection of stage abundances (rounded, or drawn under
// demographic stochasticity), and the ceiling. Also the start of a
// replication's abundances and the end-of-run truncation report.
//
// Every routine works on the model and on the run's working state passed in;
// nothing allocates. Step matrices hold single-precision rates, as the
// model's matrices do; each product of a rate with an abundance is formed in
// double precision, so a count of 16777217 times a survival of 1 stays
// 16777217.
//
// Calling order inside one replication:
//   StartReplicationAbundances
//   for each step t:  (run: CurrentTimeStep, StepsSinceCatastrophe += 1,
//                      step harvest 0)
//     RegionalCatastrophes
//     (run: environmental deviates)
//     StepPopulation(p) for p = 1..P
//     management, dispersal, statistics (management.h, the run)
// and at the end of the run ReportTruncations.

#include "stage/model_store.h"
#include "stage/run_state.h"
#include "stage/stage_matrix.h"

#include <string>
#include <vector>

// Stage abundances of every population from the initial abundances, each
// rounded (halves to even), clamped and never below 0; the population total
// is the model's initial total (the rounded sum of the unrounded stages).
// CurrentTotal, the start of the trajectory, is the sum over populations
// counted in totals of their initial totals less the initial abundances of
// the stages excluded from totals, as the trajectory summary starts. The
// four per-population counters are zeroed.
void StartReplicationAbundances(const TCoravel& model, TRunState& run);

// The step's regional draws (one uniform number per regional catastrophe in a
// stochastic run, else 1, kept in run.Repl.regionalDraw) and the regional
// catastrophes that strike abundances, applied to every population.
void RegionalCatastrophes(const TCoravel& model, TRunState& run);

// Everything one population does in the step, in order: local catastrophes
// on abundances; when its total is at least 1, catastrophes on the carrying
// capacity, the step's carrying capacity, StepMatrix, EnvStoch (stochastic
// runs) and the projection; a population below 1 gets all-zero stages; then
// the ceiling for ceiling types.
void StepPopulation(TCoravel& model, TRunState& run, int p);

// The pieces of StepPopulation, for the run and for tests.

// Local catastrophes that strike p's abundances (each catastrophe with local
// extent draws one uniform number for p here in a stochastic run).
void LocalAbundanceCatastrophes(const TCoravel& model, TRunState& run, int p);

// Catastrophes on p's carrying capacity: lowers the model's K (unless p has a
// change series) and restarts p's steps-since counter at 1.
void CapacityCatastrophes(TCoravel& model, TRunState& run, int p);

// The carrying capacity Kt of the step for p, with its deviate and trend;
// never below 0, at most 2147479999 (the overflow flag is set then).
double StepCarryingCapacity(const TCoravel& model, TRunState& run, int p);

// The step matrix of p: trends of fecundity and survival, density dependence
// against Kt with the population total before the step, truncation, Allee
// effect.
void StepMatrix(const TCoravel& model, TRunState& run, int p, double kt, TStepMatrix& M);

// Environmental stochasticity (normal or lognormal, optionally pooled over a
// column's survivals), catastrophes on vital rates, then truncation. Throws
// std::runtime_error("EnvStoch: unknown Info.corrwithin") for an unknown
// within-population correlation option.
void EnvStoch(const TCoravel& model, TRunState& run, int p, TStepMatrix& M);

// Negative rates become 0; unless constraints are ignored, survivals above 1
// become 1 and a column whose survivals sum above 1 (by more than
// kSurvivalSumTolerance, as in the input check) is divided by that sum.
// Each clamp is counted in the run's truncation counters.
void TruncateVitalRates(const TCoravel& model, TRunState& run, TStepMatrix& M);

// Projects p's stages through M into StageAbundance[p] and PopulationTotal[p].
void ProjectStages(const TCoravel& model, TRunState& run, int p, const TStepMatrix& M);

// Ceiling types: a total above Kt scales every stage by Kt / N.
void ApplyCeiling(const TCoravel& model, TRunState& run, int p, double kt);

// The truncation warnings of a finished run, in the order column sums, rates
// below 0, rates above 1; only those above 1 percent (or beyond the 32-bit
// range) appear.
std::vector<std::string> TruncationReport(const TCoravel& model, const TRunState& run);
// Sends TruncationReport as simulation warnings.
void ReportTruncations(const TCoravel& model, const TRunState& run);
