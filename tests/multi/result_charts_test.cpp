#include "multi/result_charts.h"

#include "chart/palette.h"
#include "core/config.h"
#include "multi/result_kinds.h"
#include "result_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace multi;
using Kind = TCanvasCall::Kind;

namespace {

TColor Code(int code) { return PaletteColor(ChartColors[static_cast<std::size_t>(code - 1)]); }

class ChartsTest : public ResultModel {
public:
    void SetUp() override
    {
        ResultModel::SetUp();
        ChartColors = {10, 5, 4, 1, 0, 9, 3, 12, 8};
    }

    // A chart of `kind` with manual limits.
    bool ManualChart(int kind, double xmin, double xmax, double ymin, double ymax)
    {
        settings = table[static_cast<std::size_t>(kind)];
        settings.AutoScale = false;
        settings.XMinimum = xmin;
        settings.XMaximum = xmax;
        settings.YMinimum = ymin;
        settings.YMaximum = ymax;
        canvas.ClearCalls();
        return Produce(kind, kModeChart, true, false);
    }

    const TCanvasCall* Text(const std::string& prefix) const
    {
        for (const auto& c : canvas.Calls())
            if (c.Op == Kind::TextOut && c.Text.rfind(prefix, 0) == 0)
                return &c;
        return nullptr;
    }

    // Series drawn inside the plot area: polylines, and range bars as lines.
    std::vector<const TCanvasCall*> Series() const
    {
        std::vector<const TCanvasCall*> out;
        for (const auto& c : canvas.Calls())
            if (c.Clip && (c.Op == Kind::Polyline || c.Op == Kind::Line || c.Op == Kind::Rectangle))
                out.push_back(&c);
        return out;
    }
};

TEST_F(ChartsTest, LabelStepsUnderManualScaling)
{
    FakeResults(10);
    const struct {
        double xmax;
        int every;
    } cases[] = {{6, 1}, {7, 2}, {11, 2}, {12, 5}, {26, 5}, {27, 10}, {52, 10}, {53, 20}};
    for (const auto& c : cases) {
        // Time series keep their whole-step tics: one tic per step.
        ASSERT_TRUE(ManualChart(kTrajectory, 0, c.xmax, 0, 2000));
        ASSERT_EQ(graph.XTic, 1) << c.xmax;
        EXPECT_EQ(graph.XLabelStep, c.every) << c.xmax;
    }
}

TEST_F(ChartsTest, WholeTicsOnlyForTimeStepsAndPopulations)
{
    FakeResults(10);
    const struct {
        int kind;
        double xtic;
    } cases[] = {{kStructure, 1}, {kDispersal, 0.2}, {kHabitatChange, 0.2}};
    for (const auto& c : cases) {
        ASSERT_TRUE(ManualChart(c.kind, 0, 10, 0, 0.01)) << c.kind;
        EXPECT_DOUBLE_EQ(graph.XTic, c.xtic) << c.kind;
        EXPECT_LT(graph.YTic, 0.01) << c.kind;  // no lower bound for y
    }
}

TEST_F(ChartsTest, ShareOfExtinctReplicationsOnTheChart)
{
    const struct {
        int replications;
        int zeros;
        const char* text;  // nullptr: none
    } cases[] = {
        {100, 3, "Extinction risk ~ 0.03"},
        {10, 1, "Extinction risk ~ 0.1"},
        {1000, 3, "Extinction risk ~ 0.003"},
        {9, 2, nullptr},   // too few replications to say
        {100, 0, nullptr},  // none reached zero
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replications);
        FakeResults(c.replications);
        for (int k = 1; k <= c.replications; ++k)
            m.ReplicationMin[k] = k <= c.zeros ? 0.0f : static_cast<float>(k);
        graph.Monochrome = true;  // the text keeps its colour
        canvas.ClearCalls();
        ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeChart));
        const TCanvasCall* t = Text("Extinction risk");
        if (!c.text) {
            EXPECT_EQ(t, nullptr);
            continue;
        }
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->Text, c.text);
        EXPECT_EQ(t->Font.Size, 10);
        EXPECT_EQ(t->Font.Color, Code(4));
        EXPECT_EQ(t->Points[0], (TPoint{1, 1}));
        EXPECT_EQ(t->Align, kAlignLeft | kAlignTop);
    }
    graph.Monochrome = false;
    FakeResults(100);
    m.ReplicationMax[1] = 0;
    ASSERT_TRUE(Produce(kIntervalExplosionRisk, kModeChart));  // only the extinction risk says it
    EXPECT_EQ(Text("Extinction risk"), nullptr);
}

TEST_F(ChartsTest, TimeSeriesDrawTheMeanOverTheRanges)
{
    FakeResults(10);
    ASSERT_TRUE(Produce(kTrajectory, kModeChart));
    auto series = Series();
    ASSERT_GT(series.size(), 1u);
    EXPECT_EQ(series.back()->Op, Kind::Polyline);
    EXPECT_EQ(series.back()->Pen.Color, Code(6));
    EXPECT_EQ(series.back()->Points.size(), 51u);
    EXPECT_TRUE(std::any_of(series.begin(), series.end(), [](auto* c) { return c->Pen.Color == Code(8); }));
    EXPECT_TRUE(std::any_of(series.begin(), series.end(), [](auto* c) { return c->Pen.Color == Code(9); }));

    FakeResults(1);  // one replication: the mean alone
    canvas.ClearCalls();
    ASSERT_TRUE(Produce(kTrajectory, kModeChart));
    series = Series();
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(series[0]->Pen.Color, Code(6));
}

TEST_F(ChartsTest, TextsNamingThePopulation)
{
    m.DispersalMatrix[2][1] = 0.25f;
    ASSERT_TRUE(Produce(kDispersal, kModeChart));
    const TCanvasCall* t = Text("Total rate");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Text, "Total rate of dispersal from Population 1 (\"North\") = 0.250");
    EXPECT_EQ(t->Font.Size, 8);
    EXPECT_EQ(t->Points[0], (TPoint{1, 1}));

    m.SelectedPopulation = 2;
    canvas.ClearCalls();
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeChart));
    t = Text("Population 2");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Text, "Population 2: Middle");
    EXPECT_EQ(t->Font.Size, 10);
    EXPECT_EQ(t->Font.Color, kBlack);
    // The growth curve and the line of R = 1, and no marker of the initial point.
    const auto series = Series();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[1]->Pen.Style, TPenStyle::Dash);
    EXPECT_EQ(series[1]->Pen.Color, Code(4));

    // A program whose charts name no population.
    canvas.ClearCalls();
    TMultiChartRules rules;
    rules.PopulationCaption = false;
    DrawCurves(settings, graph, false, TMultiChart{buffer, m, rules});
    EXPECT_EQ(Text("Population 2"), nullptr);
}

}  // namespace

// Every replication ends at the same total: the risk curve is one point,
// which the chart shows as a marker in the curve's colour, with the band's
// bounds beside it.
TEST_F(ChartsTest, ARiskCurveOfOnePointIsShown)
{
    FakeResults(100);
    for (int k = 1; k <= 100; ++k)
        m.ReplicationMin[k] = 56;
    canvas.ClearCalls();
    ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeChart));
    const auto series = Series();
    const auto drawn = [&](TColor colour) {
        return std::any_of(series.begin(), series.end(),
                           [&](const TCanvasCall* c) { return c->Pen.Color == colour && c->Points.size() > 1; });
    };
    EXPECT_TRUE(drawn(Code(6)));
    EXPECT_TRUE(drawn(Code(8)));
}
