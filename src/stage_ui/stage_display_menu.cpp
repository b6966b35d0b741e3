#include "stage_ui/stage_display_menu.h"

#include "stage/model_store.h"
#include "stage_ui/stage_result_windows.h"

#include <QPushButton>
#include <QShowEvent>

TStageDisplayMenuForm::TStageDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : TDisplayMenuForm(parent, display ? std::move(display) : TDisplayResult(OpenStageResultWindow),
                       QStringLiteral("Stage Display"), kHelpContext)
{
    AddResultButton("RateOfIncreaseButton", QStringLiteral("&Finite Rate of Increase (lambda)"), 14);
    AddResultButton("InitialDistributionButton", QStringLiteral("&Initial Distribution"), 16);
    AddResultButton("StableDistributionButton", QStringLiteral("&Stable Distribution"), 17);
    AddResultButton("ReproductiveValuesButton", QStringLiteral("Reproductive &Values"), 15);
    AddResultButton("AverageResidencesButton", QStringLiteral("&Average Residences"), 18);
    AddResultButton("SensitivitiesButton", QStringLiteral("Sensitivities and &Elasticities"), 9);
    AddGap();
    AddHelpButton();
}

void TStageDisplayMenuForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const bool structured = Info.stages > 1;
    for (const TResultButton& b : ResultButtons())
        b.Button->setEnabled(structured);
}
