#include "core/batch_sequence.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/model_file_codes.h"

namespace {

// A log line written as it stands; a failed write makes the batch run fail.
void Line(const std::string& text, bool& logOk)
{
    if (!WriteLogLine(text))
        logOk = false;
}

}  // namespace

int RunBatchSequence(const TBatchSteps& steps)
{
    bool logOk = true;
    int code = 0;
    Line("***** Rivedarulation Model batch run (" + ModelFileName + ")", logOk);
    if (ModelFileNamed)
        code = steps.Load();
    if (!ModelFileNamed || code != 0)
        Line("      Error " + std::to_string(code), logOk);

    bool completed = false;
    bool saved = false;
    if (ModelFileNamed && (code == kModelFileOk || code == kModelFileBadResults)) {
        Line("      Running " + ModelFileName, logOk);
        const TRunEnd end = steps.Run();
        completed = end == TRunEnd::Completed;

        // Saving a model that did not run would replace the results the file
        // holds with none: the file stays as it was, and the log says so.
        if (HasRunResults(end)) {
            const int saveCode = steps.Save();
            saved = saveCode == kModelFileOk;
            if (!saved)
                Line("      Error " + std::to_string(saveCode) + " in saving file " + ModelFileName, logOk);
            Line("      Completed " + steps.RunDateTime(), logOk);
        } else {
            Line("      Model not saved: the run gave no results", logOk);
        }
    }
    Line("", logOk);
    CloseBatchLog();
    return completed && saved && logOk ? 0 : 1;
}
