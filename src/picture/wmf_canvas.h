#pragma once
// A canvas that writes a Windows metafile (WMF) with a placeable header: the
// picture's bounding box and resolution, then a 16-bit metafile whose window
// is the picture in pixels. Coordinates are 16-bit (the charts clamp them).
// A clip rectangle is set inside a saved device context and removed by
// restoring it, since this format has no way to reset the clip region.

#include "picture/metafile_canvas.h"

namespace wmf {
// Record functions written.
constexpr std::uint16_t kEof = 0x0000, kSaveDc = 0x001E, kSetBkMode = 0x0102, kSetMapMode = 0x0103,
                        kRestoreDc = 0x0127, kSelectObject = 0x012D, kSetTextAlign = 0x012E,
                        kDeleteObject = 0x01F0, kSetBkColor = 0x0201, kSetTextColor = 0x0209,
                        kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C, kLineTo = 0x0213, kMoveTo = 0x0214,
                        kCreatePenIndirect = 0x02FA, kCreateFontIndirect = 0x02FB,
                        kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324, kPolyline = 0x0325, kIntersectClipRect = 0x0416,
                        kEllipse = 0x0418, kRectangle = 0x041B, kTextOut = 0x0521;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;
}  // namespace wmf

class TWmfCanvas : public TMetafileCanvas {
public:
    TWmfCanvas(int width, int height, int dpi = 96, const TTextMeasure* measure = nullptr);
    std::string Bytes() const override;

protected:
    void EmitCreatePen(int handle, const TPen& pen) override;
    void EmitCreateBrush(int handle, const TBrush& brush) override;
    void EmitCreateFont(int handle, const TFont& font, int pixelHeight) override;
    void EmitSelect(int handle) override;
    void EmitDelete(int handle) override;
    void EmitTextColor(TColor c) override;
    void EmitBkColor(TColor c) override;
    void EmitBkMode(bool transparent) override;
    void EmitTextAlign(int code) override;
    void EmitLine(TPoint from, TPoint to) override;
    void EmitPolyline(const TPoint* points, int count) override;
    void EmitRectangle(const TRect& r) override;
    void EmitEllipse(const TRect& r) override;
    void EmitPolygon(const TPoint* points, int count) override;
    void EmitText(TPoint anchor, const std::string& text) override;
    bool DoSetClip(const std::optional<TRect>& r) override;

private:
    void Record(std::uint16_t function, const TRecordBytes& params);
    void Record1(std::uint16_t function, int value);
    void RectRecord(std::uint16_t function, const TRect& r);

    TRecordBytes body_;
    std::uint32_t maxRecordWords_ = 3;
};
