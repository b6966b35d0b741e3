#include "single/plot_buffer.h"

namespace single {

TPlotBuffer PlotBuffer;

}  // namespace single
