#include "ui/program_application.h"

#include "core/batch_log.h"

#include <clocale>

TProgramApplication::TProgramApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    std::setlocale(LC_NUMERIC, "C");
}

bool TProgramApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProgramStopped&) {
        exit(kStoppedStatus);
        return false;
    }
}
