#include "stage/stage_reindex.h"

#include "core/matrix_buffer.h"

#include <algorithm>
#include <cstdint>

namespace {

// Moves the elements of an n x n stage-indexed matrix to their stages' new
// places, through an edit buffer as large as the larger stage count.
void ReindexMatrix(SingleMatrix& matrix, const std::vector<int>& newPlace, int oldCount, int newCount)
{
    const int n = std::max(oldCount, newCount);
    TMatrix buffer;
    buffer.SetSize(n, n);
    buffer.Fill(0);
    for (int r = 1; r <= oldCount; ++r)
        for (int c = 1; c <= oldCount; ++c)
            if (newPlace[r] > 0 && newPlace[c] > 0)
                buffer.SetElement(newPlace[c] - 1, newPlace[r] - 1, matrix[r][c]);
    for (int r = 1; r <= oldCount; ++r)
        for (int c = 1; c <= oldCount; ++c)
            matrix[r][c] = 0;
    buffer.StoreToSingles(matrix, n, n);
}

}  // namespace

bool ReindexStages(TCoravel& model, const std::vector<int>& oldNumbers)
{
    const int oldCount = model.stages;
    const int newCount = static_cast<int>(oldNumbers.size());
    // newPlace[k]: where old stage k went, 0 when it was deleted.
    std::vector<int> newPlace(static_cast<std::size_t>(oldCount) + 1, 0);
    for (int place = 1; place <= newCount; ++place) {
        const int old = oldNumbers[static_cast<std::size_t>(place - 1)];
        if (old >= 1 && old <= oldCount)
            newPlace[static_cast<std::size_t>(old)] = place;
    }

    for (int m = 1; m <= model.stagematrices; ++m)
        ReindexMatrix(model.stagematrix[m], newPlace, oldCount, newCount);
    for (int m = 1; m <= model.stdevmatrices; ++m)
        ReindexMatrix(model.stdevmatrix[m], newPlace, oldCount, newCount);

    for (int a = 1; a <= model.actioncount; ++a) {
        ManagementRecord& action = model.actions[a];
        // A stage number outside the old stages has no new place; it stays
        // for the input check to report.
        auto follow = [&](std::uint8_t& stage) {
            if (stage >= 1 && stage <= oldCount && newPlace[stage] > 0)
                stage = static_cast<std::uint8_t>(newPlace[stage]);
        };
        follow(action.firststage);
        follow(action.laststage);
        if (action.laststage < action.firststage)
            std::swap(action.firststage, action.laststage);
    }

    const int n = std::max(oldCount, newCount);
    std::vector<double> row(static_cast<std::size_t>(n) + 1);
    for (int p = 1; p <= model.pops; ++p) {
        std::fill(row.begin(), row.end(), 0.0);
        for (int k = 1; k <= oldCount; ++k)
            if (newPlace[k] > 0)
                row[static_cast<std::size_t>(newPlace[k])] = model.initialabundance[p][k];
        for (int s = 1; s <= n; ++s)
            model.initialabundance[p][s] = row[static_cast<std::size_t>(s)];
    }

    bool moved = newCount != oldCount;
    for (int k = 1; k <= oldCount; ++k)
        moved = moved || newPlace[k] != k;
    model.stages = static_cast<std::uint8_t>(newCount);
    if (moved) {
        model.matrixchanged[1] = true;
        InputsChanged = true;
    }
    return moved;
}

int ActionReferringToStage(const TCoravel& model, int stage)
{
    if (stage < 1)
        return 0;
    for (int a = 1; a <= model.actioncount; ++a)
        if (model.actions[a].firststage == stage || model.actions[a].laststage == stage)
            return a;
    return 0;
}

std::string StageDeleteRefusal(int action)
{
    return "Cannot delete this stage because population management action #" + std::to_string(action) +
           " refers to it.  Please change the referring population management action before deleting.";
}
