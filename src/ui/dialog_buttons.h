#pragma once
// The OK, Cancel and Help buttons that close most dialogs, on one row at the
// right (or in a column at the top, for dialogs whose buttons stand beside
// their fields): OK the default button, Cancel the one Esc presses (also
// from a numeric edit) and closes the dialog unchanged, Help (and F1
// anywhere in the dialog) asks the help service for the dialog's topic. What
// OK does is the dialog's own.

#include <Qt>

class QBoxLayout;
class QDialog;
class QPushButton;

struct TDialogButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
    QPushButton* Help;
    // The row (or column) that holds them, for a dialog's further buttons.
    QBoxLayout* Line;
};

// Adds the row (Qt::Horizontal) or the column (Qt::Vertical) to the end of
// `layout`.
TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpContext,
                                Qt::Orientation orientation = Qt::Horizontal);
