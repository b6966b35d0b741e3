#include "stage/results_writer.h"

#include "chart/result_tables.h"
#include "chart/text_format.h"

#include <array>
#include <cmath>

namespace {

bool IsStageKind(int kind) { return (kind >= 7 && kind <= 9) || (kind >= 14 && kind <= 18); }
bool IsTwoColumnKind(int kind) { return (kind >= 1 && kind <= 8) || (kind >= 11 && kind <= 13); }
bool IsStatisticsKind(int kind) { return kind >= 19 && kind <= 25; }
bool IsRiskKind(int kind) { return kind >= 26 && kind <= 31; }
bool IsCrossingKind(int kind) { return kind == 32 || kind == 33; }
// Statistics over populations: each row names its population.
bool IsPerPopulationKind(int kind) { return kind == 21 || kind == 24 || kind == 25; }

int RoundedX(float x) { return static_cast<int>(std::nearbyint(x)); }

// The comma-separated tables give each bound of a confidence band a column
// of its own, lower bound first, as the rows hold them.
constexpr const char* kIntervalColumns = "95% confidence interval (lower),95% confidence interval (upper)";

std::string PopulationName(const TCoravel& model, int p)
{
    return p >= 1 && p <= model.pops ? model.populations[p].name : std::string();
}

std::string TitleSuffix(const TScaleInfo& settings, int kind, const TCoravel& model)
{
    const int n = settings.Index;
    switch (kind) {
    case 19:
        if (n >= 1 && n <= model.pops)
            return " (Population " + std::to_string(n) + ": " + model.populations[n].name + ")";
        return " (Rivedarulation)";
    case 21:
        if (n < model.duration)
            return " (Time step=" + std::to_string(n) + ")";
        return " (Final time step)";
    case 24:
    case 25: return " (Duration = " + std::to_string(model.duration) + " time steps)";
    case 32: return " (Threshold level = " + StrFixed(model.extthreshold, 3, 1) + ")";
    case 33: return " (Threshold level = " + StrFixed(model.explthreshold, 3, 1) + ")";
    default: return "";
    }
}

// The cumulative harvest per replication: minimum, mean - SD, mean,
// mean + SD, maximum.
std::array<double, 5> HarvestTotals(const TCoravel& model)
{
    const double mean = model.runstats[1], sd = model.runstats[2];
    return {model.runstats[3], mean - sd, mean, mean + sd, model.runstats[4]};
}

} // namespace

TResultChart StageResultChart(const TPlotBuffer& buffer, int replicationCount)
{
    TResultChart chart{buffer, replicationCount};
    chart.zeroShareKinds = {26, 27, 30, 31};
    return chart;
}

void ReportHeader(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, bool quoted,
                  TCoravel& model, const TRunFacts& run)
{
    int included = 0;
    for (int p = 1; p <= model.pops; ++p)
        included += model.populations[p].intotal ? 1 : 0;
    model.totalpops = static_cast<std::uint8_t>(included);

    TReportHeaderText h;
    h.program = "AGE/STAGE MODEL";
    h.runDate = run.runDate;
    h.runTime = run.runTime;
    h.ruleLength = 57;
    h.title = model.title;
    for (int i = 1; i <= 4; ++i)
        h.comments.push_back(model.comments[i]);
    h.populations = model.pops;
    h.includedPopulations = included;
    // A deterministic run completes one replication; the model's setting of
    // 0 replications is what says the results are deterministic.
    h.deterministic = run.replicationCount < 1 || (model.state == kStateResults && model.replications == 0);
    h.replications = run.replicationCount;
    h.duration = model.duration;
    AppendReportHeader(lines, h, quoted);

    if (!IsStageKind(kind)) {
        lines.push_back(HeaderLine(settings.Title + TitleSuffix(settings, kind, model), quoted));
        lines.push_back("");
    }
}

void WriteResultTableText(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, TCoravel& model,
                          const TPlotBuffer& b, const TRunFacts& run, TInputCheck check)
{
    ReportHeader(settings, kind, lines, false, model, run);
    const int n = b.Count();
    const int P = (kind >= 23 && kind <= 25) ? 1 : -1;
    const std::string x10 = CutText(settings.XLabel, 10);
    const std::string& y = settings.YLabel;

    if (IsTwoColumnKind(kind)) {
        lines.push_back(FormatText("%*s %*s", {10, x10, 12, y}));
        for (int i = 0; i < n; ++i)
            lines.push_back(FormatText("%*.*f %*.*f", {10, -1, b.PlotX[i], 12, 4, b.PlotMean[i]}));
    } else if (IsStatisticsKind(kind)) {
        const bool named = IsPerPopulationKind(kind);
        lines.push_back(FormatText("%*s %*s", {10, x10, 32, y}));
        lines.push_back(std::string(named ? 16 : 10, ' ') +
                        FormatText("%*s %*s %*s %*s %*s", {10, kStatisticsColumns[0], 10, kStatisticsColumns[1], 10,
                                                           kStatisticsColumns[2], 10, kStatisticsColumns[3], 10,
                                                           kStatisticsColumns[4]}));
        for (int i = 0; i < n; ++i) {
            const int x = RoundedX(b.PlotX[i]);
            const std::string lead = named ? FormatText("%2d %s ", {x, CutOrPad(PopulationName(model, x), 12)})
                                           : FormatText("%*d ", {9, x});
            lines.push_back(lead + FormatText("%*.*f %*.*f %*.*f %*.*f %*.*f",
                                              {10, P, b.PlotMin[i], 10, P, b.PlotLower[i], 10, P, b.PlotMean[i], 10,
                                               P, b.PlotUpper[i], 10, P, b.PlotMax[i]}));
        }
        if (kind == 20) {
            const auto t = HarvestTotals(model);
            lines.push_back("");
            lines.push_back(FormatText("%*s %*.*f %*.*f %*.*f %*.*f %*.*f",
                                       {9, "TOTAL:", 10, P, t[0], 10, P, t[1], 10, P, t[2], 10, P, t[3], 10, P, t[4]}));
        }
    } else if (IsRiskKind(kind)) {
        lines.push_back(FormatText("%*s %*s     95%% confidence interval", {10, settings.XLabel, 12, y}));
        for (int i = 0; i < n; ++i)
            lines.push_back(FormatText("%*.*f %*.*f %*.*f %*.*f",
                                       {10, 0, b.PlotX[i], 12, 4, b.PlotMean[i], 15, 4, b.PlotMin[i], 8, 4,
                                        b.PlotMax[i]}));
    } else if (IsCrossingKind(kind)) {
        const float median = b.PlotMin[1];
        if (median >= 1)
            lines.push_back(FormatText("Median time = %3.1f timestep(s)", {median}));
        else if (median > 0)
            lines.push_back("Median time < 1 timestep");
        else
            lines.push_back("Median time > " + std::to_string(model.duration) + " timesteps");
        lines.push_back("");
        lines.push_back(FormatText("%*s %*s", {10, "Time", 12, y}) +
                        "  Cumulative Probability     95% confidence interval");
        for (int i = 0; i < n; ++i)
            lines.push_back(FormatText("%*.*f %*.*f %*.*f %*.*f %*.*f",
                                       {10, 0, b.PlotX[i], 12, 4, b.PlotMean[i], 15, 4, b.PlotMax[i], 15, 4,
                                        b.PlotLower[i], 8, 4, b.PlotUpper[i]}));
    } else if (IsStageKind(kind)) {
        // The stage-matrix report follows and opens with its own title.
        if (!lines.empty() && lines.back().empty())
            lines.pop_back();
    } else if (kind == 10) {
        CatastropheSummary(lines, model, check);
    }
    lines.push_back("");
}

void WriteResultTableCsv(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, TCoravel& model,
                         const TPlotBuffer& b, const TRunFacts& run, TInputCheck check)
{
    ReportHeader(settings, kind, lines, true, model, run);
    const int n = b.Count();
    const std::string x10 = CsvField(CutText(settings.XLabel, 10));
    const std::string y = CsvField(settings.YLabel);

    if (IsTwoColumnKind(kind)) {
        lines.push_back(x10 + "," + y);
        for (int i = 0; i < n; ++i)
            lines.push_back(FormatText("%f,%.4f", {b.PlotX[i], b.PlotMean[i]}));
    } else if (IsStatisticsKind(kind)) {
        const bool named = IsPerPopulationKind(kind);
        lines.push_back(x10 + ",,," + y);
        std::string columns = named ? "," : "";
        for (const char* c : kStatisticsColumns)
            columns += std::string(",") + c;
        lines.push_back(columns);
        for (int i = 0; i < n; ++i) {
            const int x = RoundedX(b.PlotX[i]);
            const std::string lead =
                named ? FormatText("%d,%s,", {x, CsvField(CutText(PopulationName(model, x), 12))})
                      : FormatText("%d,", {x});
            lines.push_back(lead + FormatText("%f,%f,%f,%f,%f", {b.PlotMin[i], b.PlotLower[i], b.PlotMean[i],
                                                                 b.PlotUpper[i], b.PlotMax[i]}));
        }
        if (kind == 20) {
            const auto t = HarvestTotals(model);
            lines.push_back("");
            lines.push_back(FormatText("%s,%f,%f,%f,%f,%f", {"TOTAL:", t[0], t[1], t[2], t[3], t[4]}));
        }
    } else if (IsRiskKind(kind)) {
        lines.push_back(CsvField(settings.XLabel) + "," + y + "," + kIntervalColumns);
        for (int i = 0; i < n; ++i)
            lines.push_back(
                FormatText("%f,%.4f,%.4f,%.4f", {b.PlotX[i], b.PlotMean[i], b.PlotMin[i], b.PlotMax[i]}));
    } else if (IsCrossingKind(kind)) {
        lines.push_back("Time," + y + ",Cumulative Probability," + kIntervalColumns);
        for (int i = 0; i < n; ++i)
            lines.push_back(FormatText("%f,%.4f,%.4f,%.4f,%.4f",
                                       {b.PlotX[i], b.PlotMean[i], b.PlotMax[i], b.PlotLower[i], b.PlotUpper[i]}));
    } else if (kind == 10) {
        CatastropheSummary(lines, model, check, true);
    }
}
