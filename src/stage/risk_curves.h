#pragma once
// Risk curves and times to threshold: the stochastic results of a run that
// ecologists mostly read. From the per-replication extremes and final totals
// (sorted ascending by the run) they give the probability that the total falls
// to or below, or rises to or above, a level (during the run or at its end),
// the probability of a percent decline, and the distribution of the time until
// the total first crosses the quasi-extinction or the explosion threshold,
// each with a 95 % confidence band. Both fill the plot buffer and adjust the
// caller's chart settings.

#include "chart/plot_buffer.h"
#include "chart/risk_curve.h"
#include "chart/scale_info.h"
#include "stage/result_kinds.h"

#include <cstdint>
#include <span>

struct TRiskCurveInput {
    int Kind = stage::kIntervalExtinctionRisk;  // 26..31
    // One value per completed replication, ascending: the smallest total
    // (26, 30), the largest (28) or the final total (27, 29, 31).
    std::span<const float> Values;
    // Percent-decline kinds: total initial abundance of the populations
    // counted in totals, and how many populations are so counted.
    double InitialTotal = 0;
    int IncludedPopulations = 0;
};

// Kinds 26..31. Fills PlotX, PlotMean (cumulative probability), PlotMax and
// PlotMin (band), PlotLower[1] (share of replications that reached zero, for
// 26..29 with at least 10 replications), ShowRange and PlotPointCount. With
// AutoScale off the settings' x range narrows a threshold curve (26..29) and
// the range used is written back. Returns false, with its message, when the
// curve cannot be made.
bool ComputeRiskCurve(TPlotBuffer& buffer, TScaleInfo& settings, const TRiskCurveInput& input,
                      bool warnFlag);

struct TCrossingInput {
    int Kind = stage::kTimeToExtinction;  // 32 or 33
    int Replications = 0;
    int Duration = 0;
    int BinWidth = 1;                     // time steps per histogram bin
    std::span<const std::uint16_t> Histogram;  // replications first crossing in bins 1..50
    double Threshold = 0;                 // the threshold the run used
    bool ThresholdChanged = false;        // changed since the run
};

// Kinds 32 and 33. Fills PlotX (end of each bin), PlotMean (probability of the
// first crossing in the bin), PlotMax (cumulative), PlotUpper and PlotLower
// (band around it), PlotMin[1] (median time, 0 when none), CurveVariant (2
// with a median, else 1) and PlotPointCount; merges bins by settings.Index and
// stores the factor used; with AutoScale on, titles follow the threshold.
// barWidth receives the bar width of the chart. Returns false, with its
// message, when there are too few replications.
bool ComputeTimeToThreshold(TPlotBuffer& buffer, TScaleInfo& settings, const TCrossingInput& input,
                            bool warnFlag, double& barWidth);
