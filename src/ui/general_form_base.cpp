#include "ui/general_form_base.h"

#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/modal_dialogs.h"
#include "ui/spin_edit_ex.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGeneralFormBase::TGeneralFormBase(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("General Information"));
    layout_ = new QVBoxLayout(this);
    layout_->setSizeConstraint(QLayout::SetFixedSize);

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
    layout_->addLayout(fields);

    demogStoch_ = new QCheckBox(QStringLiteral("&Use demographic stochasticity"), this);
    demogStoch_->setObjectName(QStringLiteral("UseDemographicStochasticityCheckBox"));
    layout_->addWidget(demogStoch_);
    connect(replications_, &QSpinBox::valueChanged, this, &TGeneralFormBase::UpdateStochasticityEnabling);
}

void TGeneralFormBase::AddButtons()
{
    const TDialogButtons buttons = AddDialogButtons(*this, *layout_, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    connect(ok_, &QPushButton::clicked, this, &TGeneralFormBase::OkButtonClick);
}

void TGeneralFormBase::SetLimits(int maxReplications, int maxDuration)
{
    // Set on the spin box itself: equal limits (a duration limit of 1) must
    // still be limits, not "any number".
    SetSpinEditRange(*replications_, 0, maxReplications);
    SetSpinEditRange(*duration_, 1, maxDuration);
}

bool TGeneralFormBase::Execute()
{
    LoadFromModel();
    changed_ = false;
    return ShowModal(*this) == TModalResult::Ok && changed_;
}

void TGeneralFormBase::UpdateStochasticityEnabling() { demogStoch_->setEnabled(replications_->Value() > 0); }

void TGeneralFormBase::OkButtonClick()
{
    // What is typed into a spin edit counts once it is left.
    ok_->setFocus();
    replications_->interpretText();
    duration_->interpretText();
    changed_ = StoreToModel();
    accept();
}

void TGeneralFormBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    titleEdit_->setFocus();
}
