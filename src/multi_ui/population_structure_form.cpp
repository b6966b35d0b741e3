#include "multi_ui/population_structure_form.h"

#include "multi/model_data.h"
#include "multi/result_kinds.h"

namespace multi {

TPopulationStructureForm::TPopulationStructureForm(QWidget* parent, TResultProducer& producer)
    : TIndexResultForm(producer, kStructure,
                       {"TimeStepSpinEdit", QStringLiteral("Time step:"),
                        QStringLiteral("Time step|Select time step being reported")},
                       [] { return Model.Duration; }, parent)
{
}

}  // namespace multi
