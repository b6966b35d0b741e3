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
#include "core/program_main.h"
#include "single/startup.h"

#ifdef MONOVARA_WINDOWS
#include "single_ui/single_program.h"
#endif

#include <cstdio>

int main(int argc, char** argv)
{
    return RunProgramMain([&] {
        single::StartSingleProgram(StartupFromMain(argc, argv, TProgramVariant::Monovara));
        if (!BatchMode) {
#ifdef MONOVARA_WINDOWS
            return single_ui::RunSingleWindows(argc, argv);
#else
            std::fprintf(stderr,
                         "monovara: this build has no windows; run a model with\n"
                         "  monovara /RUN=Y model.sp\n");
            return 1;
#endif
        }
        if (!BatchLogIsOpen()) {
            std::fprintf(stderr, "monovara: cannot open the batch log %s\n", single::kBatchLogName);
            return 2;
        }
        return BatchRun();
    });
}
