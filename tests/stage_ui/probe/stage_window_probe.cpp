// stage_window_probe: Strativa's windows started as the program starts them,
// in a process of their own, for what only a whole program shows: the
// application object under the user's locale, and a fatal stop inside the
// event loop.
//
//   stage_window_probe save MODEL OUT   shows the main window with MODEL
//       (named on the command line), saves it as OUT through Save As, and
//       prints the decimal point of the C library and the one Qt shows.
//   stage_window_probe stop             a fatal stop in an event handler;
//       exits with what the event loop returned.

#include "core/batch_log.h"
#include "core/config.h"
#include "core/settings_store.h"
#include "stage/startup.h"
#include "core/str_utilx.h"
#include "stage_ui/stage_program.h"
#include "support/scripted_dialogs.h"
#include "ui/program_application.h"

#include <QLocale>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TProgramApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "stop" && argc == 2) {
        QTimer::singleShot(0, [] { StopProgram("the probe stops"); });
        return application.exec();
    }
    if (mode != "save" || argc != 4) {
        std::fprintf(stderr, "usage: stage_window_probe save MODEL OUT | stop\n");
        return 64;
    }
    char* arguments[] = {argv[0], argv[2]};
    StartCoreServices(StartupFromMain(2, arguments, TProgramVariant::Strativa));
    IntegersWithoutDecimals = true;
    TrimTrailingZeros = true;

    ScriptedDialogs dialogs;
    dialogs.fileNames.push_back(QString::fromLocal8Bit(argv[3]));
    TMemorySettingsStore settings;
    TStageProgram program(settings);
    program.MainForm().show();
    program.MainForm().SaveAsItemClick();
    for (const ShownBox& box : dialogs.boxes)
        std::fprintf(stderr, "message: %s\n", qPrintable(box.text));
    std::printf("in files: %s\nshown: %s\n", std::localeconv()->decimal_point,
                qPrintable(QLocale().decimalPoint()));
    return std::filesystem::exists(argv[3]) ? 0 : 1;
}
