#include "stage/plot_buffer.h"

TPlotBuffer PlotBuffer;
