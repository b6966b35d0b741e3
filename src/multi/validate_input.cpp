#include "multi/validate_input.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "sim/population_links.h"

#include <cmath>
#include <cstdint>

namespace multi {

namespace {

constexpr double kLargestInput = 2147483647.0;

// Only a text without any character counts as left out: blanks are no
// number, and a value the user meant to give must not silently vanish.
bool IsEmpty(const std::string& text) { return text.empty(); }

}  // namespace

void ReportInvalidInput(TMultiModel& model, const std::string& name, int population, bool namePopulation)
{
    model.ModelState = kStateEmpty;
    std::string text = "Invalid input parameter: \"" + name + "\"";
    if (namePopulation)
        text += " for population " + std::to_string(population);
    WarningMessage(text);
}

void ValidateInput(TMultiModel& model) { ValidateInput(model, TInputCheckRules{}); }

void ValidateInput(TMultiModel& model, const TInputCheckRules& rules)
{
    auto invalid = [&](const char* name, int i) { ReportInvalidInput(model, name, i, rules.namePopulation); };

    if (model.ModelState == kStateEmpty)
        model.ModelState = kStateInputs;

    double fraction = 0.0;
    if (!ConvertNumber(model.Info.FractionText, fraction) || fraction < 0.0)
        fraction = 0.0;
    model.Info.Fraction = fraction > 1.0 ? 1.0 : fraction;

    if (model.PopCount == 0 || model.PopCount > model.MaxPops) {
        model.PopCount = 0;
        WarningMessage("Invalid population data");
        model.ModelState = kStateEmpty;
        return;
    }
    model.SelectedPopulation = 1;

    for (int i = 1; i <= model.MaxPops; ++i) {
        model.GrowthRate[i] = 1.0f;
        model.SurvivalRate[i] = 0.0f;
        model.InitialAbundance[i] = 0;
        model.CarryingCapacity[i] = 0.0f;
        model.StdDevOfR[i] = 0.0f;
        model.TrendInK[i] = 0.0f;
        model.DispersalSlope[i] = 0.0f;
    }

    const bool demographic = model.Info.DemographicStochasticity;
    for (int i = 1; i <= model.PopCount; ++i) {
        const PopulationRecord& pop = model.Populations[i];
        const bool usesK = UsesCarryingCapacity(pop.DDType);
        double v = 0.0;

        if (!ConvertNumber(pop.InitialAbundanceText, v) || v < 0.0 || v > kLargestInput)
            invalid("Initial abundance", i);
        else
            model.InitialAbundance[i] = static_cast<std::int32_t>(std::nearbyint(v));

        bool ok = ConvertNumber(pop.GrowthRateText, v);
        if (ok)
            model.GrowthRate[i] = static_cast<float>(v);
        if (!ok || !(v > 0.0))
            invalid("R", i);

        ok = ConvertNumber(pop.SurvivalText, v);
        if (ok)
            model.SurvivalRate[i] = static_cast<float>(v);
        if (demographic && (!ok || v < 0.0 || v > 1.0))
            invalid("Survival rate", i);

        ok = ConvertNumber(pop.CarryingCapacityText, v);
        if (ok)
            model.CarryingCapacity[i] = static_cast<float>(v);
        if (usesK && (!ok || !(v > 0.0) || v > kLargestInput))
            invalid("K", i);

        if (!IsEmpty(pop.StdDevOfRText)) {
            ok = ConvertNumber(pop.StdDevOfRText, v);
            if (ok)
                model.StdDevOfR[i] = static_cast<float>(v);
            if (!ok || v < 0.0)
                invalid("St.Dev of K", i);
        }

        if (!IsEmpty(pop.TrendInKText)) {
            ok = ConvertNumber(pop.TrendInKText, v);
            if (ok)
                model.TrendInK[i] = static_cast<float>(v);
            else if (usesK && rules.checkTrendInK)
                invalid("Change in K", i);
        }

        if (model.GrowthRate[i] < 0.0f)
            model.GrowthRate[i] = 0.0f;
        if (model.InitialAbundance[i] < 0)
            model.InitialAbundance[i] = 0;
        if (model.StdDevOfR[i] < 0.0f)
            model.StdDevOfR[i] = 0.0f;
        if (IsExponential(pop.DDType))
            model.CarryingCapacity[i] = static_cast<float>(model.InitialAbundance[i]);
        if (!(model.CarryingCapacity[i] > 0.0f))
            model.CarryingCapacity[i] = 1.0f;
    }
}

void CheckMigration(TMultiModel& model, int i, bool report)
{
    const std::string label = ("Pop." + std::to_string(i) + ": ").substr(0, 10);
    const double total = RepairEmigrationShares(model.DispersalMatrix, model.PopCount, i, model.DispersalPresent);
    model.DispersalMatrix[i][i] = 0.0f;
    if (report && total > 0.9)
        SimulationWarning(label + "WARNING: Total migration is more than 90%");
}

}  // namespace multi
