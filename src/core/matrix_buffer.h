#pragma once
// The matrix editors' working copy: a dense matrix of doubles that is written
// back to the model only on OK, telling whether anything really changed.
//
// Element (i, j) is column i, row j, both zero-based; it is stored at
// j * Cols + i.

#include "core/one_based.h"

#include <cstdint>
#include <vector>

class TMatrix {
public:
    TMatrix() { SetSize(100, 100); }

    double GetElement(int i, int j) const { return Elements[IndexOf(i, j)]; }
    void SetElement(int i, int j, double value)
    {
        Elements[IndexOf(i, j)] = value;
        Modified = true;
    }
    // Position of element (i, j); throws std::out_of_range "Row or column out
    // of range" unless 0 <= i < Cols and 0 <= j < Rows.
    std::size_t IndexOf(int i, int j) const;

    // A new rows x cols block. The part both sizes share is kept when the
    // buffer has been written (Modified, which is then cleared); everything
    // else starts at 0. Same size: nothing happens.
    void SetSize(int rows, int cols);
    void Fill(double value);

    // Element (i, j) := matrix[j + 1][i + 1] for i < size1, j < size2.
    void LoadFromSingles(const SingleMatrix& matrix, int size1, int size2);
    // matrix[j + 1][i + 1] := element (i, j) as a single for i < size1,
    // j < size2; true when any target differed by 1.1e-6 or more before.
    bool StoreToSingles(SingleMatrix& matrix, int size1, int size2) const;

    // A lower-triangular matrix (row r holds columns 1..r) into a size x size
    // buffer: element (c - 1, r - 1) := matrix[r][c] for c <= r; the upper
    // part is 0.
    void LoadFromTriangle(const SingleMatrix& matrix, int size);
    // The lower triangle back: matrix[r][c] := element (c - 1, r - 1) as a
    // single for 1 <= c <= r <= size. Reports nothing: the caller restores a
    // copy it made itself.
    void StoreToTriangle(SingleMatrix& matrix, int size) const;

    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::vector<double> Elements;
    bool Modified = false;
};
