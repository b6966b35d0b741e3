#include "chart/graph.h"
#include "chart/palette.h"
#include "chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using Kind = TCanvasCall::Kind;

namespace {

struct Chart {
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    Chart()
    {
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
    }
    std::vector<std::string> Axes(double xmin, double xmax, double ymin, double ymax)
    {
        double xt = 0, yt = 0;
        canvas.ClearCalls();
        graph.SetupAxes(false, xt, yt, xmin, xmax, ymin, ymax);
        return canvas.Texts();
    }
};

std::vector<std::string> Labels(const char* suffix, std::vector<double> values, int decimals)
{
    std::vector<std::string> out;
    for (double v : values) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f%s", decimals, v, suffix);
        out.push_back(buf);
    }
    return out;
}

std::vector<std::string> Slice(const std::vector<std::string>& v, size_t from, size_t n)
{
    return {v.begin() + static_cast<long>(std::min(from, v.size())),
            v.begin() + static_cast<long>(std::min(from + n, v.size()))};
}

}  // namespace

TEST(Graph, SetAreaReservesMargins)
{
    Chart c;
    EXPECT_EQ(c.graph.PlotRect, (TRect{100, 67, 576, 333}));
    EXPECT_EQ(c.graph.AreaRect, (TRect{0, 0, 600, 400}));
    EXPECT_EQ(c.graph.DataRange, (TWorldRect{0, 0, 1000, 1000}));
    EXPECT_EQ(c.graph.World, (TWorldRect{-210, -250, 1050, 1250}));
    EXPECT_EQ(c.graph.GetAreaWidth(), 600);
    EXPECT_EQ(c.graph.GetAreaHeight(), 400);
}

TEST(Graph, NiceScaleRoundsOutwardAndKeepsDataOnBothSidesOfZero)
{
    struct Case { double lo, hi, wantLo, wantHi, wantTic; };
    const Case cases[] = {
        {0, 3.5, 0, 4, 0.05},
        {0, 350, 0, 400, 5},
        {0, 0, 0, 1e-17, 2e-19},
        {0, 25000, 0, 30000, 500},
        {0, 2e6, 0, 2.5e6, 5e4},
        {5, 95, 0, 100, 2},         // same sign: a small limit snaps to 0
        // Crossing 0: the negative data stay inside, and the limit nearer 0
        // is a whole number of label steps (ten tics) from 0.
        {-5, 20, -10, 25, 0.5},
        {-20, 5, -25, 10, 0.5},
        {-3, 25000, -5000, 30000, 500},
        {-0.01, 0.6, -0.16, 0.7, 0.016},
        {-600, -500, -700, -400, 5},
    };
    for (const auto& c : cases) {
        double lo = c.lo, hi = c.hi, tic = -1;
        TGraph::NiceScale(lo, hi, tic);
        EXPECT_NEAR(lo, c.wantLo, 1e-9 * std::fabs(c.wantHi)) << c.lo << ".." << c.hi;
        EXPECT_NEAR(hi, c.wantHi, 1e-9 * std::fabs(c.wantHi)) << c.lo << ".." << c.hi;
        EXPECT_NEAR(tic, c.wantTic, 1e-9 * c.wantTic) << c.lo << ".." << c.hi;
        EXPECT_LE(lo, c.lo);
        EXPECT_GE(hi, c.hi);
    }
}

TEST(Graph, TicLabelsUseSuffixesAndDecimals)
{
    Chart c;
    // y labels come first, then x labels.
    auto texts = c.Axes(0, 350, 0, 25000);
    EXPECT_EQ(Slice(texts, 0, 6), Labels("k", {5, 10, 15, 20, 25, 30}, 1));
    EXPECT_EQ(Slice(texts, 6, 8), Labels("", {50, 100, 150, 200, 250, 300, 350, 400}, 0));
    EXPECT_EQ(texts.size(), 14u);

    texts = c.Axes(0, 350, 0, 2e6);
    EXPECT_EQ(Slice(texts, 0, 5), Labels("m", {0.5, 1, 1.5, 2, 2.5}, 2));

    texts = c.Axes(0, 3.5, 0, 350);
    EXPECT_EQ(Slice(texts, 0, 8), Labels("", {50, 100, 150, 200, 250, 300, 350, 400}, 1));
    EXPECT_EQ(Slice(texts, 8, 8), Labels("", {0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4}, 1));
}

// Every label shows its tic's true value: label steps such as 0.14 get the
// decimals they need, even where the range alone asks for fewer; an axis
// across 0 has 0 among its labels.
TEST(Graph, TicLabelsShowTheTicsTrueValues)
{
    struct Case { double ymin, ymax; std::vector<std::string> y; };
    const Case cases[] = {
        {0, 0.65, {"0.14", "0.28", "0.42", "0.56", "0.70"}},
        {0, 0.75, {"0.16", "0.32", "0.48", "0.64", "0.80"}},
        {0, 350, Labels("", {50, 100, 150, 200, 250, 300, 350, 400}, 1)},
        {0, 25000, Labels("k", {5, 10, 15, 20, 25, 30}, 1)},
        {-3, 25000, Labels("k", {0, 5, 10, 15, 20, 25, 30}, 1)},
        {-5, 20, Labels("", {-5, 0, 5, 10, 15, 20, 25}, 1)},
        {-0.01, 0.6, {"0.00", "0.16", "0.32", "0.48", "0.64"}},
        {-25000, 3, Labels("k", {-25, -20, -15, -10, -5, 0, 5}, 1)},
        {0, 0.065, {"0.014", "0.028", "0.042", "0.056", "0.070"}},
    };
    for (const auto& k : cases) {
        Chart c;
        const auto texts = c.Axes(0, 350, k.ymin, k.ymax);
        EXPECT_EQ(Slice(texts, 0, k.y.size()), k.y) << k.ymin << ".." << k.ymax;
        // Then the x labels 50 .. 400.
        EXPECT_EQ(texts.size(), k.y.size() + 8) << k.ymin << ".." << k.ymax;
    }
    // The x axis the same way: tics 0.14 apart are not labelled 0.1, 0.3, ...
    Chart c;
    const auto texts = c.Axes(0, 0.65, 0, 350);
    EXPECT_EQ(Slice(texts, 8, 5), (std::vector<std::string>{"0.14", "0.28", "0.42", "0.56", "0.70"}));
}

TEST(Graph, FormatTicValueTable)
{
    struct Case { double step, max, min, value; int decimals; const char* want; };
    const Case cases[] = {
        {50, 400, 0, 50, 0, "50"},
        {50, 400, 0, 50, 1, "50.0"},
        {0.05, 0.4, 0, 0.15, 1, "0.15"},
        {0.0005, 0.004, 0, 0.001, 1, "0.0010"},
        {5000, 30000, 0, 5000, 0, "5.0k"},
        {50000, 300000, 0, 250000, 1, "250.0k"},
        {5e5, 2.5e6, 0, 1e6, 1, "1.00m"},
        {5e8, 2.5e9, 0, 1e9, 1, "1.00b"},
        {1e-6, 5e-6, 0, 2e-6, 1, "0.0000020"},
        {500, 3000, -3000, -1500, 0, "-1500"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTicValue(c.step, c.max, c.min, c.value, c.decimals), c.want) << c.want;
    // An axis asks for more decimals where its labels need them, never fewer.
    EXPECT_EQ(FormatTicValue(0.14, 0.7, 0, 0.28, 1, 2), "0.28");
    EXPECT_EQ(FormatTicValue(50, 400, 0, 50, 1, 0), "50.0");
    EXPECT_EQ(FormatTicValue(1.6e5, 1.6e6, 0, 3.2e5, 1, 2), "0.32m");
}

TEST(Graph, OriginRulesAndFlips)
{
    struct Case { bool atMin; double xmin, xmax, ymin, ymax; double ox, oy; int xAlign, yAlign; };
    const int xUp = kAlignCenter | kAlignTop, xFlipped = kAlignCenter | kAlignBottom;
    const int yLeft = kAlignRight | kAlignBottom, yFlipped = kAlignLeft | kAlignBottom;
    const Case cases[] = {
        {false, 0, 350, 0, 25000, 0, 0, xUp, yLeft},
        {false, -5, 20, 0, 350, 0, 0, xUp, yLeft},          // y axis at x = 0
        {false, 0, 350, -5, 20, 0, -10, xUp, yLeft},        // x axis stays at the bottom
        {false, -600, -500, 0, 350, -400, 0, xUp, yFlipped},
        {false, 0, 350, -600, -500, 0, -400, xFlipped, yLeft},
        {true, -5, 20, -5, 20, -10, -10, xUp, yLeft},
    };
    for (const auto& k : cases) {
        Chart c;
        double xt = 0, yt = 0;
        c.graph.SetupAxes(k.atMin, xt, yt, k.xmin, k.xmax, k.ymin, k.ymax);
        EXPECT_DOUBLE_EQ(c.graph.OriginX, k.ox) << k.xmin << " " << k.ymin;
        EXPECT_DOUBLE_EQ(c.graph.OriginY, k.oy) << k.xmin << " " << k.ymin;
        // y labels are drawn first, x labels last.
        const auto texts = c.canvas.CallsOf(Kind::TextOut);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front().Align, k.yAlign) << k.xmin << " " << k.ymin;
        EXPECT_EQ(texts.back().Align, k.xAlign) << k.xmin << " " << k.ymin;
    }
}

TEST(Graph, UnusableTicSpacingDrawsNoTics)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double tic : {0.0, -1.0, nan, std::numeric_limits<double>::infinity(), 1e-300}) {
        Chart c;
        c.graph.SetRanges(0, 100, 0, 100);
        c.canvas.ClearCalls();
        c.graph.DrawXAxis(false, tic);
        c.graph.DrawYAxis(false, tic);
        c.graph.DrawXLabels(10, false);
        c.graph.DrawYLabels(10, false);
        EXPECT_EQ(c.canvas.CallsOf(Kind::Line).size(), 2u) << tic;   // the two axis lines
        EXPECT_TRUE(c.canvas.Texts().empty()) << tic;
        EXPECT_EQ(c.graph.XTicCount, 0);
    }
}

TEST(Graph, BarsStartAtTheBase)
{
    Chart c;
    c.graph.SetRanges(0, 4, -4, 4);
    c.canvas.SetBrushColor(Rgb(1, 2, 3));
    const float xs[] = {1, 2}, ys[] = {-2, 3};
    c.canvas.ClearCalls();
    c.graph.DrawBars(xs, ys, 0, 3, 0.5, 2);
    const auto bars = c.canvas.CallsOf(Kind::Rectangle);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].Rect, (TRect{189, 200, 249, 266}));   // from 0 down to -2
    EXPECT_EQ(bars[1].Rect, (TRect{308, 100, 368, 200}));   // from 0 up to 3
    EXPECT_EQ(bars[0].Brush.Color, PaletteColor(3));
    EXPECT_EQ(bars[0].Clip, c.graph.PlotRect);
    EXPECT_EQ(c.canvas.Brush().Color, Rgb(1, 2, 3));
    EXPECT_FALSE(c.canvas.IsClipped());

    // All positive: from the bottom of the range; all negative: from its top.
    c.graph.SetRanges(0, 4, 1, 5);
    c.canvas.ClearCalls();
    c.graph.DrawBars(xs, ys + 1, 0, 3, 0.5, 1);
    EXPECT_EQ(c.canvas.Calls().at(1).Rect.Bottom, c.graph.PlotRect.Bottom);
    c.graph.SetRanges(0, 4, -5, -1);
    c.canvas.ClearCalls();
    c.graph.DrawBars(xs, ys, 0, 3, 0.5, 1);
    EXPECT_EQ(c.canvas.Calls().at(1).Rect.Top, c.graph.PlotRect.Top);
}

TEST(Graph, MarkersAreBlackWhenMonochromeAndRestoreThePen)
{
    for (bool mono : {false, true}) {
        Chart c;
        c.graph.Monochrome = mono;
        c.graph.SetRanges(0, 10, 0, 10);
        c.canvas.SetPenColor(Rgb(9, 9, 9));
        const float xs[] = {5}, ys[] = {5};
        c.canvas.ClearCalls();
        c.graph.DrawMarkers(xs, ys, 7, 12, 1);   // unknown shape: square
        const auto polys = c.canvas.CallsOf(Kind::Polyline);
        ASSERT_EQ(polys.size(), 1u);
        EXPECT_EQ(polys[0].Pen.Color, mono ? kBlack : PaletteColor(12));
        ASSERT_EQ(polys[0].Points.size(), 5u);
        EXPECT_EQ(polys[0].Points.front(), polys[0].Points.back());   // closed square
        EXPECT_EQ(c.canvas.Pen().Color, Rgb(9, 9, 9));
    }
}

TEST(Graph, DrawLineRestoresPenAndBrushAlsoWhenDrawingFails)
{
    Chart c;
    c.graph.SetRanges(0, 200, 0, 200);
    c.canvas.SetPen({Rgb(1, 1, 1), TPenStyle::DashDot, 1});
    c.canvas.SetBrushColor(Rgb(2, 2, 2));
    c.canvas.SetWindowColor(Rgb(250, 250, 240));
    std::vector<float> xs(300, 1.0f), ys(300, 1.0f);
    c.canvas.ClearCalls();
    c.graph.DrawLine(xs.data(), ys.data(), 2, 9, 300);
    const auto polys = c.canvas.CallsOf(Kind::Polyline);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].Points.size(), 161u);
    EXPECT_EQ(polys[0].Pen.Color, PaletteColor(9));
    EXPECT_EQ(polys[0].Pen.Style, TPenStyle::Dot);
    EXPECT_EQ(polys[0].Brush.Color, Rgb(250, 250, 240));
    EXPECT_EQ(polys[0].Clip, c.graph.PlotRect);
    EXPECT_EQ(c.canvas.Pen(), (TPen{Rgb(1, 1, 1), TPenStyle::DashDot, 1}));
    EXPECT_EQ(c.canvas.Brush().Color, Rgb(2, 2, 2));
    EXPECT_FALSE(c.canvas.IsClipped());

    c.canvas.FailNextClip();
    EXPECT_THROW(c.graph.DrawLine(xs.data(), ys.data(), 0, 4, 3), std::runtime_error);
    EXPECT_EQ(c.canvas.Pen(), (TPen{Rgb(1, 1, 1), TPenStyle::DashDot, 1}));
    EXPECT_EQ(c.canvas.Brush().Color, Rgb(2, 2, 2));
    EXPECT_EQ(c.graph.DrawWorld.DeviceRight, 600);   // back on the whole area
}

TEST(Graph, RangeBarsDrawLineAndCaps)
{
    Chart c;
    c.graph.SetRanges(0, 4, 0, 8);
    const float xs[] = {2}, los[] = {2}, his[] = {6};
    c.canvas.ClearCalls();
    c.graph.DrawRangeBars(xs, los, 9, 0.4, 1, his);
    const auto lines = c.canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    const TDrawWorld& w = c.graph.DrawWorld;
    TDrawWorld data = w;
    data.SetWorld(0, 0, 4, 8);
    data.SetViewport(100, 67, 576, 333);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{data.WorldToDevX(2), data.WorldToDevY(2)},
                                                    {data.WorldToDevX(2), data.WorldToDevY(6)}}));
    EXPECT_EQ(lines[1].Points[0].x, data.WorldToDevX(1.8));
    EXPECT_EQ(lines[2].Points[1], (TPoint{data.WorldToDevX(2.2), data.WorldToDevY(6)}));
    EXPECT_EQ(lines[0].Pen.Color, PaletteColor(9));
}

TEST(Graph, TextAtUsesTheThousandFrameAndResetsAngleAndAlignment)
{
    Chart c;
    c.graph.SetFont("Times", 0, 14);
    c.canvas.ClearCalls();
    c.graph.TextAt("Title", 900, 30, 500, 960);
    const auto& t = c.canvas.Calls().at(0);
    EXPECT_EQ(t.Points[0], (TPoint{300, 16}));
    EXPECT_EQ(t.Font.Angle, 900);
    EXPECT_EQ(t.Font.Face, "Times");
    EXPECT_EQ(t.Font.Size, 14);
    EXPECT_EQ(t.Align, 30);
    EXPECT_EQ(c.canvas.Font().Angle, 0);
    EXPECT_EQ(c.canvas.TextAlign(), kAlignCenter | kAlignTop);
    EXPECT_EQ(c.graph.DrawWorld.XMin, c.graph.World.XMin);
}

TEST(Graph, SetTextJustifyAndPaletteColours)
{
    Chart c;
    struct Case { int h, v, want; };
    for (const Case& k : {Case{0, 4, 6}, Case{1, 3, 8}, Case{2, 5, 26}}) {
        c.graph.SetTextJustify(k.h, k.v);
        EXPECT_EQ(c.canvas.TextAlign(), k.want);
    }
    try {
        c.graph.SetTextJustify(3, 4);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "SetTextJustify: unknown horizontal type");
    }
    try {
        c.graph.SetTextJustify(0, 6);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "SetTextJustify: unknown vertical type");
    }
    c.graph.SetPenColor(12);
    c.graph.SetFontColor(18);
    EXPECT_EQ(c.canvas.Pen().Color, Rgb(255, 0, 0));
    EXPECT_EQ(c.canvas.Font().Color, Rgb(0, 128, 0));
    c.graph.Monochrome = true;
    c.graph.SetPenColor(12);
    EXPECT_EQ(c.canvas.Pen().Color, kBlack);
}
