#pragma once
// Plurimod with its windows (unstructured_ui/program_windows.h), with this
// program's main window.

#include "multi_ui/main_form.h"
#include "unstructured_ui/program_windows.h"

class TSettingsStore;

namespace multi {

class TMultiProgram : public unstructured_ui::TProgramWindows {
public:
    // `settings` keeps the user's options and recent files.
    explicit TMultiProgram(TSettingsStore& settings,
                           const unstructured_ui::TMainFormVariant& variant = MultiMainFormVariant());

    TMainForm& MainForm() { return static_cast<TMainForm&>(TProgramWindows::MainForm()); }
};

// The program with its windows, once the start-up has run: the application
// object, the main window (which loads the model named on the command line
// when it is first shown) and the event loop. Returns the exit status.
int RunMultiWindows(int& argc, char** argv);

}  // namespace multi
