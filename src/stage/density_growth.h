#pragma once
// One point of a population's density-dependence curve: the growth rate at
// abundance N, computed by the same rules as a simulation's step matrix so
// that the curve shows what a run does.

#include "stage/density_types.h"
#include "stage/stage_matrix.h"

// The model values the curve depends on.
struct TDensityGrowthInputs {
    DDType type = DDType::EX;
    DDAffects affects = DDAffects::AllVitalRates;
    bool ignoreConstraints = false;
    // The model's multiplier for a growth rate of 1 (g).
    double growthOneMultiplier = 1.0;
    // The multiplier that gives the population its Rmax (found once per
    // curve with FindRateMultiplier); only scramble and contest types use it.
    double rateMultiplier = 1.0;
};

// Growth rate at abundance `n` for a population with carrying capacity `k`
// and Allee parameter `allee`; `matrix` is the population's stage matrix with
// its fecundity and survival multipliers applied. A value that had to be
// limited (N above the count range, or N x lambda reaching it) sets
// `overflow`.
// The density factor is the run's (DensityFactor); where it or the Allee
// factor has no defined value (K <= 0, a contest denominator <= 0, N = a = 0)
// it is 0.
float DensityDependentGrowth(const TStageMatrix& matrix, const TDensityGrowthInputs& inputs, double k, double allee,
                             double n, bool& overflow);
