#include "multi/result_tables.h"

#include "chart/result_tables.h"
#include "chart/text_format.h"
#include "multi/result_kinds.h"

#include <algorithm>
#include <cmath>

namespace multi {

namespace {

constexpr int kDefaultDecimals = -1;  // the fixed-point format's default of 2

bool IsStatisticsKind(int kind) { return kind >= kTrajectory && kind <= kOccupancy; }

int RoundedX(float x) { return static_cast<int>(std::nearbyint(x)); }

float Largest(const TPlotBuffer::Series& series, int count)
{
    float m = 0;
    for (int i = 0; i < count; ++i)
        m = std::max(m, series[static_cast<std::size_t>(i)]);
    return m;
}

std::string PopulationName(const TMultiModel& model, int p)
{
    return p >= 1 && p <= model.PopCount ? model.Populations[p].Name : std::string();
}

// A population's name in a row: 12 characters, cut or filled with dots.
std::string DottedName(const TMultiModel& model, int p)
{
    std::string name = CutText(PopulationName(model, p), 12);
    name.resize(12, '.');
    return name;
}

std::string TitleSuffix(const TScaleInfo& settings, int kind, const TMultiModel& model)
{
    const int n = settings.Index;
    if (kind == kTrajectory) {
        if (n < 1 || n > model.PopCount)
            return " (Rivedarulation)";
        return " (Population " + std::to_string(n) + ": " + PopulationName(model, n) + ")";
    }
    if (kind == kStructure)
        return n >= model.Duration ? std::string(" (Final time step)") : " (Time step=" + std::to_string(n) + ")";
    return "";
}

void Header(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, const TMultiModel& model,
            const TResultTableRules& rules, bool quoted)
{
    TReportHeaderText h;
    h.program = rules.Program;
    h.hasPopulationsLine = rules.PopulationsLine;
    h.runDate = model.ResultDate;
    h.runTime = model.ResultTime;
    h.ruleLength = 59;
    h.title = model.Info.Title;
    h.comments = {model.Info.Comment1, model.Info.Comment2, model.Info.Comment3, model.Info.Comment4};
    h.populations = model.PopCount;
    for (int p = 1; p <= model.PopCount; ++p)
        h.includedPopulations += model.Populations[p].IncludeInTotals ? 1 : 0;
    h.deterministic = model.ReplicationsDone == 0;
    h.replications = model.ReplicationsDone;
    h.duration = model.Duration;
    h.quoteEveryLine = false;
    AppendReportHeader(lines, h, quoted);
    const std::string suffix = rules.TitleSuffixes ? TitleSuffix(settings, kind, model) : std::string();
    lines.push_back(HeaderLine(settings.Title + suffix, quoted));
    lines.push_back("");
}

// Decimals of the values (statistics kinds) and of the x column (risk curves).
int ValueDecimals(int kind, const TPlotBuffer& b)
{
    if (kind == kTrajectory || kind == kStructure)
        return TableDecimals(Largest(b.PlotMax, b.Count()));
    if (kind == kOccupancy)
        return 1;
    return kDefaultDecimals;
}

int XDecimals(int kind, const TPlotBuffer& b)
{
    if (kind == kIntervalExtinctionRisk || kind == kIntervalExplosionRisk)
        return TableDecimals(Largest(b.PlotX, b.Count()));
    return kDefaultDecimals;
}

void WriteTable(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, const TMultiModel& model,
                const TPlotBuffer& b, const TResultTableRules& rules, bool csv)
{
    Header(settings, kind, lines, model, rules, csv);
    const int n = b.Count();
    // Labels and names go into the comma-separated lines as fields, so that
    // a comma in them does not shift the columns.
    auto field = [csv](const std::string& text) { return csv ? CsvField(text) : text; };
    const std::string x10 = field(CutText(settings.XLabel, 10));
    const std::string y = field(settings.YLabel);

    if (IsStatisticsKind(kind)) {
        const bool named = kind == kStructure;
        const int d = ValueDecimals(kind, b);
        const char* const* c = kStatisticsColumns;
        if (csv) {
            lines.push_back(x10 + (named ? ",," : ",") + y);
            lines.push_back(FormatText(named ? ",,%s,%s,%s,%s,%s" : ",%s,%s,%s,%s,%s", {c[0], c[1], c[2], c[3], c[4]}));
        } else {
            lines.push_back(FormatText("%*s %*s", {10, x10, 32, y}));
            lines.push_back(std::string(named ? 15 : 9, ' ') + " " +
                            FormatText("%*s %*s %*s %*s %*s", {10, c[0], 10, c[1], 10, c[2], 10, c[3], 10, c[4]}));
        }
        const char* values =
            csv ? "%*.*f,%*.*f,%*.*f,%*.*f,%*.*f" : "%*.*f %*.*f %*.*f %*.*f %*.*f";
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const int x = RoundedX(b.PlotX[k]);
            std::string lead;
            if (named)
                lead = FormatText(csv ? "%2d,%s," : "%2d %s ", {x, field(DottedName(model, x))});
            else
                lead = csv ? FormatText("%d,", {x}) : FormatText("%*d ", {9, x});
            lines.push_back(lead + FormatText(values, {10, d, b.PlotMin[k], 10, d, b.PlotLower[k], 10, d,
                                                       b.PlotMean[k], 10, d, b.PlotUpper[k], 10, d, b.PlotMax[k]}));
        }
        return;
    }

    const int xd = XDecimals(kind, b);
    lines.push_back(csv ? x10 + "," + y : FormatText("%*s %12s", {10, x10, y}));
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        lines.push_back(FormatText(csv ? "%*.*f,%*.*f" : "%*.*f %*.*f", {10, xd, b.PlotX[k], 12, 4, b.PlotMean[k]}));
    }
}

}  // namespace

int TableDecimals(double largest)
{
    if (largest < 1)
        return 5;
    return std::max(0, 4 - static_cast<int>(std::trunc(std::log(largest) / 2.33)));
}

void WriteResultTableText(const TScaleInfo& settings, int kind, std::vector<std::string>& lines,
                          const TMultiModel& model, const TPlotBuffer& buffer, const TResultTableRules& rules)
{
    WriteTable(settings, kind, lines, model, buffer, rules, false);
}

void WriteResultTableCsv(const TScaleInfo& settings, int kind, std::vector<std::string>& lines,
                         const TMultiModel& model, const TPlotBuffer& buffer, const TResultTableRules& rules)
{
    WriteTable(settings, kind, lines, model, buffer, rules, true);
}

}  // namespace multi
