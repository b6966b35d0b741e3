#pragma once
// The engine's exponential, guarded so that it never overflows or
// underflows: an exponent of 60 or more gives 2.6e30, one of -60 or less
// 3.846153846153846e-31.

#include <cmath>

inline double GuardedExp(double exponent)
{
    if (exponent >= 60.0)
        return 2.6e30;
    if (exponent <= -60.0)
        return 3.846153846153846e-31;
    return std::exp(exponent);
}
