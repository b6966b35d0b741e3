#pragma once
// A canvas that draws nothing and records every drawing and clip call with the
// state in force, so tests can check what a chart drew and in which pen,
// brush, font and clip.
//
// Text metrics are simple and deterministic, independent of any installed
// font: the font's pixel height h = Round(size x DPI(y) / 72), at least 1;
// ascent h - h / 5, descent h / 5 (integer division); every character is
// Max(1, h / 2) pixels wide. The angle does not change the extent. A
// recording canvas made on another canvas takes its text sizes and device
// facts from that one instead, so that what it records can be replayed
// there (ReplayCalls) exactly as if it had been drawn there.

#include "chart/canvas.h"

#include <optional>
#include <string>
#include <vector>

struct TCanvasCall {
    enum class Kind { Line, Polyline, Rectangle, FillRect, Ellipse, TextOut, SetClip, ResetClip, Polygon };
    Kind Op = Kind::Line;
    std::vector<TPoint> Points;   // Line: from, to; Polyline, Polygon: all; TextOut: the anchor
    TRect Rect;                   // Rectangle, FillRect, Ellipse, SetClip
    std::string Text;             // TextOut
    // State in force at the call.
    TPen Pen;
    TBrush Brush;
    TColor Background = kWhite;
    bool Transparent = false;
    TFont Font;
    int Align = 0;
    std::optional<TRect> Clip;    // the clip before the call
};

class RecordingCanvas : public TCanvas {
public:
    explicit RecordingCanvas(TRect device = {0, 0, 640, 480}, int dpi = 96, bool monochrome = false);
    // Starts in the state of `measure`, measures text with it (in this
    // canvas's font) and reports its device facts; `measure` must outlive
    // this canvas.
    explicit RecordingCanvas(TCanvas& measure);

    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // Calls of one kind, in order.
    std::vector<TCanvasCall> CallsOf(TCanvasCall::Kind kind) const;
    // Texts written, in order.
    std::vector<std::string> Texts() const;

    // Makes the next SetClipRect fail, as a device that refuses a region would.
    void FailNextClip() { failNextClip_ = true; }
    void SetMonochrome(bool m) { monochrome_ = m; }
    void SetWindowColor(TColor c) { windowColor_ = c; }

    TSize TextExtent(const std::string& text) const override;
    TFontMetrics FontMetrics() const override;
    TRect DeviceRect() const override { return device_; }
    int LogicalDpiX() const override { return dpiX_; }
    int LogicalDpiY() const override { return dpi_; }
    bool IsMonochrome() const override { return monochrome_; }
    TColor WindowColor() const override { return windowColor_; }

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(const TPoint* points, int count) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoPolygon(const TPoint* points, int count) override;
    void DoTextOut(TPoint anchor, const std::string& text) override;
    bool DoSetClip(const std::optional<TRect>& r) override;

private:
    TCanvasCall& Record(TCanvasCall::Kind kind);
    int PixelHeight() const;

    TRect device_;
    int dpiX_;
    int dpi_;
    bool monochrome_;
    TColor windowColor_ = kWhite;
    bool failNextClip_ = false;
    TCanvas* measure_ = nullptr;
    std::vector<TCanvasCall> calls_;
};

// Draws recorded calls onto a canvas, each in the pen, brush, background,
// font and alignment it was recorded with; clip calls set and reset the
// target's clip. The target keeps the state of the last call.
void ReplayCalls(const std::vector<TCanvasCall>& calls, TCanvas& target);
