#pragma once
// The population display menu: the density-dependence curves of the current
// population, each in its result window.

#include "stage_ui/display_result.h"
#include "ui/modal_dialogs.h"

#include <QDialog>

class QPushButton;

class TPopulationDisplayMenuForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40100;

    // `display` opens a result window; empty means the program's windows.
    explicit TPopulationDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});

    // Shows the menu modally.
    TModalResult Execute();

    QPushButton& DensityDependenceButton() const { return *densityBtn_; }
    QPushButton& ReplacementCurveButton() const { return *replacementBtn_; }

    void HelpBtnClick();

private:
    TDisplayResult display_;
    QPushButton* densityBtn_;
    QPushButton* replacementBtn_;
};
