#include "unstructured_ui/trajectory_summary_form.h"

#include "multi/model_data.h"

namespace unstructured_ui {

using namespace multi;

TTrajectorySummaryForm::TTrajectorySummaryForm(const TResultWindowSetup& setup, TResultProducer& producer,
                                               QWidget* parent)
    : TIndexResultForm(producer, setup, PopulationSelector(), [] { return int{Model.PopCount}; }, parent)
{
}

}  // namespace unstructured_ui
