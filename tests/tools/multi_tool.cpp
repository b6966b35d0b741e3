#include "multi_tool.h"

#include "core/config.h"
#include "stage/stage_file.h"

#include <cstdio>

void UseMultiModelSteps(TProduceTool& tool, const TMultiModelSteps& steps)
{
    const char* name = tool.name;
    tool.load = [name, steps](const std::string& model) {
        const int code = steps.load(multi::Model, model);
        // These codes leave the inputs usable (results or not).
        if (code == kModelFileOk || code == kModelFileBadResults || code == kModelFileTooManyRepl ||
            code == kModelFileDurationTooLong)
            return true;
        std::fprintf(stderr, "%s: %s did not load (code %d)\n", name, model.c_str(), code);
        return false;
    };
    tool.run = [name, steps](const std::string& model, const std::string& seed) {
        Config.RandomSeed = seed;
        Config.StepDelay = 0;
        TRunOutcome outcome;
        if (steps.run(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome) &&
            outcome.end == TRunEnd::Completed)
            return true;
        std::fprintf(stderr, "%s: the run of %s did not complete\n", name, model.c_str());
        return false;
    };
    tool.save = [name, steps](const std::string& file) {
        const int code = steps.save(multi::Model, file);
        if (code == kModelFileOk)
            return true;
        std::fprintf(stderr, "%s: %s was not saved (code %d)\n", name, file.c_str(), code);
        return false;
    };
}
