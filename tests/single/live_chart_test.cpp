#include "single/live_chart.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"
#include "multi/run_simulation.h"
#include "single/plot_buffer.h"
#include "single/run_simulation.h"
#include "single_model.h"

#include <algorithm>
#include <cmath>

using namespace multi;
using Kind = TCanvasCall::Kind;

namespace {

class SingleLiveChartTest : public SingleModelTest {
protected:
    void SetUp() override
    {
        SingleModelTest::SetUp();
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
        single::TrajectoryChart = {};
    }

    // What one call drew.
    struct TDrawn {
        int replication = 0, step = 0;
        bool redrawn = false;  // a repaint or a new size: the frame again
        std::vector<TCanvasCall> fills, segments;
        std::vector<std::string> texts;
    };
    TDrawn Draw(bool incremental)
    {
        canvas.ClearCalls();
        single::DrawTrajectories(graph, incremental, m);
        TDrawn d;
        d.replication = m.ReplicationsDone;
        if (const TMultiRun* run = ActiveRun()) d.step = run->CurrentTimeStep;
        d.fills = canvas.CallsOf(Kind::FillRect);
        for (const TCanvasCall& c : canvas.CallsOf(Kind::Polyline))
            if (c.Clip) d.segments.push_back(c);
        d.texts = canvas.Texts();
        return d;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text)
    {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
};

}  // namespace

TEST_F(SingleLiveChartTest, IdleWaitScaleOnceThenOneSegmentPerStep)
{
    const TDrawn idle = Draw(false);
    ASSERT_EQ(idle.texts, std::vector<std::string>{"Trajectories are only available while simulation is running"});
    const TCanvasCall text = canvas.CallsOf(Kind::TextOut).front();
    EXPECT_EQ(text.Points.front(), (TPoint{300, 200 - canvas.TextExtent("A").cy / 2}));
    EXPECT_EQ(text.Align, kAlignCenter | kAlignTop);
    EXPECT_TRUE(idle.fills.empty());

    Population(kCeiling, "100", "1.5", "1000", "0.3");
    Counts(7, 4);
    std::vector<TDrawn> drawn;
    double bottom = 0, top = 0;
    float firstTotal = 0;
    ASSERT_TRUE(single::RunSimulation(m, [&](std::int32_t r, std::int32_t t) {
        if (r == 5 && t == 1) {
            double lo = 1e30, hi = 0;
            for (int k = 1; k <= 4; ++k) {
                lo = std::min<double>(lo, m.ReplicationMin[k]);
                hi = std::max<double>(hi, m.ReplicationMax[k]);
            }
            bottom = std::trunc(lo * 0.8 * 0.01) * 100;
            top = hi * 1.2;
            firstTotal = static_cast<float>(ActiveRun()->IncludedTotal);
        }
        drawn.push_back(Draw(true));
        if (r == 6 && t == 2) {
            drawn.push_back(Draw(false));  // a repaint
            drawn.back().redrawn = true;
            graph.SetArea(0, 0, 500, 300);  // a new size
            drawn.push_back(Draw(true));
            drawn.back().redrawn = true;
        }
        return true;
    }));

    for (const TDrawn& d : drawn) {
        SCOPED_TRACE(std::to_string(d.replication) + "/" + std::to_string(d.step));
        if (d.replication < 5) {
            ASSERT_EQ(d.fills.size(), 1u);
            EXPECT_EQ(d.fills[0].Brush, TBrush{});  // the canvas's current brush
            EXPECT_EQ(d.texts, std::vector<std::string>{"Please wait..."});
            EXPECT_TRUE(d.segments.empty());
            continue;
        }
        const bool frame = (d.replication == 5 && d.step == 1) || d.redrawn;
        EXPECT_EQ(d.fills.size(), frame ? 1u : 0u);
        if (frame) {
            EXPECT_EQ(d.fills[0].Brush.Color, canvas.ButtonFaceColor());
            EXPECT_TRUE(Has(d.texts, "Trajectories"));
            EXPECT_TRUE(Has(d.texts, "T I M E"));
            EXPECT_TRUE(Has(d.texts, "T O T A L     A B U N D A N C E"));
        }
        ASSERT_EQ(d.segments.size(), 1u);
        EXPECT_EQ(d.segments[0].Points.size(), 2u);
        EXPECT_EQ(d.segments[0].Pen.Color, PaletteColor(ChartColors[5]));
    }
    EXPECT_EQ(drawn.size(), 4u * 4 + 3 * 4 + 2);

    const single::TTrajectoryChartState& state = single::TrajectoryChart;
    EXPECT_DOUBLE_EQ(state.YMinimum, bottom);
    EXPECT_DOUBLE_EQ(state.YMaximum, top);
    EXPECT_EQ(state.Settings.Title, "Trajectories");
    EXPECT_DOUBLE_EQ(state.Settings.XMinimum, 0);
    EXPECT_DOUBLE_EQ(state.Settings.XMaximum, 4);
    EXPECT_GT(firstTotal, 0.0f);
    // The last segment of the run: from step 3 to step 4 of replication 7.
    EXPECT_EQ(single::PlotBuffer.PlotX[0], 3.0f);
    EXPECT_EQ(single::PlotBuffer.PlotX[1], 4.0f);
    EXPECT_EQ(single::PlotBuffer.PlotMean[1], state.Total);

    // The next run scales again.
    EXPECT_TRUE(state.SetUp);
    Counts(6, 2);
    bool scaledAgain = false;
    ASSERT_TRUE(single::RunSimulation(m, [&](std::int32_t r, std::int32_t t) {
        const TDrawn d = Draw(true);
        if (r == 5 && t == 1) scaledAgain = d.fills.size() == 1;
        return true;
    }));
    EXPECT_TRUE(scaledAgain);
    EXPECT_DOUBLE_EQ(state.Settings.XMaximum, 2);
}

TEST_F(SingleLiveChartTest, EachReplicationStartsAtTheInitialAbundance)
{
    Population(kExponential, "250", "1.2", "", "0.2");
    Counts(6, 3);
    std::vector<std::pair<float, float>> starts;
    ASSERT_TRUE(single::RunSimulation(m, [&](std::int32_t r, std::int32_t t) {
        Draw(true);
        if (r >= 5 && t == 1) starts.emplace_back(single::PlotBuffer.PlotX[0], single::PlotBuffer.PlotMean[0]);
        return true;
    }));
    EXPECT_EQ(starts, (std::vector<std::pair<float, float>>{{0.0f, 250.0f}, {0.0f, 250.0f}}));
}

TEST_F(SingleLiveChartTest, AbundancesThatStayZeroGiveARangeAroundZero)
{
    Population(kExponential, "0", "1.2");
    Counts(6, 3);
    ASSERT_TRUE(single::RunSimulation(m, [&](std::int32_t, std::int32_t) {
        Draw(true);
        return true;
    }));
    EXPECT_DOUBLE_EQ(single::TrajectoryChart.YMinimum, -0.1);
    EXPECT_DOUBLE_EQ(single::TrajectoryChart.YMaximum, 0.1);
}
