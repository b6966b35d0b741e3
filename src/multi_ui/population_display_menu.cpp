#include "multi_ui/population_display_menu.h"

#include "multi_ui/multi_result_windows.h"

namespace multi {

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : unstructured_ui::TPopulationDisplayMenuForm(
          parent, display ? std::move(display) : TDisplayResult(OpenMultiResultWindow))
{
}

}  // namespace multi
