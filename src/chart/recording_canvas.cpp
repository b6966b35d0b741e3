#include "chart/recording_canvas.h"

#include <algorithm>
#include <cmath>

RecordingCanvas::RecordingCanvas(TRect device, int dpi, bool monochrome)
    : device_(device), dpi_(dpi), monochrome_(monochrome)
{
}

std::vector<TCanvasCall> RecordingCanvas::CallsOf(TCanvasCall::Kind kind) const
{
    std::vector<TCanvasCall> out;
    for (const auto& c : calls_)
        if (c.Op == kind)
            out.push_back(c);
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const
{
    std::vector<std::string> out;
    for (const auto& c : calls_)
        if (c.Op == TCanvasCall::Kind::TextOut)
            out.push_back(c.Text);
    return out;
}

int RecordingCanvas::PixelHeight() const
{
    const double h = std::nearbyint(static_cast<double>(Font().Size) * dpi_ / 72.0);
    return std::max(1, static_cast<int>(std::clamp(h, 1.0, 100000.0)));
}

TSize RecordingCanvas::TextExtent(const std::string& text) const
{
    const int h = PixelHeight();
    const int w = std::max(1, h / 2);
    return {static_cast<int>(text.size()) * w, h};
}

TFontMetrics RecordingCanvas::FontMetrics() const
{
    const int h = PixelHeight();
    return {h - h / 5, h / 5};
}

TCanvasCall& RecordingCanvas::Record(TCanvasCall::Kind kind)
{
    TCanvasCall& c = calls_.emplace_back();
    c.Op = kind;
    c.Pen = Pen();
    c.Brush = Brush();
    c.Background = BackgroundColor();
    c.Transparent = Transparent();
    c.Font = Font();
    c.Align = TextAlign();
    if (IsClipped())
        c.Clip = ClipBox();
    return c;
}

void RecordingCanvas::DoLine(TPoint from, TPoint to) { Record(TCanvasCall::Kind::Line).Points = {from, to}; }

void RecordingCanvas::DoPolyline(const TPoint* points, int count)
{
    Record(TCanvasCall::Kind::Polyline).Points.assign(points, points + count);
}

void RecordingCanvas::DoRectangle(const TRect& r) { Record(TCanvasCall::Kind::Rectangle).Rect = r; }

void RecordingCanvas::DoFillRect(const TRect& r) { Record(TCanvasCall::Kind::FillRect).Rect = r; }

void RecordingCanvas::DoEllipse(const TRect& r) { Record(TCanvasCall::Kind::Ellipse).Rect = r; }

void RecordingCanvas::DoTextOut(TPoint anchor, const std::string& text)
{
    TCanvasCall& c = Record(TCanvasCall::Kind::TextOut);
    c.Points = {anchor};
    c.Text = text;
}

bool RecordingCanvas::DoSetClip(const std::optional<TRect>& r)
{
    if (r && failNextClip_) {
        failNextClip_ = false;
        return false;
    }
    if (r)
        Record(TCanvasCall::Kind::SetClip).Rect = *r;
    else
        Record(TCanvasCall::Kind::ResetClip);
    return true;
}
