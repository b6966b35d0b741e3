#pragma once
// A small dense stage (projection) matrix and stage vector for the
// eigen-analysis, the density-dependence curve and the time step. Indices are
// one-based, as in the model: row i is the stage individuals move to, column j
// the stage they come from; row 1 holds fecundities, rows 2..size survivals
// and transitions.
//
// TStageMatrix holds doubles: the model's single-precision matrices are
// copied in and results copied back by the caller. TStepMatrix, the matrix a
// population projects with in one time step, holds singles like the model's
// own matrices: every rate is rounded to single precision when it is stored,
// and the products with the abundances are formed from those stored rates.

#include <array>
#include <stdexcept>

constexpr int kStageMatrixCapacity = 8;

// How far the survivals of a column (rows 2..) may sum above 1 and still be
// taken as summing to 1. The rates are singles: a column the input check
// divided by its sum (0.8 and 0.5 become 0.6153846 and 0.3846154) can sum a
// little above 1 again. The input check repairs only columns above this, and
// a time step truncates only those, so that no run truncates a matrix the
// check accepted or repaired for rounding alone.
constexpr double kSurvivalSumTolerance = 1e-6;

template <class T>
struct TStageMatrixOf {
    int size = 0; // stages, 0..kStageMatrixCapacity
    std::array<T, kStageMatrixCapacity * kStageMatrixCapacity> cells{};

    TStageMatrixOf() = default;
    explicit TStageMatrixOf(int stages) : size(CheckedSize(stages)) {}

    T& operator()(int row, int col) { return cells[Index(row, col)]; }
    T operator()(int row, int col) const { return cells[Index(row, col)]; }

    static int CheckedSize(int stages)
    {
        if (stages < 0 || stages > kStageMatrixCapacity)
            throw std::out_of_range("Stage count out of range");
        return stages;
    }

private:
    std::size_t Index(int row, int col) const
    {
#ifdef PV_BOUNDS_CHECK
        if (row < 1 || row > size || col < 1 || col > size)
            throw std::out_of_range("Stage matrix index out of range");
#endif
        return static_cast<std::size_t>((row - 1) * kStageMatrixCapacity + (col - 1));
    }
};

using TStageMatrix = TStageMatrixOf<double>;
using TStepMatrix = TStageMatrixOf<float>;

struct TStageVector {
    int size = 0;
    std::array<double, kStageMatrixCapacity> values{};

    TStageVector() = default;
    explicit TStageVector(int stages) : size(TStageMatrix::CheckedSize(stages)) {}

    double& operator()(int stage) { return values[Index(stage)]; }
    double operator()(int stage) const { return values[Index(stage)]; }

private:
    std::size_t Index(int stage) const
    {
#ifdef PV_BOUNDS_CHECK
        if (stage < 1 || stage > size)
            throw std::out_of_range("Stage vector index out of range");
#endif
        return static_cast<std::size_t>(stage - 1);
    }
};
