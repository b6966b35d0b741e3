#pragma once
// The population display menu of the programs of unstructured models: the
// results drawn from the selected population's inputs (density dependence in
// R, the replacement curve, dispersal, habitat change), each in its window.
// The caller selects the population first (the model's SelectedPopulation).
// It stays open while the windows come and go. Each program's menu
// (multi_ui/, single_ui/population_display_menu.h) opens its own windows and
// shows the buttons it offers.

#include "ui/display_menu_form.h"

namespace unstructured_ui {

class TPopulationDisplayMenuForm : public TDisplayMenuForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40100;

    // `display` opens a result window.
    TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display);
};

}  // namespace unstructured_ui
