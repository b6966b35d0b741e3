// Writes the three programs' icons as PNG files for the desktop:
//   program_icons DIR SIZE...
// puts DIR/<size>x<size>/apps/<program>.png for every size, drawn by the
// same code as the icons the programs show in their windows.

#include "multi_ui/program_icon.h"
#include "single_ui/program_icon.h"
#include "stage_ui/program_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

int main(int argc, char** argv)
{
    // The offscreen platform's notes (no runtime folder and the like) are no
    // news in a build; this tool reports its own failures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "program_icons: %s\n", qPrintable(message));
    });
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: program_icons DIR SIZE...\n");
        return 2;
    }
    const std::pair<const char*, std::function<QPixmap(int)>> icons[] = {
        {"strativa", StageProgramIcon}, {"plurimod", MultiProgramIcon}, {"monovara", SingleProgramIcon}};
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "program_icons: %s is no icon size\n", argv[i]);
            return 2;
        }
        const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "program_icons: cannot create %s\n", qPrintable(folder));
            return 1;
        }
        for (const auto& [name, draw] : icons) {
            const QString file = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
            if (!draw(size).save(file, "PNG")) {
                std::fprintf(stderr, "program_icons: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
