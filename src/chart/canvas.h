#pragma once
// The drawing surface every chart, map and trajectory view draws on.
//
// A canvas is stateful: it holds the current pen, brush, background, font,
// text alignment, pen position and clip region, and every drawing call uses
// the state in force when it is made. Chart code reads attributes back and
// restores them after it is done, so the state lives here, in the base class,
// and a back end only implements the drawing primitives (the Do* hooks) and
// the device facts.
//
// Coordinates are device pixels, x to the right, y downward, as integers.
// Back ends: a painter-based one in the window layer, metafile writers, and
// RecordingCanvas for tests.

#include <cstdint>
#include <optional>
#include <string>

// ---- geometry -------------------------------------------------------------

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Right and bottom edges are exclusive where a rectangle is filled.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// ---- colours ----------------------------------------------------------------

// A colour as an RGB value: red in the low byte, green in the second, blue in
// the third (the layout metafiles store).
using TColor = std::uint32_t;

constexpr TColor Rgb(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr TColor kBlack = Rgb(0, 0, 0);
constexpr TColor kWhite = Rgb(255, 255, 255);

// ---- pen, brush, font -------------------------------------------------------

// Pen styles, numbered as the chart writers pass them (0 solid, 1 dash,
// 2 dot, 3 dash-dot).
enum class TPenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Clear = 5 };

// Brush styles, numbered as the chart writers pass them (0 solid). The hatch
// styles draw lines in the brush colour; the gaps show the background colour
// when the background mode is opaque and stay untouched when transparent.
enum class TBrushStyle : int {
    Solid = 0,
    Clear = 1,
    Horizontal = 2,
    Vertical = 3,
    FDiagonal = 4,   // top-left to bottom-right
    BDiagonal = 5,   // bottom-left to top-right
    Cross = 6,
    DiagCross = 7,
};

// Maps a style number from a caller onto a pen style; unknown numbers are solid.
TPenStyle PenStyleFromCode(int code);
// Maps a style number from a caller onto a brush style; unknown numbers are solid.
TBrushStyle BrushStyleFromCode(int code);

struct TPen {
    TColor Color = kBlack;
    TPenStyle Style = TPenStyle::Solid;
    int Width = 1;   // device pixels; 0 draws one pixel wide
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor Color = kWhite;
    TBrushStyle Style = TBrushStyle::Solid;
    bool operator==(const TBrush&) const = default;
};

struct TFont {
    std::string Face = "Arial";
    int Size = 10;        // points; pixel height = Size x logical DPI (y) / 72
    TColor Color = kBlack;
    int Angle = 0;        // escapement and orientation, tenths of a degree, counter-clockwise
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TFont&) const = default;
};

// ---- text alignment ---------------------------------------------------------
// An alignment code is one horizontal and one vertical value added together,
// the values callers pass (6 = centre-top, 30 = centre-baseline). The anchor
// point is the point given to TextOut; rotation turns the text about it.
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 2;
constexpr int kAlignCenter = 6;
constexpr int kAlignTop = 0;
constexpr int kAlignBottom = 8;
constexpr int kAlignBaseline = 24;

constexpr int HorizontalAlign(int code) { return code & 6; }
constexpr int VerticalAlign(int code) { return code & 24; }

struct TFontMetrics {
    int Ascent = 0;    // pixels above the baseline
    int Descent = 0;   // pixels below the baseline
    int Height() const { return Ascent + Descent; }
};

// ---- the canvas ---------------------------------------------------------------

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // State. Setters only record the value; drawing calls use it.
    const TPen& Pen() const { return pen_; }
    void SetPen(const TPen& pen) { pen_ = pen; }
    void SetPenColor(TColor c) { pen_.Color = c; }
    void SetPenStyle(TPenStyle s) { pen_.Style = s; }
    void SetPenWidth(int w) { pen_.Width = w; }

    const TBrush& Brush() const { return brush_; }
    void SetBrush(const TBrush& brush) { brush_ = brush; }
    void SetBrushColor(TColor c) { brush_.Color = c; }
    void SetBrushStyle(TBrushStyle s) { brush_.Style = s; }

    // Background behind text and between hatch lines.
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor c) { backgroundColor_ = c; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font) { font_ = font; }
    void SetFontFace(const std::string& face) { font_.Face = face; }
    void SetFontSize(int points) { font_.Size = points; }
    void SetFontColor(TColor c) { font_.Color = c; }
    void SetFontAngle(int tenths) { font_.Angle = tenths; }

    int TextAlign() const { return textAlign_; }
    void SetTextAlign(int code) { textAlign_ = code; }

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }

    // Drawing. Lines use the pen; filled shapes fill with the brush and
    // outline with the pen.
    // A line from the pen position to (x, y), which becomes the pen position.
    // As usual for line drawing, the end point itself is not painted.
    void LineTo(int x, int y);
    // Connected segments through count points; the pen position is unchanged.
    void Polyline(const TPoint* points, int count);
    // Filled and outlined; right and bottom edges exclusive. Corners in any
    // order are normalised first.
    void Rectangle(const TRect& r);
    // Filled with the brush, no outline; right and bottom exclusive.
    void FillRect(const TRect& r);
    // Ellipse inside the bounding rectangle, filled and outlined.
    void Ellipse(const TRect& r);
    // Closed polygon through count points (the last joined to the first),
    // filled with the brush and outlined with the pen. Fewer than two
    // points draw nothing.
    void Polygon(const TPoint* points, int count);
    // Text in the current font, colour and alignment, anchored at (x, y);
    // an opaque background fills the text box with the background colour.
    void TextOut(int x, int y, const std::string& text);

    // Size of the text in the current font, unrotated: cx is the advance
    // width, cy the font height (ascent + descent).
    virtual TSize TextExtent(const std::string& text) const = 0;
    virtual TFontMetrics FontMetrics() const = 0;

    // Clipping. SetClipRect replaces the clip region with the rectangle
    // (right and bottom exclusive); ResetClip removes it. ClipBox is the
    // clip rectangle, or the device rectangle when nothing is clipped.
    // SetClipRect returns false when the back end cannot set the region.
    bool SetClipRect(const TRect& r);
    void ResetClip();
    bool IsClipped() const { return clip_.has_value(); }
    TRect ClipBox() const { return clip_ ? *clip_ : DeviceRect(); }

    // Device facts.
    virtual TRect DeviceRect() const = 0;      // the drawable area in pixels
    virtual int LogicalDpiX() const = 0;
    virtual int LogicalDpiY() const = 0;
    virtual bool IsMonochrome() const = 0;     // a two-colour device (some printers)
    virtual TColor WindowColor() const { return kWhite; }   // the system's window background
    // The system's face colour of buttons and dialogs.
    virtual TColor ButtonFaceColor() const { return Rgb(240, 240, 240); }

protected:
    // Back-end hooks. Each reads the state through the getters above.
    virtual void DoLine(TPoint from, TPoint to) = 0;
    virtual void DoPolyline(const TPoint* points, int count) = 0;
    virtual void DoRectangle(const TRect& r) = 0;     // normalised
    virtual void DoFillRect(const TRect& r) = 0;      // normalised
    virtual void DoEllipse(const TRect& r) = 0;       // normalised
    virtual void DoPolygon(const TPoint* points, int count) = 0;   // count >= 2
    virtual void DoTextOut(TPoint anchor, const std::string& text) = 0;
    // r empty means "no clip". Returns false when the region cannot be set.
    virtual bool DoSetClip(const std::optional<TRect>& r) = 0;

private:
    TPen pen_;
    TBrush brush_;
    TColor backgroundColor_ = kWhite;
    bool transparent_ = false;
    TFont font_;
    int textAlign_ = kAlignLeft | kAlignTop;
    TPoint penPos_;
    std::optional<TRect> clip_;
};

// Corners in order: Left <= Right, Top <= Bottom.
TRect NormalizedRect(const TRect& r);

// The drawing state of a canvas (pen, brush, background, font, alignment,
// pen position and clip), taken when made and put back when destroyed, so
// that drawing code leaves the canvas as it found it.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas);
    ~TCanvasStateSaver();
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& canvas_;
    TPen pen_;
    TBrush brush_;
    TColor background_;
    bool transparent_;
    TFont font_;
    int align_;
    TPoint penPos_;
    std::optional<TRect> clip_;
};
