#include "multi_ui/about_form.h"

#include "multi/multi_options.h"
#include "multi_ui/program_icon.h"
#include "ui/modal_dialogs.h"

namespace multi {

TAboutTexts MultiAboutTexts()
{
    TAboutTexts texts;
    texts.Title = QString::fromLatin1(kMultiProgramTitle);
    texts.Subtitle = QStringLiteral("Multiple populations (rivedarulation models)");
    texts.Icon = MultiProgramIcon();
    return texts;
}

TAboutForm::TAboutForm(QWidget* parent, const TAboutTexts& texts) : TAboutTemplateForm(texts, parent) {}

void TAboutForm::Execute(QWidget* parent, const TAboutTexts& texts)
{
    TAboutForm form(parent, texts);
    ShowModal(form);
}

}  // namespace multi
