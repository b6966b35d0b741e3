#pragma once
// Density-dependent growth of one unstructured population in one time step,
// without stochasticity: exponential, scramble (Ricker), contest
// (Beverton-Holt) and ceiling, the last three also with an Allee effect.

#include "multi/model_data.h"

#include <cstdint>

namespace multi {

// The growth rate after density dependence at abundance n and carrying
// capacity k, for density-dependence code `code` (4 to 7 as 0 to 3), growth
// rate r in the formulas and `rate` the rate before density dependence.
// Below n = 0 or r = 1 the rate is kept. Contest: r k / (k + n (r - 1));
// scramble: r exp(-ln(r) n / k) (exponent guarded). Where there is no
// carrying capacity (k <= 0) both give 0: nothing can live there.
double DensityDependentRate(std::uint8_t code, double rate, double r, double n, double k);

// The abundance of population i after one step from abundance n, with
// carrying capacity k, growth rate r in the formulas (the rate kept where
// density does not act is the population's GrowthRate) and Allee parameter a
// (codes 4 to 7 only: the rate times n / (n + a), 0 where n + a is 0). The
// ceiling types stop at k. An n, or a result, above 2147483647 is taken as
// 2147483647 and sets the model's GrowthOverflowFlag.
double DensityDependentGrowth(TMultiModel& model, int i, float a, float k, float r, double n);

}  // namespace multi
