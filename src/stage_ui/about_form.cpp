#include "stage_ui/about_form.h"

#include "stage/stage_options.h"
#include "stage_ui/program_icon.h"
#include "ui/modal_dialogs.h"

namespace {

TAboutTexts StageAboutTexts()
{
    TAboutTexts texts;
    texts.Title = QString::fromLatin1(kStageProgramTitle);
    texts.Subtitle = QStringLiteral("Age and Stage structure (matrix models)");
    texts.Icon = StageProgramIcon();
    return texts;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : TAboutTemplateForm(StageAboutTexts(), parent) {}

void TAboutForm::Execute(QWidget* parent)
{
    TAboutForm form(parent);
    ShowModal(form);
}
