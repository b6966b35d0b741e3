#pragma once
// The application object of a program with windows.
//
// Creating a QApplication takes the user's locale into the C library too, so
// the printf-based file writers would write decimal commas under a user
// locale that has them. The numeric part goes back to "C" at once: files
// always carry ".", while what is shown and typed follows the user's locale
// through Qt (QLocale), which keeps its own.
//
// A fatal stop (ProgramStopped) raised inside an event handler has already
// told the user why; it ends every event loop, and exec() returns
// kStoppedStatus, as main returns after a fatal stop before the loop.

#include <QApplication>

class TProgramApplication : public QApplication {
    Q_OBJECT
public:
    static constexpr int kStoppedStatus = 2;

    TProgramApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
