#pragma once
// The result windows of the age/stage program. Each shows one result kind
// under its own caption and help context; one table says which, and whether
// it is a chart-and-numbers window or a text window. The Results menu, the
// display menus and the editors' Display buttons open them by kind.

#include "ui/modal_dialogs.h"
#include "ui/result_window_parts.h"

#include <span>

class QWidget;

enum class TResultWindowBase { Chart, Text };

struct TStageResultWindow {
    TResultWindowSetup Setup;
    TResultWindowBase Base;
};

// The fifteen windows.
std::span<const TStageResultWindow> StageResultWindows();

// The window of a kind; throws std::invalid_argument for a kind that has
// none (a programming error, like a window without a kind).
const TStageResultWindow& StageResultWindow(int kind);

// Opens the window of `kind` over `parent` with the program's producer and
// returns how it closed. A chart window opens only when its result can be
// shown (Abort otherwise, after the producer's message); a text window
// always opens. The kind of rate of increase (14) gets its own window with
// the "Copy Rate of Increase" button. Usable as a TDisplayResult.
TModalResult OpenStageResultWindow(QWidget* parent, int kind);
