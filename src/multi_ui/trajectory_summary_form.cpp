#include "multi_ui/trajectory_summary_form.h"

#include "multi/model_data.h"
#include "multi/result_kinds.h"
#include "multi_ui/multi_result_windows.h"

namespace multi {

TTrajectorySummaryForm::TTrajectorySummaryForm(QWidget* parent, TResultProducer& producer)
    : TTrajectorySummaryForm(MultiResultWindow(kTrajectory).Setup, producer, parent)
{
}

TTrajectorySummaryForm::TTrajectorySummaryForm(const TResultWindowSetup& setup, TResultProducer& producer,
                                               QWidget* parent)
    : TIndexResultForm(producer, setup, PopulationSelector(), [] { return int{Model.PopCount}; }, parent)
{
}

}  // namespace multi
