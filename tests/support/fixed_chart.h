#pragma once
// One fixed chart drawn through TGraph on any canvas, so that the back ends
// can be compared with what the recording canvas records: axes 0..50 by
// 0..350, two series (red solid, blue dashed), a bar series, and two titles,
// one of them turned by 90 degrees.

#include "chart/graph.h"

inline void DrawFixedChart(TCanvas& canvas)
{
    canvas.SetFontFace("DejaVu Sans");
    TGraph graph;
    graph.SetCanvas(&canvas);
    const TRect d = canvas.DeviceRect();
    graph.SetArea(d.Left, d.Top, d.Right, d.Bottom);
    double xtic = 0, ytic = 0;
    graph.SetupAxes(false, xtic, ytic, 0, 50, 0, 350);
    static const float xs[] = {0, 10, 20, 30, 40, 50};
    static const float rising[] = {100, 150, 220, 260, 300, 340};
    static const float falling[] = {300, 250, 180, 120, 60, 20};
    static const float bars[] = {40, 60, 80, 60, 40, 20};
    graph.DrawBars(xs, bars, 4, 10, 4, 6);   // lime, hatched top-left to bottom-right
    graph.DrawLine(xs, rising, 0, 12, 6);    // red, solid
    graph.DrawLine(xs, falling, 1, 9, 6);    // blue, dashed
    graph.TextAt("Abundance", 900, kAlignCenter | kAlignBottom, 30, 500);
    graph.TextAt("Time", 0, kAlignCenter | kAlignTop, 520, 60);
}
