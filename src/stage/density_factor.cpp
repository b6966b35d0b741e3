#include "stage/density_factor.h"

#include "sim/guarded_exp.h"

#include <cmath>

double DensityFactor(DDType type, double m, double g, double k, double n)
{
    const TDensityType* row = FindDensityType(type);
    if (!row)
        return 1.0;
    switch (row->form) {
    case DDForm::Exponential:
    case DDForm::Ceiling:
        return 1.0;
    case DDForm::Scramble:
        if (!(k > 0.0) || !(m > 0.0) || !(g > 0.0))
            return 0.0;
        return m * GuardedExp(std::log(g / m) / k * n);
    case DDForm::Contest: {
        if (!(k > 0.0) || !(m > 0.0) || !(g > 0.0))
            return 0.0;
        const double denominator = (m / g) * n - n + k;
        return denominator > 0.0 ? m * k / denominator : 0.0;
    }
    }
    return 1.0;
}
