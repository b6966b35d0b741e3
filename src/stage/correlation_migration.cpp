#include "stage/correlation_migration.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/density_types.h"
#include "stage/random_deviates.h"

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

std::string WidthEight(double x)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%8.6g", x);
    return buffer;
}

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

int CheckCorrelationMatrix(TCoravel& model)
{
    return CheckCorrelationMatrix(model.correlation, model.pops, model.distflags[kCorrelationChecked]);
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

void CheckMigration(TCoravel& model, int p)
{
    const int n = model.pops;
    PopulationRecord& pop = model.populations[p];
    const std::string label = ("Pop." + std::to_string(p) + ": ").substr(0, 10);
    const double k = model.capacity[p];
    const double finalK =
        IsExponential(pop.ddtype) ? k : model.duration * static_cast<double>(model.ktrend[p]) + k;
    double dd = model.dispersalslope[p];

    double total = RepairEmigrationShares(model.migration, n, p, model.migchecked);
    double low = total - dd * k;
    double lowFinal = total - dd * finalK;

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
    if (!(low >= 0.0 && low < 1.0)) {
        total = RepairEmigrationShares(model.migration, n, p, model.migchecked);
        low = total - dd * k;
    }

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

    FillDistanceMatrix(migration ? model.migration : model.correlation, migration, model.pops, [&](int i, int j) {
        if (a == 0.0 || dmax == 0.0)
            return 0.0;
        const double dx = model.populations[i].x - model.populations[j].x;
        const double dy = model.populations[i].y - model.populations[j].y;
        return DistanceFunction(std::sqrt(dx * dx + dy * dy), a, b, c, dmax);
    });
    if (migration) {
        model.distflags[kMigrationFromDistances] = true;
        model.distflags[kMigrationFromDistances2] = true;
    } else {
        model.distflags[kCorrelationFromDistances] = true;
        model.distflags[kCorrelationChecked] = true;
    }
    return true;
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
