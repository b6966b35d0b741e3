#include "multi/landscape_map.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

using namespace multi;
using Kind = TCanvasCall::Kind;

namespace {

const char kSquare[] = "LINE\r\n2\r\n0 0\r\n10 0\r\n10 10\r\n0 10\r\n0 0\r\nBACKG\r\n6\r\nx\r\nSCALE\r\n2.5\r\n";

class LandscapeMapTest : public ::testing::Test {
protected:
    TLandscapeRequest Request(const std::string& mapName) const
    {
        TLandscapeRequest r;
        r.MapName = mapName;
        r.ModelFileName = dir.file("voles.mp");
        r.Placement = {10, 20, 0, 0, 2, 2};
        r.Clip = {0, 0, 300, 200};
        return r;
    }

    TempDir dir;
    RecordingCanvas canvas{{0, 0, 400, 300}};
};

}  // namespace

TEST_F(LandscapeMapTest, MapFileIsFoundBesideTheModelByExactNameThenInAnyCase)
{
    WriteAll(dir.file("valley.map"), kSquare);
    std::filesystem::create_directory(dir.path() / "maps");
    WriteAll(dir.file("maps/Hills.MAP"), kSquare);
    const std::string folder = dir.path().string();
    std::string backslashed = folder + "\\maps\\hills.map";
    struct Case {
        std::string mapName, modelFile, found;
    };
    const Case cases[] = {
        {"valley.map", folder + "/voles.mp", folder + "/valley.map"},
        {"VALLEY.MAP", folder + "/voles.mp", folder + "/valley.map"},
        {"  valley.map ", folder + "\\voles.mp", folder + "/valley.map"},
        {folder + "/maps/hills.map", folder + "/voles.mp", folder + "/maps/Hills.MAP"},
        {backslashed, "voles.mp", folder + "/maps/Hills.MAP"},
        {"hills.map", folder + "/voles.mp", ""},   // not beside the model
        {"missing.map", folder + "/voles.mp", ""},
        {"", folder + "/voles.mp", ""},
        {"\xFF", folder + "/voles.mp", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveMapFileName(c.mapName, c.modelFile), c.found) << c.mapName;
}

// A map in the model's folder goes by its bare name; one elsewhere, or a
// bare name of a folder the model leaves, by its path.
TEST_F(LandscapeMapTest, AMapBesideTheModelIsNamedByItsBareName)
{
    const std::string folder = dir.path().string();
    struct Case {
        std::string mapName, from, to, kept;
    };
    const Case cases[] = {
        {folder + "/moor.map", folder + "/voles.mp", folder + "/voles.mp", "moor.map"},
        {folder + "/maps/../moor.map", folder + "/voles.mp", folder + "/./voles.mp", "moor.map"},
        {folder + "\\moor.map", "Untitled.mp", folder + "\\voles.mp", "moor.map"},
        {folder + "/maps/moor.map", folder + "/voles.mp", folder + "/voles.mp", folder + "/maps/moor.map"},
        {"moor.map", folder + "/voles.mp", folder + "/voles.mp", "moor.map"},
        {"moor.map", folder + "/voles.mp", folder + "/away/voles.mp", folder + "/moor.map"},
        {"moor.map", "Untitled.mp", folder + "/away/voles.mp", "moor.map"},
        {folder + "/moor.map", "Untitled.mp", "voles.mp", folder + "/moor.map"},
        {"", folder + "/voles.mp", folder + "/away/voles.mp", ""},
        {"\xFF", folder + "/voles.mp", folder + "/away/voles.mp", "\xFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapNameBesideModel(c.mapName, c.from, c.to), c.kept)
            << c.mapName << " from " << c.from << " to " << c.to;
}

TEST_F(LandscapeMapTest, DrawsTheFileWithinTheClipAndLeavesTheCanvasAsItWas)
{
    WriteAll(dir.file("valley.map"), kSquare);
    canvas.SetPenColor(Rgb(1, 2, 3));
    canvas.SetFontSize(17);
    TLandscapeOutcome outcome;
    ASSERT_TRUE(DrawLandscapeMap(canvas, Request("valley.map"), nullptr, &outcome));
    EXPECT_TRUE(outcome.Drawn);
    EXPECT_FALSE(outcome.FromCache);
    EXPECT_EQ(outcome.MapScale, 2.5);
    EXPECT_EQ(outcome.BackgroundIndex, 6);

    const auto lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{10, 20}, {30, 20}}));
    EXPECT_EQ(lines[0].Pen.Color, PaletteColor(2));
    EXPECT_EQ(lines[0].Clip, (TRect{0, 0, 300, 200}));
    EXPECT_FALSE(canvas.IsClipped());
    EXPECT_EQ(canvas.Pen().Color, Rgb(1, 2, 3));
    EXPECT_EQ(canvas.Font().Size, 17);

    // No map named, or none found: nothing drawn, no background.
    canvas.ClearCalls();
    for (const char* name : {"", "missing.map"}) {
        EXPECT_FALSE(DrawLandscapeMap(canvas, Request(name), nullptr, &outcome)) << name;
        EXPECT_FALSE(outcome.Drawn);
        EXPECT_EQ(outcome.BackgroundIndex, -1);
    }
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(LandscapeMapTest, CacheDrawsAgainOnlyWhileNothingTheDrawingDependsOnHasChanged)
{
    const std::string path = dir.file("valley.map");
    WriteAll(path, kSquare);
    TLandscapeCache cache;
    TLandscapeRequest request = Request("valley.map");
    ASSERT_TRUE(DrawLandscapeMap(canvas, request, &cache));

    struct Step {
        const char* name;
        std::function<void()> change;
        bool hit;
    };
    const Step steps[] = {
        {"unchanged", [] {}, true},
        {"origin moved", [&] { request.Placement.Left += 1; }, false},
        {"unchanged again", [] {}, true},
        {"offset changed", [&] { request.Placement.XOffset = 1; }, false},
        {"scale changed", [&] { request.Placement.YScale = 3; }, false},
        {"size changed", [&] { request.Clip.Right = 250; }, false},
        {"font of the canvas changed", [&] { canvas.SetFontSize(12); }, false},
        {"file touched",
         [&] { std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5)); },
         false},
        {"file rewritten", [&] { WriteAll(path, "LINE\r\n1\r\n0 0\r\n5 5\r\n" + std::string(kSquare)); }, false},
        {"unchanged at last", [] {}, true},
    };
    int hits = cache.Hits(), misses = cache.Misses();
    EXPECT_EQ(misses, 1);
    for (const auto& s : steps) {
        s.change();
        canvas.ClearCalls();
        TLandscapeOutcome outcome;
        ASSERT_TRUE(DrawLandscapeMap(canvas, request, &cache, &outcome)) << s.name;
        EXPECT_EQ(outcome.FromCache, s.hit) << s.name;
        EXPECT_EQ(outcome.BackgroundIndex, 6) << s.name;
        hits += s.hit;
        misses += !s.hit;
        EXPECT_EQ(cache.Hits(), hits) << s.name;
        EXPECT_EQ(cache.Misses(), misses) << s.name;
    }
    EXPECT_EQ(canvas.CallsOf(Kind::Line).size(), 5u);

    // A hit draws what the file drew.
    RecordingCanvas again({0, 0, 400, 300});
    TLandscapeCache fresh;
    ASSERT_TRUE(DrawLandscapeMap(again, Request("valley.map"), &fresh));
    const std::size_t drawn = again.Calls().size();
    ASSERT_TRUE(DrawLandscapeMap(again, Request("valley.map"), &fresh));
    ASSERT_EQ(again.Calls().size(), 2 * drawn);
    for (std::size_t i = 0; i < drawn; ++i) {
        EXPECT_EQ(again.Calls()[drawn + i].Points, again.Calls()[i].Points);
        EXPECT_EQ(again.Calls()[drawn + i].Pen, again.Calls()[i].Pen);
        EXPECT_EQ(again.Calls()[drawn + i].Clip, again.Calls()[i].Clip);
    }
    EXPECT_EQ(fresh.Hits(), 1);
}

TEST_F(LandscapeMapTest, FillsAfterThePopulationsAreNeverCached)
{
    WriteAll(dir.file("marsh.map"), "POLY\r\nP 1\r\n0 0\r\n10 0\r\n0 10\r\n");
    double abundance = 10;
    TLandscapeRequest request = Request("marsh.map");
    request.Populations.Count = 1;
    request.Populations.Abundance = [&](int) { return abundance; };
    request.Populations.CarryingCapacity = [](int) { return 100.0; };
    TLandscapeCache cache;
    std::vector<TColor> fills;
    for (double a : {10.0, 80.0, 80.0}) {
        abundance = a;
        canvas.ClearCalls();
        ASSERT_TRUE(DrawLandscapeMap(canvas, request, &cache));
        fills.push_back(canvas.CallsOf(Kind::Polygon).at(0).Brush.Color);
    }
    EXPECT_EQ(fills, (std::vector<TColor>{PaletteColor(0), PaletteColor(1), PaletteColor(1)}));
    EXPECT_EQ(cache.Hits(), 0);
    EXPECT_EQ(cache.Misses(), 3);
}
