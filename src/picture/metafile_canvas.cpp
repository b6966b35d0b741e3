#include "picture/metafile_canvas.h"

#include "core/file_io.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void TRecordBytes::U16(std::uint32_t v)
{
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void TRecordBytes::I16(int v) { U16(static_cast<std::uint32_t>(std::clamp(v, -32768, 32767)) & 0xFFFF); }

void TRecordBytes::U32(std::uint32_t v)
{
    U16(v & 0xFFFF);
    U16(v >> 16);
}

void TRecordBytes::PatchU32(size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_[offset + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TMetafileCanvas::TMetafileCanvas(int width, int height, int dpi, const TTextMeasure* measure,
                                 int firstHandle)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      dpi_(dpi > 0 ? dpi : 96),
      measure_(measure ? measure : &approximate_),
      firstHandle_(firstHandle),
      handleTableSize_(firstHandle)
{
}

TSize TMetafileCanvas::TextExtent(const std::string& text) const { return measure_->Extent(Font(), dpi_, text); }

TFontMetrics TMetafileCanvas::FontMetrics() const { return measure_->Metrics(Font(), dpi_); }

bool TMetafileCanvas::SaveToFile(const std::string& path) const { return WriteFileSafely(path, Bytes()); }

// ---- objects ------------------------------------------------------------------

int TMetafileCanvas::NewHandle()
{
    auto free = std::find(inUse_.begin(), inUse_.end(), false);
    const int index = static_cast<int>(free - inUse_.begin());
    if (free == inUse_.end())
        inUse_.push_back(true);
    else
        *free = true;
    handleTableSize_ = std::max(handleTableSize_, firstHandle_ + index + 1);
    return firstHandle_ + index;
}

bool TMetafileCanvas::Referenced(int handle) const
{
    auto refers = [handle](const TContext& c) { return c.pen == handle || c.brush == handle || c.font == handle; };
    return refers(dc_) || std::any_of(saved_.begin(), saved_.end(), refers);
}

void TMetafileCanvas::Release(int handle)
{
    EmitDelete(handle);
    inUse_[static_cast<size_t>(handle - firstHandle_)] = false;
}

void TMetafileCanvas::Replace(int& selected, int handle)
{
    EmitSelect(handle);
    const int old = selected;
    selected = handle;
    // An object still selected in a saved context comes back when that
    // context is restored, so it lives until then.
    if (old >= 0 && !Referenced(old))
        Release(old);
}

void TMetafileCanvas::UsePen(const TPen& pen)
{
    if (dc_.pen >= 0 && dc_.penValue == pen)
        return;
    const int h = NewHandle();
    EmitCreatePen(h, pen);
    dc_.penValue = pen;
    Replace(dc_.pen, h);
}

void TMetafileCanvas::UseBrush(const TBrush& brush)
{
    if (dc_.brush >= 0 && dc_.brushValue == brush)
        return;
    const int h = NewHandle();
    EmitCreateBrush(h, brush);
    dc_.brushValue = brush;
    Replace(dc_.brush, h);
}

void TMetafileCanvas::UseFont()
{
    TFont font = Font();
    const TColor color = font.Color;
    font.Color = kBlack;   // the colour is the context's text colour, not part of the font
    if (dc_.font < 0 || !(dc_.fontValue == font)) {
        const int h = NewHandle();
        EmitCreateFont(h, font, FontPixelHeight(font, dpi_));
        dc_.fontValue = font;
        Replace(dc_.font, h);
    }
    if (dc_.textColor != color) {
        EmitTextColor(color);
        dc_.textColor = color;
    }
    if (dc_.align != TextAlign()) {
        EmitTextAlign(TextAlign());
        dc_.align = TextAlign();
    }
}

void TMetafileCanvas::UseBackground()
{
    if (dc_.bkColor != BackgroundColor()) {
        EmitBkColor(BackgroundColor());
        dc_.bkColor = BackgroundColor();
    }
    if (dc_.transparent != Transparent()) {
        EmitBkMode(Transparent());
        dc_.transparent = Transparent();
    }
}

void TMetafileCanvas::PushContext() { saved_.push_back(dc_); }

void TMetafileCanvas::PopContext()
{
    if (saved_.empty())
        return;
    const TContext left = dc_;
    dc_ = saved_.back();
    saved_.pop_back();
    for (int h : {left.pen, left.brush, left.font})
        if (h >= 0 && !Referenced(h))
            Release(h);
}

void TMetafileCanvas::ForgetAttributes()
{
    dc_.textColor.reset();
    dc_.bkColor.reset();
    dc_.transparent.reset();
    dc_.align.reset();
}

// ---- text geometry --------------------------------------------------------------

std::vector<int> TMetafileCanvas::CharAdvances(const std::string& text) const
{
    std::vector<int> out;
    out.reserve(text.size());
    int before = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        const int upTo = TextExtent(text.substr(0, i)).cx;
        out.push_back(upTo - before);
        before = upTo;
    }
    return out;
}

TRect TMetafileCanvas::TextBounds(TPoint anchor, const std::string& text) const
{
    const TSize ext = TextExtent(text);
    const TFontMetrics m = FontMetrics();
    const int align = TextAlign();
    double x0 = 0;
    if (HorizontalAlign(align) == kAlignRight)
        x0 = -ext.cx;
    else if (HorizontalAlign(align) == kAlignCenter)
        x0 = -ext.cx / 2.0;
    double y0 = 0;
    if (VerticalAlign(align) == kAlignBaseline)
        y0 = -m.Ascent;
    else if (VerticalAlign(align) == kAlignBottom)
        y0 = -m.Height();
    const double a = Font().Angle / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (double dx : {x0, x0 + ext.cx})
        for (double dy : {y0, y0 + m.Height()}) {
            // Counter-clockwise on a y-down device.
            const double x = anchor.x + dx * c + dy * s;
            const double y = anchor.y - dx * s + dy * c;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    auto toInt = [](double v) { return static_cast<int>(std::clamp(v, -2e9, 2e9)); };
    return {toInt(std::floor(minX)), toInt(std::floor(minY)), toInt(std::ceil(maxX)) - 1,
            toInt(std::ceil(maxY)) - 1};
}

// ---- drawing ----------------------------------------------------------------------

void TMetafileCanvas::DoLine(TPoint from, TPoint to)
{
    UsePen(Pen());
    UseBackground();
    EmitLine(from, to);
}

void TMetafileCanvas::DoPolyline(const TPoint* points, int count)
{
    UsePen(Pen());
    UseBackground();
    EmitPolyline(points, count);
}

void TMetafileCanvas::DoRectangle(const TRect& r)
{
    UsePen(Pen());
    UseBrush(Brush());
    UseBackground();
    EmitRectangle(r);
}

void TMetafileCanvas::DoFillRect(const TRect& r)
{
    // A rectangle with no outline fills one pixel less to the right and
    // below, so the corners are widened by one to fill exactly r.
    UsePen({kBlack, TPenStyle::Clear, 1});
    UseBrush(Brush());
    UseBackground();
    EmitRectangle({r.Left, r.Top, r.Right + 1, r.Bottom + 1});
}

void TMetafileCanvas::DoEllipse(const TRect& r)
{
    UsePen(Pen());
    UseBrush(Brush());
    UseBackground();
    EmitEllipse(r);
}

void TMetafileCanvas::DoPolygon(const TPoint* points, int count)
{
    UsePen(Pen());
    UseBrush(Brush());
    UseBackground();
    EmitPolygon(points, count);
}

void TMetafileCanvas::DoTextOut(TPoint anchor, const std::string& text)
{
    if (text.empty())
        return;
    UseFont();
    UseBackground();
    EmitText(anchor, text);
}
