#include "core/one_based.h"

#include "core/batch_log.h"

#include <stdexcept>
#include <string>

void ThrowIndexError(long long index, long long first, long long last)
{
    throw std::out_of_range("Index " + std::to_string(index) + " outside " + std::to_string(first) +
                            ".." + std::to_string(last));
}

void CheckMatrixSize(long long rows, long long cols)
{
    if (rows < 0 || cols < 0) throw std::invalid_argument("Negative matrix size");
    if (rows > kMaxMatrixRows) StopProgram("Heap error 1: Too many rows");
    if (cols > kMaxMatrixCols) StopProgram("Heap error 2: Too many columns");
}

void CheckVectorSize(long long count)
{
    if (count < 0) throw std::invalid_argument("Negative vector size");
    // A vector is one row of a matrix as far as its length goes; beyond a
    // 16-bit count it could not be indexed.
    if (count > kMaxVectorLength) StopProgram("Heap error 2: Too many columns");
}
