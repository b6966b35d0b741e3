#include "multi/result_charts.h"

#include "chart/palette.h"
#include "chart/text_format.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace multi {

namespace {

// A number written into a chart text is held to 10 characters.
std::string ChartNumber(double value, int width, int decimals) { return CutText(StrFixed(value, width, decimals), 10); }

std::string PopulationName(const TMultiModel& model, int p)
{
    return p >= 1 && p <= model.PopCount ? model.Populations[p].Name : std::string();
}

// A text in the chart's top left corner, left and top aligned, in the given
// size; colour as set on the canvas.
void CornerText(TGraph& graph, const std::string& text, int size)
{
    TCanvas* canvas = graph.GetCanvas();
    if (!canvas)
        return;
    graph.SetTextJustify(1, 4);
    graph.SetFont("", 0, size);
    canvas->TextOut(graph.AreaRect.Left + 1, graph.AreaRect.Top + 1, text);
}

void Titles(const TScaleInfo& s, TGraph& graph, const TMultiChart& chart)
{
    ::DrawGraphTitles(s, graph, MultiAxesRules(chart), s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
}

}  // namespace

TMultiChartRules PlurimodChartRules() { return {}; }

TResultAxesRules MultiAxesRules(const TMultiChart& chart)
{
    TResultAxesRules rules;
    rules.labelStepLimits = {6, 11, 26, 52};
    rules.recomputeTics = false;
    const auto& whole = chart.Rules.WholeXTicKinds;
    rules.minXTic = std::find(whole.begin(), whole.end(), chart.Buffer.LastPlotKind) != whole.end() ? 1 : 0;
    rules.minYTic = 0;
    return rules;
}

void DrawCurves(const TScaleInfo& settings, TGraph& graph, bool showRange, const TMultiChart& chart)
{
    const TMultiPlotBuffer& b = chart.Buffer;
    const int n = b.Count();
    const TScaleInfo s = CurveChartSettings(settings, b);
    Titles(s, graph, chart);
    DrawResultCurve(graph, b.PlotX.data(), b.PlotMean.data(), 0, 0, ChartColorCode(6), n);

    if (b.LastPlotKind == chart.Rules.ExtinctionRiskKind && b.PlotLower[1] > 0) {
        // More replications carry more decimals: 1 from 10, 2 from 100, 3 from 1000.
        const int r = chart.Model.ReplicationsDone;
        const int decimals = r >= 1 ? static_cast<int>(std::trunc(std::log(r) * 0.43478260869565217 + 0.1)) : 0;
        if (TCanvas* canvas = graph.GetCanvas())
            canvas->SetFontColor(PaletteColor(ChartColorCode(4)));
        CornerText(graph, CutText("Extinction risk ~ " + ChartNumber(b.PlotLower[1], 3, decimals), 28), 10);
    }
    if (showRange) {
        DrawResultCurve(graph, b.PlotX.data(), b.PlotMax.data(), 2, 2, ChartColorCode(8), n);
        DrawResultCurve(graph, b.PlotX.data(), b.PlotMin.data(), 2, 2, ChartColorCode(8), n);
    }
    // No marker of the initial abundance on these charts.
    DrawCurveReferences(graph, b);
    if (b.ReportPopulation != 0 && chart.Rules.PopulationCaption) {
        if (TCanvas* canvas = graph.GetCanvas())
            canvas->SetFontColor(kBlack);
        const int p = b.ReportPopulation;
        CornerText(graph, CutText("Population " + std::to_string(p) + ": " + PopulationName(chart.Model, p), 39),
                   10);
    }
}

void DrawTimeSeries(const TScaleInfo& settings, TGraph& graph, const TMultiChart& chart)
{
    const TMultiPlotBuffer& b = chart.Buffer;
    const int n = b.Count();
    Titles(settings, graph, chart);
    if (chart.Model.ReplicationsDone > 1) {
        graph.DrawMarkers(b.PlotX.data(), b.PlotMax.data(), 2, ChartColorCode(8), n);
        graph.DrawMarkers(b.PlotX.data(), b.PlotMin.data(), 2, ChartColorCode(8), n);
        graph.DrawRangeBars(b.PlotX.data(), b.PlotLower.data(), ChartColorCode(9), 0.3, n, b.PlotUpper.data());
    }
    // The mean last, so that it lies over the ranges.
    graph.DrawLine(b.PlotX.data(), b.PlotMean.data(), 0, ChartColorCode(6), n);
}

void DrawBarsWithRanges(const TScaleInfo& settings, TGraph& graph, bool showRange, const TMultiChart& chart)
{
    const TMultiPlotBuffer& b = chart.Buffer;
    const int n = b.Count();
    Titles(settings, graph, chart);
    graph.DrawBars(b.PlotX.data(), b.PlotMean.data(), 0, ChartColorCode(7), 0.5, n);
    if (showRange) {
        graph.DrawRangeBars(b.PlotX.data(), b.PlotLower.data(), ChartColorCode(9), 0.3, n, b.PlotUpper.data());
        graph.DrawMarkers(b.PlotX.data(), b.PlotMax.data(), 2, ChartColorCode(8), n);
        graph.DrawMarkers(b.PlotX.data(), b.PlotMin.data(), 2, ChartColorCode(8), n);
    }
    if (b.CurveVariant != 0) {
        graph.DrawLine(b.PlotX.data(), b.PlotMax.data(), 0, ChartColorCode(6), n);
        const int p = b.ReportPopulation;
        if (p != 0)
            CornerText(graph,
                       CutText("Total rate of dispersal from Population " + std::to_string(p) + " (\"" +
                                   PopulationName(chart.Model, p) + "\") = " + ChartNumber(b.PlotMax[0], 5, 3),
                               84),
                       8);
    }
}

}  // namespace multi
