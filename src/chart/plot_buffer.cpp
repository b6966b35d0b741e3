#include "chart/plot_buffer.h"

#include <algorithm>

float SeriesExtreme(bool minimum, const float* values, int count)
{
    float e = values[0];
    for (int i = 1; i < count; ++i) e = minimum ? std::min(e, values[i]) : std::max(e, values[i]);
    return e;
}

TTimeGrid TimeGridFor(int duration)
{
    if (duration < 161) return {1, std::max(0, duration) + 1};
    const int step = duration / 161 + 1;
    return {step, duration / step + 1};
}
