#include "chart/draw_world.h"

#include "chart/palette.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Rounds to nearest (halves to even) within lo..hi; NaN lands on lo.
int RoundClamped(double v, double lo, double hi)
{
    if (std::isnan(v))
        return static_cast<int>(lo);
    return static_cast<int>(std::nearbyint(std::clamp(v, lo, hi)));
}

// a + b held within plus or minus 2147483647, the range of device moves.
int AddClamped(int a, int b)
{
    return static_cast<int>(std::clamp(static_cast<long long>(a) + b, -2147483647LL, 2147483647LL));
}

constexpr double kDevMin = -32768.0;
constexpr double kDevMax = 32767.0;

}  // namespace

int DeviceCoordinate(double v) { return RoundClamped(v, kDevMin, kDevMax); }

void TDrawWorld::SetWorld(double xmin, double ymin, double xmax, double ymax)
{
    XMin = xmin;
    YMin = ymin;
    XMax = xmax;
    YMax = ymax;
}

void TDrawWorld::SetViewport(int left, int top, int right, int bottom)
{
    DeviceLeft = left;
    DeviceTop = top;
    DeviceRight = right;
    DeviceBottom = bottom;
}

int TDrawWorld::WorldToDevX(double x) const
{
    const double span = XMax - XMin;
    const double width = static_cast<double>(DeviceRight) - DeviceLeft;
    const double v = span != 0 ? (x - XMin) / span * width + DeviceLeft : DeviceLeft + (x - XMin);
    return RoundClamped(v, kDevMin, kDevMax);
}

int TDrawWorld::WorldToDevY(double y) const
{
    const double span = YMax - YMin;
    const double height = static_cast<double>(DeviceBottom) - DeviceTop;
    const double v = span != 0 ? height * (YMax - y) / span + DeviceTop : DeviceTop + (YMax - y);
    return RoundClamped(v, std::min(height - 32768.0, kDevMax), kDevMax);
}

int TDrawWorld::LengthToDevX(double dx) const
{
    const double span = XMax - XMin;
    const double width = static_cast<double>(DeviceRight) - DeviceLeft;
    return RoundClamped(span != 0 ? width * dx / span : dx, kDevMin, kDevMax);
}

int TDrawWorld::LengthToDevY(double dy) const
{
    const double span = YMax - YMin;
    const double height = static_cast<double>(DeviceBottom) - DeviceTop;
    return RoundClamped(span != 0 ? dy / span * height : dy, std::min(height - 32768.0, kDevMax),
                        kDevMax);
}

void TDrawWorld::MoveTo(double y, double x)
{
    if (Canvas)
        Canvas->MoveTo(WorldToDevX(x), WorldToDevY(y));
}

void TDrawWorld::LineTo(double y, double x)
{
    if (Canvas)
        Canvas->LineTo(WorldToDevX(x), WorldToDevY(y));
}

void TDrawWorld::MoveToDevice(double x, double y)
{
    if (Canvas)
        Canvas->MoveTo(RoundClamped(x, -2147483647.0, 2147483647.0),
                       RoundClamped(y, -2147483647.0, 2147483647.0));
}

void TDrawWorld::LineToDevice(int x, int y)
{
    if (Canvas)
        Canvas->LineTo(x, y);
}

void TDrawWorld::MoveRelative(int dy, int dx)
{
    if (!Canvas)
        return;
    const TPoint p = Canvas->PenPos();
    Canvas->MoveTo(AddClamped(p.x, dx), AddClamped(p.y, dy));
}

void TDrawWorld::TextOutAtPen(const std::string& text)
{
    if (Canvas)
        Canvas->TextOut(Canvas->PenPos().x, Canvas->PenPos().y, text);
}

void TDrawWorld::Polyline(const float* xs, const float* ys, int count)
{
    count = std::min(count, kMaxPoints);
    if (!Canvas || !xs || !ys || count < 2)
        return;
    std::array<TPoint, kMaxPoints> pts;
    for (int i = 0; i < count; ++i)
        pts[i] = {WorldToDevX(xs[i]), WorldToDevY(ys[i])};
    Canvas->Polyline(pts.data(), count);
}

void TDrawWorld::RelativePolyline(const float* dxs, const float* dys, int count)
{
    count = std::min(count, kMaxPoints);
    if (!Canvas || !dxs || !dys || count < 1)
        return;
    std::array<TPoint, kMaxPoints> pts;
    TPoint p = Canvas->PenPos();
    for (int i = 0; i < count; ++i) {
        p = {AddClamped(p.x, LengthToDevX(dxs[i])), AddClamped(p.y, LengthToDevY(dys[i]))};
        pts[i] = p;
    }
    Canvas->Polyline(pts.data(), count);
}

void TDrawWorld::Bar(int colourIndex, TBrushStyle brushStyle, double left, double base, double width,
                     double height)
{
    if (!Canvas)
        return;
    const TColor c = PaletteColor(colourIndex);
    Canvas->SetBrushColor(c);
    Canvas->SetBrushStyle(brushStyle);
    Canvas->SetPenColor(c);
    Canvas->Rectangle({WorldToDevX(left), WorldToDevY(base), WorldToDevX(left + width),
                       WorldToDevY(base + height)});
}

void TDrawWorld::ClipToWorldRect(double xmin, double ymin, double xmax, double ymax)
{
    if (Canvas)
        ClipToRect(*Canvas, NormalizedRect({WorldToDevX(xmin), WorldToDevY(ymax), WorldToDevX(xmax),
                                            WorldToDevY(ymin)}));
}
