#include "stage/correlation_migration.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/density_types.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

std::string WidthEight(double x)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%8.6g", x);
    return buffer;
}

} // namespace

int CheckCorrelationMatrix(TCoravel& model)
{
    return CheckCorrelationMatrix(model.correlation, model.pops, model.distflags[kCorrelationChecked]);
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
