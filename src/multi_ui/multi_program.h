#pragma once
// Plurimod with its windows: the message service's window side and the
// main window, wired together. Status texts go to the main window's status
// line and boxes are shown over it; a run's simulation warnings go to the
// simulation window, which registers itself with the engine while it runs.

#include "multi_ui/main_form.h"
#include "ui/qt_message_sink.h"

#include <functional>
#include <memory>

class QPixmap;
class TSettingsStore;

namespace multi {

class TMultiProgram {
public:
    // `settings` keeps the user's options and recent files.
    explicit TMultiProgram(TSettingsStore& settings, const TMainFormVariant& variant = MultiMainFormVariant());
    // A program whose main window is made by `makeMainForm`, once the
    // message service has its window side.
    explicit TMultiProgram(const std::function<std::unique_ptr<TMainForm>()>& makeMainForm);
    ~TMultiProgram();
    TMultiProgram(const TMultiProgram&) = delete;
    TMultiProgram& operator=(const TMultiProgram&) = delete;

    TMainForm& MainForm() { return *mainForm_; }

private:
    TQtMessageSink messages_;
    std::unique_ptr<TMainForm> mainForm_;
};

// The program with its windows, once the start-up has run: the application
// object, the main window (which loads the model named on the command line
// when it is first shown) and the event loop. Returns the exit status.
int RunMultiWindows(int& argc, char** argv);

// The same for a program on this window with its own icon and main window,
// made with the user's settings.
int RunProgramWindows(int& argc, char** argv, const std::function<QPixmap()>& icon,
                      const std::function<std::unique_ptr<TMainForm>(TSettingsStore&)>& makeMainForm);

}  // namespace multi
