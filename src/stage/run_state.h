#pragma once
// The working state of one age/stage simulation run: current abundances,
// environmental deviates, dispersal bookkeeping, per-replication counters and
// run-wide flags. The run owns one TRunState; the time step, the management
// and dispersal step and the statistics work on it. Nothing outside a run
// reads it, apart from the live trajectory chart.

#include "sim/counts.h"
#include "sim/guarded_exp.h"
#include "sim/random_deviates.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

// Stage counts are clamped to at most 7 when the model is allocated; one spare
// slot keeps the one-based stage index inside fixed arrays.
constexpr int kMaxRunStages = 8;

using TStageCounts = std::array<std::int32_t, kMaxRunStages + 1>;  // [1..S], slot 0 unused

struct TReplicationRecord {
    double minTotal = 1.7e38;
    double maxTotal = 0.0;
    double cumulativeHarvest = 0.0;
    double stepHarvest = 0.0;
    bool extinctionCrossed = false;
    bool explosionCrossed = false;
    bool allExtinct = false;
    bool stop = false;
    double regionalDraw[3] = {0.0, 0.0, 0.0};  // [1], [2]: the step's regional catastrophe draws
};

// The ln-scale mean and deviation of one lognormal vital rate, with the mean
// and variance they were computed from: in most models a rate has the same
// mean every time step and only its deviate changes, so the logarithms are
// taken again only when the mean or the variance differ.
struct TLognormalRate {
    double mean = -1.0;
    double variance = -1.0;
    bool complement = false;  // drawn on 1 - mean
    double mu = 0.0;
    double sigma = 0.0;
};
// One population's rates, element (i, j) at i * (kMaxRunStages + 1) + j;
// row 0 holds the pooled survival of column j.
using TLognormalRates = std::array<TLognormalRate, (kMaxRunStages + 1) * (kMaxRunStages + 1)>;

struct TRunState {
    int P = 0;  // populations in the run
    int S = 0;  // stages

    // Sizes every array for P populations and S stages and zeroes it.
    void Allocate(int populations, int stages);

    std::vector<std::int32_t> PopulationTotal;    // [1..P]
    std::vector<TStageCounts> StageAbundance;     // [1..P][1..S]
    TStageCounts NewStageAbundance{};             // [1..S]
    // Individuals from each source stage into each target stage (projection,
    // [target][source]) or from each stage into each destination (dispersal,
    // [stage][destination]): [1..S][1..max(P,S)].
    std::vector<std::vector<std::int32_t>> Transitions;
    std::vector<std::vector<std::int32_t>> Immigrants;  // [1..S][1..P]
    std::vector<std::vector<std::int32_t>> Emigrants;   // [1..S][1..P]

    std::vector<float> Deviates;                  // [1..P]
    std::vector<float> SurvivalDeviates;          // [1..P]
    std::vector<float> CarryingCapacityDeviates;  // [1..P]
    std::vector<double> IndependentDeviates;      // [1..P]
    std::vector<TLognormalRates> LognormalRates;  // [1..P]

    std::vector<std::int32_t> LocalThreshold;     // [1..P]
    std::vector<std::uint16_t> BelowThresholdRun, LongestBelowThresholdRun, StepsSinceCatastrophe,
        StepsAboveThreshold;                      // [1..P]

    std::int32_t ReplicationCount = 0;
    std::int32_t CurrentTimeStep = 0;
    double CurrentTotal = 0.0;
    double PreviousTotal = 0.0;
    bool OverflowFlag = false;
    bool RoundOffFlag = false;
    bool Stochastic = true;  // false for a deterministic run (zero replications)
    int CorrelationStructure = 0;  // 0 independent, 1 fully correlated, 2 general

    // Truncations of impossible vital rates, counted over the whole run.
    std::int64_t TruncBelowZero = 0;
    std::int64_t TruncAboveOne = 0;
    std::int64_t TruncColumnSum = 0;

    TReplicationRecord Repl;
    bool LiveChartAxesDrawn = false;

    // The run's one random stream; nothing else draws from it.
    TRandomSource Random;

    // The one rounding-and-clamping rule for counts (CountFromReal) with this
    // run's overflow flag; callers that need 0 for a negative result use
    // ClampCountNonNegative.
    std::int32_t ClampCount(double x) { return CountFromReal(x, OverflowFlag); }
    std::int32_t ClampCountNonNegative(double x)
    {
        const std::int32_t n = ClampCount(x);
        return n < 0 ? 0 : n;
    }

    // --- Time step -------------------------------------------------------
    // Set when a catastrophe lowered a population's carrying capacity in the
    // model during this replication; the run restores the capacities from
    // their texts before the next replication and clears the flag.
    bool CapacityChanged = false;
};
