#pragma once
// A canvas that draws nothing and records every drawing and clip call with the
// state in force, so tests can check what a chart drew and in which pen,
// brush, font and clip.
//
// Text metrics are simple and deterministic, independent of any installed
// font: the font's pixel height h = Round(size x DPI(y) / 72), at least 1;
// ascent h - h / 5, descent h / 5 (integer division); every character is
// Max(1, h / 2) pixels wide. The angle does not change the extent.

#include "chart/canvas.h"

#include <optional>
#include <string>
#include <vector>

struct TCanvasCall {
    enum class Kind { Line, Polyline, Rectangle, FillRect, Ellipse, TextOut, SetClip, ResetClip };
    Kind Op = Kind::Line;
    std::vector<TPoint> Points;   // Line: from, to; Polyline: all; TextOut: the anchor
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
    int LogicalDpiX() const override { return dpi_; }
    int LogicalDpiY() const override { return dpi_; }
    bool IsMonochrome() const override { return monochrome_; }
    TColor WindowColor() const override { return windowColor_; }

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(const TPoint* points, int count) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoTextOut(TPoint anchor, const std::string& text) override;
    bool DoSetClip(const std::optional<TRect>& r) override;

private:
    TCanvasCall& Record(TCanvasCall::Kind kind);
    int PixelHeight() const;

    TRect device_;
    int dpi_;
    bool monochrome_;
    TColor windowColor_ = kWhite;
    bool failNextClip_ = false;
    std::vector<TCanvasCall> calls_;
};
