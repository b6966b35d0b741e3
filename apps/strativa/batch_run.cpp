#include "batch_run.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/model_store.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"

#include <string>
#include <vector>

namespace {

// A log line written as it stands; a failed write makes the batch run fail.
void Line(const std::string& text, bool& logOk)
{
    if (!WriteLogLine(text))
        logOk = false;
}

}  // namespace

int BatchRun()
{
    bool logOk = true;
    int code = 0;
    Line("***** Rivedarulation Model batch run (" + ModelFileName + ")", logOk);
    if (ModelFileNamed)
        code = LoadModelFile(Info, ModelFileName, 0);
    if (!ModelFileNamed || code != 0)
        Line("      Error " + std::to_string(code), logOk);

    bool completed = false;
    bool saved = false;
    if (ModelFileNamed && (code == kModelFileOk || code == kModelFileBadResults)) {
        Line("      Running " + ModelFileName, logOk);

        // No window: the run goes on to its end, and any delay per time step
        // belongs to the simulation window only.
        std::vector<float> trajectory(static_cast<size_t>(Info.duration) + 1, 0.0f);
        TRunOutcome outcome;
        RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        completed = outcome.end == TRunEnd::Completed;

        const int saveCode = SaveModelFile(Info, ModelFileName);
        saved = saveCode == kModelFileOk;
        if (!saved)
            Line("      Error " + std::to_string(saveCode) + " in saving file " + ModelFileName, logOk);
        Line("      Completed " + Info.resultsdate + " " + Info.resultstime, logOk);
    }
    Line("", logOk);
    CloseBatchLog();
    return completed && saved && logOk ? 0 : 1;
}
