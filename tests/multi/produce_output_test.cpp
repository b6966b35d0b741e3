#include "multi/produce_output.h"

#include "chart/risk_curve.h"
#include "core/config.h"
#include "multi/result_kinds.h"
#include "multi/run_simulation.h"
#include "result_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace multi;

namespace {

using ProducerTest = ResultModel;

bool AllFinite(const TPlotBuffer& b)
{
    for (int i = 0; i < b.Count(); ++i)
        for (const auto* s : {&b.PlotX, &b.PlotMean, &b.PlotMax, &b.PlotMin, &b.PlotUpper, &b.PlotLower})
            if (!std::isfinite((*s)[static_cast<std::size_t>(i)]))
                return false;
    return true;
}

TEST_F(ProducerTest, DensityDependenceInRAtTwentyAbundances)
{
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeCheck));
    ASSERT_EQ(buffer.PlotPointCount, 20);
    EXPECT_FLOAT_EQ(buffer.PlotX[0], 0.1f);
    for (int i = 1; i < 20; ++i)
        EXPECT_NEAR(buffer.PlotX[i], 97.0 * i, 1e-3) << i;  // 1.94 K / 20 apart, up to 1843
    // Contest: R K / (K + N (R - 1)), with R = 2 and K = 1000.
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(buffer.PlotMean[i], 2000.0 / (1000.0 + buffer.PlotX[i]), 1e-5) << i;
        EXPECT_EQ(buffer.PlotMax[i], 0) << i;  // K does not change
    }
    EXPECT_EQ(buffer.CurveVariant, 1);
    EXPECT_EQ(buffer.PlotUpper[1], 500);  // the initial abundance
    EXPECT_EQ(buffer.ReportPopulation, 1);
    // One more dot per point, then the status line is cleared.
    ASSERT_EQ(sink.statuses.size(), 22u);
    EXPECT_EQ(sink.statuses[0], "Please wait");
    EXPECT_EQ(sink.statuses[20], "Please wait" + std::string(20, '.'));
    EXPECT_EQ(sink.statuses.back(), "");
}

TEST_F(ProducerTest, ReplacementCurveWithTheLastStepsCarryingCapacity)
{
    m.Populations[1].TrendInKText = "10";  // K grows from 1000 to 1500 over 50 steps
    ASSERT_TRUE(Produce(kReplacementCurve, kModeCheck));
    ASSERT_EQ(buffer.PlotPointCount, 50);
    EXPECT_EQ(buffer.CurveVariant, 4);
    EXPECT_EQ(buffer.PlotX[0], 0);
    EXPECT_EQ(buffer.PlotMean[0], 0);
    const double step = 1.94 * 1500 / 50;
    for (int i = 1; i < 50; ++i) {
        const double x = i * step;
        EXPECT_NEAR(buffer.PlotX[i], x, 1e-3) << i;
        EXPECT_NEAR(buffer.PlotMean[i], 2 * 1000 * x / (1000 + x), 1e-2) << i;
        EXPECT_NEAR(buffer.PlotMax[i], 2 * 1500 * x / (1500 + x), 1e-2) << i;
    }
    EXPECT_NEAR(settings.YMaximum, buffer.PlotMax[49], 1e-3);  // the higher curve sets the scale
}

TEST_F(ProducerTest, ShrinkingCarryingCapacityStopsAtZero)
{
    // Ceiling population: K 200 - 10 per step would reach -300 at step 50; the
    // curve for the last step uses 0, never a negative capacity.
    m.Populations[3].TrendInKText = "-10";
    m.SelectedPopulation = 3;
    for (int kind : {kDensityDependenceInR, kReplacementCurve}) {
        ASSERT_TRUE(Produce(kind, kModeCheck)) << kind;
        EXPECT_EQ(buffer.CurveVariant, kind == kDensityDependenceInR ? 3 : 4);
        EXPECT_NEAR(buffer.PlotX[buffer.PlotPointCount - 1], 200.0 * (buffer.PlotPointCount - 1) / buffer.PlotPointCount,
                    1e-3);  // a shrinking K: the x range ends at K
        EXPECT_TRUE(AllFinite(buffer));
        for (int i = 0; i < buffer.PlotPointCount; ++i)
            EXPECT_EQ(buffer.PlotMax[i], 0) << kind << " " << i;
    }
}

TEST_F(ProducerTest, ExponentialPopulationWithATrendIsScaledByItsOwnCurve)
{
    // The trend of an exponential population plays no part in its curve, so
    // the empty second series must not set the y scale.
    m.Populations[2].DDType = kExponential;
    m.Populations[2].TrendInKText = "10";
    m.SelectedPopulation = 2;
    ASSERT_TRUE(Produce(kReplacementCurve, kModeCheck));
    EXPECT_EQ(buffer.CurveVariant, 2);
    EXPECT_NEAR(settings.YMaximum, 1.5 * buffer.PlotX[49], 1e-2);  // K = N0 = 300: the last x is 570.36
}

TEST_F(ProducerTest, AvailabilityAndItsMessages)
{
    const struct {
        const char* name;
        std::function<void(ProducerTest&)> setUp;
        int kind;
        bool warn;
        std::vector<std::string> boxes;
        TBoxKind last;  // kind of the last box
    } cases[] = {
        {"no run yet", [](ProducerTest&) {}, kTrajectory, false, {"Graph not available (no simulation results)"},
         TBoxKind::Error},
        {"bad input", [](ProducerTest& t) { t.m.Populations[2].GrowthRateText = "x"; }, kDensityDependenceInR, false,
         {"Invalid input parameter: \"R\" for population 2", "Graph not available (error in input data)"},
         TBoxKind::Error},
        {"one population", [](ProducerTest& t) { t.m.PopCount = 1; }, kDispersal, false,
         {"At least 2 populations are needed to calculate dispersal!"}, TBoxKind::Information},
        {"three replications", [](ProducerTest& t) { t.FakeResults(3); }, kIntervalExtinctionRisk, false,
         {"Too few replications (at least 4 are needed)."}, TBoxKind::Information},
        {"changed, told", [](ProducerTest& t) { t.FakeResults(5); t.m.InputsChanged = true; }, kTrajectory, true,
         {"Warning: Input data have been changed; they may not be consistent with results"}, TBoxKind::Warning},
        {"changed, quiet", [](ProducerTest& t) { t.FakeResults(5); t.m.InputsChanged = true; }, kTrajectory, false,
         {}, TBoxKind::Warning},
        {"no parameters", [](ProducerTest&) {}, kMigrationDistance, true,
         {"Function parameters are improperly defined."}, TBoxKind::Information},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        sink.boxes.clear();
        c.setUp(*this);
        const bool produced = Produce(c.kind, kModeCheck, c.warn);
        EXPECT_EQ(produced, c.boxes.empty() || c.boxes[0].rfind("Warning: Input", 0) == 0);
        EXPECT_EQ(Boxes(), c.boxes);
        if (!sink.boxes.empty()) {
            EXPECT_EQ(sink.boxes.back().kind, c.last);
        }
        EXPECT_EQ(sink.statuses.empty() ? std::string("-") : sink.statuses.back(), "");
    }
}

TEST_F(ProducerTest, TrajectoryOfOnePopulationOrOfTheWhole)
{
    FakeResults(10);
    settings = table[kTrajectory];
    settings.Index = 2;
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck, true, false));
    ASSERT_EQ(buffer.PlotPointCount, 51);
    EXPECT_EQ(buffer.PlotMean[0], 300);  // N0 of population 2 in every series
    EXPECT_EQ(buffer.PlotMax[0], 300);
    EXPECT_EQ(buffer.PlotMean[7], 207);
    EXPECT_EQ(buffer.PlotUpper[7], 217);
    EXPECT_EQ(buffer.PlotLower[7], 197);
    EXPECT_EQ(buffer.PlotMax[7], 227);
    EXPECT_EQ(buffer.PlotMin[7], 187);
    EXPECT_TRUE(buffer.ShowRange);

    settings.Index = 9;  // no such population: the total, and the index goes back to 0
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck, true, false));
    EXPECT_EQ(settings.Index, 0);
    EXPECT_EQ(buffer.PlotMean[0], 800);  // population 3 is not counted in totals
    EXPECT_EQ(buffer.PlotMean[7], 1007);
    EXPECT_EQ(buffer.PlotMin[7], 977);

    ASSERT_TRUE(Produce(kOccupancy, kModeCheck));
    EXPECT_EQ(buffer.PlotMean[0], 2);  // included populations with individuals
    EXPECT_EQ(buffer.PlotUpper[3], 2.5);
}

TEST_F(ProducerTest, StructureAtATimeStep)
{
    FakeResults(10);
    settings = table[kStructure];
    settings.Index = 999;  // beyond the duration: the last step, written back
    ASSERT_TRUE(Produce(kStructure, kModeCheck, true, false));
    EXPECT_EQ(settings.Index, 50);
    ASSERT_EQ(buffer.PlotPointCount, 3);
    EXPECT_EQ(buffer.PlotX[2], 3);
    EXPECT_EQ(buffer.PlotMean[0], 150);
    EXPECT_EQ(buffer.PlotLower[0], 140);
    EXPECT_EQ(buffer.PlotMin[2], 330);
    EXPECT_TRUE(buffer.ShowRange);
}

TEST_F(ProducerTest, StructureWithoutSpreadShowsTheMeanInEverySeries)
{
    const struct {
        int replications;
        int step;
        float first;  // population 1
    } cases[] = {{1, 10, 110}, {10, 0, 500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        FakeResults(c.replications);
        settings = table[kStructure];
        settings.Index = c.step;
        ASSERT_TRUE(Produce(kStructure, kModeCheck, true, false));
        EXPECT_FALSE(buffer.ShowRange);
        EXPECT_EQ(buffer.PlotMean[0], c.first);
        for (int i = 0; i < 3; ++i)
            for (const auto* s : {&buffer.PlotMax, &buffer.PlotMin, &buffer.PlotUpper, &buffer.PlotLower})
                EXPECT_EQ((*s)[i], buffer.PlotMean[i]) << i;
    }
}

TEST_F(ProducerTest, DispersalFromTheSelectedPopulation)
{
    m.DispersalMatrix[2][1] = 0.2f;
    m.DispersalMatrix[3][1] = -0.1f;  // repaired to 0 first
    m.DispersalMatrix[1][1] = 0.3f;   // no dispersal to itself
    ASSERT_TRUE(Produce(kDispersal, kModeCheck));
    ASSERT_EQ(buffer.PlotPointCount, 3);
    EXPECT_EQ(buffer.PlotMean[0], 0);
    EXPECT_FLOAT_EQ(buffer.PlotMean[1], 0.2f);
    EXPECT_EQ(buffer.PlotMean[2], 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(buffer.PlotMax[i], 0.2f);
    EXPECT_EQ(buffer.CurveVariant, 1);
    EXPECT_EQ(settings.YMinimum, 0);
    EXPECT_FLOAT_EQ(static_cast<float>(settings.YMaximum), 0.2f);
    EXPECT_EQ(table[kDispersal].XMinimum, 0);  // the program's row, for the Chart Properties
    EXPECT_EQ(table[kDispersal].XMaximum, 3);
}

TEST_F(ProducerTest, DistanceFunctions)
{
    // Populations at x = 0, 100 and 200: the curves run to distance 200.
    DistanceFunctionsType& f = m.DistanceFunctions;
    f.MaxDispersalRateText = "0.5";
    f.AvgDispersalDistanceText = "100";
    f.CorrelationAt100Text = "0.5";
    f.MaxDispersalDistanceText = "150";
    ASSERT_TRUE(Produce(kMigrationDistance, kModeCheck));
    EXPECT_FLOAT_EQ(buffer.PlotX[25], 100);
    EXPECT_NEAR(buffer.PlotMean[25], 0.5 * std::exp(-1.0), 1e-6);
    EXPECT_EQ(buffer.PlotMean[38], 0);  // 152 is beyond the maximum dispersal distance
    EXPECT_EQ(settings.YMinimum, 0);
    EXPECT_FLOAT_EQ(static_cast<float>(settings.YMaximum), 0.5f);
    ASSERT_TRUE(Produce(kCorrelationDistance, kModeCheck));
    EXPECT_NEAR(buffer.PlotMean[25], 0.5, 1e-6);
    EXPECT_NEAR(buffer.PlotMean[49], std::pow(0.5, 1.96), 1e-6);

    f.AvgDispersalDistanceText = "-5";  // negative: 0, and so is the curve
    ASSERT_TRUE(Produce(kMigrationDistance, kModeCheck));
    EXPECT_EQ(f.AvgDispersalDistanceText, "0.0");
    EXPECT_EQ(SeriesExtreme(false, buffer.PlotMean.data(), 50), 0);

    m.Populations[2].YText = "far";
    sink.boxes.clear();
    EXPECT_FALSE(Produce(kCorrelationDistance, kModeCheck));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Population coordinates are improperly defined."});
}

TEST_F(ProducerTest, ExtinctionRiskCurveWithItsBand)
{
    FakeResults(21);  // minima 0, 10, ..., 200
    ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeCheck));
    const double hw = 0.886 / std::sqrt(21.0);
    ASSERT_EQ(buffer.PlotPointCount, 21);
    EXPECT_FLOAT_EQ(buffer.PlotX[20], 200);
    for (int i = 0; i < 21; ++i) {
        EXPECT_NEAR(buffer.PlotMean[i], (i + 1) / 21.0, 1e-6) << i;
        EXPECT_NEAR(buffer.PlotMax[i], std::min(1.0, (i + 1) / 21.0 + hw), 1e-6) << i;
        EXPECT_NEAR(buffer.PlotMin[i], std::max(0.0, (i + 1) / 21.0 - hw), 1e-6) << i;
    }
    EXPECT_NEAR(buffer.PlotLower[0], hw, 1e-6);
    EXPECT_NEAR(buffer.PlotLower[1], 1 / 21.0, 1e-6);  // one replication reached zero
    EXPECT_EQ(settings.YMaximum, 1);                    // the band is cut at probability 1

    ASSERT_TRUE(Produce(kIntervalExplosionRisk, kModeCheck));  // maxima 1000 .. 1200, from the top
    EXPECT_NEAR(buffer.PlotMean[20], 1 / 21.0, 1e-6);
    EXPECT_NEAR(buffer.PlotMean[0], 1, 1e-6);
    EXPECT_EQ(buffer.PlotLower[1], 0);
}

TEST_F(ProducerTest, EveryReplicationExtinctGivesOneFinitePoint)
{
    FakeResults(20);
    for (int k = 1; k <= 20; ++k)
        m.ReplicationMin[k] = 0;
    ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeCheck));
    ASSERT_EQ(buffer.PlotPointCount, 1);
    EXPECT_EQ(buffer.PlotX[0], 0);
    EXPECT_EQ(buffer.PlotMean[0], 1);
    EXPECT_EQ(buffer.PlotLower[1], 1);
    EXPECT_TRUE(std::isfinite(settings.XMinimum) && std::isfinite(settings.XMaximum));
}

TEST_F(ProducerTest, ManualScaling)
{
    FakeResults(20);  // minima 0 .. 190
    // An inverted x range of a risk curve becomes one unit wide at its minimum.
    settings = table[kIntervalExtinctionRisk];
    settings.AutoScale = false;
    settings.XMinimum = 80;
    settings.XMaximum = 20;
    settings.XTicSpace = 5;
    const TScaleInfo row = table[kIntervalExtinctionRisk];
    ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeCheck, true, false));
    EXPECT_EQ(settings.XMinimum, 80);
    EXPECT_EQ(settings.XMaximum, 81);
    EXPECT_EQ(buffer.PlotPointCount, 2);
    EXPECT_NEAR(buffer.PlotMean[0], 9 / 20.0, 1e-6);  // 0 .. 70 already below, 80 at the point
    EXPECT_EQ(settings.XTicSpace, 0);                 // tic spacings follow the limits
    EXPECT_EQ(table[kIntervalExtinctionRisk], row);   // the program's row keeps its settings

    // A short time series: whole time steps from 0, half a step of room.
    settings = table[kTrajectory];
    settings.AutoScale = false;
    settings.XMinimum = 2;
    settings.XMaximum = 3;
    settings.YMinimum = settings.YMaximum = 5;
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck, true, false));
    EXPECT_EQ(settings.XMinimum, 0);
    EXPECT_EQ(settings.XMaximum, 3.5);
    EXPECT_EQ(settings.XTicSpace, 1);
    EXPECT_EQ(settings.YMaximum, 6);
}

TEST_F(ProducerTest, UnknownModeIsAProgrammingError)
{
    try {
        Produce(kHabitatChange, 4);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Plotting: unknown \"where\"");
    }
}

TEST_F(ProducerTest, NothingIsProducedWhileARunIsInProgress)
{
    Config.RandomSeed = "5";
    m.Replications = 0;
    m.Duration = 2;
    int calls = 0;
    ASSERT_TRUE(RunSimulation(m, [&](std::int32_t, std::int32_t) {
        ++calls;
        EXPECT_FALSE(Produce(kTrajectory, kModeCheck));
        EXPECT_FALSE(Produce(kDensityDependenceInR, kModeCheck));
        return true;
    }));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(Produce(kTrajectory, kModeCheck));
}

}  // namespace
