#pragma once
// Eigen-analysis bound to the model store: the stage matrix a population
// projects with, and the stable distribution and reproductive values written
// into the store's population slots.

#include "stage/model_store.h"
#include "stage/stage_matrix.h"

// Stage matrix type m of the store over the stages in use (Info.stages).
// m outside 1..stagematrices is kept within that range.
TStageMatrix StoreStageMatrix(const TCoravel& model, int m);

// The matrix population p projects with: its stage-matrix type with row 1
// times its fecundity multiplier and rows 2..S times its survival multiplier.
// An index of 0 counts as type 1, one above the count as the last type.
TStageMatrix PopulationStageMatrix(const TCoravel& model, int p);

// Copies a matrix into the store's working matrix (Info.workmatrix).
void StoreWorkMatrix(TCoravel& model, const TStageMatrix& matrix);

inline constexpr int kEVectorReproductiveValues = 0;
inline constexpr int kEVectorStableDistribution = 1;

// Dominant eigenvectors into the store.
// mode kEVectorStableDistribution: the population's initial total is split
// into whole stage counts in proportion to the stable distribution and written
// into its initial stage abundances. mode kEVectorReproductiveValues: the
// reproductive values (stage 1 = 1) go into Info.stagework and into the first
// population's initial stage abundances (callers keep and restore that row).
// type t != 0, pop p != 0: p's matrix type must be t (else the program stops
// with "Error in EVector: matrix does not match Pop.!"); p's multipliers are
// applied and the result goes to population 1's slots.
// type t != 0, pop 0: type t unscaled, into population 1's slots.
// type 0: pop must equal Info.pops (else the program stops with
// "Error in EVector: matrix=0, but Pop<>pops"); every population is done with
// its own type and multipliers (reproductive values: the first one only).
// The start vector is 10000 x stage abundance + 1 (stable distribution) or
// the stage number (reproductive values); it matters only where the vector
// is not unique. The matrix used last is left in Info.workmatrix.
// Returns false when some matrix had no positive dominant eigenvalue; its
// slots then get the start vector's proportions.
bool EVector(TCoravel& model, int mode, int type, int pop);
