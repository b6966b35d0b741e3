#include "stage/produce_output.h"

#include "stage/plot_buffer.h"

#include "core/batch_log.h"
#include "chart/recording_canvas.h"
#include "stage/model_store.h"
#include "stage/risk_curves.h"
#include "stage/run_simulation.h"
#include "stage/validate_input.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kBlanks(79, ' ');

class ProduceOutputTest : public testing::Test {
public:
    void SetUp() override
    {
        ModelLimits limits;
        limits.pops = 3;
        limits.stages = 3;
        limits.duration = 500;
        limits.replications = 200;
        CreateModelStore(limits);
        ForgetRateMultipliers();
        BatchMode = false;
        InputsChanged = false;
        ThreeStageModel();
    }
    void TearDown() override { FreeModelStore(); }

    // A valid one-population model with inputs only.
    static void ThreeStageModel()
    {
        const float m[3][3] = {{0, 4, 3}, {0.5f, 0, 0}, {0, 0.25f, 0}};
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j) Info.stagematrix[1][i][j] = m[i - 1][j - 1];
        Info.stages = 3;
        Info.duration = 20;
        Info.replications = 10;
        PopulationRecord& pop = Info.populations[1];
        pop.ktext = "1000";
        pop.rmaxtext = "1.5";
        Info.initialabundance[1][1] = 100;
        Info.initialabundance[1][2] = 50;
        Info.initialabundance[1][3] = 20;
        Info.initialtotal[1] = 170;
        Info.state = kStateInputs;
    }

    // Results of a run of `replications` over `duration` steps, every total
    // statistic of step t equal to `value` (t when value < 0).
    static void Results(int replications, int duration, float value = -1)
    {
        Info.state = kStateResults;
        Info.duration = duration;
        Info.replicationsdone = replications;
        for (int t = 1; t <= duration; ++t) {
            const float v = value < 0 ? static_cast<float>(t) : value;
            Info.totalsum[t] = v;
            Info.totalsumsq[t] = value < 0 ? 1.0f : 0.0f;
            Info.totalmax[t] = v + (value < 0 ? 2 : 0);
            Info.totalmin[t] = v - (value < 0 ? 2 : 0);
        }
        for (int r = 1; r <= replications; ++r) {
            Info.replmin[r] = static_cast<float>(r);
            Info.replmax[r] = static_cast<float>(100 + r);
            Info.replterminal[r] = static_cast<float>(50 + r);
        }
    }
};

TEST_F(ProduceOutputTest, AvailabilityByModelStateAndKind)
{
    const struct {
        const char* what;
        std::uint8_t state;
        int selected;
        int kind;
        bool ok;
        const char* reason;  // nullptr: no message
    } cases[] = {
        {"inputs kind, inputs", kStateInputs, 1, 4, true, nullptr},
        {"inputs kind, results", kStateResults, 1, 4, true, nullptr},
        {"results kind, inputs", kStateInputs, 1, 19, false, "(no simulation results)"},
        {"risk kind, inputs", kStateInputs, 1, 26, false, "(no simulation results)"},
        {"results kind, results", kStateResults, 1, 19, true, nullptr},
        {"results kind, empty", kStateEmpty, 1, 19, false, "(error in input data)"},
        {"inputs kind, empty model made valid by the check", kStateEmpty, 1, 4, true, nullptr},
        {"inputs kind, invalid model", kStateInputs, 1, 4, false, "(error in input data)"},
        {"no current population", kStateResults, 0, 19, false, "(error in input data)"},
        {"no current population, inputs kind", kStateInputs, 0, 4, false, "(error in input data)"},
    };
    for (const auto& c : cases) {
        for (bool warn : {true, false}) {
            SetUp();
            if (c.state == kStateResults) Results(10, 20);
            Info.state = c.state;
            Info.selectedpop = static_cast<std::uint8_t>(c.selected);
            if (std::string(c.what) == "inputs kind, invalid model") Info.stageprops[2].name = Info.stageprops[1].name;
            RecordingSink sink;
            TScaleInfo s = DefaultScaleInfo[static_cast<std::size_t>(c.kind)];
            EXPECT_EQ(ProduceOutput(s, nullptr, nullptr, c.kind, kModeCheck, warn), c.ok) << c.what;
            EXPECT_EQ(Info.selectedpop, c.selected) << c.what;  // kept across the input check
            if (c.reason && warn) {
                ASSERT_EQ(sink.boxes.size(), 1u) << c.what;
                EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
                EXPECT_EQ(sink.boxes[0].text, std::string("Graph not available ") + c.reason + kBlanks) << c.what;
            } else {
                EXPECT_TRUE(sink.boxes.empty()) << c.what;
            }
        }
    }
}

TEST_F(ProduceOutputTest, UnsupportedKindsFailWithAMessageNotAnException)
{
    for (int kind : {6, 13}) {
        for (int mode : {kModeCheck, kModeChart, kModeText}) {
            RecordingSink sink;
            TScaleInfo s;
            std::vector<std::string> lines;
            bool ok = true;
            EXPECT_NO_THROW(ok = ProduceOutput(s, nullptr, &lines, kind, mode, false));
            EXPECT_FALSE(ok);
            ASSERT_EQ(sink.boxes.size(), 1u);
            EXPECT_EQ(sink.boxes[0].text, "Plotting: output types pDemoG & pPopMat are not supported");
            EXPECT_TRUE(lines.empty());
        }
    }
    TScaleInfo s;
    EXPECT_FALSE(ProduceOutput(s, nullptr, nullptr, 0, kModeCheck, false));
    EXPECT_FALSE(ProduceOutput(s, nullptr, nullptr, 34, kModeCheck, false));
}

TEST_F(ProduceOutputTest, AFaultInsideBecomesAnErrorMessage)
{
    Results(10, 20);
    Info.duration = 1000;  // beyond the arrays the store holds
    RecordingSink sink;
    TScaleInfo s = DefaultScaleInfo[19];
    bool ok = true;
    EXPECT_NO_THROW(ok = ProduceOutput(s, nullptr, nullptr, 19, kModeCheck, false));
    EXPECT_FALSE(ok);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
}

TEST_F(ProduceOutputTest, InputsChangedWarnsOnlyWithWarnFlag)
{
    Results(10, 20);
    InputsChanged = true;
    for (bool warn : {true, false}) {
        RecordingSink sink;
        TScaleInfo s = DefaultScaleInfo[19];
        EXPECT_TRUE(ProduceOutput(s, nullptr, nullptr, 19, kModeCheck, warn));
        ASSERT_EQ(sink.boxes.size(), warn ? 1u : 0u);
        if (warn) {
            EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Warning);
            EXPECT_EQ(sink.boxes[0].text,
                      "Warning: Input data have been changed; they may not be consistent with results.");
        }
    }
    // Inputs kinds never warn about results.
    RecordingSink sink;
    TScaleInfo s = DefaultScaleInfo[4];
    EXPECT_TRUE(ProduceOutput(s, nullptr, nullptr, 4, kModeCheck, true));
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(ProduceOutputTest, TimeGridThinsLongRuns)
{
    const struct {
        int duration, step, points;
    } cases[] = {{20, 1, 21}, {160, 1, 161}, {161, 2, 81}, {500, 4, 126}};
    for (const auto& c : cases) {
        const TTimeGrid g = TimeGridFor(c.duration);
        EXPECT_EQ(g.step, c.step) << c.duration;
        EXPECT_EQ(g.points, c.points) << c.duration;

        Results(10, c.duration);
        TScaleInfo s = DefaultScaleInfo[19];
        ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 19, kModeCheck, false)) << c.duration;
        const TPlotBuffer& b = PlotBuffer;
        ASSERT_EQ(b.PlotPointCount, c.points) << c.duration;
        const int last = c.points - 1;
        EXPECT_FLOAT_EQ(b.PlotX[last], static_cast<float>(last * c.step)) << c.duration;
        EXPECT_FLOAT_EQ(b.PlotMean[last], static_cast<float>(last * c.step)) << c.duration;
        // Point 0 is the initial total in every series.
        EXPECT_FLOAT_EQ(b.PlotX[0], 0);
        for (float v : {b.PlotMean[0], b.PlotMax[0], b.PlotMin[0], b.PlotUpper[0], b.PlotLower[0]})
            EXPECT_FLOAT_EQ(v, 170) << c.duration;
    }
}

TEST_F(ProduceOutputTest, TrajectoryIndexSelectsPopulationOrTotal)
{
    Results(10, 20);
    for (int t = 1; t <= 20; ++t) Info.popsum[1][t] = 7;
    const struct {
        int index, stored;
        float mean;
    } cases[] = {{0, 0, 20}, {1, 1, 7}, {5, 0, 20}, {-1, 0, 20}};
    for (const auto& c : cases) {
        TScaleInfo s = DefaultScaleInfo[19];
        s.Index = c.index;
        ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 19, kModeCheck, false));
        EXPECT_EQ(s.Index, c.stored) << c.index;
        EXPECT_FLOAT_EQ(PlotBuffer.PlotMean[20], c.mean) << c.index;
    }
}

TEST_F(ProduceOutputTest, ScalingAndMargins)
{
    // Constant data still give a scale of height 0.01 before the margins.
    Results(10, 20, 0);
    Info.initialabundance[1][1] = Info.initialabundance[1][2] = Info.initialabundance[1][3] = 0;
    Info.initialtotal[1] = 0;
    TScaleInfo s = DefaultScaleInfo[19];
    s.XTicSpace = 5;
    s.YTicSpace = 3;
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 19, kModeCheck, false));
    EXPECT_DOUBLE_EQ(s.YMinimum, 0);
    EXPECT_NEAR(s.YMaximum, 0.01 * 1.01, 1e-9);
    EXPECT_DOUBLE_EQ(s.XMinimum, 0);
    EXPECT_DOUBLE_EQ(s.XMaximum, 21);  // last time step plus the margin of 1
    EXPECT_DOUBLE_EQ(s.XTicSpace, 5);
    EXPECT_DOUBLE_EQ(s.YTicSpace, 3);  // the y tic spacing is left alone

    // Manual limits are kept; only an empty range is widened.
    TScaleInfo manual = DefaultScaleInfo[19];
    manual.AutoScale = false;
    manual.XMinimum = manual.XMaximum = 4;
    manual.YMinimum = 10;
    manual.YMaximum = 2;
    ASSERT_TRUE(ProduceOutput(manual, nullptr, nullptr, 19, kModeCheck, false));
    EXPECT_DOUBLE_EQ(manual.XMaximum, 4.01);
    EXPECT_DOUBLE_EQ(manual.YMaximum, 10.01);
}

TEST_F(ProduceOutputTest, RiskChartsNeverScaleAboveOnePointZeroTwo)
{
    Results(21, 20);
    for (int kind = stage::kIntervalExtinctionRisk; kind <= stage::kTerminalPercentDecline; ++kind) {
        TScaleInfo s = DefaultScaleInfo[static_cast<std::size_t>(kind)];
        ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, kind, kModeCheck, false)) << kind;
        EXPECT_LE(s.YMaximum, 1.02) << kind;
        EXPECT_GT(s.YMaximum, 1.0) << kind;
        EXPECT_TRUE(PlotBuffer.ShowRange);
        const TPlotBuffer& b = PlotBuffer;
        float widest = 0;
        for (int i = 0; i < b.PlotPointCount; ++i) widest = std::max(widest, b.PlotMax[i] - b.PlotMean[i]);
        EXPECT_NEAR(widest, 0.1933, 1e-4) << kind;
    }
}

TEST_F(ProduceOutputTest, TimeToThresholdReadsTheRunHistogram)
{
    Results(10, 10);
    Info.crossbin = 1;
    Info.extinctiontimes[2] = 5;
    Info.extthreshold = 0;
    TScaleInfo s = DefaultScaleInfo[32];
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 32, kModeCheck, false));
    EXPECT_EQ(PlotBuffer.PlotPointCount, 10);
    EXPECT_FLOAT_EQ(PlotBuffer.PlotMin[1], 2);
    EXPECT_EQ(s.Title, "Time to extinction");
    // Duration 1 with a merge factor: one bin, nothing merged, no division by 0.
    Results(10, 1);
    s = DefaultScaleInfo[32];
    s.Index = 2;
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 32, kModeCheck, false));
    EXPECT_EQ(PlotBuffer.PlotPointCount, 1);
}

TEST_F(ProduceOutputTest, PerPopulationAndStageKindsCorrectTheirIndex)
{
    Results(1, 20);
    Info.pops = 2;
    Info.populations[2] = Info.populations[1];
    Info.initialtotal[1] = 170;
    Info.initialtotal[2] = 30;
    Info.popsum[1][20] = 11;
    Info.popsum[2][20] = 22;
    Info.popmax[1][20] = 99;

    TScaleInfo s = DefaultScaleInfo[21];
    s.Index = 99;  // beyond the duration: the final step
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 21, kModeCheck, false));
    EXPECT_EQ(s.Index, 20);
    const TPlotBuffer& b = PlotBuffer;
    EXPECT_EQ(b.PlotPointCount, 2);
    EXPECT_FLOAT_EQ(b.PlotMean[1], 22);
    EXPECT_FLOAT_EQ(b.PlotMax[0], 11);  // one replication: every series the mean
    s.Index = 0;                         // time step 0: the initial totals
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 21, kModeCheck, false));
    EXPECT_FLOAT_EQ(b.PlotMean[1], 30);
    EXPECT_FALSE(b.ShowRange);

    TScaleInfo st = DefaultScaleInfo[22];
    st.Index = 7;
    ASSERT_TRUE(ProduceOutput(st, nullptr, nullptr, 22, kModeCheck, false));
    EXPECT_EQ(st.Index, 1);
    EXPECT_DOUBLE_EQ(st.XMaximum, 3.5);

    RecordingSink sink;
    Info.stages = 1;
    EXPECT_FALSE(ProduceOutput(st, nullptr, nullptr, 22, kModeCheck, false));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "Not a structured model.");
}

TEST_F(ProduceOutputTest, DistanceFunctionsRepairTheirParameters)
{
    Info.pops = 2;
    Info.populations[2] = Info.populations[1];
    Info.populations[2].x = 30;
    Info.populations[2].y = 40;  // 50 apart
    Info.migparams[1] = 0.5f;
    Info.migparams[2] = -3;      // repaired to 0.1
    Info.migparams[3] = 1;
    Info.migparams[4] = 100;
    TScaleInfo s = DefaultScaleInfo[11];
    ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, 11, kModeCheck, false));
    EXPECT_FLOAT_EQ(Info.migparams[2], 0.1f);
    const TPlotBuffer& b = PlotBuffer;
    EXPECT_FLOAT_EQ(b.PlotX[49], 49.0f);
    EXPECT_FLOAT_EQ(b.PlotMean[0], 0.5f);           // a x exp(0)
    EXPECT_NEAR(b.PlotMean[1], 0.5 * std::exp(-10.0), 1e-9);  // x / b = 10

    RecordingSink sink;
    Info.pops = 1;
    EXPECT_FALSE(ProduceOutput(s, nullptr, nullptr, 12, kModeCheck, true));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "At least 2 populations are needed to calculate distances!");
}

}  // namespace

namespace {

TEST_F(ProduceOutputTest, EveryKindInEveryModeOnAResultsModel)
{
    Results(10, 20);
    Info.crossbin = 1;
    Info.extinctiontimes[3] = 6;
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    graph.SetCanvas(&canvas);
    graph.SetArea(0, 0, 600, 400);
    for (int kind = 1; kind <= 33; ++kind) {
        // Not produced: 6 and 13; distances need two populations.
        const bool expected = kind != 6 && kind != 13 && kind != 11 && kind != 12;
        for (int mode = kModeCheck; mode <= kModeCsv; ++mode) {
            RecordingSink sink;
            canvas.ClearCalls();
            std::vector<std::string> lines;
            TScaleInfo s = DefaultScaleInfo[static_cast<std::size_t>(kind)];
            bool ok = false;
            EXPECT_NO_THROW(ok = ProduceOutput(s, &graph, &lines, kind, mode, false)) << kind << "/" << mode;
            EXPECT_EQ(ok, expected) << kind << "/" << mode;
            EXPECT_LE(PlotBuffer.PlotPointCount, TPlotBuffer::kPoints);
            if (ok) {
                EXPECT_LT(s.XMinimum, s.XMaximum) << kind;
                EXPECT_LT(s.YMinimum, s.YMaximum) << kind;
            }
            const bool drawn = !canvas.Calls().empty();
            const bool chartKind = expected && kind != 7 && kind != 8 && kind != 9 && kind != 10;
            EXPECT_EQ(drawn, mode == kModeChart && chartKind) << kind << "/" << mode;
            if (mode == kModeChart && (kind >= 7 && kind <= 9)) {
                ASSERT_EQ(sink.boxes.size(), 1u) << kind;
                EXPECT_EQ(sink.boxes[0].text, "Not implemented");
            }
        }
    }
}

TEST_F(ProduceOutputTest, StageKindsScaleOverTheStages)
{
    const struct {
        int kind;
        double ymax;  // before the margin
    } cases[] = {{14, 0.72}, {15, 3.0}, {16, 100.0 / 170}, {17, 0.72}, {18, 1.0}};
    for (const auto& c : cases) {
        TScaleInfo s = DefaultScaleInfo[static_cast<std::size_t>(c.kind)];
        s.YTicSpace = 7;
        ASSERT_TRUE(ProduceOutput(s, nullptr, nullptr, c.kind, kModeCheck, false)) << c.kind;
        EXPECT_NEAR(PlotBuffer.PlotMean[0], 1.5, 1e-3) << c.kind;  // lambda
        EXPECT_NEAR(s.YMaximum, c.ymax * 1.01, 2e-3) << c.kind;
        EXPECT_DOUBLE_EQ(s.XMinimum, 0);
        EXPECT_DOUBLE_EQ(s.XMaximum, 3.5 + 1);
        EXPECT_DOUBLE_EQ(s.XTicSpace, 1);
        EXPECT_DOUBLE_EQ(s.YTicSpace, 0);
    }
}

}  // namespace

namespace {

// A result window may repaint while a run is in progress (the run yields to
// the window after every step). The producer then leaves the model alone: its
// input check would put back the Rmax in place of the run's rate multiplier,
// and the result arrays hold sums, not yet statistics.
TEST_F(ProduceOutputTest, NothingIsProducedWhileARunIsInProgress)
{
    auto contest = [] {
        ThreeStageModel();
        Info.stages = 1;
        Info.stagematrix[1][1][1] = 1.25f;
        Info.initialabundance[1][1] = 100;
        Info.initialtotal[1] = 100;
        Info.populations[1].ddtype = 2;  // contest
        Info.populations[1].rmaxtext = "2";
        Info.populations[1].intotal = true;
        Info.replications = 0;
        Info.duration = 10;
    };
    auto totals = [] {
        std::vector<float> t;
        for (int s = 1; s <= Info.duration; ++s) t.push_back(Info.totalsum[s]);
        return t;
    };
    RecordingSink sink;
    std::vector<float> trajectory(11, 0.0f);
    contest();
    ASSERT_TRUE(RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }));
    const std::vector<float> undisturbed = totals();

    contest();
    std::vector<bool> produced;
    ASSERT_TRUE(RunSimulation(trajectory, [&](std::int32_t, std::int32_t t) {
        for (int kind : {1, 4, 19}) {
            TScaleInfo s = DefaultScaleInfo[static_cast<std::size_t>(kind)];
            produced.push_back(ProduceOutput(s, nullptr, nullptr, kind, kModeCheck, t == 1));
        }
        return true;
    }));
    EXPECT_EQ(totals(), undisturbed);
    EXPECT_EQ(std::count(produced.begin(), produced.end(), true), 0);
    EXPECT_EQ(Info.state, kStateResults);
    TScaleInfo after = DefaultScaleInfo[19];
    EXPECT_TRUE(ProduceOutput(after, nullptr, nullptr, 19, kModeCheck, false));
}

}  // namespace
