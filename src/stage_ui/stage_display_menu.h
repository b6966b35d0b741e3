#pragma once
// The stage display menu: what the stage matrix of the current population
// implies (rate of increase, distributions, reproductive values, residence,
// sensitivities and elasticities), each in its result window. These need a
// structured model: with one stage every result button is disabled.

#include "ui/display_menu_form.h"

class TStageDisplayMenuForm : public TDisplayMenuForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40400;

    // `display` opens a result window; empty means the program's windows.
    explicit TStageDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});

protected:
    // Enables the result buttons for the model as it is now.
    void showEvent(QShowEvent* event) override;
};
