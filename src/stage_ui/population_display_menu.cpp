#include "stage_ui/population_display_menu.h"

#include "stage_ui/stage_result_windows.h"

#include <QPushButton>

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : TDisplayMenuForm(parent, display ? std::move(display) : TDisplayResult(OpenStageResultWindow),
                       QStringLiteral("Population Display"), kHelpContext)
{
    AddResultButton("DensityDependenceButton", QStringLiteral("&Density Dependence in R"), 1);
    AddResultButton("ReplacementCurveButton", QStringLiteral("&Replacement Curve"), 2);
    AddGap();
    QPushButton* okBtn = AddButton("OkButton", QStringLiteral("OK"));
    okBtn->hide();
    QPushButton* cancelBtn = AddButton("CancelButton", QStringLiteral("Cancel"));
    AddHelpButton();
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}
