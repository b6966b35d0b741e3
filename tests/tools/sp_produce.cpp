// sp-produce: prints one result of a single-population model to standard
// output.
//
//   sp-produce MODEL KIND MODE [--run SEED] [--save FILE]
//
// Loads the ".sp" model MODEL (with its results, when it has them), runs it
// first with the random seed SEED when --run is given, saves it with its
// results to FILE when --save is given, and prints what the result producer
// gives for result kind KIND (1..5) in MODE: 0 the check's messages and
// answer, 1 the chart's drawing calls, 2 the text table, 3 the
// comma-separated lines. The model may run up to 500 time steps. Exit
// status: 0 when the result was produced, 1 when the producer refused it, 2
// on a bad command line, a model that did not load, a failed run or save. A
// tool for the golden tests and the demo, not installed.

#include "multi_tool.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "single/model_file.h"
#include "single/produce_output.h"
#include "single/result_kinds.h"
#include "single/run_simulation.h"

int main(int argc, char** argv)
{
    SelectKindTable(TKindTable::Monovara);
    multi::TMultiLimits limits;
    limits.MaxDuration = 500;
    multi::StartMultiEngine(limits);
    TProduceTool tool;
    tool.name = "sp-produce";
    tool.highestKind = single::kHighestResultKind;
    tool.modes = {kModeCheck, kModeChart, kModeText, kModeCsv};
    TMultiModelSteps steps;
    steps.load = single::LoadModelFile;
    steps.run = [](multi::TMultiModel& m, const TProgress& progress, TRunOutcome* outcome) {
        return single::RunSimulation(m, progress, outcome);
    };
    steps.save = single::SaveModelFile;
    UseMultiModelSteps(tool, steps);
    tool.produce = single::ProduceOutput;
    return RunProduceTool(tool, argc, argv);
}
