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
