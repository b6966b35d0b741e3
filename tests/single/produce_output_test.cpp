#include "single/produce_output.h"

#include "chart/recording_canvas.h"
#include "chart/result_modes.h"
#include "single/plot_buffer.h"
#include "single/result_kinds.h"
#include "single_model.h"

#include <algorithm>
#include <stdexcept>

using namespace single;

namespace {

// The program's model with one population and, on request, the results of
// a run written in directly: the total at step t has the mean 1000 + t, SD
// 5, extremes mean -+ 30; population 1 the mean 100 + t; replication minima
// 0, 10, 20, ... and maxima 1000, 1010, ...
class SingleProducerTest : public SingleModelTest {
protected:
    void SetUp() override
    {
        SingleModelTest::SetUp();
        multi::AllocateModel(multi::Model, {1, 500, 1000, 2});
        multi::PopulationRecord& pop = multi::Model.Populations[1];
        pop.DDType = multi::kContest;
        pop.InitialAbundanceText = "500";
        pop.GrowthRateText = "2";
        pop.CarryingCapacityText = "1000";
        multi::Model.Info.Title = "Fen frogs";
        multi::Model.Info.Comment1 = "first comment";
        multi::Model.Duration = 50;
        multi::Model.ModelState = kStateInputs;
        SelectKindTable(TKindTable::Monovara);
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
    }
    void TearDown() override
    {
        SelectKindTable(TKindTable::Strativa);
        SingleModelTest::TearDown();
    }

    void FakeResults(int replications, int duration = 50)
    {
        multi::TMultiModel& mm = multi::Model;
        mm.Duration = duration;
        for (int t = 1; t <= duration; ++t) {
            mm.PopMean[1][t] = static_cast<float>(100 + t);
            mm.PopStdDev[1][t] = 10;
            mm.PopMax[1][t] = 120 + t;
            mm.PopMin[1][t] = 80 + t;
            mm.TotalMean[t] = static_cast<float>(1000 + t);
            mm.TotalStdDev[t] = 5;
            mm.TotalMax[t] = static_cast<float>(1030 + t);
            mm.TotalMin[t] = static_cast<float>(970 + t);
        }
        for (int k = 1; k <= replications; ++k) {
            mm.ReplicationMin[k] = static_cast<float>(10 * (k - 1));
            mm.ReplicationMax[k] = static_cast<float>(1000 + 10 * (k - 1));
        }
        mm.ReplicationsDone = replications;
        mm.ResultDate = "03/04/2024";
        mm.ResultTime = "10:11:12";
        mm.ModelState = kStateResults;
    }

    bool Produce(int kind, int mode, bool warn = true)
    {
        settings = kind >= 0 && kind < static_cast<int>(DefaultScaleInfo.size()) ? DefaultScaleInfo[kind] : TScaleInfo{};
        lines.clear();
        canvas.ClearCalls();
        return ProduceOutput(settings, mode == kModeChart ? &graph : nullptr, &lines, kind, mode, warn);
    }
    bool Drew(const std::string& text) const
    {
        const auto texts = canvas.Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    const multi::TMultiPlotBuffer& b = PlotBuffer;
    TScaleInfo settings;
    std::vector<std::string> lines;
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
};

}  // namespace

TEST_F(SingleProducerTest, TheProgramsKindsAndWhatTheyNeed)
{
    // Kinds 1 and 2 from the inputs, numbered as this program numbers them.
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeCheck));
    EXPECT_EQ(b.PlotPointCount, 20);
    EXPECT_EQ(b.CurveVariant, 1);
    EXPECT_EQ(b.LastPlotKind, kDensityDependenceInR);
    EXPECT_EQ(b.ReportPopulation, 1);
    ASSERT_TRUE(Produce(kReplacementCurve, kModeCheck));
    EXPECT_EQ(b.PlotPointCount, 50);
    EXPECT_EQ(b.LastPlotKind, kReplacementCurve);

    // Kinds 3 to 5 need a run: an error box whatever the warn flag.
    for (const int kind : {kTrajectory, kIntervalExtinctionRisk, kIntervalExplosionRisk}) {
        sink.boxes.clear();
        EXPECT_FALSE(Produce(kind, kModeCheck, false)) << kind;
        EXPECT_EQ(sink.BoxTexts(), "[Graph not available (no simulation results)]") << kind;
    }
    for (const int kind : {0, 6, 7, 10}) EXPECT_FALSE(Produce(kind, kModeCheck)) << kind;

    FakeResults(3);
    sink.boxes.clear();
    EXPECT_FALSE(Produce(kIntervalExtinctionRisk, kModeCheck, false));
    EXPECT_EQ(sink.BoxTexts(), "[Too few replications (at least 4 are needed).]");
    EXPECT_THROW(Produce(kTrajectory, 4), std::invalid_argument);

    // The input check names no population.
    multi::Model.Populations[1].GrowthRateText = "";
    sink.boxes.clear();
    EXPECT_FALSE(Produce(kDensityDependenceInR, kModeCheck));
    EXPECT_EQ(sink.BoxTexts(), "[Invalid input parameter: \"R\"][Graph not available (error in input data)]");
}

TEST_F(SingleProducerTest, ShrinkingCarryingCapacityDrawsTheCurveOfTheLastStep)
{
    multi::Model.Populations[1].TrendInKText = "-2";
    ASSERT_TRUE(Produce(kReplacementCurve, kModeCheck));
    EXPECT_EQ(b.CurveVariant, 4);
    EXPECT_FLOAT_EQ(b.PlotX[49], 49 * 1000.0f / 50);  // the range ends at K
    EXPECT_GT(b.PlotMax[49], 0.0f);                   // and K(end) = 900 has its curve
    EXPECT_LT(b.PlotMax[49], b.PlotMean[49]);
}

TEST_F(SingleProducerTest, TrajectoryOnTheTimeGridFromTheKindsRow)
{
    FakeResults(20, 100);
    TScaleInfo& row = DefaultScaleInfo[kTrajectory];
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck));
    EXPECT_EQ(b.PlotPointCount, 101);
    EXPECT_EQ(b.PlotMean[0], 500.0f);
    EXPECT_EQ(b.PlotMean[100], 1100.0f);
    EXPECT_EQ(settings.XMinimum, 0);
    EXPECT_EQ(settings.XTicSpace, 1);
    EXPECT_EQ(row.XMaximum, 100);  // automatic scaling keeps its limits in the row
    EXPECT_EQ(row.YMaximum, settings.YMaximum);

    // The row's Index names the population; one that is not there is reset.
    row.Index = 1;
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck));
    EXPECT_EQ(b.PlotMean[100], 200.0f);
    row.Index = 5;
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck));
    EXPECT_EQ(row.Index, 0);
    EXPECT_EQ(b.PlotMean[100], 1100.0f);

    // The caller's settings give way to the row.
    settings = row;
    settings.Title = "A window's own title";
    settings.AutoScale = false;
    ASSERT_TRUE(ProduceOutput(settings, nullptr, nullptr, kTrajectory, kModeCheck, true));
    EXPECT_EQ(settings.Title, row.Title);
    EXPECT_TRUE(settings.AutoScale);

    // A run of 500 steps read from a file: every fourth step.
    FakeResults(20, 500);
    ASSERT_TRUE(Produce(kTrajectory, kModeCheck));
    EXPECT_EQ(b.PlotPointCount, 126);
    EXPECT_EQ(b.PlotX[125], 500.0f);
}

TEST_F(SingleProducerTest, ManualScalingFromTheRow)
{
    TScaleInfo& row = DefaultScaleInfo[kDensityDependenceInR];
    row.AutoScale = false;
    row.XMinimum = row.XMaximum = 5;
    row.YMinimum = 2;
    row.YMaximum = 1;
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeCheck));
    EXPECT_EQ(settings.XMaximum, 6);
    EXPECT_EQ(settings.YMaximum, 3);
    EXPECT_EQ(row.XMaximum, 5);  // the row keeps what the user set
}

TEST_F(SingleProducerTest, ExtinctionRiskStoresTheZeroShareFromTenReplications)
{
    for (const int replications : {9, 10}) {
        SCOPED_TRACE(replications);
        FakeResults(replications);  // the first minimum is 0
        ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeChart));
        EXPECT_FLOAT_EQ(b.PlotLower[1], replications < 10 ? 0.0f : 0.1f);
        EXPECT_EQ(Drew("Extinction risk ~ 0.1"), replications >= 10);
        EXPECT_EQ(settings.YMaximum, 1);
    }
    // No population caption on this program's curves.
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeChart));
    for (const std::string& text : canvas.Texts()) EXPECT_EQ(text.find("Population 1"), std::string::npos) << text;
}

TEST_F(SingleProducerTest, TablesNameThisProgramAndNoPopulations)
{
    FakeResults(20);
    ASSERT_TRUE(Produce(kTrajectory, kModeText));
    ASSERT_GE(lines.size(), 15u);
    const std::vector<std::string> header(lines.begin(), lines.begin() + 15);
    EXPECT_EQ(header, (std::vector<std::string>{
                          "SINGLE POPULATION MODEL results; Date=03/04/2024 Time=10:11:12",
                          std::string(59, '='), "Fen frogs", "first comment", "", "", "",
                          "   20 replications;  Duration = 50", std::string(59, '='), "", "Trajectory summary", "",
                          "      Time                        Abundance",
                          "             Minimum    -1 S.D.    Average    +1 S.D.    Maximum",
                          // Values up to 1080: 2 decimals.
                          "        0     500.00     500.00     500.00     500.00     500.00"}));

    ASSERT_TRUE(Produce(kTrajectory, kModeCsv));
    EXPECT_EQ(lines[0], "\"SINGLE POPULATION MODEL results; Date=03/04/2024 Time=10:11:12\"");
    EXPECT_EQ(lines[2], "\"Fen frogs\"");
    EXPECT_EQ(lines[7], "   20 replications;  Duration = 50");

    multi::Model.ReplicationsDone = 0;
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeText));
    EXPECT_EQ(lines[7], "Deterministic simulation;  Duration = 50");
    EXPECT_EQ(lines.size(), 13u + 20u);
}
