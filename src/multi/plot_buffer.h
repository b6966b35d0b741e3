#pragma once
// The plot buffer of a program built on the multi-population engine: the
// shared point arrays, plus the population whose curves are shown (the chart
// names it). The map program holds one (`PlotBuffer`); the single-population
// program keeps its own.

#include "chart/plot_buffer.h"

#include <cstdint>

namespace multi {

struct TMultiPlotBuffer : TPlotBuffer {
    // The population the density-dependence, dispersal and habitat curves
    // belong to; 0 for results of the whole run.
    std::uint8_t ReportPopulation = 0;
};

// The map program's buffer.
extern TMultiPlotBuffer PlotBuffer;

}  // namespace multi
