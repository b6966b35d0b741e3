#include "chart/scale_info.h"

#include <strings.h>

namespace {

TPlotKind Kind(const char* name, const char* title, const char* xlabel, const char* ylabel,
               int index = 0)
{
    TPlotKind k;
    k.Name = name;
    k.Default.Title = title;
    k.Default.XLabel = xlabel;
    k.Default.YLabel = ylabel;
    k.Default.Index = index;
    return k;
}

// A row of Strativa's table by key name, with other texts where given.
TPlotKind From(const char* name, const char* title = nullptr, const char* xlabel = nullptr,
               const char* ylabel = nullptr)
{
    for (const auto& k : StrativaPlotKinds())
        if (k.Name == name) {
            TPlotKind out = k;
            if (title)
                out.Default.Title = title;
            if (xlabel)
                out.Default.XLabel = xlabel;
            if (ylabel)
                out.Default.YLabel = ylabel;
            return out;
        }
    return Kind(name, "", "", "");
}

TKindTable currentTable = TKindTable::Strativa;

}  // namespace

const std::vector<TPlotKind>& StrativaPlotKinds()
{
    static const std::vector<TPlotKind> table = {
        Kind("Null", "", "", ""),
        Kind("DensityDependenceInR", "Density dependence in R ", "Population size", "Growth rate (R)"),
        Kind("ReplacementCurve", "Replacement curve", "Population size at time t",
             "Population size at time t+1"),
        Kind("Dispersal", "Dispersal", "Population size", "Total rate of dispersal"),
        Kind("HabitatChange", "Habitat change", "Time", "Carrying capacity (K)"),
        Kind("VitalRates", "Change in vital rates", "Time", "Relative vital rate"),
        Kind("PopMat", "Stage matrix statistics", "", ""),
        Kind("Sensititivity", "Stage matrix sensitivities", "", ""),
        Kind("Elasticity", "Stage matrix elasticities", "", ""),
        Kind("SensitivityAndElasticity", "Stage matrix sensitivities and elasticities", "", ""),
        Kind("Catastrophe", "Catastrophes", "", ""),
        Kind("MigrationDistance", "Dispersal-distance", "Distance", "Dispersal rate"),
        Kind("CorrelationDistance", "Correlation-distance", "Distance", "Correlation"),
        Kind("Demographics", "", "Stage", "Proportion in Stage"),
        Kind("RateOfIncrease", "", "Stage", "Rate of Increase"),
        Kind("ReproductiveValue", "Reproductive Value", "Stage", "Reproductive Value"),
        Kind("InitialDistribution", "Initial Distribution", "Stage", "Initial Distribution"),
        Kind("StableDistribution", "Stable Age/Stage Structure", "Stage", ""),
        Kind("AverageResidence", "Average Residence", "Stage", "Average Residence"),
        Kind("Trajectory", "Trajectory summary", "Time", "Abundance"),
        Kind("Harvest", "Harvest summary", "Time", "Total Harvest"),
        Kind("Structure", "Population structure", "Population", "Abundance"),
        Kind("Stages", "Final age/stage abundances", "Stage", "Final age/stage abundance"),
        Kind("Occupancy", "Rivedarulation occupancy", "Time", "Occupied Populations"),
        Kind("LocalOccupancy", "Local occupancy", "Population", "Number of Time Steps"),
        Kind("YearBelow", "Local extinction duration", "Population", "Number of Time Steps"),
        Kind("IntervalExtinctionRisk", "Extinction/Decline", "Threshold", "Probability"),
        Kind("TerminalExtinctionRisk", "Terminal extinction risk", "Threshold", "Probability"),
        Kind("IntervalExplosionRisk", "Explosion/Increase", "Threshold", "Probability"),
        Kind("TerminalExplosionRisk", "Terminal explosion risk", "Threshold", "Probability"),
        Kind("IntervalPercentDecline", "Interval percent decline", "Percent decline", "Probability"),
        Kind("TerminalPercentDecline", "Terminal percent decline", "Percent decline", "Probability"),
        Kind("TimeToExtinction", "Time to quasi-extinction", "Time", "Probability", 1),
        Kind("TimeToExplosion", "Time to quasi-explosion", "Time", "Probability", 1),
    };
    return table;
}

const std::vector<TPlotKind>& PlurimodPlotKinds()
{
    static const std::vector<TPlotKind> table = {
        From("Null"),
        From("DensityDependenceInR", "Density dependence in R"),
        From("ReplacementCurve"),
        From("Dispersal", "Dispersal", "Target Population #", "Rate of dispersal"),
        From("HabitatChange"),
        From("MigrationDistance"),
        From("CorrelationDistance"),
        From("Trajectory"),
        From("Structure"),
        From("Occupancy", "Rivedarulation occupancy", "Time", "Number of Extant Populations"),
        From("IntervalExtinctionRisk"),
        From("IntervalExplosionRisk"),
    };
    return table;
}

const std::vector<TPlotKind>& MonovaraPlotKinds()
{
    static const std::vector<TPlotKind> table = {
        From("Null"),
        From("DensityDependenceInR", "Density dependence in R"),
        From("ReplacementCurve"),
        From("Trajectory"),
        From("IntervalExtinctionRisk"),
        From("IntervalExplosionRisk"),
    };
    return table;
}

const std::vector<TPlotKind>& PlotKinds(TKindTable table)
{
    switch (table) {
    case TKindTable::Plurimod:
        return PlurimodPlotKinds();
    case TKindTable::Monovara:
        return MonovaraPlotKinds();
    case TKindTable::Strativa:
        break;
    }
    return StrativaPlotKinds();
}

int HighestPlotKind(TKindTable table) { return static_cast<int>(PlotKinds(table).size()) - 1; }

std::vector<TScaleInfo> BuiltInScaleInfo(TKindTable table)
{
    std::vector<TScaleInfo> rows;
    for (const auto& k : PlotKinds(table))
        rows.push_back(k.Default);
    return rows;
}

int PlotKindFromName(TKindTable table, std::string_view name)
{
    const auto& kinds = PlotKinds(table);
    for (size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i].Name.size() == name.size() &&
            ::strncasecmp(kinds[i].Name.data(), name.data(), name.size()) == 0)
            return static_cast<int>(i);
    return 0;
}

std::string PlotKindName(TKindTable table, int kind)
{
    const auto& kinds = PlotKinds(table);
    if (kind < 0 || kind >= static_cast<int>(kinds.size()))
        return {};
    return kinds[static_cast<size_t>(kind)].Name;
}

std::vector<TScaleInfo> DefaultScaleInfo = BuiltInScaleInfo(TKindTable::Strativa);

void SelectKindTable(TKindTable table)
{
    currentTable = table;
    RestoreBuiltInScaleInfo();
}

TKindTable CurrentKindTable() { return currentTable; }

void RestoreBuiltInScaleInfo() { DefaultScaleInfo = BuiltInScaleInfo(currentTable); }

int PlotKindFromName(std::string_view name) { return PlotKindFromName(currentTable, name); }

std::string PlotKindName(int kind) { return PlotKindName(currentTable, kind); }
