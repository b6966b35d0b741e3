#pragma once
// The rules of the dispersal and correlation editor. It edits the four
// distance-function parameters from which the dispersal and correlation
// matrices are computed. Showing a function writes the parameters into the
// model at once (the function windows draw from the model), so the editor
// keeps a snapshot of everything it may touch, restores it on Cancel, and
// judges on OK what changed against the snapshot, not against texts that a
// view has already overwritten.

#include "core/matrix_buffer.h"
#include "multi/model_data.h"

#include <string>

namespace multi {

// Limits of the editor's edits.
inline constexpr double kLargestEditedDistance = 32767;
inline constexpr double kLargestRate = 1;

// The four parameters as numbers, in the editor's order.
struct TDistanceValues {
    double AvgDispersalDistance = 0;
    double MaxDispersalDistance = 0;
    double MaxDispersalRate = 0;
    double CorrelationAt100 = 0;
};

// The parameters' texts as numbers; a text that is empty or not a number
// counts as 0. Texts with "." read under any locale.
TDistanceValues DistanceValues(const DistanceFunctionsType& texts);

// What the editor may change: both matrices for `count` populations, the
// four texts and the four matrix-state flags.
struct TDistanceSnapshot {
    int Count = 0;
    TMatrix Dispersal;
    TMatrix Correlation;  // the lower triangle
    DistanceFunctionsType Parameters;
    bool DispersalUpToDate = false;
    bool CorrelationUpToDate = false;
    bool DispersalFromFunction = false;
    bool CorrelationFromFunction = false;
};

void SaveDistanceSnapshot(const TMultiModel& model, TDistanceSnapshot& snapshot);
void RestoreDistanceSnapshot(TMultiModel& model, const TDistanceSnapshot& snapshot);

// Compares the edited values with the snapshot's parameters: a changed
// dispersal parameter sets the inputs-changed flag and marks the dispersal
// matrix out of date, a changed correlation the same for the correlation
// matrix. Values equal to the snapshot's numbers mark nothing; a value given
// for a text that is no number is a change.
void MarkDistanceChanges(TMultiModel& model, const DistanceFunctionsType& before, const TDistanceValues& edited);

// A parameter as its text: the number-display switches, "." as decimal
// point whatever the locale, at most 10 characters (rounded, never cut).
std::string DistanceParameterText(double value);

// Writes the four values into the texts, then refills each matrix that is
// out of date. A value equal to the number its text in `before` (the
// snapshot) holds keeps that text as it was.
void StoreDistanceParameters(TMultiModel& model, const DistanceFunctionsType& before,
                             const TDistanceValues& values);

}  // namespace multi
