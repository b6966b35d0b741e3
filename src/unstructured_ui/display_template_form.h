#pragma once
// The result windows drawn from one population's inputs (density dependence
// in R, the replacement curve, dispersal, habitat change): a population
// selector 1..PopCount on the tool panel, which chooses the model's selected
// population, the one these results show. With one population it is
// disabled.

#include "multi/model_data.h"
#include "unstructured_ui/selector_result_form.h"

namespace unstructured_ui {

class TDisplayTemplateForm : public TSelectorResultForm {
    Q_OBJECT
public:
    // `setup` names one of the kinds drawn for a population.
    TDisplayTemplateForm(const TResultWindowSetup& setup, QWidget* parent, TResultProducer& producer);

protected:
    void showEvent(QShowEvent* event) override;
    void SelectorChange(int value) override;
};

}  // namespace unstructured_ui
