#pragma once
// The result producer of the map program: the one road from the model to
// every chart, text table and block of comma-separated lines its result
// windows show. It checks that the result exists, fills the plot buffer with
// the numbers of the kind (the population curves of the selected population
// from the inputs; trajectories, structure, occupancy and risk curves from
// the last run), scales the caller's chart settings and hands the buffer to
// the chart writers or the table writers.
//
// Kinds: multi/result_kinds.h. Modes: chart/result_modes.h.
//     TScaleInfo settings = DefaultScaleInfo[multi::kTrajectory];
//     if (multi::ProduceOutput(settings, nullptr, nullptr, multi::kTrajectory, kModeCheck, true))
//         multi::ProduceOutput(settings, &graph, nullptr, multi::kTrajectory, kModeChart, false);

#include "chart/graph.h"
#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "multi/model_data.h"
#include "multi/plot_buffer.h"
#include "multi/result_charts.h"
#include "multi/result_tables.h"
#include "multi/validate_input.h"

#include <string>
#include <vector>

namespace multi {

// What another program built on this engine makes of the producer: which of
// the engine's results it offers under which numbers, its input check, its
// chart and table rules. The defaults are the map program's.
struct TProducerRules {
    // Index: the program's kind; value: this engine's kind (result_kinds.h)
    // that it is. Empty: the engine's numbers. The program's numbers are
    // those of its kind table and of the plot buffer's LastPlotKind.
    std::vector<int> EngineKinds;
    void (*Validate)(TMultiModel&) = ValidateInput;
    // The caller's settings are replaced by the kind's row of the program's
    // kind table before scaling, and the trajectory shows the population of
    // that row's Index.
    bool SettingsFromKindTable = false;
    TMultiChartRules ChartRules = PlurimodChartRules();
    TResultTableRules TableRules;
};

// What one producer call works on.
struct TResultSource {
    TMultiModel& Model;
    TMultiPlotBuffer& Buffer;
    // The program's chart settings, one row per kind: with automatic scaling
    // the kind's row takes the limits and tic spacings used. None: no row.
    std::vector<TScaleInfo>* KindTable = nullptr;
    // None: the map program's rules.
    const TProducerRules* Rules = nullptr;
};

// Produces result `kind` (1..11, or the program's number of a result under
// source.Rules) of source.Model in `mode`: 0 checks only, 1 draws on
// `graph`, 2 appends an aligned text table to `lines`, 3 appends
// comma-separated lines (a missing target gets nothing). `settings` is read
// and updated in place (scaling, the x range of a manually scaled risk
// curve, the population index of the trajectory and the time step of the
// structure). With `warnFlag` false the conditional messages (inputs changed
// since the run, dispersal above 90 %) are not shown. True when the result
// exists and was produced; a refusal is told through the message service.
// While a run is in progress nothing is produced (false, no message). Any
// mode other than 0..3 throws std::invalid_argument
//     Plotting: unknown "where"
bool ProduceOutput(const TResultSource& source, TScaleInfo& settings, TGraph* graph,
                   std::vector<std::string>* lines, int kind, int mode, bool warnFlag);

// The program's producer: `Model`, `PlotBuffer` and `DefaultScaleInfo` (once
// the program has selected its kind table, TKindTable::Plurimod).
bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag);

}  // namespace multi
