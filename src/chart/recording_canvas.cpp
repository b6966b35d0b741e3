#include "chart/recording_canvas.h"

#include <algorithm>
#include <cmath>

RecordingCanvas::RecordingCanvas(TRect device, int dpi, bool monochrome)
    : device_(device), dpiX_(dpi), dpi_(dpi), monochrome_(monochrome)
{
}

RecordingCanvas::RecordingCanvas(TCanvas& measure)
    : device_(measure.DeviceRect()), dpiX_(measure.LogicalDpiX()), dpi_(measure.LogicalDpiY()),
      monochrome_(measure.IsMonochrome()), windowColor_(measure.WindowColor()), measure_(&measure)
{
    SetPen(measure.Pen());
    SetBrush(measure.Brush());
    SetBackgroundColor(measure.BackgroundColor());
    SetTransparent(measure.Transparent());
    SetFont(measure.Font());
    SetTextAlign(measure.TextAlign());
    MoveTo(measure.PenPos().x, measure.PenPos().y);
}

namespace {

// Runs a measurement on `measure` in `font`, leaving its own font as it was.
template <class F>
auto MeasuredIn(TCanvas& measure, const TFont& font, F f)
{
    const TFont own = measure.Font();
    measure.SetFont(font);
    const auto result = f(measure);
    measure.SetFont(own);
    return result;
}

}  // namespace

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
    if (measure_)
        return MeasuredIn(*measure_, Font(), [&](TCanvas& m) { return m.TextExtent(text); });
    const int h = PixelHeight();
    const int w = std::max(1, h / 2);
    return {static_cast<int>(text.size()) * w, h};
}

TFontMetrics RecordingCanvas::FontMetrics() const
{
    if (measure_)
        return MeasuredIn(*measure_, Font(), [](TCanvas& m) { return m.FontMetrics(); });
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

void RecordingCanvas::DoPolygon(const TPoint* points, int count)
{
    Record(TCanvasCall::Kind::Polygon).Points.assign(points, points + count);
}

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

void ReplayCalls(const std::vector<TCanvasCall>& calls, TCanvas& target)
{
    using Kind = TCanvasCall::Kind;
    for (const TCanvasCall& c : calls) {
        target.SetPen(c.Pen);
        target.SetBrush(c.Brush);
        target.SetBackgroundColor(c.Background);
        target.SetTransparent(c.Transparent);
        target.SetFont(c.Font);
        target.SetTextAlign(c.Align);
        const int n = static_cast<int>(c.Points.size());
        switch (c.Op) {
        case Kind::Line:
            if (n == 2) {
                target.MoveTo(c.Points[0].x, c.Points[0].y);
                target.LineTo(c.Points[1].x, c.Points[1].y);
            }
            break;
        case Kind::Polyline: target.Polyline(c.Points.data(), n); break;
        case Kind::Polygon: target.Polygon(c.Points.data(), n); break;
        case Kind::Rectangle: target.Rectangle(c.Rect); break;
        case Kind::FillRect: target.FillRect(c.Rect); break;
        case Kind::Ellipse: target.Ellipse(c.Rect); break;
        case Kind::TextOut:
            if (n == 1)
                target.TextOut(c.Points[0].x, c.Points[0].y, c.Text);
            break;
        case Kind::SetClip: target.SetClipRect(c.Rect); break;
        case Kind::ResetClip: target.ResetClip(); break;
        }
    }
}
