#include "unstructured_ui/option_form.h"

#include "core/messages.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/hints.h"
#include "ui/modal_dialogs.h"
#include "ui/spin_edit_ex.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace unstructured_ui {

using namespace multi;

TOptionForm::TOptionForm(TSettingsStore& store, const std::string& keyName, QWidget* parent)
    : QDialog(parent), options_(store, keyName)
{
    setWindowTitle(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* tabs = new QTabWidget(this);
    auto* general = new QWidget(tabs);
    tabs->addTab(general, QStringLiteral("General"));
    layout->addWidget(tabs);

    auto* grid = new QGridLayout(general);
    auto* note = new QLabel(
        QStringLiteral("These settings determine how floating point numbers are displayed in matrices."), general);
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 3);
    const auto addSpin = [&](int row, const QString& caption, const char* name, int minimum, int maximum,
                             const QString& hint, const QString& explanation) {
        auto* spin = new TSpinEditEx(general);
        spin->setObjectName(QString::fromLatin1(name));
        SetSpinEditRange(*spin, minimum, maximum);
        SetHint(*spin, hint);
        auto* label = new QLabel(caption, general);
        label->setBuddy(spin);
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row, 1, Qt::AlignLeft);
        grid->addWidget(new QLabel(explanation, general), row, 2);
        return spin;
    };
    precision_ = addSpin(
        1, QStringLiteral("&Precision"), "PrecisionSpinEdit", kMinPrecision, kMaxPrecision,
        QStringLiteral("Maximum number of digits before decimal"),
        QStringLiteral("(Number of digits to left of decimal point before using scientific notation.)"));
    decimals_ = addSpin(2, QStringLiteral("&Decimals"), "DecimalsSpinEdit", kMinDecimals, kMaxDecimals,
                        QStringLiteral("Number of digits after decimal"),
                        QStringLiteral("(Number of digits to right of decimal point.)"));
    showDigits_ = new QCheckBox(QStringLiteral("Show unnecessary decimal digits"), general);
    showDigits_->setObjectName(QStringLiteral("ShowDecimalDigitsCheckBox"));
    showPoint_ = new QCheckBox(QStringLiteral("Show unnecessary decimal point"), general);
    showPoint_->setObjectName(QStringLiteral("ShowDecimalPointCheckBox"));
    grid->addWidget(showDigits_, 3, 0, 1, 3);
    grid->addWidget(showPoint_, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    connect(ok_, &QPushButton::clicked, this, &TOptionForm::OkButtonClick);
    // A number typed into either edit is the one kept, or refused with a
    // message; Cancel and Help need none.
    for (TSpinEditEx* spin : {precision_, decimals_})
        spin->TellRefusalOnLeaving([this](QWidget* now) { return now != cancel_ && now != help_; });

    LoadFromSettings();
    ApplyNumberFormat();
}

bool TOptionForm::Execute() { return ShowModal(*this) == TModalResult::Ok; }

void TOptionForm::LoadFromSettings()
{
    precision_->SetValue(options_.PrecisionSetting.Value());
    decimals_->SetValue(options_.DecimalsSetting.Value());
    showDigits_->setChecked(!options_.MinimizeDecimalsSetting.Value());
    showPoint_->setChecked(!options_.MinimizeDecimalPointSetting.Value());
}

bool TOptionForm::StoreToSettings()
{
    precision_->interpretText();
    decimals_->interpretText();
    try {
        options_.PrecisionSetting.SetValue(precision_->Value());
        options_.DecimalsSetting.SetValue(decimals_->Value());
        options_.MinimizeDecimalsSetting.SetValue(!showDigits_->isChecked());
        options_.MinimizeDecimalPointSetting.SetValue(!showPoint_->isChecked());
    } catch (const TSettingError& error) {
        ErrorMessage(error.what());
        return false;
    }
    return true;
}

void TOptionForm::ApplyNumberFormat() { options_.ApplyNumberFormat(); }

void TOptionForm::OkButtonClick()
{
    if (!precision_->TellRefusal() || !decimals_->TellRefusal())
        return;
    if (!StoreToSettings())
        return;
    ApplyNumberFormat();
    accept();
}

void TOptionForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    LoadFromSettings();
}

}  // namespace unstructured_ui
