// mp-produce: prints one result of a multi-population model to standard
// output.
//
//   mp-produce MODEL KIND MODE [--run SEED] [--save FILE]
//
// Loads the ".mp" model MODEL (with its results, when it has them), runs it
// first with the random seed SEED when --run is given, saves it with its
// results to FILE when --save is given, and prints what the result producer
// gives for result kind KIND (1..11) in MODE: 0 the check's messages and
// answer, 1 the chart's drawing calls, 2 the text table, 3 the
// comma-separated lines. Exit status: 0 when the result was produced, 1 when
// the producer refused it, 2 on a bad command line, a model that did not
// load, a failed run or save. A tool for the golden tests, not installed.

#include "multi_tool.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "multi/model_file.h"
#include "multi/produce_output.h"
#include "multi/result_kinds.h"
#include "multi/run_simulation.h"

int main(int argc, char** argv)
{
    SelectKindTable(TKindTable::Plurimod);
    multi::StartMultiEngine(multi::TMultiLimits{});
    TProduceTool tool;
    tool.name = "mp-produce";
    tool.highestKind = multi::kHighestResultKind;
    tool.modes = {kModeCheck, kModeChart, kModeText, kModeCsv};
    TMultiModelSteps steps;
    steps.load = [](multi::TMultiModel& m, const std::string& file) { return multi::LoadModelFile(m, file); };
    steps.run = [](multi::TMultiModel& m, const TProgress& progress, TRunOutcome* outcome) {
        return multi::RunSimulation(m, progress, outcome);
    };
    steps.save = [](const multi::TMultiModel& m, const std::string& file) { return multi::SaveModelFile(m, file); };
    UseMultiModelSteps(tool, steps);
    tool.produce = [](TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                      bool warnFlag) { return multi::ProduceOutput(settings, graph, lines, kind, mode, warnFlag); };
    return RunProduceTool(tool, argc, argv);
}
