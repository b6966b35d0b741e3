#include "picture/emf_canvas.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

void PutRect(TRecordBytes& b, const TRect& r)
{
    b.I32(r.Left);
    b.I32(r.Top);
    b.I32(r.Right);
    b.I32(r.Bottom);
}

int Scaled(int pixels, double perInch, int dpi)
{
    return std::max(1, static_cast<int>(std::lround(pixels * perInch / dpi)));
}

}  // namespace

TEmfCanvas::TEmfCanvas(int width, int height, int dpi, const TTextMeasure* measure)
    : TMetafileCanvas(width, height, dpi, measure, 1)   // handle 0 is the metafile itself
{
}

void TEmfCanvas::Record(std::uint32_t type, const TRecordBytes& params)
{
    body_.U32(type);
    body_.U32(static_cast<std::uint32_t>(8 + params.Size()));
    body_.Raw(params.Str());
    ++records_;
}

void TEmfCanvas::Record1(std::uint32_t type, std::uint32_t value)
{
    TRecordBytes p;
    p.U32(value);
    Record(type, p);
}

void TEmfCanvas::SetDescription(const std::string& creator, const std::string& title)
{
    description_ = creator + '\0' + title + '\0' + '\0';
}

std::string TEmfCanvas::Bytes() const
{
    // The description follows the fixed header as UTF-16 characters, padded
    // to a whole number of 32-bit words.
    TRecordBytes description;
    for (const char c : description_)
        description.U16(static_cast<unsigned char>(c));
    while (description.Size() % 4)
        description.U8(0);
    const std::uint32_t headerSize = emf::kHeaderSize + static_cast<std::uint32_t>(description.Size());
    const std::uint32_t total = headerSize + static_cast<std::uint32_t>(body_.Size()) + 20;
    TRecordBytes h;
    h.U32(emf::kHeader);
    h.U32(headerSize);
    PutRect(h, {0, 0, Width() - 1, Height() - 1});                  // bounds, pixels, inclusive
    PutRect(h, {0, 0, Scaled(Width(), 2540, Dpi()) - 1, Scaled(Height(), 2540, Dpi()) - 1});   // 0.01 mm
    h.U32(emf::kSignature);
    h.U32(0x10000);
    h.U32(total);
    h.U32(records_ + 2);   // with the header and the end of file
    h.U16(static_cast<std::uint32_t>(std::min(HandleTableSize(), 0xFFFF)));
    h.U16(0);
    h.U32(static_cast<std::uint32_t>(description_.size()));
    h.U32(description_.empty() ? 0 : emf::kHeaderSize);
    h.U32(0);   // no palette
    h.I32(Width());   // reference device: the picture at its resolution
    h.I32(Height());
    h.I32(Scaled(Width(), 25.4, Dpi()));
    h.I32(Scaled(Height(), 25.4, Dpi()));
    h.U32(0);   // no pixel format
    h.U32(0);
    h.U32(0);   // no OpenGL
    h.I32(Scaled(Width(), 25400, Dpi()));
    h.I32(Scaled(Height(), 25400, Dpi()));
    h.Raw(description.Str());
    h.Raw(body_.Str());
    h.U32(emf::kEof);
    h.U32(20);
    h.U32(0);    // no palette entries
    h.U32(16);   // where they would start
    h.U32(20);   // size of this record
    return h.Str();
}

void TEmfCanvas::EmitCreatePen(int handle, const TPen& pen)
{
    TRecordBytes p;
    p.U32(static_cast<std::uint32_t>(handle));
    p.U32(static_cast<std::uint32_t>(pen.Style));   // the style numbers are the device's
    p.I32(std::max(0, pen.Width));
    p.I32(0);
    p.U32(pen.Color);
    Record(emf::kCreatePen, p);
}

void TEmfCanvas::EmitCreateBrush(int handle, const TBrush& brush)
{
    TRecordBytes p;
    p.U32(static_cast<std::uint32_t>(handle));
    const int style = static_cast<int>(brush.Style);
    if (style >= static_cast<int>(TBrushStyle::Horizontal)) {
        p.U32(2);   // hatched
        p.U32(brush.Color);
        p.U32(static_cast<std::uint32_t>(style - static_cast<int>(TBrushStyle::Horizontal)));
    } else {
        p.U32(brush.Style == TBrushStyle::Clear ? 1 : 0);   // hollow or solid
        p.U32(brush.Color);
        p.U32(0);
    }
    Record(emf::kCreateBrushIndirect, p);
}

void TEmfCanvas::EmitCreateFont(int handle, const TFont& font, int pixelHeight)
{
    TRecordBytes p;
    p.U32(static_cast<std::uint32_t>(handle));
    p.I32(-pixelHeight);   // negative: the character (em) height
    p.I32(0);
    p.I32(font.Angle);     // escapement
    p.I32(font.Angle);     // orientation
    p.I32(font.Bold ? 700 : 400);
    p.U8(font.Italic ? 1 : 0);
    p.U8(font.Underline ? 1 : 0);
    p.U8(font.StrikeOut ? 1 : 0);
    p.U8(1);   // default character set
    p.U8(0);
    p.U8(0);
    p.U8(0);
    p.U8(0);
    const size_t n = std::min<size_t>(font.Face.size(), 31);
    for (size_t i = 0; i < 32; ++i)
        p.U16(i < n ? static_cast<unsigned char>(font.Face[i]) : 0);
    Record(emf::kExtCreateFontIndirectW, p);
}

void TEmfCanvas::EmitSelect(int handle) { Record1(emf::kSelectObject, static_cast<std::uint32_t>(handle)); }

void TEmfCanvas::EmitDelete(int handle) { Record1(emf::kDeleteObject, static_cast<std::uint32_t>(handle)); }

void TEmfCanvas::EmitTextColor(TColor c) { Record1(emf::kSetTextColor, c); }

void TEmfCanvas::EmitBkColor(TColor c) { Record1(emf::kSetBkColor, c); }

void TEmfCanvas::EmitBkMode(bool transparent) { Record1(emf::kSetBkMode, transparent ? 1 : 2); }

void TEmfCanvas::EmitTextAlign(int code) { Record1(emf::kSetTextAlign, static_cast<std::uint32_t>(code)); }

void TEmfCanvas::EmitLine(TPoint from, TPoint to)
{
    TRecordBytes m;
    m.I32(from.x);
    m.I32(from.y);
    Record(emf::kMoveToEx, m);
    TRecordBytes l;
    l.I32(to.x);
    l.I32(to.y);
    Record(emf::kLineTo, l);
}

void TEmfCanvas::EmitPolyline(const TPoint* points, int count) { PointsRecord(emf::kPolyline, points, count); }

void TEmfCanvas::EmitPolygon(const TPoint* points, int count) { PointsRecord(emf::kPolygon, points, count); }

void TEmfCanvas::PointsRecord(std::uint32_t type, const TPoint* points, int count)
{
    TRect b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) {
        b.Left = std::min(b.Left, points[i].x);
        b.Top = std::min(b.Top, points[i].y);
        b.Right = std::max(b.Right, points[i].x);
        b.Bottom = std::max(b.Bottom, points[i].y);
    }
    TRecordBytes p;
    PutRect(p, b);
    p.U32(static_cast<std::uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        p.I32(points[i].x);
        p.I32(points[i].y);
    }
    Record(type, p);
}

void TEmfCanvas::EmitRectangle(const TRect& r)
{
    TRecordBytes p;
    PutRect(p, r);
    Record(emf::kRectangle, p);
}

void TEmfCanvas::EmitEllipse(const TRect& r)
{
    TRecordBytes p;
    PutRect(p, r);
    Record(emf::kEllipse, p);
}

void TEmfCanvas::EmitText(TPoint anchor, const std::string& text)
{
    const std::vector<int> dx = CharAdvances(text);
    const size_t n = text.size();
    const size_t stringBytes = (2 * n + 3) / 4 * 4;
    const std::uint32_t offString = 76;
    TRecordBytes p;
    PutRect(p, TextBounds(anchor, text));
    p.U32(1);   // compatible graphics mode
    const float scale = static_cast<float>(2540.0 / Dpi());   // 0.01 mm per pixel
    p.U32(std::bit_cast<std::uint32_t>(scale));
    p.U32(std::bit_cast<std::uint32_t>(scale));
    p.I32(anchor.x);
    p.I32(anchor.y);
    p.U32(static_cast<std::uint32_t>(n));
    p.U32(offString);
    p.U32(0);           // no options: the background mode decides about opaque text
    PutRect(p, {0, 0, -1, -1});
    p.U32(static_cast<std::uint32_t>(offString + stringBytes));
    for (unsigned char ch : text)
        p.U16(ch);   // 8-bit text is Latin-1, the first 256 code points
    p.Zeros(stringBytes - 2 * n);
    for (int d : dx)
        p.I32(d);
    Record(emf::kExtTextOutW, p);
}

bool TEmfCanvas::DoSetClip(const std::optional<TRect>& r)
{
    TRecordBytes reset;
    reset.U32(0);   // no region data: back to the whole picture
    reset.U32(5);   // copy
    Record(emf::kExtSelectClipRgn, reset);
    if (r) {
        TRecordBytes p;
        PutRect(p, *r);
        Record(emf::kIntersectClipRect, p);
    }
    return true;
}
