#pragma once
// The trajectory summary of a run: the abundance over time of the whole
// rivedarulation (population 0) or of one population.

#include "multi_ui/index_result_form.h"

namespace multi {

class TTrajectorySummaryForm : public TIndexResultForm {
    Q_OBJECT
public:
    explicit TTrajectorySummaryForm(QWidget* parent = nullptr, TResultProducer& producer = MultiResultProducer());
    // The window of another program's trajectory kind, `setup`.
    TTrajectorySummaryForm(const TResultWindowSetup& setup, TResultProducer& producer, QWidget* parent = nullptr);
};

}  // namespace multi
