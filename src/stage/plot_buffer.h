#pragma once
// The age/stage program's one plot buffer: the result producer and its steps
// fill it for one result kind, the chart and table writers read it.

#include "chart/plot_buffer.h"

extern TPlotBuffer PlotBuffer;
