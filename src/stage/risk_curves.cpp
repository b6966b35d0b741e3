#include "stage/risk_curves.h"

#include "chart/text_format.h"
#include "core/messages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

constexpr std::array<double, 17> kLillieforsCritical = {
    0.381, 0.337, 0.319, 0.300, 0.285, 0.271, 0.258, 0.249, 0.242,
    0.234, 0.227, 0.220, 0.213, 0.206, 0.200, 0.195, 0.190};  // R = 4..20

constexpr const char* kTooFewReplications = "Too few replications (at least 4 are needed).";

bool TooFewReplications(int replications, bool warnFlag)
{
    if (replications >= 4) return false;
    if (warnFlag) InformationMessage(kTooFewReplications);
    return true;
}

bool LowerCrossing(int kind)
{
    return kind != kIntervalExplosionRisk && kind != kTerminalExplosionRisk;
}

bool PercentDecline(int kind)
{
    return kind == kIntervalPercentDecline || kind == kTerminalPercentDecline;
}

void FillBand(const TPlotBuffer::Series& centre, TPlotBuffer::Series& upper,
              TPlotBuffer::Series& lower, int count, double halfWidth)
{
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        upper[k] = static_cast<float>(std::min(1.0, centre[k] + halfWidth));
        lower[k] = static_cast<float>(std::max(0.0, centre[k] - halfWidth));
    }
}

}  // namespace

double RiskBandHalfWidth(int replications)
{
    if (replications < 4) return 0;
    if (replications <= 20) return kLillieforsCritical[static_cast<std::size_t>(replications - 4)];
    return 0.886 / std::sqrt(static_cast<double>(replications));
}

bool ComputeRiskCurve(TPlotBuffer& buffer, TScaleInfo& settings, const TRiskCurveInput& input,
                      bool warnFlag)
{
    const int kind = input.Kind;
    const int r = static_cast<int>(input.Values.size());
    if (TooFewReplications(r, warnFlag)) return false;
    const double halfWidth = RiskBandHalfWidth(r);
    const auto& v = input.Values;
    // Values just above a level belong to the next point up when falling (the
    // probability of being at or below x), to their own point when rising.
    const double offset = LowerCrossing(kind) ? 0.9999 : 0.0;

    int np = std::min(r, kMaxRiskPoints);
    const double n0 = input.InitialTotal;
    if (PercentDecline(kind)) {
        if (input.IncludedPopulations == 0) {
            InformationMessage("No populations are included in summation!");
            return false;
        }
        if (n0 < 0.5) {
            InformationMessage("Initial abundance is zero!");
            return false;
        }
    }

    double lo = v.front();
    double hi = v.back();
    if (!settings.AutoScale && kind >= kIntervalExtinctionRisk && kind <= kTerminalExplosionRisk) {
        double manualLo = lo, manualHi = hi;
        if (settings.XMaximum > 0 && settings.XMaximum <= v.back()) manualHi = settings.XMaximum;
        if (settings.XMinimum >= 0 && settings.XMinimum < v.back()) manualLo = settings.XMinimum;
        // An inverted manual range would give a negative number of points;
        // the curve then covers the data as with automatic limits.
        if (manualLo <= manualHi) {
            lo = manualLo;
            hi = manualHi;
        }
        settings.XMinimum = lo;
        settings.XMaximum = hi;
    }

    if (hi - lo + 1 < np) np = static_cast<int>(std::nearbyint(hi - lo + 1));
    np = std::clamp(np, 1, kMaxRiskPoints);
    double range = hi - lo;
    if (range == 0) range = 1;
    const double scale = (np - 1) / range;

    std::array<int, TPlotBuffer::kPoints> counts{};
    int zeros = 0;
    int beyond = 0;
    for (const float value : v) {
        if (value == 0) ++zeros;
        if (value >= lo && value <= hi) {
            const int bin = static_cast<int>(std::trunc((value - lo) * scale + offset));
            ++counts[static_cast<std::size_t>(std::clamp(bin, 0, np - 1))];
        } else if (LowerCrossing(kind) ? value < lo : value > hi) {
            ++beyond;
        }
    }
    buffer.PlotLower[1] =
        (r >= 10 && !PercentDecline(kind)) ? static_cast<float>(zeros) / static_cast<float>(r) : 0.0f;

    // With a single point (every replication at one value) the level is the
    // value itself.
    auto level = [&](int i) { return scale > 0 ? i / scale + lo : lo; };
    int cumulated = beyond;
    auto put = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        cumulated += counts[k];
        double x = level(i);
        if (PercentDecline(kind)) x = std::max(0.0, (n0 - x) * 100 / n0);
        buffer.PlotX[k] = static_cast<float>(x);
        buffer.PlotMean[k] = static_cast<float>(cumulated) / static_cast<float>(r);
    };
    if (LowerCrossing(kind)) {
        for (int i = 0; i < np; ++i) put(i);
    } else {
        for (int i = np - 1; i >= 0; --i) put(i);
    }
    if (PercentDecline(kind)) {
        // A decline of 0 % or more is certain: the curve closes at (0, 1).
        if (np < kMaxRiskPoints) {
            buffer.PlotX[static_cast<std::size_t>(np)] = 0;
            buffer.PlotMean[static_cast<std::size_t>(np)] = 1;
            ++np;
        } else {
            buffer.PlotX[static_cast<std::size_t>(np - 1)] = 0;
        }
    }
    FillBand(buffer.PlotMean, buffer.PlotMax, buffer.PlotMin, np, halfWidth);
    buffer.ShowRange = true;
    buffer.PlotPointCount = static_cast<std::uint16_t>(np);
    return true;
}

bool ComputeTimeToThreshold(TPlotBuffer& buffer, TScaleInfo& settings, const TCrossingInput& input,
                            bool warnFlag, double& barWidth)
{
    const int r = input.Replications;
    barWidth = 0;
    if (TooFewReplications(r, warnFlag)) return false;
    const double halfWidth = RiskBandHalfWidth(r);
    if (warnFlag && input.ThresholdChanged)
        WarningMessage("Warning: Threshold level has been changed; it may not be consistent with results");

    buffer.ShowRange = false;
    const int width = std::max(1, input.BinWidth);
    const int bins = static_cast<int>(input.Histogram.size());
    int np = input.Duration <= bins ? input.Duration : (input.Duration + width - 1) / width;
    np = std::clamp(np, 0, bins);

    // The cumulative share is kept as a whole count so that the median test
    // "exactly half" is exact.
    int crossed = 0;
    double median = 0;
    bool medianFound = false;
    double previousX = 0, previousC = 0;
    for (int i = 0; i < np; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const int inBin = input.Histogram[k];
        crossed += inBin;
        const double x = static_cast<double>(i + 1) * width;
        const double c = static_cast<double>(crossed) / r;
        buffer.PlotX[k] = static_cast<float>(x);
        buffer.PlotMean[k] = static_cast<float>(inBin) / static_cast<float>(r);
        buffer.PlotMax[k] = static_cast<float>(c);
        if (!medianFound) {
            if (2 * crossed == r) {
                median = x;
                medianFound = true;
            } else if (2 * crossed > r) {
                median = previousX + (0.5 - previousC) * (x - previousX) / (c - previousC);
                medianFound = true;
            }
        }
        previousX = x;
        previousC = c;
    }
    buffer.CurveVariant = median > 0 ? 2 : 1;
    buffer.PlotMin[1] = static_cast<float>(median);

    // Bins are merged only when there are at least two to merge; a factor
    // above half the bins is cut so that at least one whole bar remains.
    int m = 1;
    if (settings.Index >= 2 && np >= 2) {
        m = settings.Index;
        if (m > np / 2) m = np / 2;
        settings.Index = m;
    }
    if (m >= 2) {
        const int merged = np / m;
        for (int i = 0; i < merged; ++i) {
            const auto k = static_cast<std::size_t>(i);
            float sum = 0;
            for (int j = i * m; j < (i + 1) * m; ++j) sum += buffer.PlotMean[static_cast<std::size_t>(j)];
            const float x = static_cast<float>(m) * buffer.PlotX[k];
            const float cumulative = buffer.PlotMax[static_cast<std::size_t>((i + 1) * m - 1)];
            buffer.PlotX[k] = x;
            buffer.PlotMean[k] = sum;
            buffer.PlotMax[k] = cumulative;
        }
        np = merged;
    }
    FillBand(buffer.PlotMax, buffer.PlotUpper, buffer.PlotLower, np, halfWidth);

    if (settings.AutoScale) {
        if (input.Kind == kTimeToExplosion) {
            settings.XLabel = "Time to exceed " + StrFixed(input.Threshold, 1, 0);
        } else if (input.Threshold != 0) {
            settings.Title = "Time to quasi-extinction";
            settings.XLabel = "Time to fall below " + StrFixed(input.Threshold, 1, 0);
        } else {
            settings.Title = "Time to extinction";
            settings.XLabel = "Time to extinction";
        }
    }
    buffer.PlotPointCount = static_cast<std::uint16_t>(np);
    barWidth = 0.5 * width * m;
    return true;
}
