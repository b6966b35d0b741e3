#pragma once
// The working state of one multi-population run: current abundances, the
// step's growth rates and deviates, dispersal bookkeeping, per-replication
// counters, run-wide flags and the accumulators of the result statistics.
// The run owns one TMultiRun from its allocation to its end; the time step
// and the statistics work on it, and the simulation window reads it (through
// ActiveRun) while the run calls back, to draw the map with the current
// abundances.
//
// Every model of this engine has one stage, so the abundance of a population
// is its one stage's abundance and dispersal moves individuals of that stage.

#include "core/one_based.h"
#include "sim/random_deviates.h"
#include "sim/run_moments.h"

#include <cstdint>
#include <vector>

namespace multi {

struct TMultiRun {
    int P = 0;  // populations in the run
    int T = 0;  // time steps

    // Sizes every array for P populations and T steps and zeroes it.
    void Allocate(int populations, int duration);

    IntVector Abundance;              // [1..P]
    SingleVector RealizedRate;        // [1..P]: growth rate of the step
    SingleVector Deviates;            // [1..P]: correlated standard normal deviates of the step
    DoubleVector IndependentDeviates; // [1..P]
    std::vector<double> CholeskyFactor;  // P x P, row-major lower triangle
    IntVector Dispersers;             // [1..P]: from the current source to each target
    // The dispersal rates (DispersalRatesOf), made by the run's first
    // dispersal: they do not change while the run lasts.
    std::vector<TBinomialRate> DispersalRates;
    IntVector Immigrants;             // [1..P]
    IntVector Emigrants;              // [1..P]
    IntVector StepCounter;            // [1..P]: steps of the replication so far
    IntVector OccupiedSteps;          // [1..P]: steps with individuals

    std::int32_t CurrentTimeStep = 0;
    double RunningTotal = 0.0;        // every population
    double IncludedTotal = 0.0;       // the populations included in totals, this step
    double ReplicationMinimum = 1.7e38;
    double ReplicationMaximum = 0.0;
    bool ExtinctionCrossed = false;
    bool ExplosionCrossed = false;
    bool AllExtinct = false;
    bool StopRequested = false;
    bool RoundOffFlag = false;
    bool Stochastic = false;   // replications > 0: deviates and environmental variation
    bool Demographic = false;  // demographic stochasticity in a stochastic run
    int CorrelationStructure = 0;  // 0 independent, 1 fully correlated, 2 general
    TRandomSource Random;

    // Sums over replications of every result quantity, in double precision
    // and about its value in the first replication.
    std::vector<TMoments> Population;      // (p, t) at PopIndex(p, t)
    std::vector<TMoments> Total;           // [t - 1]
    std::vector<TMoments> Occupancy;       // [t - 1]
    std::vector<TMoments> LocalOccupancy;  // [p - 1]
    int ReplicationsSummed = 0;
    // Last step the replication in progress summarised; an early end leaves
    // the later steps to count as extinct.
    int LastStepSummed = 0;

    std::size_t PopIndex(int p, int t) const
    {
        return static_cast<std::size_t>(p - 1) * static_cast<std::size_t>(T) + static_cast<std::size_t>(t - 1);
    }
};

}  // namespace multi
