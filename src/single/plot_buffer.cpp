#include "single/plot_buffer.h"

namespace single {

multi::TMultiPlotBuffer PlotBuffer;

}  // namespace single
