#include "ui/scale_form.h"

#include "core/messages.h"
#include "core/numeric_edit_rules.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/numeric_edit.h"
#include "ui/range_message.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLimitRange = 2147483647;

// Decimals that show small limits with six significant digits, at least 6
// and at most what the edit can show: an autoscaled maximum of 1e-6 must not
// read 0.00, which the check would then refuse.
int LimitDecimals(const TScaleInfo& info)
{
    int decimals = 6;
    for (const double v : {info.XMinimum, info.XMaximum, info.YMinimum, info.YMaximum})
        if (v != 0 && std::isfinite(v) && std::fabs(v) < 1)
            decimals = std::max(decimals, 5 - static_cast<int>(std::floor(std::log10(std::fabs(v)))));
    return std::min(decimals, 9);
}

bool InRange(const TFnpNumericEdit& edit)
{
    return edit.Reading().Accepted();
}

double ValueOf(const TFnpNumericEdit& edit)
{
    return edit.ShownValue();
}

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Latin1(const QLineEdit& edit) { return edit.text().toLatin1().toStdString(); }

}  // namespace

TScaleForm::TScaleForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Chart Properties"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* texts = new QGridLayout;
    auto addText = [&](const QString& caption, QLineEdit*& edit, const char* name) {
        edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMinimumWidth(320);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        const int row = texts->rowCount();
        texts->addWidget(label, row, 0);
        texts->addWidget(edit, row, 1);
    };
    addText(QStringLiteral("&Title:"), titleEdit_, "TitleEdit");
    addText(QStringLiteral("&X-Axis Label:"), xTitleEdit_, "XAxisTitleEdit");
    addText(QStringLiteral("&Y-Axis Label:"), yTitleEdit_, "YAxisTitleEdit");
    layout->addLayout(texts);

    autoscale_ = new QCheckBox(QStringLiteral("&Autoscale"), this);
    autoscale_->setObjectName(QStringLiteral("AutoscaleCheckBox"));
    layout->addWidget(autoscale_);

    auto* axes = new QHBoxLayout;
    auto addAxis = [&](const QString& title, const QString& minCaption, const QString& maxCaption,
                       TFnpNumericEdit*& minEdit, TFnpNumericEdit*& maxEdit, QLabel*& minLabel, QLabel*& maxLabel) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        minEdit = new TFnpNumericEdit(box);
        maxEdit = new TFnpNumericEdit(box);
        minLabel = new QLabel(minCaption, box);
        maxLabel = new QLabel(maxCaption, box);
        minLabel->setBuddy(minEdit);
        maxLabel->setBuddy(maxEdit);
        grid->addWidget(minLabel, 0, 0);
        grid->addWidget(minEdit, 0, 1);
        grid->addWidget(maxLabel, 1, 0);
        grid->addWidget(maxEdit, 1, 1);
        axes->addWidget(box);
    };
    addAxis(QStringLiteral("X-Axis"), QStringLiteral("&Minimum:"), QStringLiteral("Max&imum:"), xMin_, xMax_,
            limitLabels_[0], limitLabels_[1]);
    addAxis(QStringLiteral("Y-Axis"), QStringLiteral("Mi&nimum:"), QStringLiteral("Maxim&um:"), yMin_, yMax_,
            limitLabels_[2], limitLabels_[3]);
    layout->addLayout(axes);
    xMin_->setObjectName(QStringLiteral("XAxisMinEdit"));
    xMax_->setObjectName(QStringLiteral("XAxisMaxEdit"));
    yMin_->setObjectName(QStringLiteral("YAxisMinEdit"));
    yMax_->setObjectName(QStringLiteral("YAxisMaxEdit"));

    // Kept for the settings' selector; no chart shows them.
    auto* hidden = new QHBoxLayout;
    auto* indexLabel = new QLabel(QStringLiteral("&Index:"), this);
    index_ = new TFnpNumericEdit(this);
    index_->setObjectName(QStringLiteral("IndexEdit"));
    index_->SetDecimals(0);
    index_->SetMaxValue(255);
    index_->SetMaxLength(3);
    indexLabel->setBuddy(index_);
    showAll_ = new QCheckBox(QStringLiteral("&Show All"), this);
    showAll_->setObjectName(QStringLiteral("ShowAllCheckBox"));
    hidden->addWidget(indexLabel);
    hidden->addWidget(index_);
    hidden->addWidget(showAll_);
    layout->addLayout(hidden);
    indexLabel->hide();
    index_->hide();
    showAll_->hide();

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;

    for (TFnpNumericEdit* edit : {xMin_, xMax_, yMin_, yMax_}) {
        edit->SetDecimals(6);
        SetNumericEditRange(*edit, -kLimitRange, kLimitRange);
    }
    for (TFnpNumericEdit* edit : {xMin_, xMax_, yMin_, yMax_, index_}) {
        edit->installEventFilter(this);
        // Enter with a value out of range.
        connect(edit, &TFnpNumericEdit::OnInvalidEntry, this, [this, edit] { ScheduleLeaveCheck(edit, true); });
    }
    connect(autoscale_, &QCheckBox::toggled, this, &TScaleForm::UpdateAxisControls);
    connect(ok_, &QPushButton::clicked, this, &TScaleForm::OkButtonClick);
    UpdateAxisControls();
}

void TScaleForm::LoadScaleInfo(const TScaleInfo& info)
{
    autoscale_->setChecked(info.AutoScale);
    index_->SetAsInteger(info.Index);
    showAll_->setChecked(info.ShowAll);
    titleEdit_->setText(Latin1(info.Title));
    xTitleEdit_->setText(Latin1(info.XLabel));
    yTitleEdit_->setText(Latin1(info.YLabel));
    const int decimals = LimitDecimals(info);
    for (TFnpNumericEdit* edit : {xMin_, xMax_, yMin_, yMax_}) {
        edit->SetDecimals(decimals);
        SetNumericEditRange(*edit, -kLimitRange, kLimitRange);
    }
    xMin_->SetValueExactly(info.XMinimum);
    yMin_->SetValueExactly(info.YMinimum);
    xMax_->SetValueExactly(info.XMaximum);
    yMax_->SetValueExactly(info.YMaximum);
    reported_[0].clear();
    reported_[1].clear();
    UpdateAxisControls();
}

void TScaleForm::StoreScaleInfo(TScaleInfo& info) const
{
    info.AutoScale = autoscale_->isChecked();
    info.Index = static_cast<int>(ValueOf(*index_));
    info.ShowAll = showAll_->isChecked();
    info.Title = Latin1(*titleEdit_);
    info.XLabel = Latin1(*xTitleEdit_);
    info.YLabel = Latin1(*yTitleEdit_);
    info.XMinimum = ValueOf(*xMin_);
    info.YMinimum = ValueOf(*yMin_);
    info.XMaximum = ValueOf(*xMax_);
    info.YMaximum = ValueOf(*yMax_);
}

void TScaleForm::UpdateAxisControls()
{
    const bool manual = !autoscale_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(xMin_), static_cast<QWidget*>(xMax_), static_cast<QWidget*>(yMin_),
                       static_cast<QWidget*>(yMax_)})
        w->setEnabled(manual);
    for (QLabel* label : limitLabels_)
        label->setEnabled(manual);
}

bool TScaleForm::ValidateAxis(bool xAxis, QWidget& focusTarget)
{
    if (autoscale_->isChecked())
        return true;
    const bool ordered = xAxis ? ValueOf(*xMin_) < ValueOf(*xMax_) : ValueOf(*yMin_) < ValueOf(*yMax_);
    if (ordered)
        return true;
    ErrorMessage(xAxis ? "Maximum x-axis value must be greater than minimum value."
                       : "Maximum y-axis value must be greater than minimum value.");
    focusTarget.setFocus();
    return false;
}

bool TScaleForm::ValidateXAxis() { return ValidateAxis(true, *xMax_); }

bool TScaleForm::ValidateYAxis() { return ValidateAxis(false, *yMax_); }

void TScaleForm::OkButtonClick()
{
    if (!autoscale_->isChecked())
        for (TFnpNumericEdit* edit : {xMin_, xMax_, yMin_, yMax_})
            if (!InRange(*edit)) {
                reported_[IsYLimit(*edit)] = Mistake(*edit);
                ShowRangeMessage(*edit);
                edit->setFocus();
                return;
            }
    for (const bool xAxis : {true, false})
        if (!(xAxis ? ValidateXAxis() : ValidateYAxis())) {
            reported_[!xAxis] = AxisMistake(xAxis);
            return;
        }
    accept();
}

std::string TScaleForm::AxisMistake(bool xAxis) const
{
    if (autoscale_->isChecked())
        return {};
    const TFnpNumericEdit& min = xAxis ? *xMin_ : *yMin_;
    const TFnpNumericEdit& max = xAxis ? *xMax_ : *yMax_;
    if (ValueOf(min) < ValueOf(max))
        return {};
    return (xAxis ? "x " : "y ") + min.text().toStdString() + " " + max.text().toStdString();
}

std::string TScaleForm::Mistake(const TFnpNumericEdit& edit) const
{
    if (!InRange(edit))
        return edit.objectName().toStdString() + " " + edit.text().toStdString();
    return AxisMistake(!IsYLimit(edit));
}

bool TScaleForm::IsYLimit(const TFnpNumericEdit& edit) const { return &edit == yMin_ || &edit == yMax_; }

void TScaleForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    titleEdit_->setFocus();
}

bool TScaleForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window or a popup taking the focus is no leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ScheduleLeaveCheck(static_cast<TFnpNumericEdit*>(watched),
                               reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
    }
    return QDialog::eventFilter(watched, event);
}

void TScaleForm::ScheduleLeaveCheck(TFnpNumericEdit* edit, bool byKeyboard)
{
    if (pendingCheck_ || checking_)
        return;
    pendingCheck_ = edit;
    pendingByKeyboard_ = byKeyboard;
    QTimer::singleShot(0, this, &TScaleForm::LeaveCheck);
}

void TScaleForm::LeaveCheck()
{
    TFnpNumericEdit* edit = pendingCheck_;
    pendingCheck_ = nullptr;
    if (!edit || !isVisible() || checking_ || !edit->isEnabled())
        return;
    // A click on a button or on Autoscale is no reason for a word: OK checks
    // everything itself, Cancel and Help need no check, and Autoscale may
    // make the limits irrelevant. Tab is leaving, wherever it lands.
    QWidget* now = QApplication::focusWidget();
    if (!pendingByKeyboard_ && (now == ok_ || now == cancel_ || now == help_ || now == autoscale_))
        return;
    const std::string mistake = Mistake(*edit);
    // A mistake is told once: the user who was told and goes elsewhere,
    // most likely to the other limit to mend it, is not stopped again.
    std::string& reported = reported_[IsYLimit(*edit)];
    if (mistake == reported)
        return;
    reported = mistake;
    if (mistake.empty())
        return;
    // The focus goes back to the edit left, after the message.
    checking_ = true;
    if (!InRange(*edit)) {
        ShowRangeMessage(*edit);
        edit->setFocus();
    } else {
        ValidateAxis(!IsYLimit(*edit), *edit);
    }
    checking_ = false;
}
