#include "core/matrix_buffer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
// Smaller differences are rounding between single and double precision, not
// an edit.
constexpr double kChangeTolerance = 1.1e-6;
}  // namespace

std::size_t TMatrix::IndexOf(int i, int j) const
{
    if (i < 0 || j < 0 || j >= Rows || i >= Cols) throw std::out_of_range("Row or column out of range");
    return static_cast<std::size_t>(j) * static_cast<std::size_t>(Cols) + static_cast<std::size_t>(i);
}

void TMatrix::SetSize(int rows, int cols)
{
    if (rows < 0 || cols < 0) throw std::out_of_range("Row or column out of range");
    if (rows == Rows && cols == Cols) return;
    std::vector<double> block(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0);
    if (Modified) {
        const int keepRows = std::min(rows, Rows);
        const int keepCols = std::min(cols, Cols);
        for (int j = 0; j < keepRows; ++j) {
            for (int i = 0; i < keepCols; ++i) {
                block[static_cast<std::size_t>(j) * cols + i] =
                    Elements[static_cast<std::size_t>(j) * Cols + i];
            }
        }
        Modified = false;
    }
    Elements.swap(block);
    Rows = rows;
    Cols = cols;
}

void TMatrix::Fill(double value)
{
    std::fill(Elements.begin(), Elements.end(), value);
    Modified = true;
}

void TMatrix::LoadFromSingles(const SingleMatrix& matrix, int size1, int size2)
{
    SetSize(size1, size2);
    for (int i = 0; i < size1; ++i) {
        for (int j = 0; j < size2; ++j) SetElement(i, j, matrix[j + 1][i + 1]);
    }
}

bool TMatrix::StoreToSingles(SingleMatrix& matrix, int size1, int size2) const
{
    bool changed = false;
    for (int i = 0; i < size1; ++i) {
        for (int j = 0; j < size2; ++j) {
            const double value = GetElement(i, j);
            float& target = matrix[j + 1][i + 1];
            if (std::fabs(static_cast<double>(target) - value) >= kChangeTolerance) changed = true;
            target = static_cast<float>(value);
        }
    }
    return changed;
}

void TMatrix::LoadFromTriangle(const SingleMatrix& matrix, int size)
{
    SetSize(size, size);
    Fill(0);
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j <= i; ++j) SetElement(j, i, matrix[i + 1][j + 1]);
    }
}

void TMatrix::StoreToTriangle(SingleMatrix& matrix, int size) const
{
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j <= i; ++j) matrix[i + 1][j + 1] = static_cast<float>(GetElement(j, i));
    }
}
