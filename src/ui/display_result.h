#pragma once
// How an editor opens the result window of one result kind (its
// Display buttons and menus). The editors are given this function, so they
// need not know the result window classes, and tests can record the calls.

#include <functional>

class QWidget;

using TDisplayResult = std::function<void(QWidget* parent, int kind)>;

// Shows a program's population display menu over `parent` (its buttons open
// the display windows of the selected population).
using TShowPopulationDisplay = std::function<void(QWidget* parent)>;
