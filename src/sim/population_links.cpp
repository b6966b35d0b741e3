#include "sim/population_links.h"

#include "core/messages.h"
#include "sim/random_deviates.h"

#include <cmath>

namespace {

constexpr double kClassifyTolerance = 2e-5;

} // namespace

float ClampedCorrelation(float r)
{
    if (r > kLargestCorrelation)
        return kLargestCorrelation;
    if (r < -kLargestCorrelation)
        return -kLargestCorrelation;
    return std::isnan(r) ? 0.0f : r;
}

int CheckCorrelationMatrix(SingleMatrix& correlation, int populations, bool& checked)
{
    const int n = populations;
    if (!checked) {
        checked = true;
        bool clamped = false;
        for (int i = 1; i <= n; ++i) {
            correlation[i][i] = 1.0f;
            for (int j = 1; j < i; ++j) {
                float& r = correlation[i][j];
                const float repaired = ClampedCorrelation(r);
                // Written so that a value that is not a number counts too.
                if (!(repaired == r)) {
                    r = repaired;
                    clamped = true;
                }
            }
        }
        if (clamped)
            SimulationWarning("Correcting the correlation matrix");
    }

    bool independent = true, full = true;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            const double r = correlation[i][j];
            if (!(std::abs(r) <= kClassifyTolerance))
                independent = false;
            if (!(std::abs(1.0 - r) <= kClassifyTolerance))
                full = false;
        }
    if (independent)
        return kCorrelationIndependent;
    return full ? kCorrelationFull : kCorrelationGeneral;
}

bool FactorCorrelations(const SingleMatrix& correlation, int populations, std::vector<double>& factor)
{
    const auto P = static_cast<std::size_t>(populations);
    std::vector<float> r(P * P, 0.0f);
    for (std::size_t i = 0; i < P; ++i) {
        for (std::size_t j = 0; j < i; ++j)
            r[i * P + j] = ClampedCorrelation(correlation[static_cast<int>(i) + 1][static_cast<int>(j) + 1]);
        r[i * P + i] = 1.0f;
    }
    factor.assign(P * P, 0.0);
    return FactorCorrelationMatrix(r, factor, populations);
}

double RepairEmigrationShares(SingleMatrix& migration, int populations, int p, bool& present)
{
    const int n = populations;
    double total = 0.0;
    // One rescale brings the shares below 1 (each loses 0.001); the bound
    // only guards against values no rescale can tame.
    for (int round = 0; round < 10; ++round) {
        total = 0.0;
        for (int d = 1; d <= n; ++d) {
            if (d == p)
                continue;
            float& share = migration[d][p];
            if (!(share >= 0.0f))  // negative, or not a number
                share = 0.0f;
            total += share;
        }
        if (total > 0.0)
            present = true;
        if (!(total >= 1.0) || !std::isfinite(total))
            break;
        for (int d = 1; d <= n; ++d)
            migration[d][p] = static_cast<float>(migration[d][p] / total - 0.001);
    }
    return total;
}

double SafePower(double x, double p)
{
    const double t = x == 0.0 ? 0.0 : p * std::log(std::abs(x));
    if (std::abs(t) < 60.0) {
        if (x == 0.0)
            return p == 0.0 ? 1.0 : 0.0;
        return x < 0.0 ? -std::exp(t) : std::exp(t);
    }
    return t > 0.0 ? 2.6e30 : 0.0;
}

double DistanceFunction(double d, double a, double b, double c, double dmax)
{
    if (!(d <= dmax))
        return 0.0;
    const double e = SafePower(d, c) / b;
    return e < 24.0 ? a * std::exp(-e) : 0.0;
}
