#include "chart/result_writers.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"
#include "chart/text_format.h"
#include "core/config.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using Kind = TCanvasCall::Kind;

namespace {

// Start colour codes 1..9.
constexpr std::array<std::uint8_t, 9> kStartColors = {10, 5, 4, 1, 0, 9, 3, 12, 8};

struct ChartFixture : ::testing::Test {
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    TPlotBuffer buffer;
    TScaleInfo settings;

    void SetUp() override
    {
        ChartColors = kStartColors;
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
        settings.Title = "Trajectory";
        settings.XLabel = "Time";
        settings.YLabel = "Abundance";
        settings.XMinimum = 0;
        settings.XMaximum = 10;
        settings.YMinimum = 0;
        settings.YMaximum = 0.8;
        buffer.SetPointCount(5);
        for (int i = 0; i < 5; ++i) {
            buffer.PlotX[i] = static_cast<float>(2 * i);
            buffer.PlotMean[i] = 0.5f;
            buffer.PlotMax[i] = 0.7f;
            buffer.PlotMin[i] = 0.3f;
            buffer.PlotUpper[i] = 0.6f;
            buffer.PlotLower[i] = 0.4f;
        }
    }
    void TearDown() override { ChartColors = kStartColors; }

    // Series polylines (what DrawLine draws), as (pen style, colour) pairs;
    // markers are polylines too but have 5 points inside one marker unit.
    std::vector<std::pair<TPenStyle, TColor>> Lines() const
    {
        std::vector<std::pair<TPenStyle, TColor>> out;
        for (const auto& c : canvas.CallsOf(Kind::Polyline))
            if (c.Clip && !IsMarker(c))
                out.push_back({c.Pen.Style, c.Pen.Color});
        return out;
    }
    static bool IsMarker(const TCanvasCall& c)
    {
        if (c.Points.size() != 5)
            return false;
        int xmin = c.Points[0].x, xmax = xmin;
        for (const auto& p : c.Points) {
            xmin = std::min(xmin, p.x);
            xmax = std::max(xmax, p.x);
        }
        return xmax - xmin < 20;
    }
    int Markers(TColor colour) const
    {
        int n = 0;
        for (const auto& c : canvas.CallsOf(Kind::Polyline))
            n += IsMarker(c) && c.Pen.Color == colour;
        return n;
    }
    const TCanvasCall* Text(const std::string& text) const
    {
        for (const auto& c : canvas.Calls())
            if (c.Op == Kind::TextOut && c.Text == text)
                return &c;
        return nullptr;
    }
    TResultChart Chart(int replications = 10) const { return TResultChart{buffer, replications}; }
};

TColor Code(int code) { return PaletteColor(kStartColors[code - 1]); }

TEST_F(ChartFixture, TitlesAndLabelsInTheirSizesAngleAndColour)
{
    DrawCurves(settings, graph, false, Chart());
    const TCanvasCall* title = Text("Trajectory");
    const TCanvasCall* x = Text("Time");
    const TCanvasCall* y = Text("Abundance");
    ASSERT_TRUE(title && x && y);
    EXPECT_EQ(14, title->Font.Size);
    EXPECT_EQ(10, x->Font.Size);
    EXPECT_EQ(900, y->Font.Angle);
    EXPECT_EQ(Code(5), title->Font.Color);
    EXPECT_EQ(12, canvas.Font().Size);

    // Axes (outside the plot clip) in code 4, black on a monochrome chart.
    auto axisColours = [this] {
        std::vector<TColor> out;
        for (const auto& c : canvas.CallsOf(Kind::Line))
            if (!c.Clip)
                out.push_back(c.Pen.Color);
        return out;
    };
    ASSERT_FALSE(axisColours().empty());
    for (TColor c : axisColours())
        EXPECT_EQ(Code(4), c);
    graph.Monochrome = true;
    canvas.ClearCalls();
    DrawCurves(settings, graph, false, Chart());
    for (TColor c : axisColours())
        EXPECT_EQ(kBlack, c);
    graph.Monochrome = false;

    // White text colour would vanish: black is used instead.
    ChartColors[4] = 15;
    canvas.ClearCalls();
    DrawCurves(settings, graph, false, Chart());
    EXPECT_EQ(kBlack, Text("Trajectory")->Font.Color);
}

TEST_F(ChartFixture, CurveVariants)
{
    struct Case {
        int variant;
        bool showRange;
        std::vector<std::pair<TPenStyle, TColor>> lines;
        int markers;
    };
    const auto mean = std::pair{TPenStyle::Solid, Code(6)};
    const auto range = std::pair{TPenStyle::Dot, Code(8)};
    const auto reference = std::pair{TPenStyle::Dash, Code(4)};
    const auto final = std::pair{TPenStyle::DashDot, Code(8)};
    const Case cases[] = {
        {0, false, {mean}, 0},
        {0, true, {mean, range, range}, 0},
        {1, false, {mean, reference}, 1},
        {2, false, {mean, reference}, 1},
        {3, false, {mean, reference, final}, 1},
        {4, true, {mean, range, range, reference, final}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        buffer.CurveVariant = static_cast<std::uint8_t>(c.variant);
        canvas.ClearCalls();
        DrawCurves(settings, graph, c.showRange, Chart());
        EXPECT_EQ(c.lines, Lines());
        EXPECT_EQ(c.markers, Markers(Code(8)));
    }
}

TEST_F(ChartFixture, GrowthRateCurvesKeepLambdaOneInViewAndLeaveTheBufferAlone)
{
    buffer.CurveVariant = 1;
    DrawCurves(settings, graph, false, Chart());   // y maximum 0.8 is raised to 1
    EXPECT_GE(graph.DataRange.YMax, 1.0);
    EXPECT_EQ(0.5f, buffer.PlotMean[2]);         // the reference line is drawn from a copy
    EXPECT_EQ(0.8, settings.YMaximum);           // the caller's settings stay

    settings.YMinimum = 1.5;
    settings.YMaximum = 3;
    canvas.ClearCalls();
    DrawCurves(settings, graph, false, Chart());   // y minimum 1.5 is lowered to 1
    EXPECT_LE(graph.DataRange.YMin, 1.0);
}

TEST_F(ChartFixture, MonochromeReferenceLineIsBlackAndColourCodesFollowTheConfiguration)
{
    buffer.CurveVariant = 2;
    ChartColors[5] = 13;   // code 6: main curves
    graph.Monochrome = true;
    DrawCurves(settings, graph, false, Chart());
    const auto lines = Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(PaletteColor(13), lines[0].second);
    EXPECT_EQ(kBlack, lines[1].second);
}

TEST_F(ChartFixture, ShareOfReplicationsAtZeroGoesToTheStatusLine)
{
    RecordingSink sink;
    buffer.PlotLower[1] = 0.25f;
    buffer.LastPlotKind = 26;
    TResultChart chart{buffer, 100};
    chart.zeroShareKinds = {26, 27, 30, 31};
    DrawCurves(settings, graph, true, chart);
    ASSERT_EQ(1u, sink.statuses.size());
    EXPECT_EQ(std::string("Extinction risk ") + kApproxSign + " 0.25", sink.statuses[0]);

    buffer.LastPlotKind = 28;   // explosion risk: nothing to say about zero
    DrawCurves(settings, graph, true, chart);
    EXPECT_EQ(1u, sink.statuses.size());
}

TEST_F(ChartFixture, TimeSeriesShowRangesOnlyForSeveralReplications)
{
    auto rangeBarLines = [this] {
        const auto calls = canvas.CallsOf(Kind::Line);
        return std::count_if(calls.begin(), calls.end(),
                             [](const TCanvasCall& c) { return c.Clip && c.Pen.Color == Code(9); });
    };
    DrawTimeSeries(settings, graph, Chart(1));   // a deterministic run: the mean alone
    EXPECT_EQ(0, Markers(Code(8)));
    EXPECT_EQ(0, rangeBarLines());
    canvas.ClearCalls();
    DrawTimeSeries(settings, graph, Chart(5));
    EXPECT_EQ(10, Markers(Code(8)));
    EXPECT_GT(rangeBarLines(), 0);
}

TEST_F(ChartFixture, BarsWithCumulativeCurveAndMedian)
{
    RecordingSink sink;
    buffer.CurveVariant = 2;
    buffer.PlotMin[1] = 6.25f;   // the median
    DrawBarsWithRanges(settings, graph, false, 0.5, Chart());
    EXPECT_FALSE(canvas.CallsOf(Kind::FillRect).empty() && canvas.CallsOf(Kind::Rectangle).empty());
    const auto mean = std::pair{TPenStyle::Solid, Code(6)};
    const auto band = std::pair{TPenStyle::Dot, Code(8)};
    const auto median = std::pair{TPenStyle::Dot, Code(4)};
    EXPECT_EQ((std::vector{mean, band, band, median}), Lines());
    ASSERT_EQ(1u, sink.statuses.size());
    EXPECT_EQ(std::string("Median ") + kApproxSign + " 6.3", sink.statuses[0]);

    // A small y range (probabilities per bin only) draws bars alone.
    settings.YMaximum = 0.2;
    buffer.CurveVariant = 1;
    canvas.ClearCalls();
    DrawBarsWithRanges(settings, graph, false, 0.5, Chart());
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ChartFixture, ReproductiveValueBarsNeedAPositiveFirstStage)
{
    buffer.PlotMax[0] = 0;
    DrawReproductiveValueBars(settings, graph, Chart());
    EXPECT_TRUE(canvas.Calls().empty());
    buffer.PlotMax[0] = 1;
    DrawReproductiveValueBars(settings, graph, Chart());
    EXPECT_FALSE(canvas.Calls().empty());
}

TEST_F(ChartFixture, ManualScalingKeepsTheUsersLimitsAndBoundsTheTics)
{
    settings.AutoScale = false;
    settings.XMinimum = 0.5;
    settings.XMaximum = 3.5;
    settings.YMinimum = 0;
    settings.YMaximum = 0.03;
    DrawGraphTitles(settings, graph, TResultAxesRules{}, settings.XMinimum, settings.YMinimum, settings.XMaximum,
                    settings.YMaximum);
    EXPECT_EQ((TWorldRect{0.5, 0, 3.5, 0.03}), graph.DataRange);
    EXPECT_EQ(1.0, graph.XTic);    // a finer x spacing is raised to 1
    EXPECT_EQ(0.01, graph.YTic);   // and a finer y spacing to 0.01
    EXPECT_EQ(1.0, graph.XLabelStep);   // 3 tics: every tic labelled
}

// Where the y tic labels take the room of the y-axis title, the title goes
// left to a pixel clear of them, or is left out when the chart begins first.
TEST_F(ChartFixture, TheYTitleGoesLeftOfWideTicLabelsOrIsLeftOut)
{
    settings.YMaximum = 2500;   // labels up to "2500.0", 36 pixels wide
    const struct {
        int width;
        int titleX;   // -1: left out
    } cases[] = {
        {600, 18},   // clear where it always is
        {400, 10},
        {300, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        RecordingCanvas narrow{{0, 0, c.width, 400}};
        graph.SetCanvas(&narrow);
        graph.SetArea(0, 0, c.width, 400);
        DrawCurves(settings, graph, false, Chart());
        int titleX = -1;
        for (const auto& call : narrow.CallsOf(Kind::TextOut))
            if (call.Text == "Abundance")
                titleX = call.Points[0].x;
        EXPECT_EQ(titleX, c.titleX);
    }
    graph.SetCanvas(&canvas);
}

} // namespace
