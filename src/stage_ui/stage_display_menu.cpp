#include "stage_ui/stage_display_menu.h"

#include "core/model_store.h"
#include "stage_ui/stage_result_windows.h"
#include "ui/help_service.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TStageDisplayMenuForm::TStageDisplayMenuForm(QWidget* parent, TDisplayResult display)
    : QDialog(parent), display_(display ? std::move(display) : TDisplayResult(OpenStageResultWindow))
{
    setWindowTitle(QStringLiteral("Stage Display"));
    setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        layout->addWidget(button);
        return button;
    };
    struct TEntry {
        const char* name;
        const char* text;
        int kind;
    };
    static const TEntry kEntries[] = {
        {"RateOfIncreaseButton", "&Finite Rate of Increase (lambda)", 14},
        {"InitialDistributionButton", "&Initial Distribution", 16},
        {"StableDistributionButton", "&Stable Distribution", 17},
        {"ReproductiveValuesButton", "Reproductive &Values", 15},
        {"AverageResidencesButton", "&Average Residences", 18},
        {"SensitivitiesButton", "Sensitivities and &Elasticities", 9},
    };
    for (const TEntry& entry : kEntries) {
        QPushButton* button = add(entry.name, QString::fromLatin1(entry.text));
        const int kind = entry.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { display_(this, kind); });
        buttons_.push_back({button, kind});
    }
    layout->addSpacing(8);
    QPushButton* helpBtn = add("HelpButton", QStringLiteral("&Help"));
    layout->addStretch();
    connect(helpBtn, &QPushButton::clicked, this, &TStageDisplayMenuForm::HelpBtnClick);
}

TModalResult TStageDisplayMenuForm::Execute() { return ShowModal(*this); }

void TStageDisplayMenuForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const bool structured = Info.stages > 1;
    for (const TResultButton& b : buttons_)
        b.Button->setEnabled(structured);
}

void TStageDisplayMenuForm::HelpBtnClick() { HelpService().ShowHelp(this, kHelpContext); }
