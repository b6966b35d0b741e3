#pragma once
// A result window with a selector (selector_result_form.h), the selector and
// its caption hidden, for the single-population program: with one population
// there is nothing to choose, so the window shows what the selector's value
// stays at (population 1, or the kind's index in the chart settings: the
// total).
//
//     TResultTemplateForm::Execute<TWithoutSelector<TDisplayTemplateForm>>(setup, parent, producer);

#include "ui/spin_edit_ex.h"

#include <QLabel>

#include <utility>

namespace unstructured_ui {

template <class TSelectorForm>
class TWithoutSelector : public TSelectorForm {
public:
    template <class... TArgs>
    explicit TWithoutSelector(TArgs&&... args) : TSelectorForm(std::forward<TArgs>(args)...)
    {
        this->Selector().hide();
        this->SelectorLabel().hide();
    }
};

}  // namespace unstructured_ui
