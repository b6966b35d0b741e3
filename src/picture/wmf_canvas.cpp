#include "picture/wmf_canvas.h"

#include <algorithm>

TWmfCanvas::TWmfCanvas(int width, int height, int dpi, const TTextMeasure* measure)
    : TMetafileCanvas(std::min(width, 32767), std::min(height, 32767), dpi, measure, 0)
{
    TRecordBytes mode;
    mode.U16(8);   // anisotropic: the picture scales to the frame it is played into
    Record(wmf::kSetMapMode, mode);
    TRecordBytes org;
    org.I16(0);
    org.I16(0);
    Record(wmf::kSetWindowOrg, org);
    TRecordBytes ext;
    ext.I16(Height());   // y first
    ext.I16(Width());
    Record(wmf::kSetWindowExt, ext);
}

void TWmfCanvas::Record(std::uint16_t function, const TRecordBytes& params)
{
    const std::uint32_t words = static_cast<std::uint32_t>(3 + params.Size() / 2);
    body_.U32(words);
    body_.U16(function);
    body_.Raw(params.Str());
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void TWmfCanvas::Record1(std::uint16_t function, int value)
{
    TRecordBytes p;
    p.I16(value);
    Record(function, p);
}

void TWmfCanvas::RectRecord(std::uint16_t function, const TRect& r)
{
    TRecordBytes p;   // bottom, right, top, left
    p.I16(r.Bottom);
    p.I16(r.Right);
    p.I16(r.Top);
    p.I16(r.Left);
    Record(function, p);
}

std::string TWmfCanvas::Bytes() const
{
    TRecordBytes out;
    // Placeable header: bounding box in pixels and pixels per inch.
    out.U32(wmf::kPlaceableKey);
    out.U16(0);
    out.I16(0);
    out.I16(0);
    out.I16(Width());
    out.I16(Height());
    out.U16(static_cast<std::uint32_t>(std::clamp(Dpi(), 1, 0xFFFF)));
    out.U32(0);
    std::uint32_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<unsigned char>(out.Str()[i]) | (static_cast<unsigned char>(out.Str()[i + 1]) << 8);
    out.U16(sum);
    const std::uint32_t words = static_cast<std::uint32_t>((wmf::kHeaderSize + body_.Size()) / 2 + 3);
    out.U16(1);   // in memory
    out.U16(wmf::kHeaderSize / 2);
    out.U16(0x0300);
    out.U32(words);
    out.U16(static_cast<std::uint32_t>(HandleTableSize()));
    out.U32(maxRecordWords_);
    out.U16(0);
    out.Raw(body_.Str());
    out.U32(3);   // end of file
    out.U16(wmf::kEof);
    return out.Str();
}

void TWmfCanvas::EmitCreatePen(int, const TPen& pen)
{
    // The handle is the lowest free slot, which the player assigns itself.
    TRecordBytes p;
    p.U16(static_cast<std::uint32_t>(pen.Style));
    p.I16(std::max(0, pen.Width));
    p.I16(0);
    p.U32(pen.Color);
    Record(wmf::kCreatePenIndirect, p);
}

void TWmfCanvas::EmitCreateBrush(int, const TBrush& brush)
{
    TRecordBytes p;
    const int style = static_cast<int>(brush.Style);
    if (style >= static_cast<int>(TBrushStyle::Horizontal)) {
        p.U16(2);   // hatched
        p.U32(brush.Color);
        p.U16(static_cast<std::uint32_t>(style - static_cast<int>(TBrushStyle::Horizontal)));
    } else {
        p.U16(brush.Style == TBrushStyle::Clear ? 1 : 0);
        p.U32(brush.Color);
        p.U16(0);
    }
    Record(wmf::kCreateBrushIndirect, p);
}

void TWmfCanvas::EmitCreateFont(int, const TFont& font, int pixelHeight)
{
    TRecordBytes p;
    p.I16(-pixelHeight);
    p.I16(0);
    p.I16(font.Angle);
    p.I16(font.Angle);
    p.I16(font.Bold ? 700 : 400);
    p.U8(font.Italic ? 1 : 0);
    p.U8(font.Underline ? 1 : 0);
    p.U8(font.StrikeOut ? 1 : 0);
    p.U8(0);   // the 8-bit character set
    p.U8(0);
    p.U8(0);
    p.U8(0);
    p.U8(0);
    const size_t n = std::min<size_t>(font.Face.size(), 31);
    p.Raw(font.Face.substr(0, n));
    p.Zeros(32 - n);
    Record(wmf::kCreateFontIndirect, p);
}

void TWmfCanvas::EmitSelect(int handle) { Record1(wmf::kSelectObject, handle); }

void TWmfCanvas::EmitDelete(int handle) { Record1(wmf::kDeleteObject, handle); }

void TWmfCanvas::EmitTextColor(TColor c)
{
    TRecordBytes p;
    p.U32(c);
    Record(wmf::kSetTextColor, p);
}

void TWmfCanvas::EmitBkColor(TColor c)
{
    TRecordBytes p;
    p.U32(c);
    Record(wmf::kSetBkColor, p);
}

void TWmfCanvas::EmitBkMode(bool transparent) { Record1(wmf::kSetBkMode, transparent ? 1 : 2); }

void TWmfCanvas::EmitTextAlign(int code) { Record1(wmf::kSetTextAlign, code); }

void TWmfCanvas::EmitLine(TPoint from, TPoint to)
{
    TRecordBytes m;
    m.I16(from.y);
    m.I16(from.x);
    Record(wmf::kMoveTo, m);
    TRecordBytes l;
    l.I16(to.y);
    l.I16(to.x);
    Record(wmf::kLineTo, l);
}

void TWmfCanvas::EmitPolyline(const TPoint* points, int count)
{
    // A point count is 16-bit: longer lines go in pieces that share their ends.
    constexpr int kMax = 32767;
    for (int start = 0;; start += kMax - 1) {
        const int n = std::min(kMax, count - start);
        TRecordBytes p;
        p.I16(n);
        for (int i = start; i < start + n; ++i) {
            p.I16(points[i].x);
            p.I16(points[i].y);
        }
        Record(wmf::kPolyline, p);
        if (start + n >= count)
            break;
    }
}

void TWmfCanvas::EmitPolygon(const TPoint* points, int count)
{
    // A point count is 16-bit, and a polygon cannot be split: points beyond
    // that are left out.
    const int n = std::min(count, 32767);
    TRecordBytes p;
    p.I16(n);
    for (int i = 0; i < n; ++i) {
        p.I16(points[i].x);
        p.I16(points[i].y);
    }
    Record(wmf::kPolygon, p);
}

void TWmfCanvas::EmitRectangle(const TRect& r) { RectRecord(wmf::kRectangle, r); }

void TWmfCanvas::EmitEllipse(const TRect& r) { RectRecord(wmf::kEllipse, r); }

void TWmfCanvas::EmitText(TPoint anchor, const std::string& text)
{
    const std::string s = text.substr(0, 32766);
    TRecordBytes p;
    p.I16(static_cast<int>(s.size()));
    p.Raw(s);
    if (s.size() % 2)
        p.U8(0);
    p.I16(anchor.y);
    p.I16(anchor.x);
    Record(wmf::kTextOut, p);
}

bool TWmfCanvas::DoSetClip(const std::optional<TRect>& r)
{
    if (HasSavedContext()) {
        Record1(wmf::kRestoreDc, -1);
        PopContext();
    }
    if (r) {
        Record(wmf::kSaveDc, TRecordBytes{});
        PushContext();
        RectRecord(wmf::kIntersectClipRect, *r);
    }
    return true;
}
