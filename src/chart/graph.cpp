#include "chart/graph.h"

#include "chart/palette.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace {

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Trunc(log10 |v|), -16 below 1e-16; kept within int range for huge values.
int Log10Trunc(double v)
{
    v = std::fabs(v);
    if (!(v >= 1e-16))
        return -16;
    return static_cast<int>(std::trunc(std::clamp(std::log10(v), -400.0, 400.0)));
}

// A spacing that gives a finite, bounded number of steps over the span.
bool UsableStep(double step, double span)
{
    return std::isfinite(step) && step > 0 && std::isfinite(span) && std::fabs(span) / step <= TGraph::kMaxTics;
}

// Slack for positions that land on a limit after floating-point arithmetic.
double Slack(double step) { return step * 1e-9; }

bool HasFraction(double v)
{
    return std::fabs(v - std::nearbyint(v)) > 1e-9 * std::max(1.0, std::fabs(v));
}

std::string Fixed(double v, int decimals)
{
    char buf[512];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

// Restores pen, brush and text state of a canvas when it goes out of scope.
class TCanvasStateGuard {
public:
    explicit TCanvasStateGuard(TCanvas& c) : c_(c), pen_(c.Pen()), brush_(c.Brush()) {}
    ~TCanvasStateGuard()
    {
        c_.SetPen(pen_);
        c_.SetBrush(brush_);
    }
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& c_;
    TPen pen_;
    TBrush brush_;
};

// BeginClip for the scope's lifetime.
class TClipScope {
public:
    explicit TClipScope(TGraph& g) : g_(g)
    {
        g_.BeginClip();
    }
    ~TClipScope() { g_.EndClip(); }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    TGraph& g_;
};

}  // namespace

namespace {

// How a tic label of an axis is written: the value shown (scaled to
// thousands, millions or billions where the range is that large), the
// suffix that says so, and the decimals its size calls for.
struct TTicFormat {
    double divisor = 1;
    const char* suffix = "";
    int decimals = 0;
};

TTicFormat TicFormat(double step, double max, double min, int decimals)
{
    const int e = Log10Trunc(std::max(std::fabs(max), std::fabs(min)));
    const int g = Log10Trunc(step) - 1;
    const int dflt = decimals;
    TTicFormat f;
    if (e >= 0 && e <= 3) {
        f.decimals = dflt == 0 ? 0 : (g < 0 ? -g : dflt);
    } else if (e >= -4 && e <= -1) {
        f.decimals = g < 0 ? -g : dflt;
    } else if (e >= 4 && e <= 5) {
        f = {1000, "k", g < 3 ? 3 - g : dflt};
    } else if (e >= 6 && e <= 8) {
        f = {1e6, "m", g < 6 ? 6 - g : dflt};
    } else if (e >= 9 && e <= 11) {
        f = {1e9, "b", g < 9 ? 9 - g : dflt};
    } else {
        // Tiny ranges would get a negative count: use its size, so the
        // label still shows the digits that tell tics apart.
        f.decimals = std::abs(g);
    }
    return f;
}

// Scaled values are computed in single precision.
double ScaledTicValue(double value, const TTicFormat& f)
{
    return f.divisor == 1 ? value : static_cast<float>(value) / static_cast<float>(f.divisor);
}

constexpr int kMostTicDecimals = 30;

}  // namespace

std::string FormatTicValue(double step, double max, double min, double value, int decimals, int leastDecimals)
{
    const TTicFormat f = TicFormat(step, max, min, decimals);
    const int d = std::max(f.decimals, leastDecimals);
    return Fixed(ScaledTicValue(value, f), std::clamp(d, 0, kMostTicDecimals)) + f.suffix;
}

void TGraph::SetCanvas(TCanvas* canvas) { DrawWorld.Canvas = canvas; }

void TGraph::UseOuterWorld() { DrawWorld.SetWorld(World.XMin, World.YMin, World.XMax, World.YMax); }

void TGraph::SetArea(int left, int top, int right, int bottom)
{
    const double w = static_cast<double>(right) - left;
    const double h = static_cast<double>(bottom) - top;
    AreaRect = {left, top, right, bottom};
    PlotRect = {left + RoundEven(0.1666 * w), top + RoundEven(0.1666 * h), right - RoundEven(0.04 * w),
                bottom - RoundEven(0.1666 * h)};
    SetRange(0, 1000, 0, 1000);
    DrawWorld.SetViewport(left, top, right, bottom);
    UseOuterWorld();
}

void TGraph::SetRange(double xmin, double xmax, double ymin, double ymax)
{
    DataRange = {xmin, ymin, xmax, ymax};
    const double dx = xmax - xmin;
    const double dy = ymax - ymin;
    World = {xmin - 0.21 * dx, ymin - 0.25 * dy, xmax + 0.05 * dx, ymax + 0.25 * dy};
}

void TGraph::SetRanges(double xmin, double xmax, double ymin, double ymax)
{
    SetRange(xmin, xmax, DataRange.YMin, DataRange.YMax);
    SetRange(DataRange.XMin, DataRange.XMax, ymin, ymax);
}

void TGraph::SetOrigin(double x, double y)
{
    OriginX = x;
    OriginY = y;
}

void TGraph::NiceScale(double& lo, double& hi, double& tic)
{
    if (!std::isfinite(lo))
        lo = 0;
    if (!std::isfinite(hi))
        hi = 0;
    // A limit is snapped to 0 only when both limits lie on the same side of
    // 0; otherwise snapping would cut off the data on the other side.
    const bool sameSign = lo * hi >= 0;
    double s = 1;
    if (std::fabs(lo) > std::fabs(hi)) {
        std::swap(lo, hi);
        s = -1;
    }
    const int e = Log10Trunc(hi);
    const double c = std::pow(10.0, e - 1);
    long long g = std::llround(std::nearbyint(hi / c + 0.51 * s));
    long long r = std::llround(std::nearbyint(lo / c - 0.51 * s));
    const long long si = static_cast<long long>(s);
    const long long ag = std::llabs(g);
    if (ag >= 20 && ag <= 59)
        g = (g / 5 + si) * 5;
    else if (ag >= 60)
        g = (g / 10 + si) * 10;
    const long long ar = std::llabs(r);
    if (ar < 10) {
        if (sameSign)
            r = 0;
    } else if (ar >= 20 && ar <= 59) {
        r = (r / 5 - si) * 5;
    } else {
        r = (r / 10 - si) * 10;
    }
    const long long n = std::llabs(g - r);
    double k;
    if (n < 10)
        k = 0.2 * static_cast<double>(n);
    else if (n < 20)
        k = 2;
    else if (n < 50)
        k = 5;
    else if (n < 80)
        k = 10;
    else if (n <= 150)
        k = 20;
    else if (n <= 200)
        k = 50;
    else
        k = 100;
    tic = c * 0.1 * k;
    lo = c * static_cast<double>(r);
    hi = c * static_cast<double>(g);
    // Across 0 the smaller limit goes out to a whole number of label steps
    // (every tenth tic) from 0, so that the labels, counted from the limit,
    // fall on round values with 0 among them.
    if (!sameSign) {
        const double step = 10 * tic;
        const double steps = std::ceil(std::fabs(lo) / step - 1e-9);
        lo = std::copysign(steps * step, lo);
    }
    if (s < 0)
        std::swap(lo, hi);
}

void TGraph::SetupAxes(bool originAtMinimum, double& xtic, double& ytic, double xmin, double xmax,
                       double ymin, double ymax)
{
    NiceScale(xmin, xmax, xtic);
    NiceScale(ymin, ymax, ytic);
    bool xFlip = false;
    bool yFlip = false;
    if (originAtMinimum) {
        OriginX = xmin;
        OriginY = ymin;
    } else {
        if (xmin >= 0 && xmax >= 0)
            OriginX = xmin;
        else if (xmin < 0 && 0 <= xmax)
            OriginX = 0;
        else {
            OriginX = xmax;
            yFlip = true;
        }
        // The x axis stays at the bottom when the y range crosses 0.
        if (ymin >= 0 && ymax >= 0)
            OriginY = ymin;
        else if (ymin < 0 && 0 <= ymax)
            OriginY = ymin;
        else {
            OriginY = ymax;
            xFlip = true;
        }
    }
    SetRanges(xmin, xmax, ymin, ymax);
    SetOrigin(OriginX, OriginY);
    DrawYAxis(yFlip, ytic);
    DrawYLabels(10, yFlip);
    DrawXAxis(xFlip, xtic);
    DrawXLabels(10, xFlip);
}

void TGraph::DrawXAxis(bool flip, double tic)
{
    UseOuterWorld();
    DrawWorld.MoveTo(OriginY, DataRange.XMin);
    DrawWorld.LineTo(OriginY, DataRange.XMax);
    XTic = tic;
    const double span = DataRange.XMax - DataRange.XMin;
    if (!UsableStep(tic, span)) {
        XTicCount = 0;
        return;
    }
    XTicCount = RoundEven(span / tic);
    const double len = 0.015 * (DataRange.YMax - DataRange.YMin) * (flip ? -1 : 1);
    const double slack = Slack(tic);
    double x = OriginX;
    for (int n = 0; n < kMaxTics; ++n) {
        x += tic;
        if (x > DataRange.XMax + slack)
            break;
        DrawWorld.MoveTo(OriginY, x);
        DrawWorld.LineTo(OriginY - len, x);
    }
    x = OriginX;
    for (int n = 0; n < kMaxTics; ++n) {
        x -= tic;
        if (x < DataRange.XMin - slack)
            break;
        DrawWorld.MoveTo(OriginY, x);
        DrawWorld.LineTo(OriginY - len, x);
    }
}

void TGraph::DrawYAxis(bool flip, double tic)
{
    UseOuterWorld();
    DrawWorld.MoveTo(DataRange.YMin, OriginX);
    DrawWorld.LineTo(DataRange.YMax, OriginX);
    YTic = tic;
    const double span = DataRange.YMax - DataRange.YMin;
    if (!UsableStep(tic, span)) {
        YTicCount = 0;
        return;
    }
    YTicCount = RoundEven(span / tic);
    const double len = 0.01 * (DataRange.XMax - DataRange.XMin) * (flip ? -1 : 1);
    const double slack = Slack(tic);
    double y = OriginY;
    for (int n = 0; n < kMaxTics; ++n) {
        y += tic;
        if (y > DataRange.YMax + slack)
            break;
        DrawWorld.MoveTo(y, OriginX);
        DrawWorld.LineTo(y, OriginX - len);
    }
    y = OriginY;
    for (int n = 0; n < kMaxTics; ++n) {
        y -= tic;
        if (y < DataRange.YMin - slack)
            break;
        DrawWorld.MoveTo(y, OriginX);
        DrawWorld.LineTo(y, OriginX - len);
    }
}

namespace {

// Label positions origin +/- whole multiples of step within lo..hi, the
// origin itself left out; calls f(position) for each, the upward ones first.
template <class F>
void ForEachLabel(double origin, double step, double lo, double hi, F f)
{
    if (!UsableStep(step, hi - lo))
        return;
    const double slack = Slack(step);
    for (int m = 1; m <= TGraph::kMaxTics; ++m) {
        const double p = origin + m * step;
        if (p > hi + slack)
            break;
        f(p);
    }
    for (int m = 1; m <= TGraph::kMaxTics; ++m) {
        const double p = origin - m * step;
        if (p < lo - slack)
            break;
        f(p);
    }
}

// The fewest decimals (beyond the label format's own) with which every label
// at origin +/- whole multiples of step within lo..hi shows its true value;
// max and min are the axis range that decides the label format.
int LabelDecimals(double origin, double step, double lo, double hi, double max, double min)
{
    const TTicFormat f = TicFormat(step, max, min, 0);
    // Closer than a thousandth of the label spacing counts as the value
    // itself (what single precision and repeated addition leave over).
    const double tolerance = 1e-3 * std::fabs(ScaledTicValue(step, f));
    for (int d = 0; d < kMostTicDecimals; ++d) {
        const double unit = std::pow(10.0, d);
        bool exact = true;
        ForEachLabel(origin, step, lo, hi, [&](double v) {
            const double shown = ScaledTicValue(v, f);
            exact = exact && std::fabs(std::nearbyint(shown * unit) / unit - shown) <= tolerance;
        });
        if (exact)
            return d;
    }
    return kMostTicDecimals;
}

}  // namespace

void TGraph::DrawXLabels(int every, bool flip)
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    UseOuterWorld();
    c->SetTextAlign(kAlignCenter | (flip ? kAlignBottom : kAlignTop));
    XLabelStep = every * XTic;
    bool fractional = false;
    ForEachLabel(OriginX, XLabelStep, DataRange.XMin, DataRange.XMax,
                 [&](double x) { fractional = fractional || HasFraction(x); });
    const int decimals = fractional ? TicDecimals : 0;
    const int least =
        LabelDecimals(OriginX, XLabelStep, DataRange.XMin, DataRange.XMax, DataRange.XMax, DataRange.XMin);
    c->SetFontColor(c->Pen().Color);
    c->SetTransparent(true);
    c->SetFontSize(10);
    const double dy = DataRange.YMax - DataRange.YMin;
    const double side = flip ? -1 : 1;
    const double labelY = OriginY - side * 0.035 * dy;
    XLabelsBottom.reset();
    ForEachLabel(OriginX, XLabelStep, DataRange.XMin, DataRange.XMax, [&](double x) {
        DrawWorld.MoveTo(OriginY, x);
        DrawWorld.LineTo(OriginY - side * 0.03 * dy, x);
        DrawWorld.MoveTo(labelY, x);
        DrawWorld.TextOutAtPen(FormatTicValue(XLabelStep, DataRange.XMax, DataRange.XMin, x, decimals, least));
        if (!flip)
            XLabelsBottom = DrawWorld.WorldToDevY(labelY) + c->TextExtent("0").cy;
    });
    c->SetTextAlign(kAlignLeft | kAlignTop);
}

void TGraph::DrawYLabels(int every, bool flip)
{
    TicDecimals = 1;
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    UseOuterWorld();
    YLabelStep = every * YTic;
    // Labels right of a flipped axis are left-aligned so they do not run
    // across the axis line.
    c->SetTextAlign((flip ? kAlignLeft : kAlignRight) | kAlignBottom);
    c->SetFontColor(c->Pen().Color);
    c->SetTransparent(true);
    c->SetFontSize(10);
    const double dx = DataRange.XMax - DataRange.XMin;
    const double side = flip ? -1 : 1;
    const int least =
        LabelDecimals(OriginY, YLabelStep, DataRange.YMin, DataRange.YMax, DataRange.YMax, DataRange.YMin);
    const double labelX = OriginX - side * 0.02 * dx;
    YLabelsLeft.reset();
    ForEachLabel(OriginY, YLabelStep, DataRange.YMin, DataRange.YMax, [&](double y) {
        DrawWorld.MoveTo(y, OriginX);
        DrawWorld.LineTo(y, OriginX - side * 0.015 * dx);
        const std::string text =
            FormatTicValue(YLabelStep, DataRange.YMax, DataRange.YMin, y, TicDecimals, least);
        const TSize extent = c->TextExtent(text);
        DrawWorld.MoveTo(y, labelX);
        DrawWorld.MoveRelative(extent.cy / 2, 0);
        DrawWorld.TextOutAtPen(text);
        if (!flip) {
            const int left = DrawWorld.WorldToDevX(labelX) - extent.cx;
            YLabelsLeft = YLabelsLeft ? std::min(*YLabelsLeft, left) : left;
        }
    });
    c->SetTextAlign(kAlignCenter | kAlignTop);
}

void TGraph::TextAt(const std::string& text, int angle, int alignment, double x, double y)
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    const double saved[4] = {DrawWorld.XMin, DrawWorld.YMin, DrawWorld.XMax, DrawWorld.YMax};
    DrawWorld.SetWorld(0, 0, 1000, 1000);
    if (angle != 0)
        SetFontAngle(angle);
    c->SetTextAlign(alignment);
    DrawWorld.MoveTo(y, x);
    DrawWorld.TextOutAtPen(text);
    DrawWorld.SetWorld(saved[0], saved[1], saved[2], saved[3]);
    if (angle != 0)
        SetFontAngle(0);
    c->SetTextAlign(kAlignCenter | kAlignTop);
}

void TGraph::SetFont(const std::string& name, int angle, int size)
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    if (!name.empty())
        c->SetFontFace(name);
    SetFontAngle(angle);
    c->SetFontSize(size);
}

void TGraph::SetFontAngle(int angle)
{
    if (TCanvas* c = GetCanvas())
        c->SetFontAngle(angle);
}

void TGraph::BeginClip()
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    SavedClip = c->ClipBox();
    SavedClipActive = c->IsClipped();
    SavedWorld = World;
    SavedDataRange = DataRange;
    DrawWorld.SetViewport(AreaRect.Left, AreaRect.Top, AreaRect.Right, AreaRect.Bottom);
    UseOuterWorld();
    DrawWorld.ClipToWorldRect(DataRange.XMin, DataRange.YMin, DataRange.XMax, DataRange.YMax);
    DrawWorld.SetWorld(DataRange.XMin, DataRange.YMin, DataRange.XMax, DataRange.YMax);
    DrawWorld.SetViewport(PlotRect.Left, PlotRect.Top, PlotRect.Right, PlotRect.Bottom);
}

void TGraph::EndClip()
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    World = SavedWorld;
    DataRange = SavedDataRange;
    DrawWorld.SetViewport(AreaRect.Left, AreaRect.Top, AreaRect.Right, AreaRect.Bottom);
    UseOuterWorld();
    if (SavedClipActive)
        c->SetClipRect(SavedClip);
    else
        c->ResetClip();
}

void TGraph::DrawLine(const float* xs, const float* ys, int penStyle, int colour, int count)
{
    TCanvas* c = GetCanvas();
    if (!c)
        return;
    TCanvasStateGuard restore(*c);
    c->SetBrushColor(c->WindowColor());
    c->SetPenColor(PaletteColor(colour));
    c->SetPenStyle(PenStyleFromCode(penStyle));
    TClipScope clip(*this);
    DrawWorld.Polyline(xs, ys, std::min(count, kMaxPoints));
}

void TGraph::DrawBars(const float* xs, const float* ys, int brushStyle, int colour, double width,
                      int count)
{
    TCanvas* c = GetCanvas();
    if (!c || !xs || !ys)
        return;
    TCanvasStateGuard restore(*c);
    const TBrushStyle style = BrushStyleFromCode(brushStyle);
    c->SetBrushColor(PaletteColor(colour));
    c->SetBrushStyle(style);
    double base = DataRange.YMin;
    if (DataRange.YMin < 0 && 0 <= DataRange.YMax)
        base = 0;
    else if (DataRange.YMax <= 0 && DataRange.YMin <= 0)
        base = DataRange.YMax;
    const double half = width / 2;
    TClipScope clip(*this);
    count = std::min(count, kMaxPoints);
    for (int i = 0; i < count; ++i)
        DrawWorld.Bar(colour, style, xs[i] - half, base, width, ys[i] - base);
}

void TGraph::DrawRangeBars(const float* xs, const float* los, int colour, double width, int count,
                           const float* his)
{
    TCanvas* c = GetCanvas();
    if (!c || !xs || !los || !his)
        return;
    TCanvasStateGuard restore(*c);
    c->SetPenColor(PaletteColor(colour));
    const double half = width / 2;
    TClipScope clip(*this);
    count = std::min(count, kMaxPoints);
    for (int i = 0; i < count; ++i) {
        DrawWorld.MoveTo(los[i], xs[i]);
        DrawWorld.LineTo(his[i], xs[i]);
        DrawWorld.MoveTo(los[i], xs[i] - half);
        DrawWorld.LineTo(los[i], xs[i] + half);
        DrawWorld.MoveTo(his[i], xs[i] - half);
        DrawWorld.LineTo(his[i], xs[i] + half);
    }
}

void TGraph::DrawMarkers(const float* xs, const float* ys, int shape, int colour, int count)
{
    TCanvas* c = GetCanvas();
    if (!c || !xs || !ys)
        return;
    // Offsets in marker units (x, y); y offsets point down on the device.
    static constexpr float kShapes[3][2][5] = {
        {{-0.5f, 0, 1, 0, -1}, {-0.5f, 1, 0, -1, 0}},                  // square
        {{-0.5f, 0.5f, 0.5f, -1, 0}, {-0.5f, 1, -1, 0, 0}},            // triangle
        {{0, -0.5f, 0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f, -0.5f, -0.5f}},   // diamond
    };
    if (shape < 0 || shape >= 3)
        shape = 0;
    const float ux = static_cast<float>(0.012 * (World.XMax - World.XMin));
    const float uy = static_cast<float>(0.012 * (World.YMax - World.YMin));
    float dxs[5], dys[5];
    for (int i = 0; i < 5; ++i) {
        dxs[i] = kShapes[shape][0][i] * ux;
        dys[i] = kShapes[shape][1][i] * uy;
    }
    TCanvasStateGuard restore(*c);
    c->SetPenColor(Monochrome ? kBlack : PaletteColor(colour));
    TClipScope clip(*this);
    count = std::min(count, kMaxPoints);
    for (int i = 0; i < count; ++i) {
        DrawWorld.MoveTo(ys[i], xs[i]);
        DrawWorld.RelativePolyline(dxs, dys, 5);
    }
}

void TGraph::SetFontColor(int index)
{
    if (TCanvas* c = GetCanvas())
        c->SetFontColor(Monochrome ? kBlack : PaletteColor(index));
}

void TGraph::SetPenColor(int index)
{
    if (TCanvas* c = GetCanvas())
        c->SetPenColor(Monochrome ? kBlack : PaletteColor(index));
}

void TGraph::SetTextJustify(int horizontal, int vertical)
{
    int h = 0;
    switch (horizontal) {
    case 0: h = kAlignCenter; break;
    case 1: h = kAlignLeft; break;
    case 2: h = kAlignRight; break;
    default: throw std::invalid_argument("SetTextJustify: unknown horizontal type");
    }
    int v = 0;
    switch (vertical) {
    case 3: v = kAlignBottom; break;
    case 4: v = kAlignTop; break;
    case 5: v = kAlignBaseline; break;
    default: throw std::invalid_argument("SetTextJustify: unknown vertical type");
    }
    if (TCanvas* c = GetCanvas())
        c->SetTextAlign(h | v);
}
