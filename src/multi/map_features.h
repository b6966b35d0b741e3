#pragma once
// The map-features file: a small text file of drawing instructions in the
// model's own map coordinates (lines, texts, filled polygons, a map scale, a
// background colour, a font) that is drawn under the populations.
//
// Each line is read as at most 80 characters. Keywords are whole lines,
// upper case, compared exactly:
//   LINE   a colour index, then one point per line; a polyline joining them
//   TEXT   groups of a colour index, a point and the text, written centred
//          on the point
//   POLY   a fill line ("<n> <colour index>" for a solid fill, or "P <k>"
//          for a fill that shows how full population k is), then up to 65
//          points of a polygon
//   SCALE  the model's map scale (a bad number gives 1)
//   BACKG  the map's background colour index 0..15 (anything else gives 0)
//   FONT   "<style> <size>": style bits 1 bold, 2 italic, 4 underline,
//          8 strike-out; size in points, 0 giving 5
// SCALE, BACKG and FONT read past the line after their value. A point line is
// "x y", split at the first blank, which must not be the first character.
// Numbers use "." whatever the locale. Other lines are skipped.
//
// Nothing in such a file raises an error: a line that does not fit where it
// stands (a colour that is no integer, a bad fill line, a bad point) ends the
// block it is in and is looked at again as a keyword.

#include "chart/canvas.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace multi {

inline constexpr std::size_t kMapLineLength = 80;
inline constexpr int kMaxPolygonPoints = 65;

struct TMapPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TMapPoint&) const = default;
};

struct TMapLine {
    int Colour = 0;                 // palette index of the pen
    std::vector<TMapPoint> Points;  // each joined to the one before
    bool operator==(const TMapLine&) const = default;
};

struct TMapText {
    int Colour = 0;  // palette index of the text
    TMapPoint At;
    std::string Text;
    bool operator==(const TMapText&) const = default;
};

struct TMapPolygon {
    int Colour = 0;      // palette index of a solid fill
    int Population = 0;  // above 0: filled after how full that population is
    std::vector<TMapPoint> Points;
    bool operator==(const TMapPolygon&) const = default;
};

struct TMapFont {
    int Style = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
    int Size = 5;   // points
    bool operator==(const TMapFont&) const = default;
};

using TMapFeature = std::variant<TMapLine, TMapText, TMapPolygon, TMapFont>;

struct TMapFeatures {
    std::vector<TMapFeature> Items;  // in file order
    double Scale = 1;                // the last SCALE; 1 without one
    int BackgroundIndex = -1;        // the last BACKG; -1 without one
    // True when some polygon is filled after a population, so that the
    // picture changes with the abundances.
    bool FillsFromPopulations() const;
};

TMapFeatures ParseMapFeatures(const std::vector<std::string>& lines);

// Where the map lands on the device: a map point (x, y) is drawn at
// (Left + (x - XOffset) x XScale, Top + (y - YOffset) x YScale), y growing
// downward, rounded and held within the canvas's coordinate range.
struct TMapPlacement {
    int Left = 0;
    int Top = 0;
    double XOffset = 0;
    double YOffset = 0;
    double XScale = 1;
    double YScale = 1;
    bool operator==(const TMapPlacement&) const = default;
    TPoint ToDevice(const TMapPoint& p) const;
};

// The populations a polygon can be filled after: their number and, for
// population k (1..Count), its current abundance and carrying capacity.
struct TMapPopulations {
    int Count = 0;
    std::function<double(int)> Abundance;
    std::function<double(int)> CarryingCapacity;
};

// How full population k is: its abundance over its carrying capacity, at
// most 1; 0 when the capacity is 0 or k is not one of the populations.
double PopulationFillFraction(const TMapPopulations& populations, int k);

// Draws the features in file order: the pen starts black; LINE sets the pen
// colour, which later polygons are outlined in; FONT changes the style and
// size of the canvas's font for the texts after it. A polygon filled after
// a population is solid when the population's fraction is above 0, in the
// palette colour of the fraction rounded to a whole number (halves up: 0
// below half full, 1 from half full), and left unfilled otherwise.
void DrawMapFeatures(TCanvas& canvas, const TMapFeatures& features, const TMapPlacement& placement,
                     const TMapPopulations& populations);

}  // namespace multi
