#pragma once
// The population display menu: the density-dependence curves of the current
// population, each in its result window.

#include "ui/display_menu_form.h"

class TPopulationDisplayMenuForm : public TDisplayMenuForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40100;

    // `display` opens a result window; empty means the program's windows.
    explicit TPopulationDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});

    QPushButton& DensityDependenceButton() const { return *ResultButtons()[0].Button; }
    QPushButton& ReplacementCurveButton() const { return *ResultButtons()[1].Button; }
};
