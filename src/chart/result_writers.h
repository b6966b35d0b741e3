#pragma once
// Chart writers of the result producers: they turn a filled plot buffer into
// a chart on a TGraph, with the title, axis labels and axes drawn the same
// way for every result kind.
//
// Every writer works on a private copy of the chart settings and never
// changes the caller's. Colours are the nine chart colour codes of the
// configuration (ChartColors, palette indexes), read at every draw:
//   code 4 axes and reference lines (black on a monochrome chart),
//   code 5 title and label text (black when that colour is white),
//   code 6 main curves, code 7 bars, code 8 maximum/minimum lines, markers,
//   confidence bands and second curves, code 9 standard-deviation range bars.

#include "chart/graph.h"
#include "chart/plot_buffer.h"
#include "chart/scale_info.h"

#include <array>
#include <string>
#include <vector>

// How the result axes are scaled when the user has switched automatic
// scaling off. The start values are the age/stage program's.
struct TResultAxesRules {
    // Tic labels on every n-th tic, n from the number of tics t:
    // t <= limit[0] -> 1, <= limit[1] -> 2, <= limit[2] -> 5, <= limit[3] -> 10, else 20.
    std::array<double, 4> labelStepLimits{5, 10, 25, 50};
    // true: the tic spacings always follow from the user's limits; false:
    // only a spacing of exactly 0 is computed, a set one is kept.
    bool recomputeTics = true;
    double minXTic = 1;     // a smaller x spacing is raised to this (0: no bound)
    double minYTic = 0.01;  // the same for y
};

// What the chart writers read besides the settings and the chart.
struct TResultChart {
    const TPlotBuffer& buffer;
    int replicationCount = 0;        // replications the last run completed
    TResultAxesRules axes{};
    // Result kinds (LastPlotKind) whose curve reports on the status line the
    // share of replications that reached zero (PlotLower[1]).
    std::vector<int> zeroShareKinds{};
};

// The palette index of chart colour code 1..9.
int ChartColorCode(int code);

// Fills the title, labels and limits of a settings record (the live
// trajectory chart builds its settings this way).
void MakeScaleInfo(TScaleInfo& settings, const std::string& title, const std::string& xLabel,
                   const std::string& yLabel, double xMinimum, double yMinimum, double xMaximum, double yMaximum);

// Scales and draws both axes: with AutoScale nice limits, origin and tic
// spacings from the given limits; without it the given limits as they are,
// tic spacings by the rules.
void SetupResultAxes(const TScaleInfo& settings, TGraph& graph, const TResultAxesRules& rules, double xMinimum,
                     double yMinimum, double xMaximum, double yMaximum);

// Colours, axes, title (size 14, top centre), x label (size 10, bottom
// centre) and y label (size 10, turned 90 degrees, left); leaves font size 12.
// Where the tic labels take the room of an axis label, that label moves
// clear of them (x below, y to the left), or is left out when the area
// ends first.
void DrawGraphTitles(const TScaleInfo& settings, TGraph& graph, const TResultAxesRules& rules, double xMinimum,
                     double yMinimum, double xMaximum, double yMaximum);

// The settings a curve chart draws with: growth-rate curves (CurveVariant 1
// and 3) are read against a rate of 1, so their y range is widened to hold it.
TScaleInfo CurveChartSettings(const TScaleInfo& settings, const TPlotBuffer& buffer);

// A curve of a result chart as a line through its points in the pen style;
// a curve of one point (all replications alike) as a marker of that shape
// there, since a line through one point shows nothing.
void DrawResultCurve(TGraph& graph, const float* xs, const float* ys, int penStyle, int markerShape, int colour,
                     int count);

// The lines CurveVariant 1..4 draws beside the curve: the reference line
// (y = 1 for variants 1 and 3, y = x for 2 and 4; dashed, black on a
// monochrome chart) and, for 3 and 4, the curve at the last time step PlotMax.
void DrawCurveReferences(TGraph& graph, const TPlotBuffer& buffer);

// PlotMean as a line; with showRange PlotMax and PlotMin dotted. CurveVariant
// 1..4 (density-dependence curves) adds the reference line (lambda = 1 for
// variants 1 and 3, next = this abundance for 2 and 4), the final-time curve
// PlotMax for 3 and 4, and a marker at the initial point
// (PlotUpper[1], PlotUpper[0]); variants 1 and 3 widen the y range to hold 1.
void DrawCurves(const TScaleInfo& settings, TGraph& graph, bool showRange, const TResultChart& chart);

// PlotMean as a line; with more than one replication PlotMax and PlotMin as
// markers and PlotLower..PlotUpper as range bars.
void DrawTimeSeries(const TScaleInfo& settings, TGraph& graph, const TResultChart& chart);

// PlotMean as bars of the given width; with showRange the SD range bars and
// min/max markers. With CurveVariant >= 1 and a y maximum above 0.2 the
// cumulative curve PlotMax with its band PlotUpper/PlotLower; CurveVariant 2
// draws the median PlotMin[1] as a vertical line and shows it on the status line.
void DrawBarsWithRanges(const TScaleInfo& settings, TGraph& graph, bool showRange, double barWidth,
                        const TResultChart& chart);

// One bar series of width 0.5 over the stages.
void DrawStageBars(const TScaleInfo& settings, TGraph& graph, const float* xs, int count, const float* ys,
                   const TResultAxesRules& rules = {});

// The reproductive values PlotMax as stage bars with an automatic y tic
// spacing; nothing when PlotMax[0] (stage 1's value) is not positive.
void DrawReproductiveValueBars(const TScaleInfo& settings, TGraph& graph, const TResultChart& chart);
