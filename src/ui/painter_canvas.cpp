#include "ui/painter_canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QVarLengthArray>

#include <algorithm>

namespace {

QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QString ToQString(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

Qt::BrushStyle HatchOf(TBrushStyle s)
{
    switch (s) {
    case TBrushStyle::Horizontal: return Qt::HorPattern;
    case TBrushStyle::Vertical: return Qt::VerPattern;
    case TBrushStyle::FDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::BDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::Cross: return Qt::CrossPattern;
    case TBrushStyle::DiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

bool IsHatch(TBrushStyle s) { return s != TBrushStyle::Solid && s != TBrushStyle::Clear; }

bool DeviceIsMonochrome(const QPaintDevice* device)
{
    if (!device)
        return false;
    if (device->devType() == QInternal::Printer)
        return static_cast<const QPrinter*>(device)->colorMode() == QPrinter::GrayScale;
    return device->depth() == 1;
}

TRect DeviceRectOf(const QPaintDevice* device)
{
    return device ? TRect{0, 0, device->width(), device->height()} : TRect{};
}

}  // namespace

QFont QtFontOf(const TFont& font, int dpiY)
{
    QFont f(QString::fromLatin1(font.Face.c_str()));
    f.setPixelSize(FontPixelHeight(font, dpiY));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

TSize TQtTextMeasure::Extent(const TFont& font, int dpiY, const std::string& text) const
{
    const QFontMetrics m(QtFontOf(font, dpiY));
    return {m.horizontalAdvance(ToQString(text)), m.ascent() + m.descent()};
}

TFontMetrics TQtTextMeasure::Metrics(const TFont& font, int dpiY) const
{
    const QFontMetrics m(QtFontOf(font, dpiY));
    return {m.ascent(), m.descent()};
}

TPainterCanvas::TPainterCanvas(QPainter& painter)
    : TPainterCanvas(painter, DeviceRectOf(painter.device()),
                     painter.device() ? painter.device()->logicalDpiX() : 96,
                     painter.device() ? painter.device()->logicalDpiY() : 96,
                     DeviceIsMonochrome(painter.device()))
{
}

TPainterCanvas::TPainterCanvas(QPainter& painter, TRect device, int dpiX, int dpiY, bool monochrome)
    : painter_(painter), device_(device), dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96),
      monochrome_(monochrome)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

TColor TPainterCanvas::WindowColor() const
{
    if (!qGuiApp)
        return kWhite;
    const QColor c = QGuiApplication::palette().color(QPalette::Base);
    return Rgb(c.red(), c.green(), c.blue());
}

TColor TPainterCanvas::ButtonFaceColor() const
{
    if (!qGuiApp)
        return TCanvas::ButtonFaceColor();
    const QColor c = QGuiApplication::palette().color(QPalette::Button);
    return Rgb(c.red(), c.green(), c.blue());
}

TColor TPainterCanvas::DeviceColor(TColor c) const
{
    if (!monochrome_)
        return c;
    return c == kWhite ? kWhite : kBlack;
}

TColor TPainterCanvas::Paper() const
{
    if (!monochrome_)
        return BackgroundColor();
    return BackgroundColor() == kBlack ? kBlack : kWhite;
}

TSize TPainterCanvas::TextExtent(const std::string& text) const
{
    const QFontMetrics m(QtFontOf(Font(), dpiY_), painter_.device());
    return {m.horizontalAdvance(ToQString(text)), m.ascent() + m.descent()};
}

TFontMetrics TPainterCanvas::FontMetrics() const
{
    const QFontMetrics m(QtFontOf(Font(), dpiY_), painter_.device());
    return {m.ascent(), m.descent()};
}

void TPainterCanvas::ApplyPen()
{
    const TPen& p = Pen();
    painter_.setBackground(ToQColor(Paper()));
    painter_.setBackgroundMode(Transparent() ? Qt::TransparentMode : Qt::OpaqueMode);
    if (p.Style == TPenStyle::Clear) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(DeviceColor(p.Color)));
    const int width = std::max(0, p.Width);
    pen.setWidth(width);
    if (width <= 1) {
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    // Dash lengths in pen widths, as a pixel device draws them.
    switch (p.Style) {
    case TPenStyle::Dash: pen.setDashPattern({18, 6}); break;
    case TPenStyle::Dot: pen.setDashPattern({3, 3}); break;
    case TPenStyle::DashDot: pen.setDashPattern({9, 6, 3, 6}); break;
    case TPenStyle::DashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
    default: break;
    }
    painter_.setPen(pen);
}

void TPainterCanvas::FillWithBrush(const TRect& r)
{
    const TBrush& b = Brush();
    if (b.Style == TBrushStyle::Clear || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    const QColor color = ToQColor(DeviceColor(b.Color));
    if (!IsHatch(b.Style)) {
        painter_.fillRect(ToQRect(r), color);
        return;
    }
    if (!Transparent()) {
        painter_.fillRect(ToQRect(r), ToQColor(Paper()));
    }
    const Qt::BGMode mode = painter_.backgroundMode();
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.fillRect(ToQRect(r), QBrush(color, HatchOf(b.Style)));
    painter_.setBackgroundMode(mode);
}

void TPainterCanvas::DoLine(TPoint from, TPoint to)
{
    ApplyPen();
    painter_.drawLine(from.x, from.y, to.x, to.y);
}

void TPainterCanvas::DoPolyline(const TPoint* points, int count)
{
    ApplyPen();
    // A chart's polylines are short: on the stack, not on the heap.
    QVarLengthArray<QPoint, 256> polyline(count);
    for (int i = 0; i < count; ++i)
        polyline[i] = QPoint(points[i].x, points[i].y);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(polyline.constData(), count);
}

void TPainterCanvas::DoRectangle(const TRect& r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    FillWithBrush(r);
    ApplyPen();
    painter_.setBrush(Qt::NoBrush);
    // A one-pixel outline of a w x h rectangle runs through its last column
    // and row: Qt's rectangle of w - 1 by h - 1 outlines exactly those.
    painter_.drawRect(QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1));
}

void TPainterCanvas::DoFillRect(const TRect& r) { FillWithBrush(r); }

void TPainterCanvas::FillAndOutline(const std::function<void()>& draw)
{
    const TBrush& b = Brush();
    painter_.setPen(Qt::NoPen);
    if (IsHatch(b.Style) && !Transparent()) {
        painter_.setBrush(ToQColor(Paper()));
        draw();
    }
    if (b.Style != TBrushStyle::Clear) {
        painter_.setBackgroundMode(Qt::TransparentMode);
        painter_.setBrush(QBrush(ToQColor(DeviceColor(b.Color)),
                                 IsHatch(b.Style) ? HatchOf(b.Style) : Qt::SolidPattern));
        draw();
    }
    ApplyPen();
    painter_.setBrush(Qt::NoBrush);
    draw();
}

void TPainterCanvas::DoEllipse(const TRect& r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    const QRect box(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    FillAndOutline([&] { painter_.drawEllipse(box); });
}

void TPainterCanvas::DoPolygon(const TPoint* points, int count)
{
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, points[i].x, points[i].y);
    // Alternate filling, as a pixel device fills a self-crossing outline.
    FillAndOutline([&] { painter_.drawPolygon(polygon, Qt::OddEvenFill); });
}

void TPainterCanvas::DoTextOut(TPoint anchor, const std::string& text)
{
    if (text.empty())
        return;
    const QFont font = QtFontOf(Font(), dpiY_);
    const QFontMetrics m(font, painter_.device());
    const QString s = ToQString(text);
    const int width = m.horizontalAdvance(s);
    int x = 0;
    if (HorizontalAlign(TextAlign()) == kAlignRight)
        x = -width;
    else if (HorizontalAlign(TextAlign()) == kAlignCenter)
        x = -width / 2;
    int baseline = m.ascent();   // top
    if (VerticalAlign(TextAlign()) == kAlignBaseline)
        baseline = 0;
    else if (VerticalAlign(TextAlign()) == kAlignBottom)
        baseline = -m.descent();

    painter_.save();
    painter_.translate(anchor.x, anchor.y);
    if (Font().Angle != 0)
        painter_.rotate(-Font().Angle / 10.0);   // counter-clockwise on a y-down device
    if (!Transparent()) {
        painter_.fillRect(QRect(x, baseline - m.ascent(), width, m.ascent() + m.descent()), ToQColor(Paper()));
    }
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setFont(font);
    painter_.setPen(ToQColor(DeviceColor(Font().Color)));
    painter_.drawText(QPoint(x, baseline), s);
    painter_.restore();
}

bool TPainterCanvas::DoSetClip(const std::optional<TRect>& r)
{
    if (r)
        painter_.setClipRect(ToQRect(*r), Qt::ReplaceClip);
    else
        painter_.setClipping(false);
    return true;
}
