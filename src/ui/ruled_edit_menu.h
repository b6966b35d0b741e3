#pragma once
// The context menu of a line edit whose text may change only through rules
// of its own (the numeric edit, the text grid's cell editor): Cut, Paste and
// Delete call the edit's own routines, so that pasted text cannot go around
// the rules; Copy and Select All are the line edit's. There is no Undo, which
// would bring back texts the rules never saw.

#include <QMenu>

#include <functional>
#include <memory>

class QLineEdit;

struct TRuledEditActions {
    std::function<void()> cut;
    std::function<void()> paste;
    std::function<void()> deleteSelection;
};

std::unique_ptr<QMenu> CreateRuledEditMenu(QLineEdit& edit, const TRuledEditActions& actions);
