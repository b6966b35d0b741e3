// Strativa: age- and stage-structured population models.
//
// Start-up runs the core services in dependency order (version check,
// configuration, model store, batch log, new model). With the batch switch on
// (/RUN=Y) the program loads the model named on the command line, runs it,
// saves it with its results and writes the batch log, without any window.
// Otherwise it opens its main window, with the model named on the command
// line, if any.

#include "batch_run.h"

#include "chart/scale_info.h"
#include "core/batch_log.h"
#include "core/config.h"
#include "core/program_main.h"
#include "stage/startup.h"
#include "core/str_utilx.h"
#ifdef STRATIVA_WINDOWS
#include "stage_ui/stage_program.h"
#endif

#include <cstdio>

int main(int argc, char** argv)
{
    return RunProgramMain([&] {
        StartCoreServices(StartupFromMain(argc, argv, TProgramVariant::Strativa));
        // Reports of this program show whole numbers without decimals and
        // trim trailing zeros.
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
        SelectKindTable(TKindTable::Strativa);

        if (!BatchMode) {
#ifdef STRATIVA_WINDOWS
            return RunStageWindows(argc, argv);
#else
            std::fprintf(stderr,
                         "strativa: this build has no windows; run a model with\n"
                         "  strativa /RUN=Y model.st\n");
            return 1;
#endif
        }
        return BatchRun();
    });
}
