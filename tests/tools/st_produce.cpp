// st-produce: prints one result of an age/stage model to standard output.
//
//   st-produce MODEL KIND MODE [--run SEED]
//
// Loads the ".st" model MODEL, runs it first with the random seed SEED when
// --run is given, and prints what the result producer gives for result kind
// KIND (1..33) in MODE 2 (text) or 3 (comma-separated), one line per line.
// Exit status: 0 when the result was produced, 1 when the producer refused
// it, 2 on a bad command line, a model that did not load or a failed run.
// Messages go to standard error. A tool for the golden tests, not installed.

#include "stage_tool.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "stage/produce_output.h"

int main(int argc, char** argv)
{
    TProduceTool tool;
    tool.name = "st-produce";
    tool.highestKind = HighestPlotKind(TKindTable::Strativa);
    tool.modes = {kModeText, kModeCsv};
    tool.load = [](const std::string& model) {
        PrepareStageModelStore();
        return LoadStageModel("st-produce", model);
    };
    tool.run = [](const std::string& model, const std::string& seed) {
        return RunStageModel("st-produce", model, seed);
    };
    tool.produce = ProduceOutput;
    return RunProduceTool(tool, argc, argv);
}
