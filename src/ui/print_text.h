#pragma once
// Printing text line by line: one line of text per printed line, as many as
// fit on a page, then the next page.

#include <QFont>
#include <QStringList>

class QPlainTextEdit;
class QPrinter;
class QWidget;

// Prints the lines in `font` on a printer already set up. Lines too wide for
// the page are cut at its edge. False when the printer cannot start or fails.
bool PrintLines(QPrinter& printer, const QStringList& lines, const QFont& font);

// Asks for the printer through the dialog service (without a printer the user
// can print to PDF) and prints. Cancel prints nothing. Returns true when
// printed; a failure is reported as an error.
bool PrintStrings(QWidget* parent, const QStringList& lines, const QFont& font = QFont());

// The memo's lines in the memo's font.
bool PrintMemo(QWidget* parent, const QPlainTextEdit& memo);
