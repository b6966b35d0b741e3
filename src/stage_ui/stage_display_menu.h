#pragma once
// The stage display menu: what the stage matrix of the current population
// implies (rate of increase, distributions, reproductive values, residence,
// sensitivities and elasticities), each in its result window. These need a
// structured model: with one stage every result button is disabled.

#include "stage_ui/display_result.h"
#include "ui/modal_dialogs.h"

#include <QDialog>

#include <vector>

class QPushButton;

class TStageDisplayMenuForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40400;

    // `display` opens a result window; empty means the program's windows.
    explicit TStageDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});

    // Shows the menu modally.
    TModalResult Execute();

    // The six result buttons, in menu order, and the kind each opens.
    struct TResultButton {
        QPushButton* Button;
        int Kind;
    };
    const std::vector<TResultButton>& ResultButtons() const { return buttons_; }

    void HelpBtnClick();

protected:
    // Enables the result buttons for the model as it is now.
    void showEvent(QShowEvent* event) override;

private:
    TDisplayResult display_;
    std::vector<TResultButton> buttons_;
};
