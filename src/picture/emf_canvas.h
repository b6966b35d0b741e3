#pragma once
// A canvas that writes an enhanced metafile (EMF): 32-bit records of a
// picture in device pixels (mapping mode text), with the picture's bounds and
// physical frame in the header. Clipping replaces the clip region: the region
// is reset to the whole picture and intersected with the rectangle.

#include "picture/metafile_canvas.h"

namespace emf {
// Record types written.
constexpr std::uint32_t kHeader = 1, kPolygon = 3, kPolyline = 4, kEof = 14, kSetBkMode = 18, kSetTextAlign = 22,
                        kSetTextColor = 24, kSetBkColor = 25, kMoveToEx = 27, kIntersectClipRect = 30,
                        kSelectObject = 37, kCreatePen = 38, kCreateBrushIndirect = 39, kDeleteObject = 40,
                        kEllipse = 42, kRectangle = 43, kLineTo = 54, kExtSelectClipRgn = 75,
                        kExtCreateFontIndirectW = 82, kExtTextOutW = 84;
constexpr std::uint32_t kSignature = 0x464D4520;   // " EMF"
constexpr std::uint32_t kHeaderSize = 108;
}  // namespace emf

class TEmfCanvas : public TMetafileCanvas {
public:
    TEmfCanvas(int width, int height, int dpi = 96, const TTextMeasure* measure = nullptr);
    std::string Bytes() const override;
    // The header's description: the application that made the picture and
    // the picture's name, as a player lists them (8-bit texts).
    void SetDescription(const std::string& creator, const std::string& title);

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
    void Record(std::uint32_t type, const TRecordBytes& params);
    void Record1(std::uint32_t type, std::uint32_t value);
    // A polyline or polygon record: bounds, count, the points.
    void PointsRecord(std::uint32_t type, const TPoint* points, int count);

    TRecordBytes body_;
    std::uint32_t records_ = 0;
    std::string description_;   // creator NUL title NUL NUL, or empty
};
