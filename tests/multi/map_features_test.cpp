#include "multi/map_features.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace multi;
using Kind = TCanvasCall::Kind;
using Lines = std::vector<std::string>;

namespace {

TMapPopulations Populations(std::vector<double> abundance, std::vector<double> capacity)
{
    TMapPopulations p;
    p.Count = static_cast<int>(abundance.size());
    p.Abundance = [abundance](int k) { return abundance[k - 1]; };
    p.CarryingCapacity = [capacity](int k) { return capacity[k - 1]; };
    return p;
}

RecordingCanvas Drawn(const Lines& lines, const TMapPlacement& placement = {},
                      const TMapPopulations& populations = {})
{
    RecordingCanvas canvas({0, 0, 400, 300});
    DrawMapFeatures(canvas, ParseMapFeatures(lines), placement, populations);
    return canvas;
}

}  // namespace

TEST(MapFeatures, LineJoinsEachPointToTheOneBeforeInItsPaletteColour)
{
    const TMapPlacement placement{5, 7, 0, 0, 2, 2};
    const RecordingCanvas canvas = Drawn({"LINE", "3", "0 0", "10 0", "10 10"}, placement);
    const auto lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{5, 7}, {25, 7}}));
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{25, 7}, {25, 27}}));
    for (const auto& l : lines)
        EXPECT_EQ(l.Pen.Color, PaletteColor(3));
    EXPECT_EQ(canvas.Calls().size(), 2u);
}

TEST(MapFeatures, BlocksParseAndBadLinesAreLookedAtAgainAsKeywords)
{
    const std::string longText(100, 'x');
    struct Case {
        const char* name;
        Lines lines;
        std::vector<TMapFeature> items;
    };
    const Case cases[] = {
        {"a bad point ends the polyline and starts the next block",
         {"LINE", "2", "0 0", "5 5", "TEXT", "1", "3 4", "Lake"},
         {TMapLine{2, {{0, 0}, {5, 5}}}, TMapText{1, {3, 4}, "Lake"}}},
        {"a colour that is no integer ends the block",
         {"LINE", "POLY", "0 4", "0 0", "1 0", "1 1"},
         {TMapPolygon{4, 0, {{0, 0}, {1, 0}, {1, 1}}}}},
        {"each polyline has its own keyword; other lines are skipped",
         {"LINE", "1", "0 0", "1 1", "remark", "2 2", "LINE", "9", "3 3", "4 4"},
         {TMapLine{1, {{0, 0}, {1, 1}}}, TMapLine{9, {{3, 3}, {4, 4}}}}},
        {"text groups repeat until a colour is no integer",
         {"TEXT", "1", "0 0", "North", "-2", "5 5", "South", "end", "LINE", "4", "0 0", "1 0"},
         {TMapText{1, {0, 0}, "North"}, TMapText{-2, {5, 5}, "South"}, TMapLine{4, {{0, 0}, {1, 0}}}}},
        {"a text line LINE ends the texts; POLY is just a text",
         {"TEXT", "1", "0 0", "POLY", "1", "2 2", "LINE", "5", "0 0", "1 1"},
         {TMapText{1, {0, 0}, "POLY"}, TMapLine{5, {{0, 0}, {1, 1}}}}},
        {"a text line TEXT starts the texts again",
         {"TEXT", "1", "0 0", "TEXT", "2", "1 1", "Weir"},
         {TMapText{2, {1, 1}, "Weir"}}},
        {"a bad point ends the texts",
         {"TEXT", "1", "0", "North", "LINE", "5", "0 0", "1 1"},
         {TMapLine{5, {{0, 0}, {1, 1}}}}},
        {"a population fill; points beyond 65 are read past",
         [] {
             Lines l{"POLY", "P 2"};
             for (int i = 0; i < 70; ++i)
                 l.push_back(std::to_string(i) + " 1");
             l.insert(l.end(), {"LINE", "1", "0 0", "1 1"});
             return l;
         }(),
         {TMapPolygon{0, 2, [] {
              std::vector<TMapPoint> p;
              for (int i = 0; i < 65; ++i)
                  p.push_back({double(i), 1});
              return p;
          }()},
          TMapLine{1, {{0, 0}, {1, 1}}}}},
        {"bad fill lines end the polygon",
         {"POLY", "P 0", "0 0", "POLY", "P", "POLY", "p 1", "POLY", "3", "POLY", "1 x", "POLY", "1 5", "0 0", "1 0"},
         {TMapPolygon{5, 0, {{0, 0}, {1, 0}}}}},
        {"FONT 3 0 is bold italic at 5 points; the line after is read past",
         {"FONT", "3 0", "LINE", "FONT", "12 7", "x", "FONT", "1", "x", "FONT", "1 -2", "x", "FONT", "1 5000"},
         {TMapFont{3, 5}, TMapFont{12, 7}}},
        {"point lines: first blank at 2 or later, period decimals, finite numbers",
         {"LINE", "1", "1e3 -2.5", "1  2", "3 4 ", " 1 2"},
         {TMapLine{1, {{1000, -2.5}, {1, 2}, {3, 4}}}}},
        {"a comma is no decimal point", {"LINE", "1", "0 0", "1,5 2"}, {TMapLine{1, {{0, 0}}}}},
        {"an overflowing number is a bad point", {"LINE", "1", "0 0", "1e999 0"}, {TMapLine{1, {{0, 0}}}}},
        {"keywords are whole upper-case lines", {"line", "1", "0 0", "1 1", "LINE ", "1", "0 0", "1 1"}, {}},
        {"lines are read as 80 characters", {"TEXT", "1", "0 0", longText}, {TMapText{1, {0, 0}, longText.substr(0, 80)}}},
        {"the file may end anywhere", {"TEXT", "1", "0 0"}, {}},
    };
    for (const auto& c : cases) {
        const TMapFeatures f = ParseMapFeatures(c.lines);
        EXPECT_EQ(f.Items, c.items) << c.name;
    }
}

TEST(MapFeatures, ScaleAndBackgroundTakeTheirLastValueWithDefaultsForBadOnes)
{
    struct Case {
        Lines lines;
        double scale;
        int background;
    };
    const Case cases[] = {
        {{}, 1, -1},
        {{"SCALE", "2.5", "x"}, 2.5, -1},
        {{"SCALE", "2,5"}, 1, -1},
        {{"SCALE"}, 1, -1},
        {{"BACKG", "17"}, 1, 0},
        {{"BACKG", "12", "x", "BACKG", "-1"}, 1, 0},
        {{"BACKG", "12", "x", "SCALE", "0.5"}, 0.5, 12},
        // The line after the value is read past, even a keyword.
        {{"BACKG", "3", "SCALE", "4", "x"}, 1, 3},
    };
    for (const auto& c : cases) {
        const TMapFeatures f = ParseMapFeatures(c.lines);
        EXPECT_EQ(f.Scale, c.scale) << testing::PrintToString(c.lines);
        EXPECT_EQ(f.BackgroundIndex, c.background) << testing::PrintToString(c.lines);
    }
    EXPECT_TRUE(ParseMapFeatures({"BACKG", "3", "LINE", "1", "0 0", "1 1"}).Items.empty());
}

TEST(MapFeatures, TextsAreCentredOnTheirPointTransparentInTheFileFont)
{
    // The recording canvas makes a 5-point font 7 pixels high at 96 DPI, a
    // 10-point one 13 pixels.
    const RecordingCanvas canvas = Drawn({"TEXT", "4", "10 20", "Marsh", "FONT", "3 0", "x", "TEXT", "14", "0 0", "Ridge",
                                          "FONT", "12 10", "x", "TEXT", "1", "1 1", "Ford"},
                                         {100, 50, 0, 0, 1, 1});
    const auto texts = canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "Marsh");
    EXPECT_EQ(texts[0].Points[0], (TPoint{110, 70 + 13 / 2}));
    EXPECT_EQ(texts[0].Align, kAlignCenter | kAlignBottom);
    EXPECT_TRUE(texts[0].Transparent);
    EXPECT_EQ(texts[0].Font.Color, PaletteColor(4));
    EXPECT_FALSE(texts[0].Font.Bold);

    EXPECT_EQ(texts[1].Points[0], (TPoint{100, 50 + 7 / 2}));
    EXPECT_EQ(texts[1].Font.Color, PaletteColor(14));
    EXPECT_TRUE(texts[1].Font.Bold);
    EXPECT_TRUE(texts[1].Font.Italic);
    EXPECT_FALSE(texts[1].Font.Underline);
    EXPECT_EQ(texts[1].Font.Size, 5);

    EXPECT_FALSE(texts[2].Font.Bold);
    EXPECT_TRUE(texts[2].Font.Underline);
    EXPECT_TRUE(texts[2].Font.StrikeOut);
    EXPECT_EQ(texts[2].Font.Size, 10);
    EXPECT_EQ(texts[2].Font.Face, RecordingCanvas().Font().Face);
}

TEST(MapFeatures, PolygonFillsFollowTheirPopulation)
{
    const Lines triangle{"0 0", "10 0", "0 10"};
    auto poly = [&](const std::string& fill) {
        Lines l{"POLY", fill};
        l.insert(l.end(), triangle.begin(), triangle.end());
        return l;
    };
    struct Case {
        const char* name;
        std::string fill;
        double abundance, capacity;
        TBrush brush;
    };
    const TBrush none{kWhite, TBrushStyle::Clear};
    const Case cases[] = {
        {"below half full: colour 0", "P 1", 49, 100, {PaletteColor(0), TBrushStyle::Solid}},
        {"half full: colour 1", "P 1", 50, 100, {PaletteColor(1), TBrushStyle::Solid}},
        {"over full: colour 1", "P 1", 300, 100, {PaletteColor(1), TBrushStyle::Solid}},
        {"empty: no fill", "P 1", 0, 100, none},
        {"no capacity: no fill", "P 1", 10, 0, none},
        {"no such population: no fill", "P 2", 50, 100, none},
        {"solid fill in its palette colour", "0 20", 0, 0, {PaletteColor(4), TBrushStyle::Solid}},
    };
    for (const auto& c : cases) {
        const RecordingCanvas canvas =
            Drawn(poly(c.fill), {0, 0, 0, 0, 3, 3}, Populations({c.abundance}, {c.capacity}));
        const auto polygons = canvas.CallsOf(Kind::Polygon);
        ASSERT_EQ(polygons.size(), 1u) << c.name;
        EXPECT_EQ(polygons[0].Points, (std::vector<TPoint>{{0, 0}, {30, 0}, {0, 30}})) << c.name;
        EXPECT_EQ(polygons[0].Brush.Style, c.brush.Style) << c.name;
        if (c.brush.Style == TBrushStyle::Solid) {
            EXPECT_EQ(polygons[0].Brush.Color, c.brush.Color) << c.name;
        }
        EXPECT_EQ(polygons[0].Pen.Color, kBlack) << c.name;
    }
    EXPECT_TRUE(ParseMapFeatures(poly("P 1")).FillsFromPopulations());
    EXPECT_FALSE(ParseMapFeatures(poly("0 3")).FillsFromPopulations());

    // Polygons are outlined in the pen of the last line.
    Lines afterLine{"LINE", "12", "0 0", "1 1"};
    const Lines p = poly("1 2");
    afterLine.insert(afterLine.end(), p.begin(), p.end());
    EXPECT_EQ(Drawn(afterLine).CallsOf(Kind::Polygon).at(0).Pen.Color, PaletteColor(12));
}

TEST(MapFeatures, PlacementRoundsAndHoldsPointsWithinTheCanvasRange)
{
    const TMapPlacement p{10, 20, 100, -50, 0.5, 2};
    struct Case {
        TMapPoint in;
        TPoint out;
    };
    const Case cases[] = {
        {{100, -50}, {10, 20}},
        {{105, -40}, {12, 40}},       // 12.5 rounds to even
        {{107, -40}, {14, 40}},       // 13.5 rounds to even
        {{-400, -60}, {-240, 0}},     // left of and above the origin stay there
        {{1e300, 1e300}, {32767, 32767}},
        {{-1e300, -1e300}, {-32768, -32768}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.ToDevice(c.in), c.out) << c.in.X << " " << c.in.Y;
    const TMapPlacement flat{0, 0, 0, 0, 0, 0};
    EXPECT_EQ(flat.ToDevice({1e308, -1e308}), (TPoint{0, 0}));
}

// Mutations of a sample file: dropped, doubled, swapped and cut lines, bytes
// changed, keywords and numbers put in where they do not belong. Whatever
// comes of it parses and draws.
TEST(MapFeatures, MutatedFilesParseAndDraw)
{
    std::ifstream in(std::string(PV_EXAMPLES_DIR) + "/river_valley.map", std::ios::binary);
    ASSERT_TRUE(in) << "the sample features file is missing";
    Lines sample;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        sample.push_back(line);
    }
    ASSERT_GT(sample.size(), 20u);

    std::uint32_t state = 20240611;
    auto next = [&](std::uint32_t n) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::size_t>((state >> 8) % n);
    };
    const char* inserts[] = {"LINE", "TEXT", "POLY", "SCALE", "BACKG", "FONT", "P 1", "P 99", "1e308 -1e308",
                             "-2147483648 2147483647", "15 255", "0", "", " ", "9999 9999", "1e-320 5",
                             "NaN inf", "65535 0", "4 2000000000"};
    RecordingCanvas canvas({0, 0, 200, 200});
    const TMapPopulations populations = Populations({5, 0, 1e30}, {10, 0, 1e-30});
    for (int round = 0; round < 400; ++round) {
        Lines lines = sample;
        const int edits = 1 + static_cast<int>(next(8));
        for (int e = 0; e < edits && !lines.empty(); ++e) {
            const std::size_t at = next(static_cast<std::uint32_t>(lines.size()));
            switch (next(6)) {
            case 0: lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at)); break;
            case 1: lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]); break;
            case 2: std::swap(lines[at], lines[next(static_cast<std::uint32_t>(lines.size()))]); break;
            case 3: lines[at] = lines[at].substr(0, next(static_cast<std::uint32_t>(lines[at].size() + 1))); break;
            case 4:
                if (!lines[at].empty())
                    lines[at][next(static_cast<std::uint32_t>(lines[at].size()))] = static_cast<char>(next(256));
                break;
            default:
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                             inserts[next(sizeof inserts / sizeof *inserts)]);
                break;
            }
        }
        if (round % 50 == 0)
            lines.push_back(std::string(5000, '7') + " 1");
        const TMapFeatures f = ParseMapFeatures(lines);
        EXPECT_LE(f.Items.size(), lines.size());
        canvas.ClearCalls();
        DrawMapFeatures(canvas, f, {3, 4, -10, 20, 1.5, 1.5}, populations);
        for (const auto& call : canvas.Calls())
            for (const TPoint& pt : call.Points) {
                ASSERT_GE(pt.x, -32768);
                ASSERT_LE(pt.x, 32767);
            }
    }
}
