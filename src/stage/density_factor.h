#pragma once
// The density factor of the age/stage engine: how much density dependence
// multiplies a population's density-affected vital rates at abundance N. The
// run's step matrix and the density-dependence curve both take it from here,
// so the curve shows what a run does.

#include "stage/density_types.h"

// The factor for a population of type `type` with carrying capacity `k` at
// abundance `n`. `m` is the multiplier that gives the population its Rmax and
// `g` the one that gives it a growth rate of 1 (both found by
// FindRateMultiplier), so the factor is m at N = 0 and g at N = K:
//   scramble  m exp(ln(g/m) N / K)
//   contest   m K / ((m/g) N - N + K)
// Exponential and ceiling types leave their rates as they are (factor 1).
// Where the factor has no meaning (no capacity, no multiplier found, a
// contest denominator that is not positive) nothing grows: the factor is 0.
double DensityFactor(DDType type, double m, double g, double k, double n);
