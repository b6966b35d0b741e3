#pragma once
// How close a value read back from a short number text (FloatToShortText)
// comes to the value written.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

inline void ExpectShortNear(float expected, float actual)
{
    const double e = expected, a = actual;
    double tolerance = 0.0005 * std::max(1.0, std::fabs(e));
    if (std::fabs(e) >= 1000) tolerance = 0.5;
    if (std::fabs(e) >= 1e9 || (e != 0 && std::fabs(e) < 0.001)) tolerance = 0.05 * std::fabs(e);
    EXPECT_NEAR(a, e, tolerance);
}
