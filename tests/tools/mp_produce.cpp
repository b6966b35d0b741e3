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

#include "produce_tool.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "core/config.h"
#include "multi/model_file.h"
#include "multi/produce_output.h"
#include "multi/result_kinds.h"
#include "multi/run_simulation.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kTool = "mp-produce";

bool Load(const std::string& model)
{
    const int code = multi::LoadModelFile(multi::Model, model);
    // These codes leave the inputs usable (results or not).
    if (code == kModelFileOk || code == kModelFileBadResults || code == kModelFileTooManyRepl ||
        code == kModelFileDurationTooLong)
        return true;
    std::fprintf(stderr, "%s: %s did not load (code %d)\n", kTool, model.c_str(), code);
    return false;
}

bool Run(const std::string& model, const std::string& seed)
{
    Config.RandomSeed = seed;
    Config.StepDelay = 0;
    TRunOutcome outcome;
    if (multi::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome) &&
        outcome.end == TRunEnd::Completed)
        return true;
    std::fprintf(stderr, "%s: the run of %s did not complete\n", kTool, model.c_str());
    return false;
}

bool Save(const std::string& file)
{
    const int code = multi::SaveModelFile(multi::Model, file);
    if (code == kModelFileOk)
        return true;
    std::fprintf(stderr, "%s: %s was not saved (code %d)\n", kTool, file.c_str(), code);
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    SelectKindTable(TKindTable::Plurimod);
    multi::StartMultiEngine(multi::TMultiLimits{});
    TProduceTool tool;
    tool.name = kTool;
    tool.highestKind = multi::kHighestResultKind;
    tool.modes = {kModeCheck, kModeChart, kModeText, kModeCsv};
    tool.load = Load;
    tool.run = Run;
    tool.save = Save;
    tool.produce = [](TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                      bool warnFlag) { return multi::ProduceOutput(settings, graph, lines, kind, mode, warnFlag); };
    return RunProduceTool(tool, argc, argv);
}
