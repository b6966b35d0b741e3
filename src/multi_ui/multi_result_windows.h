#pragma once
// The result windows of the map program, one for each result kind: their
// captions and help contexts, and the one function that opens the window of
// a kind. The main window's Results menu, the Population Display menu and
// the editors' View buttons all open windows through it:
//
//     OpenMultiResultWindow(this, kStructure);   // as a TDisplayResult, too
//
// Kinds 1 to 4 show the selected population and have a population selector;
// the trajectory summary selects a population or the whole rivedarulation,
// the population structure a time step; the others are plain result windows.

#include "ui/modal_dialogs.h"
#include "ui/result_window_parts.h"

#include <span>

class QWidget;

namespace multi {

enum class TMultiWindowClass { Display, Trajectory, Structure, Plain };

struct TMultiResultWindow {
    TResultWindowSetup Setup;
    TMultiWindowClass Class;
};

// The eleven windows, by kind.
std::span<const TMultiResultWindow> MultiResultWindows();

// The window of a kind; throws std::invalid_argument for a kind that has
// none (a programming error, like a window without a kind).
const TMultiResultWindow& MultiResultWindow(int kind);

}  // namespace multi

// Opens the window of `kind` over `parent` with the program's producer and
// returns how it closed: the window opens only when its result can be shown
// (Abort otherwise, after the producer's message). Usable as a
// TDisplayResult.
TModalResult OpenMultiResultWindow(QWidget* parent, int kind);
