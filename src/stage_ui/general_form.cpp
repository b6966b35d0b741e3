#include "stage_ui/general_form.h"

#include "stage/general_info.h"
#include "ui/model_text.h"
#include "ui/spin_edit_ex.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLineEdit>

#include <algorithm>

TGeneralForm::TGeneralForm(QWidget* parent) : TGeneralFormBase(parent)
{
    constraints_ = new QCheckBox(QStringLiteral("&Ignore constraints"), this);
    constraints_->setObjectName(QStringLiteral("ConstraintsCheckBox"));
    FieldsLayout().addWidget(constraints_);
    AddButtons();
    SetLimitsFromConfiguration(true);
    ApplyLimits();
}

void TGeneralForm::ApplyLimits() { SetLimits(Info.Limits().replications, Info.Limits().duration); }

void TGeneralForm::LoadFromModel()
{
    ApplyLimits();
    const TGeneralInfo info = GeneralInfoOf(Info);
    TitleEdit().setText(ModelText(info.title));
    CommentsMemo().SetLines(ShownCommentLines(info));
    ReplicationsSpinEdit().SetValue(info.replications);
    DurationSpinEdit().SetValue(info.duration);
    UseDemographicStochasticityCheckBox().setChecked(info.demogstoch);
    constraints_->setChecked(info.ignoreconstraints);
    UpdateStochasticityEnabling();
}

bool TGeneralForm::StoreToModel()
{
    TGeneralInfo info;
    info.title = ModelBytes(TitleEdit().text());
    const std::vector<std::string> lines = CommentsMemo().Lines();
    std::copy(lines.begin(), lines.end(), info.comments.begin());
    info.replications = ReplicationsSpinEdit().Value();
    info.duration = DurationSpinEdit().Value();
    info.demogstoch = UseDemographicStochasticityCheckBox().isChecked();
    info.ignoreconstraints = constraints_->isChecked();
    const bool changed = GeneralInfoDiffers(Info, info);
    StoreGeneralInfo(Info, info);
    return changed;
}
