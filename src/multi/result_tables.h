#pragma once
// The map program's result tables: the lines a result window shows as text
// (mode 2) or puts on the clipboard as comma-separated values (mode 3). Both
// begin with the report header ("RIVEDARULATION MODEL results", the model's
// title and comments, its populations, replications and duration) and the
// chart title with the kind's suffix, then one table: the five statistics
// over replications for the trajectory (7), population structure (8) and
// occupancy (9), two columns for every curve.
//
// The writers append to the lines and never clear them; they read the plot
// buffer the producer has filled, and the settings' Index (the population of
// the trajectory, the time step of the structure).

#include "chart/plot_buffer.h"
#include "chart/scale_info.h"
#include "multi/model_data.h"

#include <string>
#include <vector>

namespace multi {

// What a program's tables say about it. The defaults are the map program's;
// the single-population program names itself, has no populations line and
// no title suffixes.
struct TResultTableRules {
    std::string Program = "RIVEDARULATION MODEL";  // before " results; Date="
    bool PopulationsLine = true;
    // The trajectory and structure titles name their population or time step.
    bool TitleSuffixes = true;
};

// `kind` is this engine's number of the result (multi/result_kinds.h).
void WriteResultTableText(const TScaleInfo& settings, int kind, std::vector<std::string>& lines,
                          const TMultiModel& model, const TPlotBuffer& buffer, const TResultTableRules& rules = {});
void WriteResultTableCsv(const TScaleInfo& settings, int kind, std::vector<std::string>& lines,
                         const TMultiModel& model, const TPlotBuffer& buffer, const TResultTableRules& rules = {});

// Decimals of a column whose largest value is m: 5 below 1, else
// 4 - Trunc(ln(m) / 2.33), at least 0 (2.33 is close to ln 10, so about one
// decimal fewer per power of ten).
int TableDecimals(double largest);

}  // namespace multi
