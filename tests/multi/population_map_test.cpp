#include "multi/population_map.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"
#include "core/config.h"
#include "multi/messages.h"
#include "multi/run_simulation.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace multi;
using Kind = TCanvasCall::Kind;

namespace {

class PopulationMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMultiLimits limits;
        limits.MaxPops = 6;
        AllocateModel(m, limits);
        m.PopCount = 0;
    }

    // A logistic population at (x, y) with K and N.
    void Add(const std::string& name, const std::string& x, const std::string& y, const std::string& K,
             const std::string& N)
    {
        multi::PopulationRecord& p = m.Populations[++m.PopCount];
        p.Name = name;
        p.DDType = kScramble;
        p.XText = x;
        p.YText = y;
        p.CarryingCapacityText = K;
        p.InitialAbundanceText = N;
    }

    TPopulationMapLayout Draw(const TMapRunValues* run = nullptr, const std::string& modelFile = "")
    {
        canvas.ClearCalls();
        return DrawPopulationMap(canvas, area, m, modelFile, run, TMapStyle(), nullptr);
    }

    // The drawing calls, without setting and resetting the clip.
    std::vector<TCanvasCall> Drawing() const
    {
        std::vector<TCanvasCall> out;
        for (const auto& c : canvas.Calls())
            if (c.Op != Kind::SetClip && c.Op != Kind::ResetClip)
                out.push_back(c);
        return out;
    }

    TMultiModel m;
    RecordingCanvas canvas{{0, 0, 800, 600}};
    TRect area{0, 0, 600, 400};
};

}  // namespace

// 600 x 400 pixels: margins Round(601 x 5 / 28) = 107 and Round(401 x 5 / 28)
// = 72, halved to 53 and 36 for the origin; aspect 329 / 494.
TEST_F(PopulationMapTest, LayoutFitsTheLimitingExtentAndSizesCirclesFromTheLargestK)
{
    Add("A", "0", "0", "100", "100");
    Add("B", "100", "50", "400", "0");
    TPopulationMapLayout l = LayoutPopulationMap(m, nullptr, 600, 400, 1);
    EXPECT_DOUBLE_EQ(l.Scale, 493.0 / 100);   // 50 < 100 x aspect: the x extent limits
    EXPECT_EQ(l.OriginX, 53);
    EXPECT_EQ(l.OriginY, 36);
    EXPECT_DOUBLE_EQ(l.X[1], 53);
    EXPECT_DOUBLE_EQ(l.Y[1], 36);
    EXPECT_DOUBLE_EQ(l.X[2], 53 + 493);
    EXPECT_DOUBLE_EQ(l.Y[2], 36 + 246.5);
    // The average margin 89.5 is below sqrt(600 x 400 / (2 x 2 x 3.14)), so
    // the largest circle (sqrt 400 = 20) gets the average margin.
    EXPECT_DOUBLE_EQ(l.CircleFactor, 179.0 / 40);
    EXPECT_DOUBLE_EQ(l.Diameter[2], 89.5);
    EXPECT_DOUBLE_EQ(l.Diameter[1], 44.75);
    EXPECT_DOUBLE_EQ(LayoutPopulationMap(m, nullptr, 600, 400, 2).Diameter[1], 89.5);

    // A positive trend counts at the end of the run for the circle factor,
    // one step of it for the circle of the model.
    m.Duration = 10;
    m.Populations[1].TrendInKText = "120";   // 100 + 1200: sqrt 1300 is the largest
    l = LayoutPopulationMap(m, nullptr, 600, 400, 1);
    EXPECT_DOUBLE_EQ(l.CircleFactor, 179.0 / (2 * std::sqrt(1300.0)));
    EXPECT_DOUBLE_EQ(l.Size[1], 220);

    // All on one vertical line: the y extent gives the scale.
    m.Populations[2].XText = "0";
    l = LayoutPopulationMap(m, nullptr, 600, 400, 1);
    EXPECT_DOUBLE_EQ(l.Scale, (400.0 - 72) / 50);
    EXPECT_DOUBLE_EQ(l.X[2], 53);

    // With more populations each one's share of the area bounds the circles.
    Add("C", "10", "10", "5", "5");
    Add("D", "20", "10", "5", "5");
    Add("E", "30", "10", "5", "5");
    l = LayoutPopulationMap(m, nullptr, 600, 400, 1);
    const double R0 = std::sqrt(600.0 * 400 / (5 * 2 * 3.14));   // 87.4, below 89.5
    EXPECT_DOUBLE_EQ(l.CircleFactor, R0 / std::sqrt(1300.0));
}

// A large population at the edge of the populations' box gets the room its
// circle needs, also at the largest size a positive trend gives it by the
// end of the run; the populations keep their places relative to each other.
TEST_F(PopulationMapTest, CirclesAtTheEdgeStayInsideTheMap)
{
    struct Pop {
        const char* x;
        const char* y;
        const char* K;
        const char* trend;
    };
    struct Case {
        const char* name;
        int width, height;
        std::vector<Pop> pops;
        int duration;
    };
    const Case cases[] = {
        {"two ponds on one row", 560, 400, {{"0", "0", "100", "0"}, {"10", "0", "50", "0"}}, 0},
        {"one column in a wide map", 600, 300, {{"0", "0", "400", "0"}, {"0", "10", "400", "0"}}, 0},
        {"large colony in a corner of a tall map", 300, 600,
         {{"0", "0", "900", "0"}, {"50", "100", "10", "0"}, {"10", "90", "10", "0"}}, 0},
        {"a narrow strip", 800, 60, {{"0", "0", "200", "0"}, {"100", "5", "200", "0"}}, 0},
        {"a small colony that grows", 560, 400, {{"0", "0", "10", "50"}, {"10", "0", "100", "0"}}, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m.PopCount = 0;
        for (const Pop& p : c.pops) {
            Add("P", p.x, p.y, p.K, "10");
            m.Populations[m.PopCount].TrendInKText = p.trend;
        }
        m.Duration = c.duration;
        area = {0, 0, c.width, c.height};
        const TPopulationMapLayout l = Draw();
        const auto circles = canvas.CallsOf(Kind::Ellipse);
        ASSERT_EQ(circles.size(), c.pops.size());
        for (const auto& circle : circles)
            for (const TPoint& p : circle.Points)
                EXPECT_TRUE(p.x >= 0 && p.x < c.width && p.y >= 0 && p.y < c.height) << p.x << ", " << p.y;
        for (int i = 1; i <= m.PopCount; ++i) {
            const double K = std::stod(c.pops[i - 1].K) + std::stod(c.pops[i - 1].trend) * c.duration;
            const double r = std::sqrt(K) * l.CircleFactor / 2;
            EXPECT_GE(l.X[i] - r, -0.5) << i;
            EXPECT_LE(l.X[i] + r, c.width - 0.5) << i;
            EXPECT_GE(l.Y[i] - r, -0.5) << i;
            EXPECT_LE(l.Y[i] + r, c.height - 0.5) << i;
        }
        // One scale for both axes still: the map keeps its proportions.
        for (int i = 2; i <= m.PopCount; ++i) {
            EXPECT_NEAR(l.X[i] - l.X[1], (std::stod(c.pops[i - 1].x) - std::stod(c.pops[0].x)) * l.Scale, 1e-9);
            EXPECT_NEAR(l.Y[i] - l.Y[1], (std::stod(c.pops[i - 1].y) - std::stod(c.pops[0].y)) * l.Scale, 1e-9);
        }
    }
}

TEST_F(PopulationMapTest, OnePointOrNoPopulationIsDrawnAtTheCentreWithoutDividingByZero)
{
    struct Case {
        const char* name;
        int count;
        const char* x;
        const char* y;
        double scale;
    };
    const Case cases[] = {
        {"one population", 1, "30", "40", 40},
        {"three at one point", 3, "30", "40", 40},
        {"at the origin", 1, "0", "0", 1},
        {"below the axis", 2, "5", "-7", 1},
        {"coordinates that are no numbers", 1, "far", "", 1},
        {"no population", 0, "0", "0", 1},
    };
    for (const auto& c : cases) {
        m.PopCount = 0;
        for (int i = 0; i < c.count; ++i)
            Add("P" + std::to_string(i + 1), c.x, c.y, "50", "10");
        const TPopulationMapLayout l = Draw();
        EXPECT_EQ(l.Scale, c.scale) << c.name;
        for (int i = 1; i <= c.count; ++i) {
            EXPECT_EQ(l.X[i], 300) << c.name;
            EXPECT_EQ(l.Y[i], 200) << c.name;
        }
        EXPECT_EQ(canvas.CallsOf(Kind::Ellipse).size(), static_cast<std::size_t>(c.count)) << c.name;
        EXPECT_EQ(canvas.Texts().size(), static_cast<std::size_t>(c.count)) << c.name;
        for (const auto& call : canvas.Calls())
            for (const TPoint& p : call.Points)
                EXPECT_TRUE(p.x >= 0 && p.x < 600 && p.y >= 0 && p.y < 400) << c.name;
    }
    // An empty area draws nothing.
    area = {10, 10, 10, 300};
    Draw();
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(PopulationMapTest, CirclesAreShadedByHowFullTheyAreAndNamesAreWrittenOnThem)
{
    Add("Full", "0", "0", "100", "150");
    Add("Half", "100", "0", "100", "50");
    Add("Empty", "0", "100", "100", "0");
    Add("Tiny", "100", "100", "1", "1");      // K at most 1: no circle
    Add("Bad", "50", "50", "many", "5");      // K no number: 0
    m.Populations[5].DDType = kExponential;   // ... but exponential growth takes N as K
    area = {20, 30, 620, 430};
    const TPopulationMapLayout l = Draw();

    const auto circles = canvas.CallsOf(Kind::Ellipse);
    ASSERT_EQ(circles.size(), 4u);
    const TColor lime = PaletteColor(10);
    EXPECT_EQ(circles[0].Brush.Color, lime);
    EXPECT_EQ(circles[1].Brush.Color, Rgb(0, 128, 0));   // 127.5 rounds to even
    EXPECT_EQ(circles[2].Brush.Color, kBlack);
    EXPECT_EQ(circles[3].Brush.Color, lime);              // 5 of 5
    for (const auto& c : circles) {
        EXPECT_EQ(c.Pen.Color, c.Brush.Color);
        EXPECT_EQ(c.Brush.Style, TBrushStyle::Solid);
        EXPECT_EQ(c.Clip, (TRect{20, 30, 620, 430}));
    }
    const int r = static_cast<int>(std::lround(l.Diameter[1] / 2));
    EXPECT_NEAR(circles[0].Rect.Left, 20 + l.X[1] - r, 1);
    EXPECT_NEAR(circles[0].Rect.Bottom, 30 + l.Y[1] + r, 1);

    const auto names = canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(canvas.Texts(), (std::vector<std::string>{"Full", "Half", "Empty", "Tiny", "Bad"}));
    const int h = canvas.TextExtent("Full").cy / 2;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(names[i].Points[0], (TPoint{20 + static_cast<int>(std::lround(l.X[i + 1])),
                                              30 + static_cast<int>(std::lround(l.Y[i + 1] - h))}));
        EXPECT_EQ(names[i].Align, kAlignCenter | kAlignTop);
        EXPECT_TRUE(names[i].Transparent);
        EXPECT_EQ(names[i].Font.Color, PaletteColor(5));
    }
    // The area is filled with the canvas's brush first; the canvas is left
    // as it was.
    EXPECT_EQ(Drawing().front().Op, Kind::FillRect);
    EXPECT_EQ(Drawing().front().Rect, (TRect{20, 30, 620, 430}));
    EXPECT_EQ(canvas.Brush(), TBrush());
    EXPECT_FALSE(canvas.IsClipped());
}

TEST_F(PopulationMapTest, LinksJoinPopulationsThatExchangeEnoughDispersers)
{
    Add("West", "0", "0", "100", "100");
    Add("East", "100", "0", "100", "10");
    Add("North", "0", "100", "100", "100");
    // Expected movers per step: K x rate, above 0.5 for a line.
    m.DispersalMatrix[2][1] = 0.006f;   // West to East: 0.6
    m.DispersalMatrix[3][1] = 0.005f;   // West to North: 0.5, not enough
    m.DispersalMatrix[2][3] = 0.004f;   // North to East: 0.4
    m.DispersalMatrix[3][2] = 0.004f;   // and back
    TPopulationMapLayout l = Draw();
    auto lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Pen.Color, PaletteColor(4));
    // From East, which only receives, at its diameter's distance, to West's centre.
    const int startX = static_cast<int>(std::lround(l.X[2] - l.Diameter[2]));
    EXPECT_EQ(lines[0].Points[0], (TPoint{startX, static_cast<int>(l.Y[2])}));
    EXPECT_EQ(lines[0].Points[1], (TPoint{static_cast<int>(l.X[1]), static_cast<int>(l.Y[1])}));

    // Both ways: centre to centre.
    m.DispersalMatrix[1][2] = 0.5f;
    Draw();
    lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points[0].x, static_cast<int>(l.X[2]));

    // During a run the abundance must send enough too: East's 10 x 0.5 = 5
    // and West's 3 x 0.006 are compared with 0.5, K x rate with 0.1.
    m.CarryingCapacity[1] = m.CarryingCapacity[2] = m.CarryingCapacity[3] = 100;
    IntVector abundance(3), steps(3);
    abundance[1] = 3;
    abundance[2] = 10;
    abundance[3] = 100;
    const TMapRunValues run{abundance, steps};
    Draw(&run);
    lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    // East sends, West does not: the line ends short of West.
    EXPECT_EQ(lines[0].Points[0].x, static_cast<int>(l.X[2]));
    EXPECT_GT(lines[0].Points[1].x, static_cast<int>(l.X[1]));

    // Two populations at one point: a line of no length, no offset.
    m.Populations[2].XText = "0";
    m.DispersalMatrix[1][2] = 0;
    Draw();
    lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points[0], lines[0].Points[1]);
}

TEST_F(PopulationMapTest, RunValuesGrowTheCirclesWithTheTrendAndShadeThemByTheCurrentAbundance)
{
    Add("A", "0", "0", "100", "100");
    Add("B", "100", "0", "100", "100");
    m.CarryingCapacity[1] = 100;
    m.CarryingCapacity[2] = 100;
    m.TrendInK[1] = 10;
    IntVector abundance(2), steps(2);
    abundance[1] = 200;
    abundance[2] = 25;
    steps[1] = steps[2] = 5;
    const TMapRunValues run{abundance, steps};
    const TPopulationMapLayout l = Draw(&run);
    EXPECT_DOUBLE_EQ(l.Size[1], 150);
    EXPECT_DOUBLE_EQ(l.Size[2], 100);
    const auto circles = canvas.CallsOf(Kind::Ellipse);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].Brush.Color, PaletteColor(10));
    EXPECT_EQ(circles[1].Brush.Color, Rgb(0, 64, 0));   // a quarter of 255 rounds to 64
}

TEST_F(PopulationMapTest, LandscapeIsDrawnUnderThePopulationsAtTheirScale)
{
    TempDir dir;
    WriteAll(dir.file("valley.map"), "LINE\r\n9\r\n0 0\r\n100 50\r\nPOLY\r\nP 2\r\n0 0\r\n10 0\r\n0 10\r\n");
    Add("A", "0", "0", "100", "100");
    Add("B", "100", "50", "400", "300");
    m.MapName = "VALLEY.map";
    area = {10, 10, 610, 410};
    TLandscapeCache cache;
    TLandscapeOutcome outcome;
    canvas.ClearCalls();
    const TPopulationMapLayout l =
        DrawPopulationMap(canvas, area, m, dir.file("voles.mp"), nullptr, TMapStyle(), &cache, &outcome);
    EXPECT_TRUE(outcome.Drawn);
    const auto calls = Drawing();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].Op, Kind::FillRect);
    EXPECT_EQ(calls[1].Op, Kind::Line);
    // The river runs from one population's centre to the other's.
    EXPECT_EQ(calls[1].Points[0], (TPoint{10 + 53, 10 + 36}));
    EXPECT_EQ(calls[1].Points[1],
              (TPoint{static_cast<int>(std::nearbyint(10 + l.X[2])), static_cast<int>(std::nearbyint(10 + l.Y[2]))}));
    // Population 2 is three quarters full: the polygon takes colour 1.
    EXPECT_EQ(calls[2].Op, Kind::Polygon);
    EXPECT_EQ(calls[2].Brush.Color, PaletteColor(1));
    EXPECT_EQ(calls[3].Op, Kind::Ellipse);
}

// The simulation window draws the map from the run in progress.
TEST_F(PopulationMapTest, LiveMapFollowsTheRunInProgress)
{
    Add("Growing", "0", "0", "1000", "10");
    Add("Shrinking", "100", "0", "500", "400");
    for (int i = 1; i <= 2; ++i) {
        m.Populations[i].GrowthRateText = i == 1 ? "2" : "0.5";
        m.Populations[i].SurvivalText = "0.5";
        m.Populations[i].StdDevOfRText = "0";
    }
    m.Populations[1].TrendInKText = "-100";
    m.Replications = 0;
    m.Duration = 4;
    Config.StepDelay = 0;
    std::vector<std::string> warnings;
    SetWarningHandler([&](const std::string& text) { warnings.push_back(text); });

    int steps = 0;
    const bool ran = RunSimulation(m, [&](std::int32_t, std::int32_t t) {
        const TMultiRun* run = ActiveRun();
        EXPECT_NE(run, nullptr);
        if (!run)
            return false;
        const TMapRunValues live{run->Abundance, run->StepCounter};
        const TPopulationMapLayout l = Draw(&live);
        const auto circles = canvas.CallsOf(Kind::Ellipse);
        EXPECT_EQ(circles.size(), 2u);
        for (int i = 1; i <= 2 && i <= static_cast<int>(circles.size()); ++i) {
            const double size = (i == 1 ? 1000.0 - 100.0 * t : 500.0);
            EXPECT_DOUBLE_EQ(l.Size[i], size) << t;
            const double q = std::min(1.0, run->Abundance[i] / size);
            EXPECT_EQ(circles[i - 1].Brush.Color, Rgb(0, static_cast<int>(std::nearbyint(255 * q)), 0)) << t;
        }
        ++steps;
        return true;
    });
    SetWarningHandler({});
    EXPECT_TRUE(ran) << testing::PrintToString(warnings);
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(ActiveRun(), nullptr);
}
