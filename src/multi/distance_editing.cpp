#include "multi/distance_editing.h"

#include "core/str_utilx.h"
#include "multi/distance_matrices.h"
#include "multi/population_editing.h"

namespace multi {

namespace {

double TextValue(const std::string& text)
{
    double value = 0;
    return ConvertNumber(text, value) ? value : 0.0;
}

// A parameter's text stands for the edited value: it is a number, and that
// number. A text that is no number is shown as 0 but read by the matrices
// otherwise, so it never stands for a value.
bool TextHolds(const std::string& text, double value)
{
    double held = 0;
    return ConvertNumber(text, held) && held == value;
}

}  // namespace

TDistanceValues DistanceValues(const DistanceFunctionsType& texts)
{
    return {TextValue(texts.AvgDispersalDistanceText), TextValue(texts.MaxDispersalDistanceText),
            TextValue(texts.MaxDispersalRateText), TextValue(texts.CorrelationAt100Text)};
}

void SaveDistanceSnapshot(const TMultiModel& model, TDistanceSnapshot& snapshot)
{
    snapshot.Count = model.PopCount;
    snapshot.Dispersal.LoadFromSingles(model.DispersalMatrix, model.PopCount, model.PopCount);
    snapshot.Parameters = model.DistanceFunctions;
    snapshot.Correlation.LoadFromTriangle(model.CorrelationMatrix, model.PopCount);
    snapshot.DispersalUpToDate = model.DispersalUpToDate;
    snapshot.CorrelationUpToDate = model.CorrelationUpToDate;
    snapshot.DispersalFromFunction = model.DispersalFromFunction;
    snapshot.CorrelationFromFunction = model.CorrelationFromFunction;
}

void RestoreDistanceSnapshot(TMultiModel& model, const TDistanceSnapshot& snapshot)
{
    snapshot.Dispersal.StoreToSingles(model.DispersalMatrix, snapshot.Count, snapshot.Count);
    model.DistanceFunctions = snapshot.Parameters;
    snapshot.Correlation.StoreToTriangle(model.CorrelationMatrix, snapshot.Count);
    model.DispersalUpToDate = snapshot.DispersalUpToDate;
    model.CorrelationUpToDate = snapshot.CorrelationUpToDate;
    model.DispersalFromFunction = snapshot.DispersalFromFunction;
    model.CorrelationFromFunction = snapshot.CorrelationFromFunction;
}

void MarkDistanceChanges(TMultiModel& model, const DistanceFunctionsType& before, const TDistanceValues& edited)
{
    if (!TextHolds(before.AvgDispersalDistanceText, edited.AvgDispersalDistance) ||
        !TextHolds(before.MaxDispersalDistanceText, edited.MaxDispersalDistance) ||
        !TextHolds(before.MaxDispersalRateText, edited.MaxDispersalRate)) {
        model.InputsChanged = true;
        model.DispersalUpToDate = false;
    }
    if (!TextHolds(before.CorrelationAt100Text, edited.CorrelationAt100)) {
        model.InputsChanged = true;
        model.CorrelationUpToDate = false;
    }
}

std::string DistanceParameterText(double value)
{
    const std::string text = TrimBlanks(RealToText(value));
    return text.size() <= kParameterTextLength ? text : FitFloatText(value);
}

void StoreDistanceParameters(TMultiModel& model, const DistanceFunctionsType& before,
                             const TDistanceValues& values)
{
    auto store = [](std::string& text, const std::string& oldText, double value) {
        text = TextHolds(oldText, value) ? oldText : DistanceParameterText(value);
    };
    DistanceFunctionsType& f = model.DistanceFunctions;
    store(f.AvgDispersalDistanceText, before.AvgDispersalDistanceText, values.AvgDispersalDistance);
    store(f.MaxDispersalDistanceText, before.MaxDispersalDistanceText, values.MaxDispersalDistance);
    store(f.MaxDispersalRateText, before.MaxDispersalRateText, values.MaxDispersalRate);
    store(f.CorrelationAt100Text, before.CorrelationAt100Text, values.CorrelationAt100);
    UpdateDistanceMatrices(model);
}

}  // namespace multi
