// pv-screens: saves a picture of every registered window and dialog.
//
//   pv-screens DIR [WORD]
//
// Shows each window on the offscreen platform with a fixed font and the "C"
// locale, with a sample model and its results, and saves it as
// DIR/<program>-<window>.png; with WORD only the windows whose file name
// holds it. Message boxes are answered at once and listed on standard
// error. Exit status 1 when a window fails or its picture is one colour.

#include "screen_registry.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/qt_message_sink.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseScreenSettings();
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: pv-screens DIR [WORD]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const std::string word = argc == 3 ? argv[2] : "";
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "pv-screens: cannot make %s\n", argv[1]);
        return 2;
    }

    ScriptedDialogs dialogs;   // every box answered, none waited on
    ScriptedModals modals;
    TQtMessageSink messages;

    std::vector<TScreen> screens = Screens();
    std::sort(screens.begin(), screens.end(), [](const TScreen& a, const TScreen& b) {
        return a.Program + "-" + a.Window < b.Program + "-" + b.Window;
    });
    int failures = 0;
    for (const TScreen& screen : screens) {
        const std::string name = screen.Program + "-" + screen.Window;
        if (name.find(word) == std::string::npos)
            continue;
        const QString path = QDir(dir).filePath(QString::fromStdString(name + ".png"));
        const size_t boxes = dialogs.boxes.size();
        try {
            const std::unique_ptr<QWidget> widget = screen.Make();
            const QImage image = GrabWindow(*widget);
            if (!image.save(path, "PNG")) {
                std::fprintf(stderr, "pv-screens: cannot write %s\n", qPrintable(path));
                ++failures;
            } else if (!HasSeveralColours(image)) {
                std::fprintf(stderr, "pv-screens: %s is one colour\n", qPrintable(path));
                ++failures;
            } else {
                std::printf("%s\n", qPrintable(path));
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "pv-screens: %s: %s\n", name.c_str(), e.what());
            ++failures;
        }
        for (size_t i = boxes; i < dialogs.boxes.size(); ++i)
            std::fprintf(stderr, "%s: message \"%s\"\n", name.c_str(), qPrintable(dialogs.boxes[i].text));
    }
    return failures ? 1 : 0;
}
