#include "batch_run.h"

#include "core/batch_sequence.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "single/model_file.h"
#include "single/run_simulation.h"

int BatchRun()
{
    TBatchSteps steps;
    steps.Load = [] { return single::LoadModelFile(multi::Model, ModelFileName); };
    steps.Run = [] {
        // No window: the run goes on to its end, and any delay per time step
        // belongs to the simulation window only.
        TRunOutcome outcome;
        single::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        return outcome.end;
    };
    steps.Save = [] { return single::SaveModelFile(multi::Model, ModelFileName); };
    steps.RunDateTime = [] { return single::LastRunEnd.Date + " " + single::LastRunEnd.Time; };
    return RunBatchSequence(steps);
}
