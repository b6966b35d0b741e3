#include "stage/risk_curves.h"

#include "chart/text_format.h"
#include "core/messages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

// The kinds named here are the age/stage program's.
using stage::kIntervalExplosionRisk;
using stage::kIntervalExtinctionRisk;
using stage::kIntervalPercentDecline;
using stage::kTerminalExplosionRisk;
using stage::kTerminalPercentDecline;
using stage::kTimeToExplosion;

namespace {

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

}  // namespace

bool ComputeRiskCurve(TPlotBuffer& buffer, TScaleInfo& settings, const TRiskCurveInput& input,
                      bool warnFlag)
{
    const int kind = input.Kind;
    const int r = static_cast<int>(input.Values.size());
    if (TooFewReplications(r, warnFlag)) return false;
    const double halfWidth = RiskBandHalfWidth(r);
    const auto& v = input.Values;
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
        // An inverted manual range covers the data as automatic limits would.
        const TRiskRange range =
            NarrowRiskRange(v, settings.XMinimum, settings.XMaximum, TInvertedRiskRange::CoverData);
        lo = range.Low;
        hi = range.High;
        settings.XMinimum = lo;
        settings.XMaximum = hi;
    }

    const TRiskCount count =
        CumulateRisk(buffer, {v, lo, hi, LowerCrossing(kind), PercentDecline(kind) ? n0 : 0.0});
    int np = count.Points;
    buffer.PlotLower[1] =
        (r >= 10 && !PercentDecline(kind)) ? static_cast<float>(count.Zeros) / static_cast<float>(r) : 0.0f;
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
    FillRiskBand(buffer.PlotMean, buffer.PlotMax, buffer.PlotMin, np, halfWidth);
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
    FillRiskBand(buffer.PlotMax, buffer.PlotUpper, buffer.PlotLower, np, halfWidth);

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
