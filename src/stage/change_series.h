#pragma once
// Reading a population's change series: the carrying capacity or the
// fecundity or survival multiplier of every time step, element t for time
// step t.

#include "core/one_based.h"

// The value at time step `step`, the step held inside the series: steps
// before the first read element 1, steps beyond the end the last element.
// An empty series gives 0.
inline double ChangeSeriesAt(const SingleVector& series, int step)
{
    if (series.Count() < 1)
        return 0.0;
    if (step < 1)
        step = 1;
    if (step > series.Count())
        step = series.Count();
    return series[step];
}
