#pragma once
// The map program's population display menu: the results drawn from the
// selected population's inputs, each in its window. The caller selects the
// population first (the model's SelectedPopulation). It stays open while
// the windows come and go.

#include "ui/display_menu_form.h"

namespace multi {

class TPopulationDisplayMenuForm : public TDisplayMenuForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40100;

    // `display` opens a result window; empty means the program's windows.
    explicit TPopulationDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});
};

}  // namespace multi
