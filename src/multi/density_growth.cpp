#include "multi/density_growth.h"

#include "sim/guarded_exp.h"

#include <cmath>

namespace multi {

namespace {

constexpr double kLargestAbundance = 2147483647.0;

}  // namespace

double DensityDependentRate(std::uint8_t code, double rate, double r, double n, double k)
{
    if (!(n > 0.0 && r > 1.0))
        return rate;
    switch (code) {
    case kContest:
    case kContest + 4: {
        const double denominator = k + n * (r - 1.0);
        return k > 0.0 && denominator > 0.0 ? r * k / denominator : 0.0;
    }
    case kScramble:
    case kScramble + 4:
        return k > 0.0 ? r * GuardedExp(-std::log(r) * n / k) : 0.0;
    default:
        return rate;
    }
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
    if (code >= 4 && code <= 7)
        rate = n + a > 0.0 ? rate * n / (n + a) : 0.0;
    double next = n * rate;
    if ((code == kCeiling || code == kCeiling + 4) && next > k)
        next = k;
    if (next > kLargestAbundance) {
        model.GrowthOverflowFlag = true;
        return kLargestAbundance;
    }
    return next;
}

}  // namespace multi
