#pragma once
// The result windows of the single-population program, one for each of its
// five result kinds (single/result_kinds.h), and its population display
// menu. They are the shared result windows (unstructured_ui/) without their
// selectors: the density-dependence curves show population 1, the
// trajectory summary the total. The main window's Results menu and the
// parameter dialog open them through one function:
//
//     OpenSingleResultWindow(this, single::kTrajectory);   // as a TDisplayResult, too

#include "ui/modal_dialogs.h"
#include "ui/result_window_parts.h"

#include <span>

class QWidget;

namespace single_ui {

struct TSingleResultWindow {
    TResultWindowSetup Setup;
};

// The five windows' kinds, captions and help contexts.
std::span<const TSingleResultWindow> SingleResultWindows();

// Opens the window of `kind` over `parent` with the program's producer and
// returns how it closed: the window opens only when its result can be shown
// (Abort otherwise, after the producer's message). Usable as a
// TDisplayResult.
TModalResult OpenSingleResultWindow(QWidget* parent, int kind);

// The population display menu with the two curves of the population, over
// `parent`. Usable as a TShowPopulationDisplay.
void ShowSinglePopulationDisplay(QWidget* parent);

}  // namespace single_ui
