#pragma once
// The single-population program's one plot buffer: the result producer fills
// it for one result kind, and while a run lasts the live trajectory chart
// works in its first entries.

#include "multi/plot_buffer.h"

namespace single {

extern multi::TMultiPlotBuffer PlotBuffer;

}  // namespace single
