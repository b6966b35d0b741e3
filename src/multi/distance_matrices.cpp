#include "multi/distance_matrices.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "sim/population_links.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace multi {

namespace {

constexpr double kLargestDistance = 2147483647.0;
// Correlations are computed for every distance on the map.
constexpr double kCorrelationRange = 99999999.0;
// The distance scale of a correlation of 1 or more at distance 100.
constexpr double kFullCorrelationScale = 999999.0;

// One distance-function parameter: the value of its text, or the default or
// the nearest limit, in which case the text is rewritten as that value.
double ReadParameter(std::string& text, double fallback, double low, double high)
{
    double value = fallback;
    bool rewrite = !ConvertNumber(text, value);
    if (rewrite)
        value = fallback;
    if (value < low) {
        value = low;
        rewrite = true;
    } else if (value > high) {
        value = high;
        rewrite = true;
    }
    if (rewrite)
        text = WholeNumberText(value);
    return value;
}

struct TPoint {
    double x = 0.0;
    double y = 0.0;
    bool valid = false;
};

TPoint Coordinates(const PopulationRecord& pop)
{
    TPoint p;
    p.valid = ConvertNumber(pop.XText, p.x) && ConvertNumber(pop.YText, p.y);
    return p;
}

}  // namespace

bool Calc_Matr(TMultiModel& model, char kind)
{
    const bool dispersal = kind == 'M' || kind == 'm';
    if (!dispersal && kind != 'C' && kind != 'c')
        throw std::invalid_argument(std::string("Calc_Matr: unknown matrix type \"") + kind + "\"");

    DistanceFunctionsType& f = model.DistanceFunctions;
    const double rate = ReadParameter(f.MaxDispersalRateText, 0.0, 0.0, 1.0);
    const double average = ReadParameter(f.AvgDispersalDistanceText, 0.0, 0.0, kLargestDistance);
    const double c100 = ReadParameter(f.CorrelationAt100Text, 0.0, 0.0, 1.0);
    const double maximum = ReadParameter(f.MaxDispersalDistanceText, 1.0, 0.0, kLargestDistance);

    double a = 1.0, b = 0.0, dmax = kCorrelationRange;
    if (dispersal) {
        a = rate;
        b = average;
        dmax = maximum;
    } else if (c100 >= 1.0) {
        b = kFullCorrelationScale;
    } else if (c100 > 0.0) {
        b = -100.0 / std::log(c100);
    }
    const bool usable = a > 0.0 && b > 0.0 && dmax > 0.0;

    FillDistanceMatrix(dispersal ? model.DispersalMatrix : model.CorrelationMatrix, dispersal, model.PopCount,
                       [&](int i, int j) {
                           const TPoint pi = Coordinates(model.Populations[i]);
                           const TPoint pj = Coordinates(model.Populations[j]);
                           // A population without a place is beyond every distance.
                           if (!usable || !pi.valid || !pj.valid)
                               return 0.0;
                           return DistanceFunction(std::hypot(pi.x - pj.x, pi.y - pj.y), a, b, 1.0, dmax);
                       });
    if (dispersal) {
        model.DispersalUpToDate = true;
        model.DispersalFromFunction = true;
    } else {
        model.CorrelationUpToDate = true;
        model.CorrelationFromFunction = true;
    }
    return true;
}

void UpdateDistanceMatrices(TMultiModel& model)
{
    if (!model.DispersalUpToDate && !Calc_Matr(model, 'M'))
        ErrorMessage("Error in filling Disp matrix");
    if (!model.CorrelationUpToDate && !Calc_Matr(model, 'C'))
        ErrorMessage("Error in filling Corr matrix");
    model.DispersalUpToDate = true;
    model.CorrelationUpToDate = true;
}

}  // namespace multi
