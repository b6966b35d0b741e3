#pragma once
// A result window of a run whose selector chooses the index of its chart
// settings (a population, a time step), from 0 up to a maximum of the model.
// The choice goes into the window's settings and into the kind's defaults,
// so that the next window of the kind opens on it.

#include "unstructured_ui/selector_result_form.h"

#include <functional>

namespace unstructured_ui {

class TIndexResultForm : public TSelectorResultForm {
    Q_OBJECT
protected:
    TIndexResultForm(TResultProducer& producer, const TResultWindowSetup& setup, const TSelectorSetup& selector,
                     std::function<int()> maximum, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void SelectorChange(int value) override { SelectIndex(value); }

private:
    std::function<int()> maximum_;
};

}  // namespace unstructured_ui
