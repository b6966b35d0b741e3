#pragma once
// The dispersal and correlation matrices of the populations, computed from
// their map coordinates with the model's two distance functions: dispersal
// a x exp(-D / b) up to a maximum distance, and a correlation that falls off
// as c100^(D / 100), c100 being the correlation at distance 100.

#include "multi/model_data.h"

namespace multi {

// 'M' or 'm' fills DispersalMatrix (symmetric, diagonal 0); 'C' or 'c' fills
// the lower triangle of CorrelationMatrix (diagonal 1, every other entry
// within +-0.99999, so that the correlation factor of a run always exists,
// even for two populations in one place). The four parameter texts are read
// first; a text that is empty or not a number takes its default (rate 0,
// average distance 0, maximum distance 1, correlation 0), a value outside
// its range (rate and correlation 0..1, distances 0..2147483647) its nearest
// limit, and in these cases the text is rewritten as the whole number used.
// A population whose coordinates are not numbers gets 0 with every other
// one. Sets the up-to-date and from-function flags of the matrix and returns
// true. Any other kind throws std::invalid_argument
//   Calc_Matr: unknown matrix type "X"
bool Calc_Matr(TMultiModel& model, char kind);

// Refills each matrix whose up-to-date flag is clear, then sets both flags.
void UpdateDistanceMatrices(TMultiModel& model);

}  // namespace multi
