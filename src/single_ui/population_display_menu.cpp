#include "single_ui/population_display_menu.h"

#include "multi/result_kinds.h"
#include "single/result_kinds.h"
#include "single_ui/single_result_windows.h"

#include <QPushButton>

namespace single_ui {

// The shared menu's buttons carry the map program's kinds; the two curves have the
// same numbers in both programs.
static_assert(single::kDensityDependenceInR == multi::kDensityDependenceInR &&
              single::kReplacementCurve == multi::kReplacementCurve);

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : unstructured_ui::TPopulationDisplayMenuForm(parent,
                                                  display ? std::move(display) : TDisplayResult(OpenSingleResultWindow))
{
    for (const TResultButton& button : ResultButtons())
        button.Button->setVisible(button.Kind == single::kDensityDependenceInR ||
                                  button.Kind == single::kReplacementCurve);
}

}  // namespace single_ui
