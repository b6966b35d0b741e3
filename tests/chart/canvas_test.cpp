#include "chart/recording_canvas.h"

#include <gtest/gtest.h>

using Kind = TCanvasCall::Kind;

TEST(RecordingCanvas, RecordsCallsWithTheStateInForce)
{
    RecordingCanvas c({0, 0, 200, 100});
    c.SetPenColor(Rgb(255, 0, 0));
    c.MoveTo(1, 2);
    c.LineTo(10, 20);
    c.SetBrushStyle(TBrushStyle::DiagCross);
    c.SetClipRect({50, 40, 5, 4});   // corners in any order
    c.Rectangle({30, 30, 10, 10});
    c.SetTextAlign(kAlignCenter | kAlignBaseline);
    c.SetFontAngle(900);
    c.TextOut(5, 6, "Hi");
    c.ResetClip();

    const auto& calls = c.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].Op, Kind::Line);
    EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{1, 2}, {10, 20}}));
    EXPECT_EQ(calls[0].Pen.Color, Rgb(255, 0, 0));
    EXPECT_EQ(c.PenPos(), (TPoint{10, 20}));
    EXPECT_EQ(calls[1].Rect, (TRect{5, 4, 50, 40}));
    EXPECT_EQ(calls[2].Rect, (TRect{10, 10, 30, 30}));
    EXPECT_EQ(calls[2].Brush.Style, TBrushStyle::DiagCross);
    EXPECT_EQ(calls[2].Clip, (TRect{5, 4, 50, 40}));
    EXPECT_EQ(calls[3].Text, "Hi");
    EXPECT_EQ(calls[3].Align, 30);
    EXPECT_EQ(calls[3].Font.Angle, 900);
    EXPECT_EQ(calls[4].Op, Kind::ResetClip);
    EXPECT_FALSE(c.IsClipped());
    EXPECT_EQ(c.ClipBox(), (TRect{0, 0, 200, 100}));
}

TEST(RecordingCanvas, TextMetricsFollowTheFontSize)
{
    RecordingCanvas c({0, 0, 100, 100}, 96);
    c.SetFontSize(12);   // 16 pixels at 96 DPI
    EXPECT_EQ(c.TextExtent("abc"), (TSize{24, 16}));
    EXPECT_EQ(c.FontMetrics().Ascent, 13);
    EXPECT_EQ(c.FontMetrics().Descent, 3);
    c.SetFontSize(24);
    EXPECT_EQ(c.TextExtent("abc").cy, 32);
}

TEST(RecordingCanvas, FailedClipKeepsTheOldRegion)
{
    RecordingCanvas c;
    ASSERT_TRUE(c.SetClipRect({1, 1, 5, 5}));
    c.FailNextClip();
    EXPECT_FALSE(c.SetClipRect({2, 2, 9, 9}));
    EXPECT_EQ(c.ClipBox(), (TRect{1, 1, 5, 5}));
}

TEST(CanvasCodes, StyleCodesMapWithSolidForUnknown)
{
    EXPECT_EQ(PenStyleFromCode(2), TPenStyle::Dot);
    EXPECT_EQ(PenStyleFromCode(99), TPenStyle::Solid);
    EXPECT_EQ(BrushStyleFromCode(7), TBrushStyle::DiagCross);
    EXPECT_EQ(BrushStyleFromCode(-1), TBrushStyle::Solid);
    EXPECT_EQ(HorizontalAlign(30), kAlignCenter);
    EXPECT_EQ(VerticalAlign(30), kAlignBaseline);
}

TEST(RecordingCanvas, ReplayDrawsTheCallsAgainInTheirStateAndMeasuresWithTheTarget)
{
    RecordingCanvas target({0, 0, 300, 200}, 120);
    target.SetFontSize(12);
    target.SetPenColor(Rgb(1, 2, 3));
    RecordingCanvas recorder(target);
    EXPECT_EQ(recorder.DeviceRect(), target.DeviceRect());
    EXPECT_EQ(recorder.LogicalDpiY(), 120);
    EXPECT_EQ(recorder.Pen(), target.Pen());
    recorder.SetFontSize(24);
    // Measured by the target in the recorder's font: 40 pixels at 120 DPI.
    EXPECT_EQ(recorder.TextExtent("ab"), (TSize{40, 40}));
    EXPECT_EQ(target.Font().Size, 12);

    recorder.MoveTo(1, 1);
    recorder.LineTo(20, 5);
    recorder.SetClipRect({0, 0, 100, 100});
    recorder.SetBrush({Rgb(0, 0, 128), TBrushStyle::Solid});
    const TPoint triangle[] = {{10, 10}, {40, 10}, {25, 30}};
    recorder.Polygon(triangle, 3);
    recorder.Polygon(triangle, 1);   // too few points: nothing
    TFont font = recorder.Font();
    font.Bold = font.Italic = font.Underline = font.StrikeOut = true;
    recorder.SetFont(font);
    recorder.SetTextAlign(kAlignCenter | kAlignBottom);
    recorder.TextOut(50, 60, "Lake");
    recorder.ResetClip();
    ASSERT_EQ(recorder.Calls().size(), 5u);
    EXPECT_EQ(recorder.Calls()[2].Op, Kind::Polygon);
    EXPECT_EQ(recorder.Calls()[2].Points.size(), 3u);

    ReplayCalls(recorder.Calls(), target);
    const auto& want = recorder.Calls();
    const auto& got = target.Calls();
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].Op, want[i].Op) << i;
        EXPECT_EQ(got[i].Points, want[i].Points) << i;
        EXPECT_EQ(got[i].Rect, want[i].Rect) << i;
        EXPECT_EQ(got[i].Text, want[i].Text) << i;
        EXPECT_EQ(got[i].Pen, want[i].Pen) << i;
        EXPECT_EQ(got[i].Brush, want[i].Brush) << i;
        EXPECT_EQ(got[i].Font, want[i].Font) << i;
        EXPECT_EQ(got[i].Align, want[i].Align) << i;
        EXPECT_EQ(got[i].Clip, want[i].Clip) << i;
    }
}
