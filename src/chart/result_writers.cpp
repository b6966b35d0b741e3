#include "chart/result_writers.h"

#include "chart/palette.h"
#include "chart/text_format.h"
#include "core/config.h"
#include "core/messages.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBlackIndex = 0;  // palette index of black

// Colour code of reference lines and the median line.
int ReferenceColour(const TGraph& graph) { return graph.Monochrome ? kBlackIndex : ChartColorCode(4); }

int LabelEvery(double minimum, double maximum, double tic, const TResultAxesRules& rules)
{
    const double t = tic > 0 ? std::fabs(maximum - minimum) / tic : 0;
    const auto& l = rules.labelStepLimits;
    if (t <= l[0])
        return 1;
    if (t <= l[1])
        return 2;
    if (t <= l[2])
        return 5;
    if (t <= l[3])
        return 10;
    return 20;
}

// The tic spacing of one axis under manual scaling.
double ManualTic(double minimum, double maximum, double set, const TResultAxesRules& rules, double lowest)
{
    double tic = set;
    if (rules.recomputeTics || tic == 0) {
        double lo = minimum, hi = maximum;
        TGraph::NiceScale(lo, hi, tic);
    }
    if (lowest > 0 && tic < lowest)
        tic = lowest;
    return tic;
}

// The x-axis title sits on a baseline at `y` of the 0..1000 frame over the
// chart area. In a low chart the tic labels below the axis reach that far:
// the title then goes down to just below them. False when the area ends
// before there is room for it there.
bool XTitleClearOfLabels(const TGraph& graph, const TCanvas& canvas, double& y)
{
    if (!graph.XLabelsBottom)
        return true;
    const TRect& area = graph.AreaRect;
    const double height = area.Bottom - area.Top;
    if (height <= 0)
        return true;
    const TFontMetrics font = canvas.FontMetrics();
    const double baseline = area.Top + height * (1000 - y) / 1000;
    const int lowest = *graph.XLabelsBottom + 1 + font.Ascent;
    if (baseline >= lowest)
        return true;
    if (lowest + font.Descent > area.Bottom)
        return false;
    y = 1000 - (lowest - area.Top) * 1000 / height;
    return true;
}

// The y-axis title reads upward with its top edge at `x` of the 0..1000
// frame over the chart area, so it takes the font's height to the right of
// there. In a narrow chart the tic labels left of the axis reach that far:
// the title then goes left to just clear them. False when the area begins
// before there is room for it there.
bool YTitleClearOfLabels(const TGraph& graph, const TCanvas& canvas, double& x)
{
    if (!graph.YLabelsLeft)
        return true;
    const TRect& area = graph.AreaRect;
    const double width = area.Right - area.Left;
    if (width <= 0)
        return true;
    const double top = area.Left + width * x / 1000;
    const int rightmost = *graph.YLabelsLeft - 1 - canvas.FontMetrics().Height();
    if (top <= rightmost)
        return true;
    if (rightmost < area.Left)
        return false;
    x = (rightmost - area.Left) * 1000 / width;
    return true;
}

} // namespace

int ChartColorCode(int code)
{
    if (code < 1 || code > static_cast<int>(ChartColors.size()))
        return kBlackIndex;
    return ChartColors[static_cast<std::size_t>(code - 1)];
}

void MakeScaleInfo(TScaleInfo& settings, const std::string& title, const std::string& xLabel,
                   const std::string& yLabel, double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    settings.Title = title;
    settings.XLabel = xLabel;
    settings.YLabel = yLabel;
    settings.XMinimum = xMinimum;
    settings.YMinimum = yMinimum;
    settings.XMaximum = xMaximum;
    settings.YMaximum = yMaximum;
}

void SetupResultAxes(const TScaleInfo& settings, TGraph& graph, const TResultAxesRules& rules, double xMinimum,
                     double yMinimum, double xMaximum, double yMaximum)
{
    if (settings.AutoScale) {
        double xtic = settings.XTicSpace;
        double ytic = settings.YTicSpace;
        graph.SetupAxes(false, xtic, ytic, xMinimum, xMaximum, yMinimum, yMaximum);
        return;
    }
    const double xtic = ManualTic(xMinimum, xMaximum, settings.XTicSpace, rules, rules.minXTic);
    const double ytic = ManualTic(yMinimum, yMaximum, settings.YTicSpace, rules, rules.minYTic);
    graph.SetRanges(xMinimum, xMaximum, yMinimum, yMaximum);
    graph.SetOrigin(xMinimum, yMinimum);
    graph.DrawYAxis(false, ytic);
    graph.DrawXAxis(false, xtic);
    graph.DrawXLabels(LabelEvery(xMinimum, xMaximum, xtic, rules), false);
    graph.DrawYLabels(LabelEvery(yMinimum, yMaximum, ytic, rules), false);
}

void DrawGraphTitles(const TScaleInfo& settings, TGraph& graph, const TResultAxesRules& rules, double xMinimum,
                     double yMinimum, double xMaximum, double yMaximum)
{
    TCanvas* canvas = graph.GetCanvas();
    if (!canvas)
        return;
    canvas->SetPenColor(graph.Monochrome ? kBlack : PaletteColor(ChartColorCode(4)));
    SetupResultAxes(settings, graph, rules, xMinimum, yMinimum, xMaximum, yMaximum);
    const TColor text = PaletteColor(ChartColorCode(5));
    canvas->SetPenColor(text);
    // White text would vanish on the white chart.
    canvas->SetFontColor(text == kWhite ? kBlack : text);
    graph.SetFont("", 0, 14);
    graph.TextAt(settings.Title, 0, kAlignCenter | kAlignTop, 500, 960);
    graph.SetFont("", 0, 10);
    double xTitleY = 50;
    if (XTitleClearOfLabels(graph, *canvas, xTitleY))
        graph.TextAt(settings.XLabel, 0, kAlignCenter | kAlignBaseline, 500, xTitleY);
    graph.SetFont("", 0, 10);
    double yTitleX = 30;
    if (YTitleClearOfLabels(graph, *canvas, yTitleX))
        graph.TextAt(settings.YLabel, 900, kAlignCenter | kAlignTop, yTitleX, 500);
    graph.SetFont("", 0, 12);
}

TScaleInfo CurveChartSettings(const TScaleInfo& settings, const TPlotBuffer& buffer)
{
    TScaleInfo s = settings;
    if (buffer.CurveVariant == 1 || buffer.CurveVariant == 3) {
        if (s.YMaximum < 1)
            s.YMaximum = 1;
        else if (s.YMinimum > 1)
            s.YMinimum = 1;
    }
    return s;
}

void DrawCurveReferences(TGraph& graph, const TPlotBuffer& b)
{
    if (b.CurveVariant == 0)
        return;
    const int n = b.Count();
    TPlotBuffer::Series reference{};
    for (int i = 0; i < n; ++i)
        reference[static_cast<std::size_t>(i)] =
            (b.CurveVariant == 1 || b.CurveVariant == 3) ? 1.0f : b.PlotX[static_cast<std::size_t>(i)];
    graph.DrawLine(b.PlotX.data(), reference.data(), 1, ReferenceColour(graph), n);
    if (b.CurveVariant == 3 || b.CurveVariant == 4)
        graph.DrawLine(b.PlotX.data(), b.PlotMax.data(), 3, ChartColorCode(8), n);
}

void DrawResultCurve(TGraph& graph, const float* xs, const float* ys, int penStyle, int markerShape, int colour,
                     int count)
{
    if (count == 1)
        graph.DrawMarkers(xs, ys, markerShape, colour, 1);
    else
        graph.DrawLine(xs, ys, penStyle, colour, count);
}

void DrawCurves(const TScaleInfo& settings, TGraph& graph, bool showRange, const TResultChart& chart)
{
    const TPlotBuffer& b = chart.buffer;
    const int n = b.Count();
    const TScaleInfo s = CurveChartSettings(settings, b);
    DrawGraphTitles(s, graph, chart.axes, s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
    DrawResultCurve(graph, b.PlotX.data(), b.PlotMean.data(), 0, 0, ChartColorCode(6), n);

    const auto& riskKinds = chart.zeroShareKinds;
    if (std::find(riskKinds.begin(), riskKinds.end(), b.LastPlotKind) != riskKinds.end() && b.PlotLower[1] > 0) {
        const int r = chart.replicationCount;
        const int decimals = r >= 1 ? static_cast<int>(std::trunc(std::log(r) * 0.43478260869565216 + 0.1)) : 0;
        StatusMessage(std::string("Extinction risk ") + kApproxSign + " " +
                      CutText(StrFixed(b.PlotLower[1], 3, decimals), 10));
    }
    if (showRange) {
        DrawResultCurve(graph, b.PlotX.data(), b.PlotMax.data(), 2, 2, ChartColorCode(8), n);
        DrawResultCurve(graph, b.PlotX.data(), b.PlotMin.data(), 2, 2, ChartColorCode(8), n);
    }
    if (b.CurveVariant != 0) {
        DrawCurveReferences(graph, b);
        // The initial abundance, marked on the curve.
        const float x = b.PlotUpper[1];
        const float y = b.PlotUpper[0];
        graph.DrawMarkers(&x, &y, 0, ChartColorCode(8), 1);
    }
}

void DrawTimeSeries(const TScaleInfo& settings, TGraph& graph, const TResultChart& chart)
{
    const TPlotBuffer& b = chart.buffer;
    const int n = b.Count();
    const TScaleInfo s = settings;
    DrawGraphTitles(s, graph, chart.axes, s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
    graph.DrawLine(b.PlotX.data(), b.PlotMean.data(), 0, ChartColorCode(6), n);
    if (chart.replicationCount > 1) {
        graph.DrawMarkers(b.PlotX.data(), b.PlotMax.data(), 2, ChartColorCode(8), n);
        graph.DrawMarkers(b.PlotX.data(), b.PlotMin.data(), 2, ChartColorCode(8), n);
        graph.DrawRangeBars(b.PlotX.data(), b.PlotLower.data(), ChartColorCode(9), 0.3, n, b.PlotUpper.data());
    }
}

void DrawBarsWithRanges(const TScaleInfo& settings, TGraph& graph, bool showRange, double barWidth,
                        const TResultChart& chart)
{
    const TPlotBuffer& b = chart.buffer;
    const int n = b.Count();
    const TScaleInfo s = settings;
    DrawGraphTitles(s, graph, chart.axes, s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
    graph.DrawBars(b.PlotX.data(), b.PlotMean.data(), 0, ChartColorCode(7), barWidth, n);
    if (showRange) {
        graph.DrawRangeBars(b.PlotX.data(), b.PlotLower.data(), ChartColorCode(9), 0.3, n, b.PlotUpper.data());
        graph.DrawMarkers(b.PlotX.data(), b.PlotMax.data(), 2, ChartColorCode(8), n);
        graph.DrawMarkers(b.PlotX.data(), b.PlotMin.data(), 2, ChartColorCode(8), n);
    }
    if (s.YMaximum > 0.2 && b.CurveVariant >= 1) {
        graph.DrawLine(b.PlotX.data(), b.PlotMax.data(), 0, ChartColorCode(6), n);
        graph.DrawLine(b.PlotX.data(), b.PlotUpper.data(), 2, ChartColorCode(8), n);
        graph.DrawLine(b.PlotX.data(), b.PlotLower.data(), 2, ChartColorCode(8), n);
    }
    const float median = b.PlotMin[1];
    if (b.CurveVariant == 2 && median > 0) {
        const float xs[2] = {median, median};
        const float ys[2] = {0.0f, 1.0f};
        graph.DrawLine(xs, ys, 2, ReferenceColour(graph), 2);
        StatusMessage(std::string("Median ") + kApproxSign + " " + StrFixed(median, 3, 1));
    }
}

void DrawStageBars(const TScaleInfo& settings, TGraph& graph, const float* xs, int count, const float* ys,
                   const TResultAxesRules& rules)
{
    const TScaleInfo s = settings;
    DrawGraphTitles(s, graph, rules, s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
    graph.DrawBars(xs, ys, 0, ChartColorCode(7), 0.5, count);
}

void DrawReproductiveValueBars(const TScaleInfo& settings, TGraph& graph, const TResultChart& chart)
{
    const TPlotBuffer& b = chart.buffer;
    if (b.PlotMax[0] <= 1e-6)
        return;
    TScaleInfo s = settings;
    s.YTicSpace = 0;
    DrawStageBars(s, graph, b.PlotX.data(), b.Count(), b.PlotMax.data(), chart.axes);
}
