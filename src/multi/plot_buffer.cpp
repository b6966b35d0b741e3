#include "multi/plot_buffer.h"

namespace multi {

TMultiPlotBuffer PlotBuffer;

}  // namespace multi
