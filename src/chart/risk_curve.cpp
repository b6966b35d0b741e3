#include "chart/risk_curve.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::array<double, 17> kLillieforsCritical = {
    0.381, 0.337, 0.319, 0.300, 0.285, 0.271, 0.258, 0.249, 0.242,
    0.234, 0.227, 0.220, 0.213, 0.206, 0.200, 0.195, 0.190};  // R = 4..20

}  // namespace

double RiskBandHalfWidth(int replications)
{
    if (replications < 4) return 0;
    if (replications <= 20) return kLillieforsCritical[static_cast<std::size_t>(replications - 4)];
    return 0.886 / std::sqrt(static_cast<double>(replications));
}

TRiskCount CumulateRisk(TPlotBuffer& buffer, const TRiskLevels& levels)
{
    const auto& v = levels.Values;
    const int r = static_cast<int>(v.size());
    TRiskCount result;
    if (r < 1) {
        buffer.PlotPointCount = 0;
        return result;
    }
    const double lo = levels.Low;
    const double hi = levels.High;
    // Values just above a level belong to the next point up when falling (the
    // share at or below x), to their own point when rising.
    const double offset = levels.Falling ? 0.9999 : 0.0;

    int np = std::min(r, kMaxRiskPoints);
    if (hi - lo + 1 < np) np = static_cast<int>(std::nearbyint(hi - lo + 1));
    np = std::clamp(np, 1, kMaxRiskPoints);
    double range = hi - lo;
    if (range == 0) range = 1;
    const double scale = (np - 1) / range;

    std::array<int, TPlotBuffer::kPoints> counts{};
    int beyond = 0;
    for (const float value : v) {
        if (value == 0) ++result.Zeros;
        if (value >= lo && value <= hi) {
            const int bin = static_cast<int>(std::trunc((value - lo) * scale + offset));
            ++counts[static_cast<std::size_t>(std::clamp(bin, 0, np - 1))];
        } else if (levels.Falling ? value < lo : value > hi) {
            ++beyond;
        }
    }

    // With a single point (every replication at one value) the level is the
    // value itself, not 0 / 0.
    auto level = [&](int i) { return scale > 0 ? i / scale + lo : lo; };
    const double base = levels.DeclineBase;
    int cumulated = beyond;
    auto put = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        cumulated += counts[k];
        double x = level(i);
        if (base > 0) x = std::max(0.0, (base - x) * 100 / base);
        buffer.PlotX[k] = static_cast<float>(x);
        buffer.PlotMean[k] = static_cast<float>(cumulated) / static_cast<float>(r);
    };
    if (levels.Falling) {
        for (int i = 0; i < np; ++i) put(i);
    } else {
        for (int i = np - 1; i >= 0; --i) put(i);
    }
    buffer.PlotPointCount = static_cast<std::uint16_t>(np);
    result.Points = np;
    return result;
}

void FillRiskBand(const TPlotBuffer::Series& centre, TPlotBuffer::Series& upper, TPlotBuffer::Series& lower,
                  int count, double halfWidth)
{
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        upper[k] = static_cast<float>(std::min(1.0, centre[k] + halfWidth));
        lower[k] = static_cast<float>(std::max(0.0, centre[k] - halfWidth));
    }
}

TRiskRange NarrowRiskRange(std::span<const float> values, double xMinimum, double xMaximum,
                           TInvertedRiskRange inverted)
{
    const TRiskRange data{values.front(), values.back()};
    TRiskRange range = data;
    if (xMaximum > 0 && xMaximum <= data.High)
        range.High = xMaximum;
    if (xMinimum >= 0 && xMinimum < data.High)
        range.Low = xMinimum;
    switch (inverted) {
    case TInvertedRiskRange::CoverData:
        // An inverted range would give a negative number of points.
        if (range.Low > range.High)
            range = data;
        break;
    case TInvertedRiskRange::OneUnitWide:
        if (range.High <= range.Low)
            range.High = range.Low + 1;
        break;
    }
    return range;
}
