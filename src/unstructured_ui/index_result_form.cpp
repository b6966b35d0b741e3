#include "unstructured_ui/index_result_form.h"

#include <QShowEvent>

namespace unstructured_ui {


TIndexResultForm::TIndexResultForm(TResultProducer& producer, const TResultWindowSetup& setup,
                                   const TSelectorSetup& selector, std::function<int()> maximum, QWidget* parent)
    : TSelectorResultForm(producer, setup, selector, parent), maximum_(std::move(maximum))
{
}

void TIndexResultForm::showEvent(QShowEvent* event)
{
    TSelectorResultForm::showEvent(event);
    if (!event->spontaneous())
        SetSelector(0, maximum_(), ScaleInfo().Index);
}

}  // namespace unstructured_ui
