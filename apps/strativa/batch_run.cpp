#include "batch_run.h"

#include "core/batch_sequence.h"
#include "core/config.h"
#include "stage/model_store.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"

#include <vector>

int BatchRun()
{
    TBatchSteps steps;
    steps.Load = [] { return LoadModelFile(Info, ModelFileName, 0); };
    steps.Run = [] {
        // No window: the run goes on to its end, and any delay per time step
        // belongs to the simulation window only.
        std::vector<float> trajectory(static_cast<size_t>(Info.duration) + 1, 0.0f);
        TRunOutcome outcome;
        RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        return outcome.end;
    };
    steps.Save = [] { return SaveModelFile(Info, ModelFileName); };
    steps.RunDateTime = [] { return Info.resultsdate + " " + Info.resultstime; };
    return RunBatchSequence(steps);
}
