#include "stage/correlation_migration.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/density_types.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr double kClassifyTolerance = 2e-5;

bool IsExponential(std::uint8_t ddtype)
{
    const auto t = static_cast<DDType>(ddtype);
    return t == DDType::EX || t == DDType::EA;
}

// D^c as exp(c ln D): 0^0 = 1, 0^c = 0 otherwise; an exponent of 60 or more
// in magnitude gives 2.6e30 (positive) or 0 (negative).
double DistancePower(double d, double c)
{
    if (d <= 0.0)
        return c == 0.0 ? 1.0 : 0.0;
    const double x = c * std::log(d);
    if (x >= 60.0)
        return 2.6e30;
    if (x <= -60.0)
        return 0.0;
    return std::exp(x);
}

std::string WidthEight(double x)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%8.6g", x);
    return buffer;
}

} // namespace

int CheckCorrelationMatrix(TCoravel& model)
{
    const int n = model.pops;
    if (!model.distflags[kCorrelationChecked]) {
        model.distflags[kCorrelationChecked] = true;
        bool clamped = false;
        for (int i = 1; i <= n; ++i) {
            model.correlation[i][i] = 1.0f;
            for (int j = 1; j < i; ++j) {
                float& r = model.correlation[i][j];
                if (r > kLargestCorrelation) {
                    r = kLargestCorrelation;
                    clamped = true;
                } else if (r < -kLargestCorrelation) {
                    r = -kLargestCorrelation;
                    clamped = true;
                } else if (std::isnan(r)) {
                    r = 0.0f;
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
            const double r = model.correlation[i][j];
            if (!(std::abs(r) <= kClassifyTolerance))
                independent = false;
            if (!(std::abs(1.0 - r) <= kClassifyTolerance))
                full = false;
        }
    if (independent)
        return kCorrelationIndependent;
    return full ? kCorrelationFull : kCorrelationGeneral;
}

void CheckMigration(TCoravel& model, int p)
{
    const int n = model.pops;
    PopulationRecord& pop = model.populations[p];
    const std::string label = ("Pop." + std::to_string(p) + ": ").substr(0, 10);
    const double k = model.capacity[p];
    const double finalK =
        IsExponential(pop.ddtype) ? k : model.duration * static_cast<double>(model.ktrend[p]) + k;
    double dd = model.dispersalslope[p];

    double total = 0.0, low = 0.0, lowFinal = 0.0;
    auto sumShares = [&] {
        total = 0.0;
        for (int d = 1; d <= n; ++d) {
            if (d == p)
                continue;
            float& share = model.migration[d][p];
            if (!(share >= 0.0f))  // negative, or not a number
                share = 0.0f;
            total += share;
        }
        if (total > 0.0)
            model.migchecked = true;
        low = total - dd * k;
        lowFinal = total - dd * finalK;
    };
    // One rescale brings the shares below 1 (each loses 0.001); the bound
    // only guards against values no rescale can tame.
    for (int round = 0; round < 10; ++round) {
        sumShares();
        if (!(total >= 1.0) || !std::isfinite(total))
            break;
        for (int d = 1; d <= n; ++d)
            model.migration[d][p] = static_cast<float>(model.migration[d][p] / total - 0.001);
    }

    if (k > 0.0) {
        bool rewrite = false;
        if (low < 0.0) {
            dd = total / k * 0.99;
            rewrite = true;
        }
        if (low >= 1.0) {
            dd = (total - 1.0) / k * 0.99;
            rewrite = true;
        }
        if (rewrite) {
            model.dispersalslope[p] = static_cast<float>(dd);
            pop.dispersalslopetext = WidthEight(dd);
        }
    }
    // A carrying capacity that falls to 0 or below by the end has no
    // low-density share to correct against (and would divide by 0).
    if (model.ktrend[p] != 0 && finalK > 0.0) {
        bool rewrite = false;
        if (lowFinal < 0.0) {
            dd = total / finalK * 0.99;
            rewrite = true;
        }
        if (lowFinal >= 1.0) {
            dd = (total - 1.0) / finalK * 0.99;
            rewrite = true;
        }
        if (rewrite) {
            model.dispersalslope[p] = static_cast<float>(dd);
            pop.dispersalslopetext = FloatToShortText(static_cast<float>(dd));
        }
    }

    model.migration[p][p] = 0.0f;
    if (!(low >= 0.0 && low < 1.0))
        sumShares();

    if (total > 0.95)
        SimulationWarning(label + "WARNING: Total migration is more than 95% of a stage abundance");
    if (dd != 0.0) {
        if (low >= 1.0)
            SimulationWarning(label + "ERROR!!: At low density, total migration is more than 100%");
        else if (low > 0.95)
            SimulationWarning(label + "WARNING: At low density, total migration is more than 95%");
    }
}

bool Calc_Matr(TCoravel& model, char name)
{
    const bool migration = name == 'M' || name == 'm';
    if (!migration && name != 'C' && name != 'c')
        throw std::invalid_argument(std::string("Calc_Matr: unknown matrix (name=\"") + name + "\")");

    IndexedArray<float, 1, 4>& params = migration ? model.migparams : model.corrparams;
    if (params[1] < 0) params[1] = 0;
    if (params[2] < 0.1f) params[2] = 0.1f;
    if (params[3] < 0) params[3] = 0;
    if (params[4] < 0) params[4] = 0;
    const double a = params[1], b = params[2], c = params[3], dmax = params[4];

    const int n = model.pops;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            double value = 0.0;
            if (a != 0.0 && dmax != 0.0) {
                const double dx = model.populations[i].x - model.populations[j].x;
                const double dy = model.populations[i].y - model.populations[j].y;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (d <= dmax) {
                    const double e = DistancePower(d, c) / b;
                    if (e < 24.0)
                        value = a * std::exp(-e);
                }
            }
            if (migration) {
                model.migration[i][j] = static_cast<float>(value);
            } else {
                // Two populations at one place would otherwise be perfectly
                // correlated, and the correlation factor cannot be found.
                if (value > kLargestCorrelation)
                    value = kLargestCorrelation;
                model.correlation[i][j] = static_cast<float>(value);
            }
        }
        if (migration)
            model.migration[i][i] = 0.0f;
        else
            model.correlation[i][i] = 1.0f;
    }
    if (migration) {
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j)
                model.migration[i][j] = model.migration[j][i];
        model.distflags[kMigrationFromDistances] = true;
        model.distflags[kMigrationFromDistances2] = true;
    } else {
        model.distflags[kCorrelationFromDistances] = true;
        model.distflags[kCorrelationChecked] = true;
    }
    return true;
}
