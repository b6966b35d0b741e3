#include "multi/density_growth.h"

#include "sim/guarded_exp.h"

#include <cmath>

namespace multi {

namespace {

constexpr double kLargestAbundance = 2147483647.0;

}  // namespace

double DensityDependentRate(std::uint8_t code, double rate, double r, double n, double k)
{
    const TDensityType* type = FindDensityType(code);
    if (!(n > 0.0 && r > 1.0) || !type)
        return rate;
    switch (type->form) {
    case DDForm::Contest: {
        const double denominator = k + n * (r - 1.0);
        return k > 0.0 && denominator > 0.0 ? r * k / denominator : 0.0;
    }
    case DDForm::Scramble:
        return k > 0.0 ? r * GuardedExp(-std::log(r) * n / k) : 0.0;
    case DDForm::Exponential:
    case DDForm::Ceiling:
        return rate;
    }
    return rate;
}

double DensityDependentGrowth(TMultiModel& model, int i, float a, float k, float r, double n)
{
    if (n > kLargestAbundance) {
        model.GrowthOverflowFlag = true;
        n = kLargestAbundance;
    }
    const std::uint8_t code = model.Populations[i].DDType;
    double rate = model.GrowthRate[i];
    rate = DensityDependentRate(code, rate, r, n, k);
    if (HasAllee(code))
        rate = n + a > 0.0 ? rate * n / (n + a) : 0.0;
    double next = n * rate;
    if (IsCeiling(code) && next > k)
        next = k;
    if (next > kLargestAbundance) {
        model.GrowthOverflowFlag = true;
        return kLargestAbundance;
    }
    return next;
}

}  // namespace multi
