#pragma once
// The risk curve every program reads from the per-replication extremes of a
// run: the share of replications whose value lies at or below (or at or
// above) each of up to 160 evenly spaced levels, with a 95 % confidence band
// around that empirical distribution function. The programs differ in which
// values they pass, how a manual x range narrows the levels and what else
// they store; the binning and the band are the same everywhere.

#include "chart/plot_buffer.h"

#include <span>

// The most points a risk curve uses; the buffer's last cell stays free for a
// closing point.
inline constexpr int kMaxRiskPoints = 160;

// Half-width of the 95 % band around an empirical distribution function of R
// replications: the 5 % critical values of the Lilliefors test for 4..20,
// else 0.886 / sqrt(R). Fewer than 4 replications have no band (0).
double RiskBandHalfWidth(int replications);

struct TRiskLevels {
    std::span<const float> Values;  // one per completed replication, ascending; at least one
    double Low = 0;                 // the lowest and highest level of the curve
    double High = 0;
    // true: the share at or below each level, cumulated upward (decline);
    // false: the share at or above it, cumulated from the top (increase).
    bool Falling = true;
    // Above 0: x is written as the percent decline from this total (0 for
    // any increase) instead of the level itself.
    double DeclineBase = 0;
};

// What a manual x range becomes when its lower end ends up not below its
// upper end. The age/stage program goes back to the data's own range (and
// keeps a range of one level); the map and single-population programs make
// the upper end one unit above the lower end. Their users have each seen their
// own rule, and the settings written back follow it, so both stay.
enum class TInvertedRiskRange { CoverData, OneUnitWide };

struct TRiskRange {
    double Low = 0;
    double High = 0;
};

// The levels of a risk curve with manual scaling: the lowest and highest of
// `values` (ascending, at least one), narrowed by the user's x range: the
// upper end becomes `xMaximum` when 0 < xMaximum <= the highest value, the
// lower end `xMinimum` when 0 <= xMinimum < the highest value; then
// `inverted` settles a lower end above (or at) the upper end.
TRiskRange NarrowRiskRange(std::span<const float> values, double xMinimum, double xMaximum,
                           TInvertedRiskRange inverted);

struct TRiskCount {
    int Points = 0;  // points filled
    int Zeros = 0;   // values equal to 0 (replications that reached zero)
};

// Fills PlotX (the levels) and PlotMean (the cumulated share) of the points:
// min(R, 160) of them, fewer when the levels span less than that many whole
// units. Values below Low (falling) or above High (rising) count as already
// beyond at the first point; values outside on the other side are left out.
// All values equal (a range of 0) give one point at Low.
TRiskCount CumulateRisk(TPlotBuffer& buffer, const TRiskLevels& levels);

// upper := centre + halfWidth, at most 1; lower := centre - halfWidth, at
// least 0; over the first count points.
void FillRiskBand(const TPlotBuffer::Series& centre, TPlotBuffer::Series& upper, TPlotBuffer::Series& lower,
                  int count, double halfWidth);
