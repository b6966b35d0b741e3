#pragma once
// The two matrices that link the populations of an age/stage model, the
// correlation of environmental fluctuations and the migration matrix: their
// checks before a run and their computation from the populations'
// coordinates, on the routines both engines share.

#include "stage/model_store.h"
#include "sim/population_links.h"

// Meaning of the four Info.distflags: the migration matrix comes from the
// distance function (two flags, set together), the correlation matrix comes
// from the distance function, and the correlation matrix has been checked
// (its diagonal set and its elements clamped).
inline constexpr int kMigrationFromDistances = 1;
inline constexpr int kMigrationFromDistances2 = 2;
inline constexpr int kCorrelationFromDistances = 3;
inline constexpr int kCorrelationChecked = 4;

// Once per model (until the checked flag is cleared): diagonal 1 and every
// off-diagonal element clamped to +-0.99999, with the simulation warning
// "Correcting the correlation matrix" when an element had to be clamped.
// Then classifies the matrix over the populations in use and returns
// kCorrelationIndependent (every |r| <= 2e-5, or one population),
// kCorrelationFull (every |1 - r| <= 2e-5) or kCorrelationGeneral.
int CheckCorrelationMatrix(TCoravel& model);

// Repairs the emigration of population p: negative shares become 0; shares
// summing to 1 or more are rescaled to share / total - 0.001; the density
// dependence of dispersal is corrected (and its text rewritten) when it would
// give shares outside 0..1 at low density; the share to itself becomes 0.
// Sets Info.migchecked when the population has any emigration, and sends the
// simulation warnings about migration above 95% or 100%.
void CheckMigration(TCoravel& model, int p);

// Fills the migration ('M' or 'm') or correlation ('C' or 'c') matrix from
// the populations' coordinates with the distance function
// a x exp(-D^c / b) up to Dmax (parameters repaired in the model first:
// a >= 0, b >= 0.1, c >= 0, Dmax >= 0) and sets that matrix's two flags.
// Correlations are clamped to +-0.99999. Any other name throws
// std::invalid_argument "Calc_Matr: unknown matrix (name="X")". Returns true.
bool Calc_Matr(TCoravel& model, char name);
