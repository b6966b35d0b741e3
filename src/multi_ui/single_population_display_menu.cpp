#include "multi_ui/single_population_display_menu.h"

#include "multi/result_kinds.h"
#include "multi_ui/single_result_windows.h"
#include "single/result_kinds.h"

#include <QPushButton>

namespace single {

// The menu's buttons carry the map program's kinds; the two curves have the
// same numbers in both programs.
static_assert(kDensityDependenceInR == multi::kDensityDependenceInR && kReplacementCurve == multi::kReplacementCurve);

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : multi::TPopulationDisplayMenuForm(parent, display ? std::move(display) : TDisplayResult(OpenSingleResultWindow))
{
    for (const TResultButton& button : ResultButtons())
        button.Button->setVisible(button.Kind == kDensityDependenceInR || button.Kind == kReplacementCurve);
}

}  // namespace single
