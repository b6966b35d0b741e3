#pragma once
// A program of unstructured models with its windows: the message service's
// window side and the main window, wired together. Status texts go to the
// main window's status line and boxes are shown over it; a run's simulation
// warnings go to the simulation window, which registers itself with the
// engine while it runs. Plurimod (multi_ui/multi_program.h) and Monovara
// (single_ui/single_program.h) each start theirs with their own main window.

#include "ui/qt_message_sink.h"
#include "unstructured_ui/main_form.h"

#include <functional>
#include <memory>

class QPixmap;
class TSettingsStore;

namespace unstructured_ui {

class TProgramWindows {
public:
    // A program whose main window is made by `makeMainForm`, once the
    // message service has its window side.
    explicit TProgramWindows(const std::function<std::unique_ptr<TMainForm>()>& makeMainForm);
    ~TProgramWindows();
    TProgramWindows(const TProgramWindows&) = delete;
    TProgramWindows& operator=(const TProgramWindows&) = delete;

    TMainForm& MainForm() { return *mainForm_; }

private:
    TQtMessageSink messages_;
    std::unique_ptr<TMainForm> mainForm_;
};

// The program with its windows, once the start-up has run: the application
// object with the program's icon, the main window made with the user's
// settings (which loads the model named on the command line when it is
// first shown) and the event loop. Returns the exit status.
int RunProgramWindows(int& argc, char** argv, const std::function<QPixmap()>& icon,
                      const std::function<std::unique_ptr<TMainForm>(TSettingsStore&)>& makeMainForm);

}  // namespace unstructured_ui
