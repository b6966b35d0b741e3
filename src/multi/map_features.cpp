#include "multi/map_features.h"

#include "chart/draw_world.h"
#include "chart/palette.h"
#include "core/str_utilx.h"

#include <cmath>
#include <algorithm>
#include <limits>

namespace multi {

namespace {

// Font sizes above this many points are taken as a bad line: nobody means
// them, and the canvas would be asked for glyphs thousands of pixels high.
constexpr int kLargestFontSize = 1000;

bool ParseInteger(const std::string& text, int& value)
{
    long v = 0;
    if (!TextToInt(TrimBlanks(text), v))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseNumber(const std::string& text, double& value)
{
    const double v = TextToRealDef(TrimBlanks(text), std::numeric_limits<double>::quiet_NaN());
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

// "x y": split at the first blank, which must not be the first character.
bool ParsePoint(const std::string& line, TMapPoint& point)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos || blank == 0)
        return false;
    TMapPoint p;
    if (!ParseNumber(line.substr(0, blank), p.X) || !ParseNumber(line.substr(blank + 1), p.Y))
        return false;
    point = p;
    return true;
}

// "<n> <colour index>" or "P <population>".
bool ParseFill(const std::string& line, TMapPolygon& polygon)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos || blank == 0)
        return false;
    const std::string first = line.substr(0, blank);
    const std::string second = line.substr(blank + 1);
    int value = 0;
    if (first == "P") {
        if (!ParseInteger(second, value) || value < 1)
            return false;
        polygon.Population = value;
        return true;
    }
    int ignored = 0;
    if (!ParseInteger(first, ignored) || !ParseInteger(second, value))
        return false;
    polygon.Colour = value;
    return true;
}

bool ParseFont(const std::string& line, TMapFont& font)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos || blank == 0)
        return false;
    int style = 0, size = 0;
    if (!ParseInteger(line.substr(0, blank), style) || !ParseInteger(line.substr(blank + 1), size) ||
        size < 0 || size > kLargestFontSize)
        return false;
    font.Style = style;
    font.Size = size == 0 ? 5 : size;
    return true;
}

// The lines of the file one at a time, each cut to the length a line is
// read with.
class TLineReader {
public:
    explicit TLineReader(const std::vector<std::string>& lines) : lines_(lines) {}
    // False at the end of the file.
    bool Next(std::string& line)
    {
        if (next_ >= lines_.size())
            return false;
        const std::string& read = lines_[next_++];
        line.assign(read, 0, std::min(read.size(), kMapLineLength));
        return true;
    }

private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

class TParser {
public:
    explicit TParser(const std::vector<std::string>& lines) : in_(lines) {}

    TMapFeatures Run()
    {
        std::string line;
        bool more = in_.Next(line);
        while (more) {
            if (line == "LINE")
                more = Line(line);
            else if (line == "TEXT")
                more = Text(line);
            else if (line == "POLY")
                more = Poly(line);
            else if (line == "SCALE")
                more = Value(line, [&](const std::string& v) {
                    if (!ParseNumber(v, out_.Scale))
                        out_.Scale = 1;
                });
            else if (line == "BACKG")
                more = Value(line, [&](const std::string& v) {
                    int index = 0;
                    out_.BackgroundIndex = ParseInteger(v, index) && index >= 0 && index <= 15 ? index : 0;
                });
            else if (line == "FONT")
                more = Value(line, [&](const std::string& v) {
                    TMapFont font;
                    if (ParseFont(v, font))
                        out_.Items.emplace_back(font);
                });
            else
                more = in_.Next(line);
        }
        return std::move(out_);
    }

private:
    // Each block leaves in `line` the line to look at next as a keyword and
    // returns false when the file has ended instead.
    bool Line(std::string& line)
    {
        TMapLine polyline;
        if (!in_.Next(line))
            return false;
        if (!ParseInteger(line, polyline.Colour))
            return true;
        TMapPoint p;
        bool more = false;
        while ((more = in_.Next(line)) && ParsePoint(line, p))
            polyline.Points.push_back(p);
        if (!polyline.Points.empty())
            out_.Items.emplace_back(std::move(polyline));
        return more;
    }

    bool Text(std::string& line)
    {
        for (;;) {
            TMapText text;
            if (!in_.Next(line))
                return false;
            if (!ParseInteger(line, text.Colour))
                return true;
            if (!in_.Next(line))
                return false;
            if (!ParsePoint(line, text.At))
                return true;
            if (!in_.Next(line))
                return false;
            if (line == "LINE" || line == "TEXT")
                return true;
            text.Text = line;
            out_.Items.emplace_back(std::move(text));
        }
    }

    bool Poly(std::string& line)
    {
        TMapPolygon polygon;
        if (!in_.Next(line))
            return false;
        if (!ParseFill(line, polygon))
            return true;
        // Points beyond the polygon's last are read past.
        TMapPoint p;
        bool more = false;
        while ((more = in_.Next(line)) && ParsePoint(line, p))
            if (polygon.Points.size() < static_cast<std::size_t>(kMaxPolygonPoints))
                polygon.Points.push_back(p);
        out_.Items.emplace_back(std::move(polygon));
        return more;
    }

    // A keyword with one value line, after which one more line is read past.
    template <class Apply>
    bool Value(std::string& line, Apply apply)
    {
        const bool value = in_.Next(line);
        apply(value ? line : std::string());
        return value && in_.Next(line) && in_.Next(line);
    }

    TLineReader in_;
    TMapFeatures out_;
};

}  // namespace

bool TMapFeatures::FillsFromPopulations() const
{
    for (const TMapFeature& item : Items)
        if (const auto* polygon = std::get_if<TMapPolygon>(&item); polygon && polygon->Population > 0)
            return true;
    return false;
}

TMapFeatures ParseMapFeatures(const std::vector<std::string>& lines) { return TParser(lines).Run(); }

TPoint TMapPlacement::ToDevice(const TMapPoint& p) const
{
    return {DeviceCoordinate(Left + (p.X - XOffset) * XScale), DeviceCoordinate(Top + (p.Y - YOffset) * YScale)};
}

double PopulationFillFraction(const TMapPopulations& populations, int k)
{
    if (k < 1 || k > populations.Count || !populations.Abundance || !populations.CarryingCapacity)
        return 0;
    const double capacity = populations.CarryingCapacity(k);
    if (capacity == 0)
        return 0;
    const double fraction = populations.Abundance(k) / capacity;
    return std::isfinite(fraction) ? std::min(fraction, 1.0) : 0;
}

namespace {

class TFeaturePainter {
public:
    TFeaturePainter(TCanvas& canvas, const TMapPlacement& placement, const TMapPopulations& populations)
        : canvas_(canvas), placement_(placement), populations_(populations)
    {
    }

    void operator()(const TMapLine& line)
    {
        canvas_.SetPenColor(PaletteColor(line.Colour));
        const TPoint first = placement_.ToDevice(line.Points.front());
        canvas_.MoveTo(first.x, first.y);
        for (std::size_t i = 1; i < line.Points.size(); ++i) {
            const TPoint p = placement_.ToDevice(line.Points[i]);
            canvas_.LineTo(p.x, p.y);
        }
    }

    void operator()(const TMapText& text)
    {
        canvas_.SetFontColor(PaletteColor(text.Colour));
        canvas_.SetTransparent(true);
        canvas_.SetTextAlign(kAlignCenter | kAlignBottom);
        const TPoint at = placement_.ToDevice(text.At);
        const int halfHeight = canvas_.TextExtent(text.Text).cy / 2;
        canvas_.TextOut(at.x, DeviceCoordinate(static_cast<double>(at.y) + halfHeight), text.Text);
    }

    void operator()(const TMapPolygon& polygon)
    {
        if (polygon.Population > 0) {
            const double fraction = PopulationFillFraction(populations_, polygon.Population);
            if (fraction > 0)
                // Halves go up here: a population half full or more takes
                // colour 1.
                canvas_.SetBrush({PaletteColor(static_cast<int>(std::floor(fraction + 0.5))), TBrushStyle::Solid});
            else
                canvas_.SetBrushStyle(TBrushStyle::Clear);
        } else {
            canvas_.SetBrush({PaletteColor(polygon.Colour), TBrushStyle::Solid});
        }
        points_.clear();
        for (const TMapPoint& p : polygon.Points)
            points_.push_back(placement_.ToDevice(p));
        canvas_.Polygon(points_.data(), static_cast<int>(points_.size()));
    }

    void operator()(const TMapFont& font)
    {
        TFont f = canvas_.Font();
        f.Bold = (font.Style & 1) != 0;
        f.Italic = (font.Style & 2) != 0;
        f.Underline = (font.Style & 4) != 0;
        f.StrikeOut = (font.Style & 8) != 0;
        f.Size = font.Size;
        canvas_.SetFont(f);
    }

private:
    TCanvas& canvas_;
    const TMapPlacement& placement_;
    const TMapPopulations& populations_;
    std::vector<TPoint> points_;
};

}  // namespace

void DrawMapFeatures(TCanvas& canvas, const TMapFeatures& features, const TMapPlacement& placement,
                     const TMapPopulations& populations)
{
    canvas.SetPenColor(kBlack);
    TFeaturePainter paint(canvas, placement, populations);
    for (const TMapFeature& item : features.Items)
        std::visit(paint, item);
}

}  // namespace multi
