#include "stage_tool.h"

#include "core/config.h"
#include "stage/model_store.h"
#include "stage/startup.h"
#include "stage/results_section.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"

#include <algorithm>
#include <cstdio>

void PrepareStageModelStore()
{
    ModelLimits limits = LimitsFromConfig(Config);
    limits.stages = std::min(limits.stages, kMaxStages);
    CreateModelStore(limits);
    ResultMemoryKind = kMainMemory;
}

bool LoadStageModel(const char* tool, const std::string& model)
{
    const int code = LoadModelFile(Info, model);
    if (code == kModelFileOk || code == kModelFileBadResults)
        return true;
    std::fprintf(stderr, "%s: %s did not load (code %d)\n", tool, model.c_str(), code);
    return false;
}

bool RunStageModel(const char* tool, const std::string& model, const std::string& seed)
{
    Config.RandomSeed = seed;
    std::vector<float> trajectory(static_cast<std::size_t>(std::max<int>(Info.duration, 0)) + 1, 0.0f);
    TRunOutcome outcome;
    const bool ran = RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
    if (ran && outcome.end == TRunEnd::Completed)
        return true;
    std::fprintf(stderr, "%s: the run of %s did not complete\n", tool, model.c_str());
    return false;
}
