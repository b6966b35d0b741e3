// multi_window_probe: Plurimod's windows started as the program starts them,
// in a process of their own, for what only a whole program shows: the
// application object under the user's locale.
//
//   multi_window_probe save MODEL OUT   shows the main window with MODEL
//       (named on the command line), saves it as OUT through Save As, and
//       prints the decimal point of the C library and the one Qt shows.

#include "core/settings_store.h"
#include "multi/startup.h"
#include "multi_ui/multi_program.h"
#include "support/scripted_dialogs.h"
#include "ui/program_application.h"

#include <QLocale>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TProgramApplication application(argc, argv);
    if (argc != 4 || std::string(argv[1]) != "save") {
        std::fprintf(stderr, "usage: multi_window_probe save MODEL OUT\n");
        return 64;
    }
    multi::StartMultiProgram({argv[2]}, std::filesystem::current_path().string());

    ScriptedDialogs dialogs;
    dialogs.fileNames.push_back(QString::fromLocal8Bit(argv[3]));
    TMemorySettingsStore settings;
    multi::TMultiProgram program(settings);
    program.MainForm().show();
    program.MainForm().SaveAsItemClick();
    for (const ShownBox& box : dialogs.boxes)
        std::fprintf(stderr, "message: %s\n", qPrintable(box.text));
    std::printf("in files: %s\nshown: %s\n", std::localeconv()->decimal_point,
                qPrintable(QLocale().decimalPoint()));
    return std::filesystem::exists(argv[3]) ? 0 : 1;
}
