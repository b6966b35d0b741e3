#include "stage/density_growth.h"

#include "stage/density_factor.h"
#include "stage/eigen.h"

float DensityDependentGrowth(const TStageMatrix& matrix, const TDensityGrowthInputs& inputs, double k, double allee,
                             double n, bool& overflow)
{
    if (n > 2147483647.0) {
        n = 2147483648.0;
        overflow = true;
    }
    TStageMatrix work = matrix;
    const int stages = work.size;

    const double f = DensityFactor(inputs.type, inputs.rateMultiplier, inputs.growthOneMultiplier, k, n);
    for (int i = 1; i <= stages; ++i)
        if (AffectsRow(inputs.affects, i))
            for (int j = 1; j <= stages; ++j)
                work(i, j) *= f;

    // Impossible vital rates are truncated as in a run's step matrix.
    for (int j = 1; j <= stages; ++j) {
        double survival = 0.0;
        for (int i = 1; i <= stages; ++i) {
            if (work(i, j) < 0.0)
                work(i, j) = 0.0;
            if (i >= 2 && !inputs.ignoreConstraints) {
                if (work(i, j) > 1.0)
                    work(i, j) = 0.9999;
                survival += work(i, j);
            }
        }
        if (survival - 1.0 > kSurvivalSumTolerance)
            for (int i = 2; i <= stages; ++i)
                work(i, j) /= survival;
    }

    if (HasAllee(inputs.type)) {
        const double denominator = n + allee;
        const double factor = denominator > 0.0 ? n / denominator : 0.0;
        for (int i = 1; i <= stages; ++i)
            for (int j = 1; j <= stages; ++j)
                work(i, j) *= factor;
    }

    double lambda = DominantEigenvalue(work);
    if (IsCeiling(inputs.type) && n > 0.0 && n * lambda > k)
        lambda = k / n;
    if (n * lambda >= 2147483647.0) {
        overflow = true;
        return static_cast<float>(2147483646.0 / n);
    }
    return static_cast<float>(lambda);
}
