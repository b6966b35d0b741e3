#pragma once
// Plurimod's population display menu: the shared menu
// (unstructured_ui/population_display_menu.h) with all four results of the
// selected population, opening this program's windows.

#include "unstructured_ui/population_display_menu.h"

namespace multi {

class TPopulationDisplayMenuForm : public unstructured_ui::TPopulationDisplayMenuForm {
    Q_OBJECT
public:
    // `display` opens a result window; empty means the program's windows.
    explicit TPopulationDisplayMenuForm(QWidget* parent = nullptr, TDisplayResult display = {});
};

}  // namespace multi
