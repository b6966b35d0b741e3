#pragma once
// Preparing the two matrices that link populations, for both engines: the
// correlation of environmental fluctuations (a lower triangle with its
// diagonal) and the migration matrix, whose element [d][s] is the share of
// population s that moves to population d in one step; and building either
// from the distances between populations with a distance function.

#include "core/one_based.h"

#include <vector>

// How the populations' environmental deviates are drawn: each its own,
// one shared by all, or through the factor of a general correlation matrix.
// Each engine's run state keeps the code in its CorrelationStructure.
inline constexpr int kCorrelationIndependent = 0;
inline constexpr int kCorrelationFull = 1;
inline constexpr int kCorrelationGeneral = 2;

// Correlations stay strictly inside (-1, 1), so the factor of the matrix can
// be found even when two populations are in one place.
inline constexpr float kLargestCorrelation = 0.99999f;

// A correlation kept strictly inside (-1, 1): above 0.99999 becomes 0.99999,
// below -0.99999 becomes -0.99999, and a value that is not a number 0.
float ClampedCorrelation(float r);

// The check of a correlation matrix, a lower triangle whose first
// `populations` rows are in use, for both engines: once (while `checked` is
// clear; it is then set) diagonal 1 and every off-diagonal element clamped,
// with the simulation warning "Correcting the correlation matrix" when one
// had to be; then the classification: kCorrelationIndependent (every
// |r| <= 2e-5, or one population), kCorrelationFull (every |1 - r| <= 2e-5)
// or kCorrelationGeneral.
int CheckCorrelationMatrix(SingleMatrix& correlation, int populations, bool& checked);

// The factor a run draws correlated deviates with: the first `populations`
// rows of the correlation matrix, taken with diagonal 1 and every other
// element within +-0.99999 (a correlation of 1 has no factor), factored with
// FactorCorrelationMatrix into `factor` (row-major populations x
// populations). The matrix itself is not changed. False when it has no
// factor: the factor is then the identity, after the simulation warning.
bool FactorCorrelations(const SingleMatrix& correlation, int populations, std::vector<double>& factor);

// The shares of source population p in a [destination][source] dispersal
// matrix made usable: negative shares (and values that are not numbers) to
// other populations become 0; while those shares sum to 1 or more, every
// entry of the column, the population's own included, becomes
// share / total - 0.001. Returns the total of the shares to other
// populations; sets `present` when it is positive.
double RepairEmigrationShares(SingleMatrix& migration, int populations, int p, bool& present);

// x to the power p, keeping the sign of x: t := p ln|x|; x = 0 gives 1 for
// p = 0 and 0 otherwise; |t| of 60 or more gives 2.6e30 for t > 0 and 0 for
// t < 0, so that distant populations get 0 instead of an overflow.
double SafePower(double x, double p);

// A distance function: a x exp(-D^c / b) for a distance D up to dmax, 0
// beyond it and where D^c / b reaches 24 (the value is negligible there).
double DistanceFunction(double d, double a, double b, double c, double dmax);

// Fills the first n rows of a matrix computed from distances, element (i, j)
// for j < i being value(i, j). A dispersal matrix ([destination][source],
// square) gets the diagonal 0 and its upper triangle mirrors the lower one; a
// correlation matrix (a lower triangle) gets the diagonal 1, and every element
// is kept within +-0.99999: two populations at one place would otherwise be
// perfectly correlated, and the correlation factor could not be found.
template <class Value>
void FillDistanceMatrix(SingleMatrix& matrix, bool dispersal, int n, Value value)
{
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            const auto v = static_cast<float>(value(i, j));
            matrix[i][j] = dispersal ? v : ClampedCorrelation(v);
        }
        matrix[i][i] = dispersal ? 0.0f : 1.0f;
    }
    if (dispersal)
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j)
                matrix[i][j] = matrix[j][i];
}
