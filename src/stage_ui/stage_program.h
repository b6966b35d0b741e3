#pragma once
// Strativa with its windows: the message service's window side and the main
// window, wired together. Status texts go to the main window's status line,
// boxes are shown over it, and simulation warnings (the input check's
// findings among them, at any time) go to the simulation window's list.

#include "stage_ui/main_form.h"
#include "ui/qt_message_sink.h"

class TSettingsStore;

class TStageProgram {
public:
    // `settings` keeps the user's options and recent files.
    explicit TStageProgram(TSettingsStore& settings);
    ~TStageProgram();
    TStageProgram(const TStageProgram&) = delete;
    TStageProgram& operator=(const TStageProgram&) = delete;

    TMainForm& MainForm() { return mainForm_; }

private:
    TQtMessageSink messages_;
    TMainForm mainForm_;
};

// The program with its windows, once the core services have started: the
// application object, the main window (which loads the model named on the
// command line when it is first shown) and the event loop. Returns the exit
// status.
int RunStageWindows(int& argc, char** argv);
