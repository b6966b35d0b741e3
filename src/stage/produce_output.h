#pragma once
// The result producer of the age/stage program: the one road from the model
// store to every chart, text table and block of comma-separated lines a user
// sees. It checks that the result can exist, fills the plot buffer with the
// numbers of the kind, scales the caller's chart settings and hands the
// buffer to the chart and table writers.

#include "chart/graph.h"
#include "chart/plot_buffer.h"
#include "chart/result_modes.h"
#include "chart/scale_info.h"

#include <string>
#include <vector>

// Produces result `kind` (1..33 of the age/stage kind table) in `mode`.
// `settings` is read and updated in place (scaling, margins, index
// corrections); `graph` is needed for mode 1, `lines` for modes 2 and 3 (a
// missing target draws or writes nothing). With `warnFlag` false the
// conditional messages are suppressed. True when the result exists and was
// produced. Never throws: a failure is reported through the message service
// and gives false. While a simulation run is in progress nothing is produced
// and the model is not touched (false, no message).
bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag);

// Total initial abundance of population p without the stages excluded from
// totals; p = 0 sums the populations counted in totals.
double TotalInitialAbundance(int p);

// Replications the last run completed (or the loaded results hold).
int CompletedReplications();
