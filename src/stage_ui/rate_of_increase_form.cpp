#include "stage_ui/rate_of_increase_form.h"

#include "core/str_utilx.h"
#include "stage/plot_buffer.h"
#include "stage_ui/stage_result_producer.h"
#include "stage_ui/stage_result_windows.h"
#include "ui/clipboard_copy.h"

#include <QHBoxLayout>
#include <QMimeData>
#include <QShowEvent>
#include <QToolButton>

TRateOfIncreaseForm::TRateOfIncreaseForm(QWidget* parent)
    : TResultTextTemplateForm(StageResultProducer(), StageResultWindow(kKind).Setup, parent)
{
    copyRateBtn_ = new QToolButton(this);
    copyRateBtn_->setObjectName(QStringLiteral("CopyRateBtn"));
    copyRateBtn_->setText(QStringLiteral("Copy Rate of Increase"));
    copyRateBtn_->setAutoRaise(true);
    copyRateBtn_->setEnabled(false);
    // Before the stretch that ends the panel.
    ToolPanel().insertWidget(ToolPanel().count() - 1, copyRateBtn_);
    connect(copyRateBtn_, &QToolButton::clicked, this, &TRateOfIncreaseForm::CopyRateBtnClick);
}

void TRateOfIncreaseForm::showEvent(QShowEvent* event)
{
    TResultTextTemplateForm::showEvent(event);
    if (event->spontaneous())
        return;
    // The producer leaves lambda of the analysed matrix in the plot buffer.
    // A failed production leaves it at whatever an earlier result put
    // there, which must not be copied as this model's lambda.
    lambda_ = Produced() ? PlotBuffer.PlotMean[0] : 0.0;
    copyRateBtn_->setEnabled(Produced());
}

void TRateOfIncreaseForm::CopyRateBtnClick()
{
    if (!Produced())
        return;
    SetClipboardData(MakeClipboardData(QString::fromStdString(RealToLocalText(lambda_)), {}));
}
