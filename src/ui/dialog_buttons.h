#pragma once
// The OK, Cancel and Help buttons that close most dialogs, on one row at the
// right: OK the default button, Cancel the one Esc presses (also from a
// numeric edit) and closes the dialog unchanged, Help asks the help service
// for the dialog's topic. What OK does is the dialog's own.

class QBoxLayout;
class QDialog;
class QPushButton;

struct TDialogButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
    QPushButton* Help;
};

// Adds the row to the end of `layout`.
TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpContext);
