#pragma once
// Chart writers of the multi-population engine's producers: curves with
// their reference lines, time series with ranges and the mean drawn last,
// and bars with ranges. Titles, labels and axes are drawn as every result
// chart draws them; these charts have their own rules for manual scaling
// (tic spacings kept unless 0, labels on every 1st tic up to 6 tics, every
// 2nd up to 11, every 5th up to 26, every 10th up to 52, else every 20th)
// and write two texts on the chart itself: the share of replications that
// reached zero and the population a curve belongs to.
//
// Each writer works on a private copy of the chart settings; the caller's
// never change. The result kinds that get special treatment are the
// caller's (TMultiChartRules), so that each program can use its own numbers.

#include "chart/graph.h"
#include "chart/result_writers.h"
#include "chart/scale_info.h"
#include "multi/model_data.h"
#include "multi/plot_buffer.h"

#include <vector>

namespace multi {

// Which result kinds a program's charts treat specially.
struct TMultiChartRules {
    // The curve of this kind writes "Extinction risk ~ " and the share of
    // replications that reached zero (PlotLower[1]) when that is above 0.
    int ExtinctionRiskKind = 10;
    // Kinds whose x tic spacing, under manual scaling, is at least 1 (time
    // steps and population numbers).
    std::vector<int> WholeXTicKinds{7, 8, 9};
    // Curves write "Population n: name" for ReportPopulation.
    bool PopulationCaption = true;
};

// The rules of the map program's twelve result kinds.
TMultiChartRules PlurimodChartRules();

// What the writers read besides the settings and the chart.
struct TMultiChart {
    const TMultiPlotBuffer& Buffer;
    const TMultiModel& Model;  // ReplicationsDone and the populations' names
    TMultiChartRules Rules{};
};

// The axis rules of a chart of the buffer's LastPlotKind.
TResultAxesRules MultiAxesRules(const TMultiChart& chart);

// PlotMean as a line (CurveVariant 1 and 3 keep y = 1 in view); the zero
// share of the extinction-risk kind; with showRange PlotMax and PlotMin
// dotted; CurveVariant 1..4 adds the reference line (y = 1 for 1 and 3,
// y = x for 2 and 4) and, for 3 and 4, the final-time curve PlotMax; last the
// population caption.
void DrawCurves(const TScaleInfo& settings, TGraph& graph, bool showRange, const TMultiChart& chart);

// With more than one replication PlotMax and PlotMin as markers and
// PlotLower..PlotUpper as range bars; then PlotMean as a line over them.
void DrawTimeSeries(const TScaleInfo& settings, TGraph& graph, const TMultiChart& chart);

// PlotMean as bars of width 0.5; with showRange the SD range bars and the
// min/max markers. A CurveVariant other than 0 (dispersal from one
// population) adds the total rate PlotMax as a line and, for a reported
// population, the text "Total rate of dispersal from Population ...".
void DrawBarsWithRanges(const TScaleInfo& settings, TGraph& graph, bool showRange, const TMultiChart& chart);

}  // namespace multi
