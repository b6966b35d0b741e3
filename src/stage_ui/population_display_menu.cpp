#include "stage_ui/population_display_menu.h"

#include "stage_ui/stage_result_windows.h"
#include "ui/help_service.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kDensityDependenceInR = 1;
constexpr int kReplacementCurve = 2;

}  // namespace

TPopulationDisplayMenuForm::TPopulationDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : QDialog(parent), display_(display ? std::move(display) : TDisplayResult(OpenStageResultWindow))
{
    setWindowTitle(QStringLiteral("Population Display"));
    setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        layout->addWidget(button);
        return button;
    };
    densityBtn_ = add("DensityDependenceButton", QStringLiteral("&Density Dependence in R"));
    replacementBtn_ = add("ReplacementCurveButton", QStringLiteral("&Replacement Curve"));
    layout->addSpacing(8);
    QPushButton* okBtn = add("OkButton", QStringLiteral("OK"));
    okBtn->hide();
    QPushButton* cancelBtn = add("CancelButton", QStringLiteral("Cancel"));
    QPushButton* helpBtn = add("HelpButton", QStringLiteral("&Help"));
    layout->addStretch();

    connect(densityBtn_, &QPushButton::clicked, this, [this] { display_(this, kDensityDependenceInR); });
    connect(replacementBtn_, &QPushButton::clicked, this, [this] { display_(this, kReplacementCurve); });
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, &TPopulationDisplayMenuForm::HelpBtnClick);
}

TModalResult TPopulationDisplayMenuForm::Execute() { return ShowModal(*this); }

void TPopulationDisplayMenuForm::HelpBtnClick() { HelpService().ShowHelp(this, kHelpContext); }
