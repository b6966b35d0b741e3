#pragma once
// Fills a one-based single-precision matrix of the store row by row and sets
// the model's stage count from the number of rows.

#include "stage/model_store.h"

#include <cstdint>
#include <vector>

inline void SetMatrixRows(TCoravel& model, SingleMatrix& m, const std::vector<std::vector<double>>& rows)
{
    model.stages = static_cast<std::uint8_t>(rows.size());
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (double x : row)
            m[i][j++] = static_cast<float>(x);
        ++i;
    }
}
