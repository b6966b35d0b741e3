#include "unstructured_ui/about_form.h"

#include "ui/modal_dialogs.h"

namespace unstructured_ui {

TAboutForm::TAboutForm(QWidget* parent, const TAboutTexts& texts) : TAboutTemplateForm(texts, parent) {}

void TAboutForm::Execute(QWidget* parent, const TAboutTexts& texts)
{
    TAboutForm form(parent, texts);
    ShowModal(form);
}

}  // namespace unstructured_ui
