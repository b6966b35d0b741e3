#include "multi/population_map.h"

#include "chart/draw_world.h"
#include "chart/palette.h"
#include "core/config.h"
#include "core/str_utilx.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace multi {

namespace {

double TextValue(const std::string& text)
{
    double v = 0;
    return ConvertNumber(text, v) ? v : 0.0;
}

int PopulationsOf(const TMultiModel& model) { return std::min<int>(model.PopCount, model.MaxPops); }

// Sends population `from` enough dispersers to `to` to be worth a line? The
// expected number moving per step: from the carrying capacity for a model,
// and also from the current abundance during a run.
bool Sends(const TMultiModel& model, int from, int to, const TMapRunValues* run)
{
    const double rate = model.DispersalMatrix[to][from];
    if (!run)
        return MapCarryingCapacity(model, from, nullptr) * rate > 0.5;
    return MapCarryingCapacity(model, from, run) * rate > 0.1 && MapAbundance(model, from, run) * rate > 0.5;
}

// What the layout reads of population i, once per layout: its K and the
// trend in K, and the largest size it reaches. The size may grow with a
// positive trend until the run's last time step, and the map must not move
// while a run is shown, so the room is made for that size from the start.
struct TPopulationReach {
    double K = 0;
    double Trend = 0;
    double Largest = 0;
};

TPopulationReach ReachOf(const TMultiModel& model, int i, const TMapRunValues* run)
{
    TPopulationReach reach;
    reach.K = MapCarryingCapacity(model, i, run);
    reach.Trend = MapTrendInK(model, i, run);
    reach.Largest = std::max({reach.K, reach.K + reach.Trend, reach.K + reach.Trend * model.Duration});
    return reach;
}

// The largest radius a circle reaches, in pixels; none for a size of at
// most 1, which is drawn without a circle.
double LargestRadius(const TPopulationReach& reach, double diameterPerRoot)
{
    return reach.Largest > 1 ? std::sqrt(reach.Largest) * diameterPerRoot / 2 : 0.0;
}

// The range of origins that keeps every circle inside 0..extent on one
// axis, at scale s: offsets[i] is population i's map distance from the
// smallest coordinate. Empty (lo > hi) when there is none.
std::pair<double, double> OriginRange(const std::vector<double>& offsets, const std::vector<double>& radius,
                                      double s, double extent)
{
    double lo = -1e300, hi = 1e300;
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        lo = std::max(lo, radius[i] - offsets[i] * s);
        hi = std::min(hi, extent - radius[i] - offsets[i] * s);
    }
    return {lo, hi};
}

// Keeps every circle the map draws inside it: shrinks the scale and moves
// the origin of `out` (its X and Y still map coordinates) where the margins
// are too narrow for a circle at the edge.
void MakeRoomForCircles(const std::vector<TPopulationReach>& reach, double circleSizeFactor,
                        TPopulationMapLayout& out)
{
    const int P = static_cast<int>(reach.size()) - 1;
    if (P == 0 || out.Width == 0 || out.Height == 0)
        return;
    std::vector<double> radius(P + 1, 0.0), dx(P + 1, 0.0), dy(P + 1, 0.0);
    double largest = 0;
    for (int i = 1; i <= P; ++i) {
        radius[i] = LargestRadius(reach[i], out.CircleFactor * circleSizeFactor);
        largest = std::max(largest, radius[i]);
        dx[i] = out.X[i] - out.XMin;   // map coordinates still
        dy[i] = out.Y[i] - out.YMin;
    }
    // No circle is wider than half the map's smaller side, so that a map
    // squeezed into a narrow strip still has room to tell its populations
    // apart.
    const double W = out.Width - 1, H = out.Height - 1;
    const double widest = std::min(W, H) / 4;
    if (largest > widest) {
        const double shrink = widest / largest;
        out.CircleFactor *= shrink;
        for (double& r : radius)
            r *= shrink;
    }
    const auto fits = [&](double s) {
        const auto [xlo, xhi] = OriginRange(dx, radius, s, W);
        const auto [ylo, yhi] = OriginRange(dy, radius, s, H);
        return xlo <= xhi && ylo <= yhi;
    };
    // The margins hold the circles in most maps. Where one at the edge would
    // be cut, the populations' box shrinks as little as it must (one scale
    // for both axes still); at scale 0 every circle fits.
    if (!fits(out.Scale)) {
        double lo = 0, hi = out.Scale;
        for (int step = 0; step < 60; ++step) {
            const double mid = (lo + hi) / 2;
            (fits(mid) ? lo : hi) = mid;
        }
        out.Scale = lo;
    }
    // And it moves as little as it must.
    const auto place = [](int origin, std::pair<double, double> range) {
        const double lo = std::ceil(range.first), hi = std::floor(range.second);
        if (lo > hi)
            return static_cast<int>(std::nearbyint((range.first + range.second) / 2));
        return static_cast<int>(std::clamp<double>(origin, lo, hi));
    };
    out.OriginX = place(out.OriginX, OriginRange(dx, radius, out.Scale, W));
    out.OriginY = place(out.OriginY, OriginRange(dy, radius, out.Scale, H));
}

}  // namespace

TMapStyle ProgramMapStyle() { return {ChartColors[0], ChartColors[1], ChartColors[2], 1.0}; }

double MapCarryingCapacity(const TMultiModel& model, int i, const TMapRunValues* run)
{
    if (run)
        return model.CarryingCapacity[i];
    const PopulationRecord& pop = model.Populations[i];
    return TextValue(IsExponential(pop.DDType) ? pop.InitialAbundanceText : pop.CarryingCapacityText);
}

double MapTrendInK(const TMultiModel& model, int i, const TMapRunValues* run)
{
    return run ? model.TrendInK[i] : TextValue(model.Populations[i].TrendInKText);
}

double MapAbundance(const TMultiModel& model, int i, const TMapRunValues* run)
{
    return run ? run->Abundance[i] : TextValue(model.Populations[i].InitialAbundanceText);
}

TMapPlacement TPopulationMapLayout::Placement(int left, int top) const
{
    return {left + OriginX, top + OriginY, XMin, YMin, Scale, Scale};
}

TPopulationMapLayout LayoutPopulationMap(const TMultiModel& model, const TMapRunValues* run, int width,
                                         int height, double circleSizeFactor)
{
    TPopulationMapLayout out;
    out.Width = std::max(width, 0);
    out.Height = std::max(height, 0);
    const int P = PopulationsOf(model);
    out.X.assign(P + 1, 0.0);
    out.Y.assign(P + 1, 0.0);
    out.Size.assign(P + 1, 0.0);
    out.Diameter.assign(P + 1, 0.0);
    out.Abundance.assign(P + 1, 0.0);
    const double W = out.Width, H = out.Height;

    // Margins around the populations' box; they also bound the circles.
    const int mx = static_cast<int>(std::nearbyint((W + 1) * 5 / 28));
    const int my = static_cast<int>(std::nearbyint((H + 1) * 5 / 28));
    const double aspect = (H + 1 - my) / (W + 1 - mx);

    std::vector<TPopulationReach> reach(P + 1);
    double xmin = 1.7e38, xmax = -1.7e38, ymin = 1.7e38, ymax = -1.7e38;
    double m = 0;   // the largest square root of a size the run can reach
    for (int i = 1; i <= P; ++i) {
        reach[i] = ReachOf(model, i, run);
        const double x = TextValue(model.Populations[i].XText);
        const double y = TextValue(model.Populations[i].YText);
        out.X[i] = x;
        out.Y[i] = y;
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
        const double K = reach[i].K;
        const double trend = reach[i].Trend;
        m = std::max(m, K > 1e-6 ? std::sqrt(K) : 0.0);
        if (trend > 0)
            m = std::max(m, std::sqrt(std::max(0.0, K + trend * model.Duration)));
    }

    // One scale for both axes, from the extent that limits the picture. With
    // every population at one point (or none) there is no extent: the point
    // goes to the centre, at the scale of its largest coordinate when that is
    // positive and one pixel per map unit otherwise.
    const bool onePoint = P == 0 || (xmax == xmin && ymax == ymin);
    if (onePoint) {
        out.Scale = P > 0 && ymax > 0 ? ymax : 1.0;
        out.XMin = P > 0 ? xmin : 0.0;
        out.YMin = P > 0 ? ymin : 0.0;
        out.OriginX = out.Width / 2;
        out.OriginY = out.Height / 2;
    } else {
        out.Scale = (ymax - ymin) < (xmax - xmin) * aspect ? (W - mx) / (xmax - xmin) : (H - my) / (ymax - ymin);
        out.XMin = xmin;
        out.YMin = ymin;
        out.OriginX = mx / 2;
        out.OriginY = my / 2;
    }

    if (m > 0) {
        const double R0 = std::sqrt(W * H / (P * 2 * 3.14));
        out.CircleFactor = (mx + my) / 2.0 >= R0 ? R0 / m : (mx + my) / (2 * m);
    }

    MakeRoomForCircles(reach, circleSizeFactor, out);

    for (int i = 1; i <= P; ++i) {
        out.X[i] = (out.X[i] - out.XMin) * out.Scale + out.OriginX;
        out.Y[i] = (out.Y[i] - out.YMin) * out.Scale + out.OriginY;
        const double K = reach[i].K;
        const double trend = reach[i].Trend;
        out.Size[i] = run ? K + trend * run->StepCounter[i] : K + trend;
        out.Diameter[i] = out.Size[i] > 1 ? std::sqrt(out.Size[i]) * out.CircleFactor * circleSizeFactor : 0.0;
        out.Abundance[i] = MapAbundance(model, i, run);
    }
    return out;
}

TPopulationMapLayout DrawPopulationMap(TCanvas& canvas, const TRect& area, const TMultiModel& model,
                                       const std::string& modelFileName, const TMapRunValues* run,
                                       const TMapStyle& style, TLandscapeCache* cache,
                                       TLandscapeOutcome* landscape)
{
    if (landscape)
        *landscape = TLandscapeOutcome();
    const TRect box = NormalizedRect(area);
    const TPopulationMapLayout layout =
        LayoutPopulationMap(model, run, box.Right - box.Left, box.Bottom - box.Top, style.CircleSizeFactor);
    if (layout.Width == 0 || layout.Height == 0)
        return layout;
    const int P = PopulationsOf(model);

    TCanvasStateSaver saved(canvas);
    canvas.SetClipRect(box);
    canvas.FillRect(box);

    TLandscapeRequest request;
    request.MapName = model.MapName;
    request.ModelFileName = modelFileName;
    request.Placement = layout.Placement(box.Left, box.Top);
    request.Clip = box;
    request.Populations.Count = P;
    request.Populations.Abundance = [&](int k) { return MapAbundance(model, k, run); };
    request.Populations.CarryingCapacity = [&](int k) { return MapCarryingCapacity(model, k, run); };
    DrawLandscapeMap(canvas, request, cache, landscape);

    auto device = [&](double x, double y) {
        return TPoint{DeviceCoordinate(box.Left + x), DeviceCoordinate(box.Top + y)};
    };

    // Links, touching the centre of a population that sends and stopping
    // short of one that only receives.
    canvas.SetPen({PaletteColor(style.LinkColour), TPenStyle::Solid, 1});
    for (int i = 2; i <= P; ++i)
        for (int j = 1; j < i; ++j) {
            const bool iSends = Sends(model, i, j, run);
            const bool jSends = Sends(model, j, i, run);
            if (!iSends && !jSends)
                continue;
            const double dx = layout.X[j] - layout.X[i], dy = layout.Y[j] - layout.Y[i];
            const double d = std::hypot(dx, dy);
            const double from = iSends || d == 0 ? 0.0 : layout.Diameter[i] / d;
            const double to = jSends || d == 0 ? 0.0 : layout.Diameter[j] / d;
            const TPoint a = device(layout.X[i] + dx * from, layout.Y[i] + dy * from);
            const TPoint b = device(layout.X[j] - dx * to, layout.Y[j] - dy * to);
            canvas.MoveTo(a.x, a.y);
            canvas.LineTo(b.x, b.y);
        }

    // Circles shaded from black (empty) to the map colour (full), and the
    // names centred on them.
    canvas.SetFontColor(PaletteColor(style.NameColour));
    canvas.SetTextAlign(kAlignCenter | kAlignTop);
    const int h = P > 0 ? canvas.TextExtent(model.Populations[1].Name).cy / 2 : 0;
    const TColor full = PaletteColor(style.CircleColour);
    for (int i = 1; i <= P; ++i) {
        if (layout.Size[i] > 1) {
            const double q = std::clamp(layout.Abundance[i] / layout.Size[i], 0.0, 1.0);
            const TColor shade = Rgb(static_cast<int>(std::nearbyint(RedOf(full) * q)),
                                     static_cast<int>(std::nearbyint(GreenOf(full) * q)),
                                     static_cast<int>(std::nearbyint(BlueOf(full) * q)));
            canvas.SetPen({shade, TPenStyle::Solid, 1});
            canvas.SetBrush({shade, TBrushStyle::Solid});
            const double r = layout.Diameter[i] / 2;
            const TPoint tl = device(layout.X[i] - r, layout.Y[i] - r);
            const TPoint br = device(layout.X[i] + r, layout.Y[i] + r);
            canvas.Ellipse({tl.x, tl.y, br.x, br.y});
        }
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.SetTransparent(true);
        const TPoint at = device(layout.X[i], layout.Y[i] - h);
        canvas.TextOut(at.x, at.y, model.Populations[i].Name);
    }
    return layout;
}

}  // namespace multi
