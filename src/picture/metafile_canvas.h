#pragma once
// The part the enhanced-metafile and Windows-metafile writers share: a canvas
// that turns drawing calls into the records of a graphics device context.
//
// The writer keeps a mirror of the player's device context (selected pen,
// brush and font, text colour, background colour and mode, text alignment)
// and before each drawing record brings the player up to date: a changed pen,
// brush or font is created, selected, and the one it replaces deleted once no
// saved context refers to it. Texts are 8-bit (Latin-1), as the model files.
//
// Bytes() gives the whole file (header with bounds and counts, the records,
// the end-of-file record); drawing may go on afterwards and Bytes() again
// gives the longer picture.

#include "chart/canvas.h"
#include "picture/text_measure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Little-endian record bytes.
class TRecordBytes {
public:
    void U8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void U16(std::uint32_t v);
    void I16(int v);            // clamped to -32768..32767
    void U32(std::uint32_t v);
    void I32(int v) { U32(static_cast<std::uint32_t>(v)); }
    void Raw(const std::string& s) { bytes_ += s; }
    void Zeros(size_t n) { bytes_.append(n, '\0'); }
    size_t Size() const { return bytes_.size(); }
    const std::string& Str() const { return bytes_; }
    // Overwrites 4 bytes at an offset already written.
    void PatchU32(size_t offset, std::uint32_t v);

private:
    std::string bytes_;
};

class TMetafileCanvas : public TCanvas {
public:
    TSize TextExtent(const std::string& text) const override;
    TFontMetrics FontMetrics() const override;
    TRect DeviceRect() const override { return {0, 0, width_, height_}; }
    int LogicalDpiX() const override { return dpi_; }
    int LogicalDpiY() const override { return dpi_; }
    bool IsMonochrome() const override { return false; }

    // The complete file.
    virtual std::string Bytes() const = 0;
    // Writes the file through a temporary file and a rename; false on failure.
    bool SaveToFile(const std::string& path) const;

protected:
    enum class TSlot { Pen, Brush, Font };

    // Record emitters of one format.
    virtual void EmitCreatePen(int handle, const TPen& pen) = 0;
    virtual void EmitCreateBrush(int handle, const TBrush& brush) = 0;
    virtual void EmitCreateFont(int handle, const TFont& font, int pixelHeight) = 0;
    virtual void EmitSelect(int handle) = 0;
    virtual void EmitDelete(int handle) = 0;
    virtual void EmitTextColor(TColor c) = 0;
    virtual void EmitBkColor(TColor c) = 0;
    virtual void EmitBkMode(bool transparent) = 0;
    virtual void EmitTextAlign(int code) = 0;
    virtual void EmitLine(TPoint from, TPoint to) = 0;
    virtual void EmitPolyline(const TPoint* points, int count) = 0;
    virtual void EmitRectangle(const TRect& r) = 0;   // corners as a Rectangle call takes them
    virtual void EmitEllipse(const TRect& r) = 0;
    virtual void EmitPolygon(const TPoint* points, int count) = 0;
    virtual void EmitText(TPoint anchor, const std::string& text) = 0;

    // The saved-context stack of the player, for formats that undo a clip by
    // restoring a saved context: the mirror is saved and restored with it.
    void PushContext();
    void PopContext();
    bool HasSavedContext() const { return !saved_.empty(); }
    // Makes the next drawing record bring every attribute up to date.
    void ForgetAttributes();

    // Highest number of object handles in use at once, counting the first
    // handle number (EMF reserves 0).
    int HandleTableSize() const { return handleTableSize_; }
    // Pixel advance of each character of an 8-bit text, in the current font.
    std::vector<int> CharAdvances(const std::string& text) const;
    // Bounding box (inclusive) of a text drawn at the anchor with the current
    // font, alignment and angle.
    TRect TextBounds(TPoint anchor, const std::string& text) const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Dpi() const { return dpi_; }

    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(const TPoint* points, int count) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoPolygon(const TPoint* points, int count) override;
    void DoTextOut(TPoint anchor, const std::string& text) override;

    // A picture of width x height pixels at the given resolution. measure
    // may be null (approximate metrics); it is not owned. Object handles are
    // numbered from firstHandle, the lowest free number first.
    TMetafileCanvas(int width, int height, int dpi, const TTextMeasure* measure, int firstHandle);

private:
    struct TContext {
        int pen = -1, brush = -1, font = -1;   // selected handles; -1 none of ours
        TPen penValue;
        TBrush brushValue;
        TFont fontValue;
        std::optional<TColor> textColor, bkColor;
        std::optional<bool> transparent;
        std::optional<int> align;
    };

    void UsePen(const TPen& pen);
    void UseBrush(const TBrush& brush);
    void UseFont();
    void UseBackground();
    int NewHandle();
    void Replace(int& selected, int handle);
    bool Referenced(int handle) const;
    void Release(int handle);

    int width_, height_, dpi_;
    TApproximateTextMeasure approximate_;
    const TTextMeasure* measure_;
    int firstHandle_;
    std::vector<bool> inUse_;
    int handleTableSize_;
    TContext dc_;
    std::vector<TContext> saved_;
};
