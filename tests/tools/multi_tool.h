#pragma once
// What the result-printing tools of the programs on the multi-population
// engine share: loading the program's model file into the engine's model,
// running it with a seed and saving it, each telling its own failure on
// standard error.

#include "core/run_progress.h"
#include "multi/model_data.h"
#include "produce_tool.h"

#include <string>

struct TMultiModelSteps {
    int (*load)(multi::TMultiModel& model, const std::string& file) = nullptr;
    bool (*run)(multi::TMultiModel& model, const TProgress& progress, TRunOutcome* outcome) = nullptr;
    int (*save)(const multi::TMultiModel& model, const std::string& file) = nullptr;
};

// Sets the tool's load, run and save to the steps on multi::Model.
void UseMultiModelSteps(TProduceTool& tool, const TMultiModelSteps& steps);
