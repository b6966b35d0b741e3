#pragma once
// What the display menus of the programs share: a small modal window with a
// column of buttons, each opening one result window through a display
// function, and a Help button for the menu's help context.

#include "ui/display_result.h"
#include "ui/modal_dialogs.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QVBoxLayout;

class TDisplayMenuForm : public QDialog {
    Q_OBJECT
public:
    // A result button and the kind it opens.
    struct TResultButton {
        QPushButton* Button;
        int Kind;
    };

    // Shows the menu modally.
    TModalResult Execute();

    int HelpContext() const { return helpContext_; }
    // The result buttons, in menu order.
    const std::vector<TResultButton>& ResultButtons() const { return buttons_; }

    void HelpBtnClick();

protected:
    // `display` opens a result window of the program.
    TDisplayMenuForm(QWidget* parent, TDisplayResult display, const QString& caption, int helpContext);

    // A button in the column, named `name`.
    QPushButton* AddButton(const char* name, const QString& text);
    // A button that opens the result window of `kind` over the menu.
    QPushButton* AddResultButton(const char* name, const QString& text, int kind);
    // A gap before the buttons that are not results.
    void AddGap();
    // The Help button, last in the column.
    void AddHelpButton();

private:
    TDisplayResult display_;
    const int helpContext_;
    QVBoxLayout* layout_;
    std::vector<TResultButton> buttons_;
};
