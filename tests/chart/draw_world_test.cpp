#include "chart/draw_world.h"
#include "chart/palette.h"
#include "chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using Kind = TCanvasCall::Kind;

namespace {
TDrawWorld World(double xmin, double ymin, double xmax, double ymax, TRect dev)
{
    TDrawWorld w;
    w.SetWorld(xmin, ymin, xmax, ymax);
    w.SetViewport(dev.Left, dev.Top, dev.Right, dev.Bottom);
    return w;
}
}  // namespace

TEST(DrawWorld, MapsWorldToDeviceWithRoundingAndClamps)
{
    const TDrawWorld w = World(0, 0, 10, 10, {0, 0, 100, 100});
    const TDrawWorld unit = World(0, 0, 100, 100, {0, 0, 100, 100});
    struct Case { const char* what; int got; int want; };
    const Case cases[] = {
        {"X(5)", w.WorldToDevX(5), 50},
        {"Y(10)", w.WorldToDevY(10), 0},
        {"Y(0)", w.WorldToDevY(0), 100},
        {"X(2.5) half to even", unit.WorldToDevX(2.5), 2},
        {"X(3.5) half to even", unit.WorldToDevX(3.5), 4},
        {"Y(97.5) half to even", unit.WorldToDevY(97.5), 2},
        {"X(1e12)", w.WorldToDevX(1e12), 32767},
        {"X(-1e12)", w.WorldToDevX(-1e12), -32768},
        {"Y(-1e12)", w.WorldToDevY(-1e12), 32767},
        {"Y(1e12) raised to height - 32768", w.WorldToDevY(1e12), 100 - 32768},
        {"length x 2", w.LengthToDevX(2), 20},
        {"length y 2 points down", w.LengthToDevY(2), 20},
        {"length y -3", w.LengthToDevY(-3), -30},
        {"length x 1e12", w.LengthToDevX(1e12), 32767},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(DrawWorld, ZeroSpanWorldMapsOneUnitPerPixel)
{
    const TDrawWorld w = World(3, 7, 3, 7, {10, 20, 110, 220});
    EXPECT_EQ(w.WorldToDevX(3), 10);
    EXPECT_EQ(w.WorldToDevX(5), 12);
    EXPECT_EQ(w.WorldToDevY(7), 20);
    EXPECT_EQ(w.WorldToDevY(4), 23);
    EXPECT_EQ(w.LengthToDevX(4), 4);
    EXPECT_EQ(w.LengthToDevY(-4), -4);
}

TEST(DrawWorld, MovesTakeYFirstAndDrawThroughTheCanvas)
{
    RecordingCanvas canvas({0, 0, 100, 100});
    TDrawWorld w = World(0, 0, 10, 10, {0, 0, 100, 100});
    w.Canvas = &canvas;
    w.MoveTo(2, 8);
    EXPECT_EQ(canvas.PenPos(), (TPoint{80, 80}));   // x 8, y 2 (y upward)
    w.LineTo(10, 0);
    w.MoveRelative(5, -3);
    EXPECT_EQ(canvas.PenPos(), (TPoint{-3, 5}));
    w.MoveToDevice(1e10, -1e10);
    EXPECT_EQ(canvas.PenPos(), (TPoint{2147483647, -2147483647}));
    const auto lines = canvas.CallsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{80, 80}, {0, 0}}));
}

TEST(DrawWorld, PolylinesCapTheirPointCount)
{
    RecordingCanvas canvas({0, 0, 100, 100});
    TDrawWorld w = World(0, 0, 200, 200, {0, 0, 200, 200});
    w.Canvas = &canvas;
    std::vector<float> xs(300), ys(300);
    for (int i = 0; i < 300; ++i)
        xs[i] = ys[i] = static_cast<float>(i);
    w.Polyline(xs.data(), ys.data(), 161);
    w.Polyline(xs.data(), ys.data(), 300);
    const auto polys = canvas.CallsOf(Kind::Polyline);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].Points.size(), 161u);
    EXPECT_EQ(polys[0].Points[160], (TPoint{160, 40}));
    EXPECT_EQ(polys[1].Points.size(), 161u);

    canvas.ClearCalls();
    w.MoveTo(100, 100);
    const float dx[] = {1, 2, 0}, dy[] = {1, 0, -3};
    w.RelativePolyline(dx, dy, 3);
    EXPECT_EQ(canvas.Calls().at(0).Points, (std::vector<TPoint>{{101, 101}, {103, 101}, {103, 98}}));
    EXPECT_EQ(canvas.PenPos(), (TPoint{100, 100}));

    // From a pen at the far edge of the device range the points stay on it
    // instead of wrapping round.
    canvas.ClearCalls();
    w.MoveToDevice(2147483647.0, 2147483647.0);
    const float out[] = {50, 50};
    w.RelativePolyline(out, out, 2);
    EXPECT_EQ(canvas.Calls().at(0).Points,
              (std::vector<TPoint>{{2147483647, 2147483647}, {2147483647, 2147483647}}));
}

TEST(DrawWorld, BarUsesPaletteColoursAndNormalisesCorners)
{
    RecordingCanvas canvas({0, 0, 100, 100});
    TDrawWorld w = World(0, 0, 10, 10, {0, 0, 100, 100});
    w.Canvas = &canvas;
    w.Bar(19, TBrushStyle::Cross, 2, 5, 2, -3);   // 19 wraps to 3 (teal)
    const auto& r = canvas.Calls().at(0);
    EXPECT_EQ(r.Op, Kind::Rectangle);
    EXPECT_EQ(r.Rect, (TRect{20, 50, 40, 80}));
    EXPECT_EQ(r.Brush, (TBrush{Rgb(0, 128, 128), TBrushStyle::Cross}));
    EXPECT_EQ(r.Pen.Color, Rgb(0, 128, 128));
}

TEST(Palette, SixteenColoursWrapAndClipHelpers)
{
    EXPECT_EQ(PaletteColor(0), Rgb(0, 0, 0));
    EXPECT_EQ(PaletteColor(7), Rgb(192, 192, 192));
    EXPECT_EQ(PaletteColor(12), Rgb(255, 0, 0));
    EXPECT_EQ(PaletteColor(15), Rgb(255, 255, 255));
    EXPECT_EQ(PaletteColor(16 + 9), Rgb(0, 0, 255));
    EXPECT_EQ(PaletteColor(-1), PaletteColor(15));

    EXPECT_TRUE(SameRect({1, 2, 3, 4}, {1, 2, 3, 4}));
    EXPECT_FALSE(SameRect({1, 2, 3, 4}, {1, 2, 3, 5}));

    RecordingCanvas canvas;
    ClipToRect(canvas, {5, 6, 7, 8});
    EXPECT_EQ(canvas.ClipBox(), (TRect{5, 6, 7, 8}));
    canvas.FailNextClip();
    EXPECT_THROW(ClipToRect(canvas, {0, 0, 1, 1}), std::runtime_error);
}
