// Monovara: one unstructured population.
//
// Start-up runs in dependency order (version check, configuration, the
// engine's model, the batch log, new model). With the batch switch on
// (/RUN=Y) the program loads the model named on the command line, runs it,
// saves it with its results and writes the batch log "vereDUZ.REC", without
// any window. Exit status: 0 when the model loaded, ran and was saved; 1 for
// a failure the log records; 2 when there is no log, the configuration is
// bad or the program stopped. Otherwise it opens its main window, with the
// model named on the command line, if any.

#include "batch_run.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/str_utilx.h"
#include "single/startup.h"

#ifdef MONOVARA_WINDOWS
#include "multi_ui/single_program.h"
#endif

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (!CheckWindowsVersion()) {
        std::fprintf(stderr, "%s\n", kVersionTooOldText);
        return 2;
    }
    try {
        single::StartSingleProgram(StartupFromMain(argc, argv, TProgramVariant::Monovara));
        if (!BatchMode) {
#ifdef MONOVARA_WINDOWS
            return single::RunSingleWindows(argc, argv);
#else
            std::fprintf(stderr,
                         "monovara: this build has no windows; run a model with\n"
                         "  monovara /RUN=Y model.sp\n");
            return 1;
#endif
        }
        if (!BatchLogIsOpen()) {
            std::fprintf(stderr, "monovara: cannot open the batch log %s\n", single::kBatchLogName);
            FinishBatchLog();
            return 2;
        }
        const int status = BatchRun();
        FinishBatchLog();
        return status;
    } catch (const ConfigError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        FinishBatchLog();
        return 2;
    } catch (const ProgramStopped&) {
        // The stop has already been recorded in the log or on standard error.
        FinishBatchLog();
        return 2;
    } catch (const std::exception& error) {
        // In batch mode the log (or standard error, without one) gets it.
        if (BatchMode)
            WriteLog(error.what());
        else
            std::fprintf(stderr, "%s\n", error.what());
        FinishBatchLog();
        return 2;
    }
}
