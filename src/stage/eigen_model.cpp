#include "stage/eigen_model.h"

#include "core/batch_log.h"
#include "stage/eigen.h"

#include <algorithm>

namespace {

int ClampedMatrixIndex(const TCoravel& model, int m)
{
    const int count = std::max<int>(1, model.stagematrices);
    return std::clamp(m, 1, std::min(count, model.stagematrix.Count()));
}

TStageVector StartVector(const TCoravel& model, int mode, int p)
{
    const int n = model.stages;
    TStageVector v(n);
    for (int s = 1; s <= n; ++s)
        v(s) = mode == kEVectorStableDistribution ? 10000.0 * model.initialabundance[p][s] + 1.0 : s;
    return v;
}

// Writes the stable distribution or reproductive values of matrix into
// population `slot`; true when the dominant vector was found.
bool SolveInto(TCoravel& model, int mode, const TStageMatrix& matrix, int startPop, int slot)
{
    const int n = model.stages;
    const TStageVector start = StartVector(model, mode, startPop);
    TStageVector x(n);
    StoreWorkMatrix(model, matrix);
    if (mode == kEVectorStableDistribution) {
        const bool found = StableDistribution(matrix, start, x);
        TStageVector counts(n);
        for (int s = 1; s <= n; ++s)
            counts(s) = model.initialabundance[slot][s];
        if (SplitIntoStageCounts(model.initialtotal[slot], x, counts))
            for (int s = 1; s <= n; ++s)
                model.initialabundance[slot][s] = counts(s);
        return found;
    }
    const bool found = ReproductiveValues(matrix, start, x);
    for (int s = 1; s <= n; ++s) {
        model.stagework[s] = static_cast<float>(x(s));
        model.initialabundance[slot][s] = x(s);
    }
    return found;
}

} // namespace

TStageMatrix StoreStageMatrix(const TCoravel& model, int m)
{
    const int n = model.stages;
    TStageMatrix a(n);
    const SingleMatrix& source = model.stagematrix[ClampedMatrixIndex(model, m)];
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            a(i, j) = source[i][j];
    return a;
}

TStageMatrix PopulationStageMatrix(const TCoravel& model, int p)
{
    return ApplyMultipliers(StoreStageMatrix(model, model.populations[p].matrixindex), model.survmultiplier[p],
                            model.fecmultiplier[p]);
}

void StoreWorkMatrix(TCoravel& model, const TStageMatrix& matrix)
{
    for (int i = 1; i <= matrix.size; ++i)
        for (int j = 1; j <= matrix.size; ++j)
            model.workmatrix[i][j] = static_cast<float>(matrix(i, j));
}

bool EVector(TCoravel& model, int mode, int type, int pop)
{
    if (type != 0) {
        TStageMatrix matrix;
        int startPop = 1;
        if (pop != 0) {
            if (model.populations[pop].matrixindex != type)
                StopProgram("Error in EVector: matrix does not match Pop.!");
            matrix = PopulationStageMatrix(model, pop);
        } else {
            matrix = StoreStageMatrix(model, type);
        }
        return SolveInto(model, mode, matrix, startPop, 1);
    }

    if (pop != model.pops)
        StopProgram("Error in EVector: matrix=0, but Pop<>pops");
    if (mode == kEVectorReproductiveValues)
        return model.pops < 1 || SolveInto(model, mode, PopulationStageMatrix(model, 1), 1, 1);

    bool allFound = true;
    for (int p = 1; p <= model.pops; ++p) {
        // A population with the same matrix, multipliers and total as an
        // earlier one gets the same split without solving again.
        int same = 0;
        for (int q = 1; q < p; ++q)
            if (model.populations[q].matrixindex == model.populations[p].matrixindex &&
                model.initialtotal[q] == model.initialtotal[p] &&
                model.fecmultiplier[q] == model.fecmultiplier[p] &&
                model.survmultiplier[q] == model.survmultiplier[p])
                same = q;
        if (same != 0) {
            for (int s = 1; s <= model.stages; ++s)
                model.initialabundance[p][s] = model.initialabundance[same][s];
            continue;
        }
        allFound = SolveInto(model, mode, PopulationStageMatrix(model, p), p, p) && allFound;
    }
    return allFound;
}
