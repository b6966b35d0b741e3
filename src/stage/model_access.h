#pragma once
// Element access to the run's result matrices, and the reset behind File New.

#include "core/batch_log.h"
#include "stage/model_store.h"

#include <cstdint>

[[noreturn]] void UnknownMemoryKind(const char* accessor);

// The element (row, col) of a result matrix kept in memory kind memType. Only
// main memory (kMainMemory) exists; any other kind stops the program.
inline float GetR(const SingleMatrix& matrix, std::uint8_t memType, int row, int col)
{
    if (memType != kMainMemory) UnknownMemoryKind("GetR");
    return matrix[row][col];
}

inline std::int32_t GetI(const IntMatrix& matrix, std::uint8_t memType, int row, int col)
{
    if (memType != kMainMemory) UnknownMemoryKind("GetI");
    return matrix[row][col];
}

// Stores the element when memType is main memory; any other kind stores nothing.
inline void SetR(SingleMatrix& matrix, std::uint8_t memType, int row, int col, float value)
{
    if (memType == kMainMemory) matrix[row][col] = value;
}

inline void SetI(IntMatrix& matrix, std::uint8_t memType, int row, int col, std::int32_t value)
{
    if (memType == kMainMemory) matrix[row][col] = value;
}

// File New: inputs unchanged, state empty, the default model restricted as
// every model read from a file is (RestrictModel), so that a new model is
// saved as it reads back; no map name.
void NewModel();
