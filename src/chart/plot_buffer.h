#pragma once
// The point arrays one result passes through: a result producer fills them
// for one result kind, the chart and table writers turn them into a chart, a
// text table or comma-separated lines. Each program keeps one buffer; it
// holds one result at a time.

#include <array>
#include <cstddef>
#include <cstdint>

struct TPlotBuffer {
    static constexpr int kPoints = 161;
    using Series = std::array<float, kPoints>;

    std::uint16_t PlotPointCount = 50;  // points in use, never above kPoints
    Series PlotX{};      // x of each point (time step, population, stage, abundance, ...)
    Series PlotMean{};   // main series: mean over replications, or the one computed curve
    Series PlotMax{};    // maximum, upper confidence limit, or a second curve
    Series PlotMin{};    // minimum, or lower confidence limit
    Series PlotUpper{};  // mean + 1 SD, or a kind's special values
    Series PlotLower{};  // mean - 1 SD, or a kind's special values
    bool ShowRange = false;          // writers show min/max and SD series only when true
    std::uint8_t CurveVariant = 0;   // which variant of a kind's chart to draw
    std::uint8_t LastPlotKind = 0;   // kind of the last call made with automatic scaling

    // Every request to a producer starts here: 50 points, variant 0 and no
    // values left over from the previous result. LastPlotKind is kept.
    void StartCall()
    {
        PlotPointCount = 50;
        CurveVariant = 0;
        for (Series* s : {&PlotX, &PlotMean, &PlotMax, &PlotMin, &PlotUpper, &PlotLower})
            s->fill(0.0f);
    }
    // One point of the five statistics series: mean, mean + SD, mean - SD,
    // maximum and minimum.
    void PutStatistics(int i, double mean, double sd, double maximum, double minimum)
    {
        const auto k = static_cast<std::size_t>(i);
        PlotMean[k] = static_cast<float>(mean);
        PlotUpper[k] = static_cast<float>(mean + sd);
        PlotLower[k] = static_cast<float>(mean - sd);
        PlotMax[k] = static_cast<float>(maximum);
        PlotMin[k] = static_cast<float>(minimum);
    }
    // One value in all five series (a point without spread).
    void PutSame(int i, double value) { PutStatistics(i, value, 0, value, value); }
    // The point count, held within 0..kPoints.
    void SetPointCount(int n) { PlotPointCount = static_cast<std::uint16_t>(n < 0 ? 0 : n > kPoints ? kPoints : n); }
    int Count() const { return PlotPointCount > kPoints ? kPoints : PlotPointCount; }
};

// Minimum (minimum true) or maximum of values[0..count-1], starting from
// values[0]; values[0] when count < 1.
float SeriesExtreme(bool minimum, const float* values, int count);

// Time steps shown by a time series: every step-th step, points in all
// (time 0 included), so that a long run fits the buffer: every step up to a
// duration of 160, else every (duration div 161 + 1)-th.
struct TTimeGrid {
    int step = 1;
    int points = 1;
};
TTimeGrid TimeGridFor(int duration);
