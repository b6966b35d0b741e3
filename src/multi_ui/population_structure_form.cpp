#include "multi_ui/population_structure_form.h"

#include "multi/model_data.h"
#include "multi/result_kinds.h"
#include "multi_ui/multi_result_windows.h"

namespace multi {

TPopulationStructureForm::TPopulationStructureForm(QWidget* parent, TResultProducer& producer)
    : unstructured_ui::TIndexResultForm(producer, MultiResultWindow(kStructure).Setup,
                       {"TimeStepSpinEdit", QStringLiteral("Time step:"),
                        QStringLiteral("Time step|Select time step being reported")},
                       [] { return Model.Duration; }, parent)
{
}

}  // namespace multi
