#pragma once
// The single-population program with its windows, once the start-up has
// run: the application object, the main window (which loads the model named
// on the command line when it is first shown) and the event loop. Returns
// the exit status. Status texts go to the main window's status line and
// boxes are shown over it (unstructured_ui/program_windows.h).

namespace single_ui {

int RunSingleWindows(int& argc, char** argv);

}  // namespace single_ui
