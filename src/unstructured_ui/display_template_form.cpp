#include "unstructured_ui/display_template_form.h"

#include "ui/spin_edit_ex.h"

#include <QShowEvent>

namespace unstructured_ui {

using namespace multi;

TDisplayTemplateForm::TDisplayTemplateForm(const TResultWindowSetup& setup, QWidget* parent,
                                           TResultProducer& producer)
    : TSelectorResultForm(producer, setup,
                          PopulationSelector(), parent)
{
}

void TDisplayTemplateForm::showEvent(QShowEvent* event)
{
    TSelectorResultForm::showEvent(event);
    if (event->spontaneous())
        return;
    SetSelector(1, Model.PopCount, Model.SelectedPopulation);
    Selector().setEnabled(Model.PopCount > 1);
}

void TDisplayTemplateForm::SelectorChange(int value)
{
    if (value == Model.SelectedPopulation || value < 1 || value > Model.PopCount)
        return;
    Model.SelectedPopulation = static_cast<std::uint8_t>(value);
    // The producer's messages (such as too much dispersal) are shown again,
    // for the population now shown.
    WarnFlag = true;
    Refresh();
}

}  // namespace unstructured_ui
