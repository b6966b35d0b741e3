#include "ui/general_form_base.h"

#include "core/config.h"
#include "core/messages.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/modal_dialogs.h"
#include "ui/range_message.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

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
    for (TSpinEditEx* spinEdit : {replications_, duration_}) {
        spinEdit->SetCheckOnExit(true);
        connect(spinEdit, &TSpinEditEx::OnInvalidEntry, this, [this, spinEdit] {
            // The focus leaving this edit because a message gave the other
            // one the keyboard back is no leaving by the user: telling of it
            // would give the keyboard back to this one, and so on forever.
            if (telling_)
                return;
            // Told once the focus has moved, not inside the leave itself.
            QTimer::singleShot(0, this, [this, spinEdit] { LimitLeft(*spinEdit); });
        });
    }
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
    // A number longer than the limit is typed in full, to be refused with
    // the message, not cut to its first digits.
    replications_->SetMaxLength(0);
    duration_->SetMaxLength(0);
}

bool TGeneralFormBase::CheckLimit(TSpinEditEx& spinEdit)
{
    if (spinEdit.TextInRange())
        return true;
    // A text that is no whole number is told why; a number beyond the
    // limits, the limits and where they come from.
    std::string text = spinEdit.RefusalMessage();
    const bool beyondLimits = text.empty();
    if (beyondLimits)
        text = RangeMessageText(std::to_string(spinEdit.minimum()), std::to_string(spinEdit.maximum()));
    if (beyondLimits && limitsFromConfiguration_) {
        const bool replications = &spinEdit == replications_;
        const std::string key = replications ? "REP" : "DUR";
        // A switch on the command line wins over the configuration file.
        if (replications ? LimitSwitches.Replications : LimitSwitches.Duration)
            text += "\nThe limit is the switch /" + key + "= of the command line.";
        else
            text += "\nThe limit is the setting " + key + " of the configuration file " + kConfigFileName + ".";
    }
    telling_ = true;
    ErrorMessage(text);
    spinEdit.setFocus();
    spinEdit.selectAll();
    telling_ = false;
    return false;
}

void TGeneralFormBase::LimitLeft(TSpinEditEx& spinEdit)
{
    // Cancel and Help need no valid number; OK checks it itself; an edit
    // that has the focus again has been told already.
    QWidget* now = QApplication::focusWidget();
    if (!isVisible() || now == ok_ || now == cancel_ || now == help_ || now == &spinEdit ||
        (now && spinEdit.isAncestorOf(now)))
        return;
    CheckLimit(spinEdit);
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
    if (!CheckLimit(*replications_) || !CheckLimit(*duration_))
        return;
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
