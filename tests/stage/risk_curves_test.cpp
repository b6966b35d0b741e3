#include "stage/risk_curves.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

std::vector<float> Ramp(float from, float to, int count)
{
    std::vector<float> v;
    for (int i = 0; i < count; ++i)
        v.push_back(count == 1 ? from : from + (to - from) * static_cast<float>(i) / static_cast<float>(count - 1));
    return v;
}

bool AllFinite(const TPlotBuffer& b)
{
    for (int i = 0; i < b.PlotPointCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        for (float x : {b.PlotX[k], b.PlotMean[k], b.PlotMax[k], b.PlotMin[k]})
            if (!std::isfinite(x)) return false;
    }
    return true;
}

TEST(RiskBand, LillieforsTableThenAsymptote)
{
    const struct { int r; double hw; } cases[] = {
        {3, 0}, {4, 0.381}, {10, 0.258}, {20, 0.190}, {21, 0.1933}, {100, 0.0886}};
    for (const auto& c : cases) EXPECT_NEAR(RiskBandHalfWidth(c.r), c.hw, 5e-5) << c.r;
}

TEST(RiskCurve, ExtinctionRiskCumulatesUpwardWithBand)
{
    TPlotBuffer b;
    TScaleInfo s;
    const std::vector<float> v = {10, 20, 30, 40};
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, true));
    ASSERT_EQ(b.PlotPointCount, 4);
    const float xs[] = {10, 20, 30, 40};
    const float ps[] = {0.25f, 0.5f, 0.75f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(b.PlotX[i], xs[i], 1e-4) << i;
        EXPECT_NEAR(b.PlotMean[i], ps[i], 1e-6) << i;
        EXPECT_NEAR(b.PlotMax[i], std::min(1.0, ps[i] + 0.381), 1e-6) << i;
        EXPECT_NEAR(b.PlotMin[i], std::max(0.0, ps[i] - 0.381), 1e-6) << i;
    }
    EXPECT_TRUE(b.ShowRange);
}

TEST(RiskCurve, ExplosionRiskCumulatesFromTheTop)
{
    TPlotBuffer b;
    TScaleInfo s;
    const std::vector<float> v = {10, 20, 30, 40};
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExplosionRisk, v}, true));
    ASSERT_EQ(b.PlotPointCount, 4);
    // Probability of reaching or exceeding each level.
    const float ps[] = {1.0f, 0.75f, 0.5f, 0.25f};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(b.PlotMean[i], ps[i], 1e-6) << i;
}

TEST(RiskCurve, NarrowSpanGivesOnePointPerUnit)
{
    TPlotBuffer b;
    TScaleInfo s;
    const auto v = Ramp(10, 15, 100);
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kTerminalExtinctionRisk, v}, false));
    ASSERT_EQ(b.PlotPointCount, 6);
    EXPECT_FLOAT_EQ(b.PlotX[0], 10);
    EXPECT_FLOAT_EQ(b.PlotX[5], 15);
    EXPECT_FLOAT_EQ(b.PlotMean[5], 1);
}

TEST(RiskCurve, ManyReplicationsUseAtMost160Points)
{
    TPlotBuffer b;
    TScaleInfo s;
    const auto v = Ramp(0, 10000, 1000);
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, false));
    EXPECT_EQ(b.PlotPointCount, 160);
    EXPECT_FLOAT_EQ(b.PlotMean[159], 1);
}

TEST(RiskCurve, ConstantValuesGiveOneFinitePointAtThatValue)
{
    // Every replication extinct: zero-width range.
    for (int kind : {stage::kIntervalExtinctionRisk, stage::kTerminalExplosionRisk}) {
        TPlotBuffer b;
        TScaleInfo s;
        const std::vector<float> v(12, 0.0f);
        ASSERT_TRUE(ComputeRiskCurve(b, s, {kind, v}, false));
        ASSERT_EQ(b.PlotPointCount, 1) << kind;
        EXPECT_FLOAT_EQ(b.PlotX[0], 0) << kind;
        EXPECT_FLOAT_EQ(b.PlotMean[0], 1) << kind;
        EXPECT_FLOAT_EQ(b.PlotLower[1], 1) << kind;  // all reached zero
        EXPECT_TRUE(AllFinite(b)) << kind;
    }
    TPlotBuffer b;
    TScaleInfo s;
    const std::vector<float> v(8, 250.0f);
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kTerminalExtinctionRisk, v}, false));
    EXPECT_FLOAT_EQ(b.PlotX[0], 250);
    EXPECT_TRUE(AllFinite(b));
}

TEST(RiskCurve, ShareReachingZeroNeedsTenReplications)
{
    std::vector<float> v = {0, 0, 5, 6, 7, 8, 9, 10, 11, 12};
    TPlotBuffer b;
    TScaleInfo s;
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, false));
    EXPECT_FLOAT_EQ(b.PlotLower[1], 0.2f);
    v.pop_back();
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, false));
    EXPECT_FLOAT_EQ(b.PlotLower[1], 0);
}

TEST(RiskCurve, ManualRangeCountsReplicationsBeyondIt)
{
    const auto v = Ramp(0, 99, 100);  // 0, 1, ..., 99
    {
        // Minima below a manual minimum are already extinct at the first point.
        TPlotBuffer b;
        TScaleInfo s;
        s.AutoScale = false;
        s.XMinimum = 20;
        s.XMaximum = 1000;  // above the data: not used
        ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, false));
        EXPECT_DOUBLE_EQ(s.XMinimum, 20);
        EXPECT_NEAR(s.XMaximum, 99, 1e-4);
        EXPECT_NEAR(b.PlotX[0], 20, 1e-4);
        EXPECT_NEAR(b.PlotMean[0], 0.21, 1e-6);  // 0..19 beyond, 20 at the point
    }
    {
        // Maxima above a manual maximum have already exploded at the last point.
        TPlotBuffer b;
        TScaleInfo s;
        s.AutoScale = false;
        s.XMinimum = -1;  // negative: not used
        s.XMaximum = 79;
        ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExplosionRisk, v}, false));
        const int last = b.PlotPointCount - 1;
        EXPECT_NEAR(b.PlotX[last], 79, 1e-4);
        EXPECT_NEAR(b.PlotMean[last], 0.21, 1e-6);  // 80..99 beyond, 79 at the point
        EXPECT_NEAR(b.PlotMean[0], 1, 1e-6);
    }
}

TEST(RiskCurve, InvertedManualRangeIsIgnored)
{
    const auto v = Ramp(0, 99, 100);
    TPlotBuffer b;
    TScaleInfo s;
    s.AutoScale = false;
    s.XMinimum = 80;
    s.XMaximum = 20;
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalExtinctionRisk, v}, false));
    EXPECT_EQ(b.PlotPointCount, 100);
    EXPECT_NEAR(s.XMinimum, 0, 1e-6);
    EXPECT_NEAR(s.XMaximum, 99, 1e-4);
    EXPECT_FLOAT_EQ(b.PlotMean[99], 1);
}

TEST(RiskCurve, PercentDeclineEndsAtZeroWithCertainty)
{
    TPlotBuffer b;
    TScaleInfo s;
    const std::vector<float> v = {25, 50, 75, 100, 150};
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kIntervalPercentDecline, v, 100.0, 1}, false));
    const int n = b.PlotPointCount;
    ASSERT_GE(n, 2);
    EXPECT_FLOAT_EQ(b.PlotX[n - 1], 0);
    EXPECT_FLOAT_EQ(b.PlotMean[n - 1], 1);
    EXPECT_NEAR(b.PlotX[0], 75, 1e-4);  // a minimum of 25 out of 100 is a 75 % decline
    EXPECT_NEAR(b.PlotMean[0], 0.2, 1e-6);
    for (int i = 0; i < n; ++i) EXPECT_GE(b.PlotX[i], 0) << i;  // increases clamp to 0

    // With 160 points in use the last point is moved to 0 instead.
    const auto many = Ramp(0, 1000, 400);
    ASSERT_TRUE(ComputeRiskCurve(b, s, {stage::kTerminalPercentDecline, many, 500.0, 1}, false));
    EXPECT_EQ(b.PlotPointCount, 160);
    EXPECT_FLOAT_EQ(b.PlotX[159], 0);
}

TEST(RiskCurve, RefusalsAndTheirMessages)
{
    const std::vector<float> four = {1, 2, 3, 4};
    const std::vector<float> three = {1, 2, 3};
    const struct {
        TRiskCurveInput in;
        bool warn;
        const char* message;  // nullptr: none
    } cases[] = {
        {{stage::kIntervalExtinctionRisk, three}, true, "Too few replications (at least 4 are needed)."},
        {{stage::kIntervalExtinctionRisk, three}, false, nullptr},
        {{stage::kIntervalPercentDecline, four, 100, 0}, false, "No populations are included in summation!"},
        {{stage::kTerminalPercentDecline, four, 0.4, 2}, false, "Initial abundance is zero!"},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        TPlotBuffer b;
        TScaleInfo s;
        EXPECT_FALSE(ComputeRiskCurve(b, s, c.in, c.warn));
        if (c.message) {
            ASSERT_EQ(sink.boxes.size(), 1u) << c.message;
            EXPECT_EQ(sink.boxes[0].text, c.message);
            EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Information);
        } else {
            EXPECT_TRUE(sink.boxes.empty());
        }
    }
}

// ---- times to threshold ------------------------------------------------------

struct Crossing {
    std::array<std::uint16_t, 50> h{};
    TCrossingInput Input(int replications, int duration, int width = 1, int kind = stage::kTimeToExtinction)
    {
        TCrossingInput in;
        in.Kind = kind;
        in.Replications = replications;
        in.Duration = duration;
        in.BinWidth = width;
        in.Histogram = h;
        in.Threshold = 10;
        return in;
    }
};

TEST(TimeToThreshold, HistogramCumulationAndInterpolatedMedian)
{
    Crossing c;
    c.h[0] = 2;  // bin 1
    c.h[2] = 4;  // bin 3
    c.h[3] = 2;  // bin 4
    TPlotBuffer b;
    TScaleInfo s;
    double width = 0;
    ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, 10), false, width));
    ASSERT_EQ(b.PlotPointCount, 10);
    EXPECT_FLOAT_EQ(b.PlotX[2], 3);
    EXPECT_FLOAT_EQ(b.PlotMean[2], 0.4f);
    EXPECT_FLOAT_EQ(b.PlotMax[2], 0.6f);
    EXPECT_FLOAT_EQ(b.PlotMax[9], 0.8f);
    // c = 0.2 at t = 2, 0.6 at t = 3: half is reached at 2.75.
    EXPECT_NEAR(b.PlotMin[1], 2.75, 1e-6);
    EXPECT_EQ(b.CurveVariant, 2);
    EXPECT_NEAR(b.PlotUpper[2], 0.6 + 0.258, 1e-6);
    EXPECT_NEAR(b.PlotLower[0], 0, 1e-6);
    EXPECT_FALSE(b.ShowRange);
    EXPECT_DOUBLE_EQ(width, 0.5);
}

TEST(TimeToThreshold, MedianCases)
{
    const struct {
        int bin;  // the bin that holds the crossings (0 none)
        int count;
        double median;
        int variant;
    } cases[] = {
        {1, 8, 0.625, 2},  // from (0, 0) to (1, 0.8)
        {4, 5, 4.0, 2},    // exactly half at the end of bin 4
        {0, 0, 0.0, 1},    // nothing crossed
    };
    for (const auto& k : cases) {
        Crossing c;
        if (k.bin) c.h[static_cast<std::size_t>(k.bin - 1)] = static_cast<std::uint16_t>(k.count);
        TPlotBuffer b;
        TScaleInfo s;
        double width = 0;
        ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, 20), false, width));
        EXPECT_NEAR(b.PlotMin[1], k.median, 1e-6) << k.bin;
        EXPECT_EQ(b.CurveVariant, k.variant) << k.bin;
    }
}

TEST(TimeToThreshold, LongRunsUseTheFilledBins)
{
    Crossing c;
    TPlotBuffer b;
    TScaleInfo s;
    double width = 0;
    ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, 120, 3), false, width));
    EXPECT_EQ(b.PlotPointCount, 40);
    EXPECT_FLOAT_EQ(b.PlotX[39], 120);
    ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, 1000, 3), false, width));
    EXPECT_EQ(b.PlotPointCount, 50);  // never beyond the histogram
}

TEST(TimeToThreshold, BinMerging)
{
    const struct {
        int index;
        int duration;
        int bins;
        int storedIndex;
    } cases[] = {
        {3, 10, 3, 3},  // 10 div 3, the last old bin dropped
        {7, 10, 2, 5},  // factor cut to half the bins
        {1, 10, 10, 1},
        {2, 1, 1, 2},   // a single bin is never merged
        {3, 3, 3, 1},   // three bins: the factor is cut to 1, nothing merged
    };
    for (const auto& k : cases) {
        Crossing c;
        for (int i = 0; i < 10; ++i) c.h[static_cast<std::size_t>(i)] = 1;
        TPlotBuffer b;
        TScaleInfo s;
        s.Index = k.index;
        double width = 0;
        ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, k.duration, 2), false, width));
        EXPECT_EQ(b.PlotPointCount, k.bins) << k.index << "/" << k.duration;
        EXPECT_EQ(s.Index, k.storedIndex) << k.index << "/" << k.duration;
        const int m = k.duration / k.bins;
        EXPECT_DOUBLE_EQ(width, 0.5 * 2 * (k.bins == k.duration ? 1 : m));
        EXPECT_TRUE(AllFinite(b));
    }
    // Merged by 3: bars end at 6, 12, 18 steps, each holding three bins.
    Crossing c;
    for (int i = 0; i < 10; ++i) c.h[static_cast<std::size_t>(i)] = 1;
    TPlotBuffer b;
    TScaleInfo s;
    s.Index = 3;
    double width = 0;
    ASSERT_TRUE(ComputeTimeToThreshold(b, s, c.Input(10, 10, 2), false, width));
    EXPECT_FLOAT_EQ(b.PlotX[2], 18);
    EXPECT_FLOAT_EQ(b.PlotMean[1], 0.3f);
    EXPECT_FLOAT_EQ(b.PlotMax[1], 0.6f);
}

TEST(TimeToThreshold, LabelsFollowTheThreshold)
{
    const struct {
        int kind;
        double threshold;
        bool autoScale;
        const char* title;
        const char* xlabel;
    } cases[] = {
        {stage::kTimeToExtinction, 25, true, "Time to quasi-extinction", "Time to fall below 25"},
        {stage::kTimeToExtinction, 0, true, "Time to extinction", "Time to extinction"},
        {stage::kTimeToExplosion, 5000, true, "keep", "Time to exceed 5000"},
        {stage::kTimeToExtinction, 25, false, "keep", "keep"},
        // Halves round away from zero, as the suite's other number texts.
        {stage::kTimeToExtinction, 12.5, true, "Time to quasi-extinction", "Time to fall below 13"},
        {stage::kTimeToExplosion, 480.5, true, "keep", "Time to exceed 481"},
        {stage::kTimeToExplosion, 2.5, true, "keep", "Time to exceed 3"},
        {stage::kTimeToExtinction, 7.49, true, "Time to quasi-extinction", "Time to fall below 7"},
    };
    for (const auto& k : cases) {
        Crossing c;
        auto in = c.Input(4, 10, 1, k.kind);
        in.Threshold = k.threshold;
        TPlotBuffer b;
        TScaleInfo s;
        s.Title = s.XLabel = "keep";
        s.AutoScale = k.autoScale;
        double width = 0;
        ASSERT_TRUE(ComputeTimeToThreshold(b, s, in, false, width));
        EXPECT_EQ(s.Title, k.title);
        EXPECT_EQ(s.XLabel, k.xlabel);
    }
}

TEST(TimeToThreshold, WarningsAndRefusal)
{
    Crossing c;
    {
        RecordingSink sink;
        TPlotBuffer b;
        TScaleInfo s;
        double width = 1;
        EXPECT_FALSE(ComputeTimeToThreshold(b, s, c.Input(3, 10), true, width));
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].text, "Too few replications (at least 4 are needed).");
    }
    for (bool warn : {true, false}) {
        RecordingSink sink;
        auto in = c.Input(4, 10);
        in.ThresholdChanged = true;
        TPlotBuffer b;
        TScaleInfo s;
        double width = 0;
        EXPECT_TRUE(ComputeTimeToThreshold(b, s, in, warn, width));
        ASSERT_EQ(sink.boxes.size(), warn ? 1u : 0u);
        if (warn) {
            EXPECT_EQ(sink.boxes[0].text,
                      "Warning: Threshold level has been changed; it may not be consistent with results");
        }
    }
}

}  // namespace
