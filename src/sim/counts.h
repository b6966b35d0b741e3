#pragma once
// Counts of individuals as both engines keep them: 32-bit, with one rule
// for rounding a real result to a count and for clamping one that grew too
// large.

#include <cmath>
#include <cstdint>

// Counts of individuals are 32-bit. A value at or above kCountLimit cannot be
// trusted to stay inside the type through later sums, so it is replaced by
// kCountClamped and the run reports an overflow at its end.
constexpr double kCountLimit = 2147480000.0;
constexpr std::int32_t kCountClamped = 2147479999;

// The one rounding-and-clamping rule for counts of both engines: nearest
// integer with halves to even; kCountLimit or more becomes kCountClamped and
// sets `overflow`. NaN never reaches an integer conversion: it gives 0 and is
// reported as an overflow too. Negative results stay negative.
inline std::int32_t CountFromReal(double x, bool& overflow)
{
    if (std::isnan(x)) {
        overflow = true;
        return 0;
    }
    if (x >= kCountLimit) {
        overflow = true;
        return kCountClamped;
    }
    if (x <= -kCountLimit)
        return -kCountClamped;
    return static_cast<std::int32_t>(std::nearbyint(x));
}
