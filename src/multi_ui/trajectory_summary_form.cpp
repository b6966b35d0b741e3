#include "multi_ui/trajectory_summary_form.h"

#include "multi/model_data.h"
#include "multi/result_kinds.h"

namespace multi {

TTrajectorySummaryForm::TTrajectorySummaryForm(QWidget* parent, TResultProducer& producer)
    : TIndexResultForm(producer, kTrajectory, PopulationSelector(), [] { return int{Model.PopCount}; }, parent)
{
}

}  // namespace multi
