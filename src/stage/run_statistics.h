#pragma once
// Time-step and replication statistics of an age/stage run.
//
// Every replication is reduced, step by step, to the mean, standard deviation,
// minimum and maximum over replications of each result quantity (abundances
// per population and step, the total, occupancy, harvest, final stage
// abundances, local occupancy and local extinction duration), the
// per-replication extremes for risk curves and the first-crossing histograms.
//
// While the run is in progress the sums live here, in double precision and
// taken about a reference value per quantity (its value in the first
// replication), so that the variance of a large, nearly constant abundance
// does not vanish in cancellation. Minima, maxima, the per-replication arrays
// and the histograms go straight into the model's result arrays. At the end
// of the run FinishRunStatistics writes the single-precision means and
// standard deviations into the model's sum and sum-of-squares arrays.
//
// The run calls, in this order: InitializeRun once during set-up (after the
// working state is allocated and the crossing-bin width and thresholds are
// set), TimeSumm after management and dispersal of every step, ReplSumm after
// the last step of every replication (also after an early end), and
// FinishRunStatistics once after the last replication.

#include "stage/model_store.h"
#include "sim/run_moments.h"
#include "stage/run_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The run's own accumulators, owned by the run beside TRunState.
struct TRunStatistics {
    int P = 0;  // populations in use
    int S = 0;  // stages in use
    int T = 0;  // duration

    std::vector<TMoments> population;  // (p, t): PopIndex
    std::vector<TMoments> finalStage;  // (p, s): StageIndex
    std::vector<TMoments> total;       // [t - 1]
    std::vector<TMoments> occupancy;   // [t - 1]
    std::vector<TMoments> harvest;     // [t - 1]
    std::vector<TMoments> localOccupancy;      // [p - 1]
    std::vector<TMoments> extinctionDuration;  // [p - 1]
    TMoments replicationHarvest;

    // Copied from the model at the start of the run, for the per-step loop.
    std::array<bool, kMaxRunStages + 1> excludedStage{};  // [1..S]: left out of totals
    std::vector<std::uint8_t> countedInTotal;            // [1..P]: counted in totals

    // Replications summarised by ReplSumm so far.
    int replicationsSummed = 0;
    // Last step of the replication in progress that TimeSumm summarised; the
    // steps after it, left out when the replication ended early, count as
    // extinct.
    int lastStepSummed = 0;

    std::size_t PopIndex(int p, int t) const
    {
        return static_cast<std::size_t>(p - 1) * static_cast<std::size_t>(T) +
               static_cast<std::size_t>(t - 1);
    }
    std::size_t StageIndex(int p, int s) const
    {
        return static_cast<std::size_t>(p - 1) * static_cast<std::size_t>(S) +
               static_cast<std::size_t>(s - 1);
    }
};

// The local threshold of a population, in individuals: its text rounded when
// it converts to a positive number of at most 2147483647, else 0.
std::int32_t LocalThresholdFromText(const std::string& text);

// Status "Initializing...". Prepares the dispersal inputs of the run (density
// dependence of dispersal per unit of emigration, stage dispersal factors in
// 0..1), every population's local threshold, the result arrays (sums 0,
// minima at their starting values, maxima 0), the per-replication record and
// the accumulators. `run` must already be allocated for the model's
// populations and stages. Throws std::length_error when the model does not
// fit its store or the working state.
void InitializeRun(TCoravel& model, TRunState& run, TRunStatistics& stats);

// After management and dispersal of step run.CurrentTimeStep: the statistics
// total, the "when below" handling ("assume dead" empties the population at
// once, total included), the per-step quantities, the first crossings, the
// trajectory total (run.CurrentTotal; the previous one moves to
// run.PreviousTotal), and run.Repl.allExtinct: whether every population is
// empty after this step. Throws std::out_of_range for a step outside 1..T.
void TimeSumm(TCoravel& model, TRunState& run, TRunStatistics& stats);

// After the last step of replication run.ReplicationCount: its extremes and
// terminal total, final stage abundances, cumulative harvest, local occupancy
// and longest extinction run. Steps the replication left out by ending early
// count as extinct: zero abundance, occupancy and harvest, and below every
// local threshold to the end.
void ReplSumm(TCoravel& model, TRunState& run, TRunStatistics& stats);

// After the last replication: the means and standard deviations over the
// replications summarised, into the model's sum and sum-of-squares arrays;
// with fewer than two replications minimum = maximum = the value. Sets
// run.RoundOffFlag when a variance of abundances or harvest came out negative.
void FinishRunStatistics(TCoravel& model, TRunState& run, const TRunStatistics& stats);
