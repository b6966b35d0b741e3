#pragma once
// The canvas on a QPainter: screen widgets, images and printers.
//
// Every drawing call sets the painter from the canvas state (pen, brush,
// background, font), so the painter may be shared with other drawing code.
// Drawing is aliased, as on a pixel device: a one-pixel line covers exactly
// the pixels between its ends, the end point itself not painted; filled
// rectangles cover Left..Right-1 by Top..Bottom-1.
//
// On a monochrome device pens, brushes and texts of any colour but white are
// drawn black (ink), so nothing a chart draws in a light colour vanishes, and
// backgrounds of any colour but black are white (paper). Texts are 8-bit
// (Latin-1).

#include "chart/canvas.h"
#include "picture/text_measure.h"

#include <QFont>

#include <functional>

class QPainter;

// The Qt font for a canvas font: the face, bold, italic, underline and
// strike-out, and the em height in pixels of FontPixelHeight.
QFont QtFontOf(const TFont& font, int dpiY);

// Text sizes from the installed fonts, for canvases without a painter.
class TQtTextMeasure : public TTextMeasure {
public:
    TSize Extent(const TFont& font, int dpiY, const std::string& text) const override;
    TFontMetrics Metrics(const TFont& font, int dpiY) const override;
};

class TPainterCanvas : public TCanvas {
public:
    // Draws with a painter that is active on its device; the device rectangle,
    // resolution and colour depth are the device's (a printer: its printable
    // page; monochrome when it prints in grey scale or has one bit a pixel).
    explicit TPainterCanvas(QPainter& painter);
    // The same with the device facts given.
    TPainterCanvas(QPainter& painter, TRect device, int dpiX, int dpiY, bool monochrome);

    TSize TextExtent(const std::string& text) const override;
    TFontMetrics FontMetrics() const override;
    TRect DeviceRect() const override { return device_; }
    int LogicalDpiX() const override { return dpiX_; }
    int LogicalDpiY() const override { return dpiY_; }
    bool IsMonochrome() const override { return monochrome_; }
    // The application palette's base colour (white unless the user's style
    // says otherwise).
    TColor WindowColor() const override;
    // The application palette's button colour.
    TColor ButtonFaceColor() const override;

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
    TColor DeviceColor(TColor c) const;   // pens, brushes, texts
    TColor Paper() const;                 // the background
    void ApplyPen();
    void FillWithBrush(const TRect& r);
    // Runs draw for the background of a hatch, the brush and the pen in
    // turn, with the painter set for each.
    void FillAndOutline(const std::function<void()>& draw);

    QPainter& painter_;
    TRect device_;
    int dpiX_, dpiY_;
    bool monochrome_;
};
