#include "stage/density_settings.h"

#include "core/str_utilx.h"
#include "sim/density_types.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kTolerance = 1e-6;

// Stored texts use "." but may come from a file written elsewhere; either
// way, no number reads as 1.
double StoredNumber(const std::string& text)
{
    double value = 1;
    return ConvertNumber(text, value) ? value : 1;
}

bool Differs(double a, double b) { return std::fabs(a - b) > kTolerance; }

// The text a field's value is stored as: the stored text while it holds that
// very number, else the value as text, with all the digits it has (the
// dialog may show more decimals than the fixed number-to-text switches
// write, and what it shows is what is stored).
std::string ValueText(const std::string& stored, double value)
{
    double held = 0;
    if (ConvertNumber(stored, held) && held == value)
        return stored;
    std::string text = TrimBlanks(RealToText(value));
    if (ConvertNumber(text, held) && held == value)
        return text;
    char buffer[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (ConvertNumber(buffer, held) && held == value)
            break;
    }
    return buffer;
}

}  // namespace

TDensitySettings LoadDensitySettings(const TCoravel& model, int p)
{
    const PopulationRecord& pop = model.populations[p];
    return {pop.ddtype, StoredNumber(pop.rmaxtext), StoredNumber(pop.ktext)};
}

bool DensitySettingsChanged(const TCoravel& model, int p, const TDensitySettings& settings)
{
    const TDensitySettings stored = LoadDensitySettings(model, p);
    return settings.type != stored.type || Differs(settings.rmax, stored.rmax) || Differs(settings.k, stored.k);
}

void StoreDensitySettings(TCoravel& model, int p, const TDensitySettings& settings)
{
    const TDensitySettings stored = LoadDensitySettings(model, p);
    if (settings.type != stored.type || Differs(settings.rmax, stored.rmax))
        model.popchanged[p] = true;
    if (DensitySettingsChanged(model, p, settings))
        InputsChanged = true;
    PopulationRecord& pop = model.populations[p];
    pop.ddtype = settings.type;
    pop.rmaxtext = ValueText(pop.rmaxtext, settings.rmax);
    pop.ktext = ValueText(pop.ktext, settings.k);
}

TDensityEditEnabling DensityEditEnabling(int type)
{
    const TDensityType* row = DensityTypeListRow(type);
    if (!row) return {false, false};
    return {row->usesRmax, row->usesK};
}
