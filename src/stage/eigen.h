#pragma once
// Eigen-analysis of a stage matrix: its finite rate of increase (dominant
// eigenvalue), stable stage distribution (right eigenvector), reproductive
// values (left eigenvector), sensitivities and elasticities, the multiplier of
// the density-affected vital rates that gives a prescribed growth rate, and
// the split of a population's total into whole stage counts.
// All pure functions on TStageMatrix (at most kStageMatrixCapacity stages),
// without allocation. The growth rate is computed in single precision from the
// matrix rounded to singles, as the model holds its matrices, and so is the
// multiplier search; the eigenvectors, sensitivities and elasticities are
// computed in double precision.

#include "stage/density_types.h"
#include "stage/stage_matrix.h"

#include <cstdint>

// Row 1 (fecundities) times the fecundity multiplier, rows 2..size
// (survivals) times the survival multiplier.
TStageMatrix ApplyMultipliers(const TStageMatrix& source, double survivalMultiplier, double fecundityMultiplier);

// The finite rate of increase: the largest real eigenvalue, counting from 0
// (a matrix whose real eigenvalues are all negative, or that has no real
// eigenvalue, gives 0), as a single-precision value. 0 also when the
// eigenvalue iteration fails or the matrix holds a value that is not a finite
// number.
double DominantEigenvalue(const TStageMatrix& matrix);

// The stable stage distribution, scaled to sum 1: the right eigenvector of
// the dominant eigenvalue. `start` matters only where that vector is not
// unique (e.g. the identity matrix): the result is then the start vector's
// share of it, scaled. Returns false, with `start` scaled to sum 1, when
// there is no positive dominant eigenvalue or no eigenvector was found.
bool StableDistribution(const TStageMatrix& matrix, const TStageVector& start, TStageVector& w);

// The reproductive values, scaled so that stage 1 has value 1 (to largest
// magnitude 1 when stage 1's value is 0): the left eigenvector of the
// dominant eigenvalue. `start` and the result as for StableDistribution.
bool ReproductiveValues(const TStageMatrix& matrix, const TStageVector& start, TStageVector& v);

// Sensitivity of lambda to each element: v(i) w(j) / sum_s v(s) w(s)
// (all 0 when that sum is 0).
TStageMatrix Sensitivities(const TStageVector& v, const TStageVector& w);

// Elasticity of lambda to each element: sensitivity x a(i,j) / lambda
// (all 0 when lambda is 0, where proportional change has no meaning).
TStageMatrix Elasticities(const TStageMatrix& matrix, const TStageVector& v, const TStageVector& w, double lambda);

// The multiplier m of the density-affected vital rates (`affects`) for which
// the scaled matrix has growth rate `target`; -1 when there is none (affected
// rows sum to about 0, or 200 whole steps of m stay below the target).
// The scaled matrix keeps only positive affected entries, times m; unless
// `ignoreConstraints`, scaled survivals above 1 become 1 and a column whose
// survivals sum above 1 is divided by that sum. m steps up 1, 2, 3, ... until
// lambda reaches the target; a whole m within the tolerance of it is the
// answer, else the interval below it is halved until lambda is within the
// tolerance. Tolerance on lambda: 1e-4 when `precise` (every caller should
// use it, so that a target of 1 gives the model's multiplier for a growth
// rate of 1 exactly), else 1e-3. The result is a single-precision value.
double FindRateMultiplier(const TStageMatrix& matrix, double target, DDAffects affects, bool ignoreConstraints,
                          bool precise = true);

// Splits `total` into whole stage counts in proportion to w: each stage gets
// round(w(s) / sum * total) and the rounding difference goes to the stage with
// the largest w (the first on ties). A stage never goes below 0: a surplus
// the largest stage cannot give is taken from the next largest. Returns false,
// leaving `counts` as it was, when the sum of w is not positive.
bool SplitIntoStageCounts(std::int32_t total, const TStageVector& w, TStageVector& counts);
