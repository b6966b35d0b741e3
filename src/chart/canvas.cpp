#include "chart/canvas.h"

#include <algorithm>

TPenStyle PenStyleFromCode(int code)
{
    return code >= 0 && code <= 5 ? static_cast<TPenStyle>(code) : TPenStyle::Solid;
}

TBrushStyle BrushStyleFromCode(int code)
{
    return code >= 0 && code <= 7 ? static_cast<TBrushStyle>(code) : TBrushStyle::Solid;
}

TRect NormalizedRect(const TRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint to{x, y};
    DoLine(penPos_, to);
    penPos_ = to;
}

void TCanvas::Polyline(const TPoint* points, int count)
{
    if (points && count > 0)
        DoPolyline(points, count);
}

void TCanvas::Rectangle(const TRect& r) { DoRectangle(NormalizedRect(r)); }

void TCanvas::FillRect(const TRect& r) { DoFillRect(NormalizedRect(r)); }

void TCanvas::Ellipse(const TRect& r) { DoEllipse(NormalizedRect(r)); }

void TCanvas::Polygon(const TPoint* points, int count)
{
    if (points && count >= 2)
        DoPolygon(points, count);
}

void TCanvas::TextOut(int x, int y, const std::string& text) { DoTextOut({x, y}, text); }

bool TCanvas::SetClipRect(const TRect& r)
{
    const TRect n = NormalizedRect(r);
    if (!DoSetClip(n))
        return false;
    clip_ = n;
    return true;
}

void TCanvas::ResetClip()
{
    DoSetClip(std::nullopt);
    clip_.reset();
}

TCanvasStateSaver::TCanvasStateSaver(TCanvas& canvas)
    : canvas_(canvas), pen_(canvas.Pen()), brush_(canvas.Brush()), background_(canvas.BackgroundColor()),
      transparent_(canvas.Transparent()), font_(canvas.Font()), align_(canvas.TextAlign()),
      penPos_(canvas.PenPos())
{
    if (canvas.IsClipped())
        clip_ = canvas.ClipBox();
}

TCanvasStateSaver::~TCanvasStateSaver()
{
    canvas_.SetPen(pen_);
    canvas_.SetBrush(brush_);
    canvas_.SetBackgroundColor(background_);
    canvas_.SetTransparent(transparent_);
    canvas_.SetFont(font_);
    canvas_.SetTextAlign(align_);
    canvas_.MoveTo(penPos_.x, penPos_.y);
    if (clip_ != (canvas_.IsClipped() ? std::optional<TRect>(canvas_.ClipBox()) : std::nullopt)) {
        if (clip_)
            canvas_.SetClipRect(*clip_);
        else
            canvas_.ResetClip();
    }
}
