#pragma once
// The result producer of the single-population program: the multi-population
// producer with this program's five kinds (single/result_kinds.h), its input
// check and its rules. The curves of kinds 1 and 2 belong to population 1;
// the trajectory shows the total, or the population of the Index of its row
// in the kind table. The chart settings are the kind's row of the program's
// kind table (DefaultScaleInfo): the caller's settings are replaced by it
// before scaling, and with automatic scaling the row takes the limits used.
// Charts: no x tic spacing is forced, no population caption, the extinction
// risk annotated on kind 4. Tables: "SINGLE POPULATION MODEL results", no
// populations line, no title suffixes.
//     TScaleInfo settings = DefaultScaleInfo[single::kTrajectory];
//     if (single::ProduceOutput(settings, nullptr, nullptr, single::kTrajectory, kModeCheck, true))
//         single::ProduceOutput(settings, &graph, nullptr, single::kTrajectory, kModeChart, false);

#include "multi/produce_output.h"

namespace single {

// This program's rules of the multi-population producer.
const multi::TProducerRules& ProducerRules();

// `Model`, `PlotBuffer` and `DefaultScaleInfo` (the rows only once the
// program has selected its kind table, TKindTable::Monovara). The contract
// of multi::ProduceOutput.
bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag);

}  // namespace single
