#include "stage/live_chart.h"

#include "chart/recording_canvas.h"
#include "stage/model_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using Kind = TCanvasCall::Kind;

namespace {

struct LiveChart : ::testing::Test {
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    TRunState run;
    TLiveTrajectoryChart chart;
    std::vector<float> trajectory;

    void Start(int duration)
    {
        ModelLimits limits;
        limits.pops = 1;
        limits.stages = 1;
        limits.duration = duration;
        limits.replications = 20;
        CreateModelStore(limits);
        Info.duration = duration;
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
        trajectory.assign(static_cast<std::size_t>(duration + 1), 0.0f);
        for (int t = 0; t <= duration; ++t) trajectory[static_cast<std::size_t>(t)] = 100.0f + t;
    }
    void TearDown() override { FreeModelStore(); }

    // Series lines are the polylines drawn inside the plot clip.
    std::vector<TCanvasCall> SeriesLines() const
    {
        std::vector<TCanvasCall> out;
        for (const auto& c : canvas.CallsOf(Kind::Polyline))
            if (c.Clip) out.push_back(c);
        return out;
    }
    bool HasText(const std::string& t) const
    {
        const auto texts = canvas.Texts();
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    }
};

TEST_F(LiveChart, NothingBeforeFifthAxesAtFifthLinesAfter)
{
    Start(10);
    for (int r = 1; r <= 4; ++r) {
        Info.replmin[r] = 500.0f + static_cast<float>(r);
        Info.replmax[r] = 1000.0f;
    }
    run.CurrentTimeStep = 10;
    for (int r = 1; r <= 4; ++r) {
        run.ReplicationCount = r;
        chart.DrawTrajectories(graph, trajectory, false, run);
        EXPECT_TRUE(canvas.Calls().empty()) << r;
        EXPECT_FALSE(run.LiveChartAxesDrawn);
    }

    run.ReplicationCount = 5;
    chart.DrawTrajectories(graph, trajectory, false, run);
    EXPECT_TRUE(run.LiveChartAxesDrawn);
    EXPECT_EQ(canvas.CallsOf(Kind::FillRect).size(), 1u);
    EXPECT_TRUE(HasText("Trajectories"));
    EXPECT_TRUE(HasText("T I M E"));
    EXPECT_TRUE(HasText("T O T A L     A B U N D A N C E"));
    EXPECT_TRUE(SeriesLines().empty());
    // 0.8 x 501 = 400.8, down to a multiple of 100; 1.2 x 1000.
    EXPECT_DOUBLE_EQ(chart.Settings().YMinimum, 400);
    EXPECT_DOUBLE_EQ(chart.Settings().YMaximum, 1200);
    EXPECT_DOUBLE_EQ(chart.Settings().XMaximum, 10);

    // The sixth replication draws its line up to the current step; the axes
    // are not drawn again.
    canvas.ClearCalls();
    run.ReplicationCount = 6;
    run.CurrentTimeStep = 4;
    chart.DrawTrajectories(graph, trajectory, false, run);
    EXPECT_FALSE(HasText("Trajectories"));
    auto lines = SeriesLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points.size(), 5u);  // steps 0..4

    // A repaint draws frame and titles again without clearing.
    canvas.ClearCalls();
    chart.DrawTrajectories(graph, trajectory, true, run);
    EXPECT_TRUE(HasText("Trajectories"));
    EXPECT_TRUE(canvas.CallsOf(Kind::FillRect).empty());
    EXPECT_EQ(SeriesLines().size(), 1u);
}

TEST_F(LiveChart, OutsideARunNothingIsDrawn)
{
    Start(10);
    chart.DrawTrajectories(graph, trajectory, true);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(LiveChart, AllExtinctStillGivesAnAxisOfHeight)
{
    Start(10);  // every completed replication 0..0
    run.ReplicationCount = 5;
    chart.DrawTrajectories(graph, trajectory, false, run);
    EXPECT_GE(chart.Settings().YMaximum, chart.Settings().YMinimum + 1);
}

TEST_F(LiveChart, LongRunsAreDrawnWhole)
{
    Start(400);
    for (int r = 1; r <= 5; ++r) {
        Info.replmin[r] = 100;
        Info.replmax[r] = 500;
    }
    run.ReplicationCount = 6;
    run.CurrentTimeStep = 400;
    chart.DrawTrajectories(graph, trajectory, false, run);
    const auto lines = SeriesLines();
    ASSERT_GE(lines.size(), 3u);
    std::size_t points = 0;
    for (const auto& l : lines) points += l.Points.size();
    EXPECT_EQ(points, 401 + lines.size() - 1);  // pieces share their end points
    EXPECT_EQ(lines[0].Points.back(), lines[1].Points.front());
}

}  // namespace

#include "core/config.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"

namespace {

// The chart as the simulation window uses it: from the progress callback of a
// real run.
TEST(LiveChartRun, DrawsFromTheProgressOfARun)
{
    ModelLimits limits;
    CreateModelStore(limits);
    ASSERT_EQ(LoadModelFile(Info, std::string(PV_TEST_DATA) + "/tools/heath_shrub.st"), kModelFileOk);
    Info.replications = 8;
    Config.RandomSeed = "4321";
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    graph.SetCanvas(&canvas);
    graph.SetArea(0, 0, 600, 400);
    TLiveTrajectoryChart chart;
    std::vector<float> trajectory(static_cast<std::size_t>(Info.duration) + 1, 0.0f);
    int callsBeforeFifth = 0;
    std::size_t callsFromSixth = 0;
    auto progress = [&](std::int32_t replication, std::int32_t) {
        chart.DrawTrajectories(graph, trajectory, false);
        if (replication < 5) callsBeforeFifth += static_cast<int>(canvas.Calls().size());
        callsFromSixth += replication >= 6;
        return true;
    };
    TRunOutcome outcome;
    ASSERT_TRUE(RunSimulation(trajectory, progress, &outcome));
    EXPECT_EQ(callsBeforeFifth, 0);
    std::size_t series = 0, fills = 0;
    for (const auto& c : canvas.Calls()) {
        series += c.Op == Kind::Polyline && c.Clip;
        fills += c.Op == Kind::FillRect;
    }
    EXPECT_EQ(fills, 1u);                                    // axes set once
    EXPECT_GT(callsFromSixth, 0u);
    EXPECT_EQ(series, callsFromSixth);  // one line per step from the sixth replication on
    chart.DrawTrajectories(graph, trajectory, true);        // after the run: nothing
    FreeModelStore();
}

}  // namespace
