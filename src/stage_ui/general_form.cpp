#include "stage_ui/general_form.h"

#include "stage/general_info.h"
#include "ui/comments_memo.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/modal_dialogs.h"
#include "ui/model_text.h"
#include "ui/spin_edit_ex.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TGeneralForm::TGeneralForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("General Information"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* fields = new QGridLayout;
    titleEdit_ = new QLineEdit(this);
    titleEdit_->setObjectName(QStringLiteral("TitleEdit"));
    titleEdit_->setMinimumWidth(420);
    commentsMemo_ = new TCommentsMemo(kCommentLines, this);
    commentsMemo_->setObjectName(QStringLiteral("CommentsMemo"));
    replications_ = new TSpinEditEx(this);
    replications_->setObjectName(QStringLiteral("ReplicationsSpinEdit"));
    duration_ = new TSpinEditEx(this);
    duration_->setObjectName(QStringLiteral("DurationSpinEdit"));
    auto addField = [&](const QString& caption, QWidget* field, int row, Qt::Alignment align = {}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        fields->addWidget(field, row, 1, align);
    };
    addField(QStringLiteral("&Title:"), titleEdit_, 0);
    addField(QStringLiteral("&Comments:"), commentsMemo_, 1);
    addField(QStringLiteral("&Replications:"), replications_, 2, Qt::AlignLeft);
    addField(QStringLiteral("&Duration:"), duration_, 3, Qt::AlignLeft);
    layout->addLayout(fields);

    demogStoch_ = new QCheckBox(QStringLiteral("&Use demographic stochasticity"), this);
    demogStoch_->setObjectName(QStringLiteral("UseDemographicStochasticityCheckBox"));
    constraints_ = new QCheckBox(QStringLiteral("&Ignore constraints"), this);
    constraints_->setObjectName(QStringLiteral("ConstraintsCheckBox"));
    layout->addWidget(demogStoch_);
    layout->addWidget(constraints_);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;

    connect(replications_, &QSpinBox::valueChanged, this, [this](int value) { demogStoch_->setEnabled(value > 0); });
    connect(ok_, &QPushButton::clicked, this, &TGeneralForm::OkButtonClick);
    ApplyLimits();
}

void TGeneralForm::ApplyLimits()
{
    // Set on the spin box itself: equal limits (a duration limit of 1) must
    // still be limits, not "any number".
    SetSpinEditRange(*replications_, 0, Info.Limits().replications);
    SetSpinEditRange(*duration_, 1, Info.Limits().duration);
}

bool TGeneralForm::Execute()
{
    LoadFromModel();
    return ShowModal(*this) == TModalResult::Ok;
}

void TGeneralForm::LoadFromModel()
{
    ApplyLimits();
    const TGeneralInfo info = GeneralInfoOf(Info);
    titleEdit_->setText(ModelText(info.title));
    commentsMemo_->SetLines(ShownCommentLines(info));
    replications_->SetValue(info.replications);
    duration_->SetValue(info.duration);
    demogStoch_->setChecked(info.demogstoch);
    constraints_->setChecked(info.ignoreconstraints);
    demogStoch_->setEnabled(replications_->Value() > 0);
}

void TGeneralForm::StoreToModel()
{
    TGeneralInfo info;
    info.title = ModelBytes(titleEdit_->text());
    const std::vector<std::string> lines = commentsMemo_->Lines();
    std::copy(lines.begin(), lines.end(), info.comments.begin());
    info.replications = replications_->Value();
    info.duration = duration_->Value();
    info.demogstoch = demogStoch_->isChecked();
    info.ignoreconstraints = constraints_->isChecked();
    StoreGeneralInfo(Info, info);
}

void TGeneralForm::OkButtonClick()
{
    // What is typed into a spin edit counts once it is left.
    ok_->setFocus();
    replications_->interpretText();
    duration_->interpretText();
    StoreToModel();
    accept();
}

void TGeneralForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    titleEdit_->setFocus();
}
