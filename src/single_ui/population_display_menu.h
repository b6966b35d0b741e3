#pragma once
// The single-population program's population display menu: the shared menu
// (unstructured_ui/population_display_menu.h) with only the two curves of
// the population, density dependence in R and the replacement curve; this
// program has no dispersal and no change of habitat to show. Its buttons
// open this program's windows.

#include "unstructured_ui/population_display_menu.h"

namespace single_ui {

class TPopulationDisplayMenuForm : public unstructured_ui::TPopulationDisplayMenuForm {
    Q_OBJECT
public:
    // `display` opens a result window; empty means the program's windows.
    explicit TPopulationDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});
};

}  // namespace single_ui
