#pragma once
// TGraph draws one two-dimensional chart on a canvas: it reserves margins in
// a drawing area, chooses rounded axis limits and tic steps, draws axes with
// tic marks and labels, and draws data series (polylines, bars, range bars,
// markers) clipped to the plot rectangle.
//
// Two worlds are in play. World is the data range widened for the axes and
// labels, mapped onto the whole area (AreaRect); axes, labels and texts are
// drawn there. Series are drawn between BeginClip and EndClip, where the data
// range is mapped exactly onto the plot rectangle (PlotRect).
//
// Series are arrays of single-precision values of at most kMaxPoints points;
// a larger count is cut to kMaxPoints. Every series call restores the canvas
// attributes it changes, also when drawing fails.

#include "chart/canvas.h"
#include "chart/draw_world.h"

#include <optional>
#include <string>

struct TWorldRect {
    double XMin = 0, YMin = 0, XMax = 1, YMax = 1;
    bool operator==(const TWorldRect&) const = default;
};

// A tic label: step is the label spacing, max and min the axis range,
// decimals the decimals switch (1 or 0). Values of thousands, millions and
// billions are scaled and get "k", "m" or "b". The label has at least
// leastDecimals decimals: an axis passes the number its labels need to show
// their true values.
std::string FormatTicValue(double step, double max, double min, double value, int decimals,
                           int leastDecimals = 0);

class TGraph {
public:
    static constexpr int kMaxPoints = TDrawWorld::kMaxPoints;
    // At most this many tics per axis; a spacing that would need more draws none.
    static constexpr int kMaxTics = 10000;

    TWorldRect World;        // the outer world: data range widened for axes and labels
    TWorldRect DataRange;    // the range the axes cover
    TRect PlotRect;          // device rectangle of the data area
    TRect AreaRect;          // device rectangle of the whole chart
    TDrawWorld DrawWorld;
    int XTicCount = 0, YTicCount = 0;
    double OriginX = 0, OriginY = 0;   // where the axes cross
    double XLabelStep = 0, YLabelStep = 0;
    double XTic = 0, YTic = 0;
    TWorldRect SavedWorld, SavedDataRange;
    TRect SavedClip;
    bool SavedClipActive = false;      // whether the canvas was clipped at BeginClip
    bool Monochrome = false;           // markers and palette texts and pens in black
    int TicDecimals = 1;               // the decimals switch of the tic labels
    // The lowest device y of the x labels last drawn below the axis; none
    // when they went above it or there were none.
    std::optional<int> XLabelsBottom;
    // The leftmost device x of the y labels last drawn left of the axis;
    // none when they went right of it or there were none.
    std::optional<int> YLabelsLeft;

    void SetCanvas(TCanvas* canvas);
    TCanvas* GetCanvas() const { return DrawWorld.Canvas; }

    // AreaRect := the rectangle; PlotRect inside it with margins of 1/6 of the
    // height above and below, 1/6 of the width on the left, 4% on the right;
    // data range 0..1000 on both axes.
    void SetArea(int left, int top, int right, int bottom);
    // DataRange := the arguments; World widened by 21% of the x span on the
    // left, 5% on the right and 25% of the y span above and below.
    void SetRange(double xmin, double xmax, double ymin, double ymax);
    void SetRanges(double xmin, double xmax, double ymin, double ymax);
    void SetOrigin(double x, double y);

    // Rounds the limits outward to round numbers and picks a tic step. When
    // the limits lie on both sides of 0, the one nearer 0 is a whole number
    // of label steps (ten tics) from 0.
    static void NiceScale(double& lo, double& hi, double& tic);
    // NiceScale on both axes, origin placement, ranges, both axes and labels
    // at every tenth tic.
    void SetupAxes(bool originAtMinimum, double& xtic, double& ytic, double xmin, double xmax,
                   double ymin, double ymax);
    // With flip the tics and labels go to the other side of the axis (x: above,
    // y: right).
    void DrawXAxis(bool flip, double tic);
    void DrawYAxis(bool flip, double tic);
    void DrawXLabels(int every, bool flip);
    void DrawYLabels(int every, bool flip);

    // Text at (x, y) of a 0..1000 by 0..1000 frame over the current device
    // rectangle (y upward); angle in tenths of a degree (0 leaves the font's
    // angle), alignment an alignment code. Afterwards the world is restored,
    // a changed angle reset to 0 and the alignment is centre-top.
    void TextAt(const std::string& text, int angle, int alignment, double x, double y);
    // An empty name leaves the face unchanged.
    void SetFont(const std::string& name, int angle, int size);
    void SetFontAngle(int angle);

    // Clip to the plot rectangle and map the data range onto it / undo that.
    void BeginClip();
    void EndClip();

    // Polyline in a palette colour and pen style (0 solid, 1 dash, 2 dot,
    // 3 dash-dot); the brush is the window colour meanwhile.
    void DrawLine(const float* xs, const float* ys, int penStyle, int colour, int count);
    // Bars of the given width centred on each x, from the base (the bottom of
    // the range, 0 when the range crosses 0, the top when all negative) to y.
    void DrawBars(const float* xs, const float* ys, int brushStyle, int colour, double width,
                  int count);
    // A vertical line from lo to hi at each x with caps of the given width.
    void DrawRangeBars(const float* xs, const float* los, int colour, double width, int count,
                       const float* his);
    // Markers: 0 square, 1 triangle, 2 diamond (other shapes: square); black
    // when Monochrome.
    void DrawMarkers(const float* xs, const float* ys, int shape, int colour, int count);

    int GetAreaHeight() const { return AreaRect.Bottom - AreaRect.Top; }
    int GetAreaWidth() const { return AreaRect.Right - AreaRect.Left; }
    // Palette colour, or black when Monochrome.
    void SetFontColor(int index);
    void SetPenColor(int index);
    // Horizontal 0 centre, 1 left, 2 right; vertical 3 bottom, 4 top,
    // 5 baseline. Other values throw std::invalid_argument.
    void SetTextJustify(int horizontal, int vertical);

private:
    void UseOuterWorld();
};
