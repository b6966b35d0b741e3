#include "unstructured_ui/population_display_menu.h"

#include "multi/result_kinds.h"

#include <QPushButton>

namespace unstructured_ui {

using namespace multi;

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : TDisplayMenuForm(parent, std::move(display), QStringLiteral("Population Display"), kHelpContext)
{
    AddResultButton("DensityDependenceButton", QStringLiteral("&Density Dependence in R"), kDensityDependenceInR);
    AddResultButton("ReplacementCurveButton", QStringLiteral("&Replacement Curve"), kReplacementCurve);
    AddResultButton("DispersalButton", QStringLiteral("Dis&persal"), kDispersal);
    AddResultButton("HabitatChangeButton", QStringLiteral("Habitat &Change"), kHabitatChange);
    AddGap();
    QPushButton* okBtn = AddButton("OkButton", QStringLiteral("OK"));
    QPushButton* cancelBtn = AddButton("CancelButton", QStringLiteral("Cancel"));
    AddHelpButton();
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace unstructured_ui
