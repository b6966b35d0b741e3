#pragma once
// The trajectory summary of a run: the abundance over time of the whole
// rivedarulation (population 0) or of one population.

#include "unstructured_ui/index_result_form.h"

namespace unstructured_ui {

class TTrajectorySummaryForm : public TIndexResultForm {
    Q_OBJECT
public:
    // The window of the program's trajectory kind, `setup`.
    TTrajectorySummaryForm(const TResultWindowSetup& setup, TResultProducer& producer, QWidget* parent = nullptr);
};

}  // namespace unstructured_ui
