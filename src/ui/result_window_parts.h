#pragma once
// What the chart-and-numbers window and the text window share: the buttons
// of their tool panel, the read-only text area for result lines, and
// copying and saving its text.

#include <QString>
#include <QStringList>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QPlainTextEdit;
class QToolButton;
class QWidget;

// A window's identity: its result kind in the program's table, its caption
// and its help context.
struct TResultWindowSetup {
    int Kind = 0;
    QString Caption;
    int HelpContext = 0;
};

// Throws std::invalid_argument when the kind is not one of the running
// program's table (kind 0 is none): a window without a kind is a
// programming error.
void RequireResultKind(int kind, const char* window);

// The entry of a program's table of result windows (each with a Setup) that
// shows `kind`; throws std::invalid_argument for a kind that has none (a
// programming error, like a window without a kind).
template <class TWindow>
const TWindow& ResultWindowOfKind(std::span<const TWindow> windows, int kind)
{
    for (const TWindow& window : windows)
        if (window.Setup.Kind == kind)
            return window;
    throw std::invalid_argument("Assertion failure: no result window shows kind " + std::to_string(kind));
}

// A result window's frame: its caption (`caption`, else the template's
// `defaultCaption`), its first size, and a tool panel above the area for its
// views. `views` is the window's layout, where the views go.
struct TResultWindowFrame {
    QHBoxLayout* toolPanel;
    QBoxLayout* views;
};
TResultWindowFrame MakeResultWindowFrame(QDialog& window, const QString& caption, const QString& defaultCaption);

// A flat tool-panel button named `name` with its hint ("short|long").
QToolButton* AddToolButton(QBoxLayout& panel, const char* name, const QString& text, const QString& hint);

// A read-only text area for result lines in a fixed-pitch font, since the
// tables align by column.
QPlainTextEdit* MakeResultMemo(QWidget* parent, bool wordWrap);

// Result lines are 8-bit text.
QStringList ResultLines(const std::vector<std::string>& lines);

// One copy of a result's numbers: the memo's selection, or all of its text
// when nothing is selected, as plain text, and the comma-separated lines
// beside it. It replaces the whole clipboard, so no format of an earlier
// copy stays.
void CopyResultText(const QPlainTextEdit& memo, const std::vector<std::string>& csvLines);

// Where the result windows' save dialogs open: the model's folder, beside
// the model file the results belong to.
QString ResultSaveFolder();

// Asks for a text file and writes the lines to it, each ended by CR LF, as
// they are (8-bit). Cancel writes nothing; a failure is reported. True when
// written.
bool SaveResultText(QWidget* parent, const std::vector<std::string>& lines);
