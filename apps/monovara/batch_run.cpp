#include "batch_run.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "single/model_file.h"
#include "single/run_simulation.h"
#include "stage/stage_file.h"

#include <string>

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
    multi::TMultiModel& model = multi::Model;
    bool logOk = true;
    int code = 0;
    Line("***** Rivedarulation Model batch run (" + ModelFileName + ")", logOk);
    if (ModelFileNamed)
        code = single::LoadModelFile(model, ModelFileName);
    if (!ModelFileNamed || code != 0)
        Line("      Error " + std::to_string(code), logOk);

    bool completed = false;
    bool saved = false;
    if (ModelFileNamed && (code == kModelFileOk || code == kModelFileBadResults)) {
        Line("      Running " + ModelFileName, logOk);
        // No window: the run goes on to its end, and any delay per time step
        // belongs to the simulation window only.
        TRunOutcome outcome;
        single::RunSimulation(model, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        completed = outcome.end == TRunEnd::Completed;

        // A run that an error broke off has said so in the log; saving now
        // would replace the results in the file with none.
        if (outcome.end != TRunEnd::Failed) {
            const int saveCode = single::SaveModelFile(model, ModelFileName);
            saved = saveCode == kModelFileOk;
            if (!saved)
                Line("      Error " + std::to_string(saveCode) + " in saving file " + ModelFileName, logOk);
            Line("      Completed " + single::LastRunEnd.Date + " " + single::LastRunEnd.Time, logOk);
        }
    }
    Line("", logOk);
    CloseBatchLog();
    return completed && saved && logOk ? 0 : 1;
}
