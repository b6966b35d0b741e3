#include "stage_ui/advanced_stochasticity_form.h"

#include "stage/survival_variation.h"
#include "ui/dialog_buttons.h"
#include "ui/modal_dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TAdvancedStochasticityForm::TAdvancedStochasticityForm(TCoravel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    setWindowTitle(QStringLiteral("Advanced Stochasticity Settings"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto addChoice = [&](const QString& caption, const char* name, const char* note, QLabel** noteLabel) {
        auto* button = new QRadioButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        layout->addWidget(button);
        auto* label = new QLabel(QString::fromLatin1(note), this);
        label->setWordWrap(true);
        label->setFixedWidth(440);
        label->setContentsMargins(22, 0, 0, 8);
        layout->addWidget(label);
        if (noteLabel)
            *noteLabel = label;
        return button;
    };
    none_ = addChoice(QStringLiteral("&None"), "NoneRadioButton",
                      "The following options are available only when constraints are in effect and there are at "
                      "least 3 stages.  They determine the random variation in survival rates (stage matrix "
                      "elements after the first row).",
                      nullptr);
    pooled_ = addChoice(QStringLiteral("&Pooled variance for survivals"), "PooledVarianceRadioButton",
                        "Sample a single total survival for each stage (column), based on the sum of survivals "
                        "(column total excluding first row), and their pooled variance.  Divide sampled survival "
                        "in proportion to means.",
                        &pooledNote_);
    negative_ = addChoice(QStringLiteral("Ne&gative correlation for survival > 0.5"),
                          "NegativeCorrelationRadioButton",
                          "Impose a correlation of -1 between a survival with mean > 0.5 and other survival rates "
                          "in the same column.  This may also affect the correlation between large survivals "
                          "(mean>0.5) and fecundities or carrying capacities.",
                          &negativeNote_);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    connect(ok_, &QPushButton::clicked, this, &TAdvancedStochasticityForm::OkButtonClick);
}

bool TAdvancedStochasticityForm::Execute(QWidget* parent, TCoravel& model)
{
    TAdvancedStochasticityForm form(model, parent);
    return ShowModal(form) == TModalResult::Ok;
}

void TAdvancedStochasticityForm::LoadFromModel()
{
    none_->setChecked(!model_.poolvar && !model_.negsurvcorr);
    pooled_->setChecked(model_.poolvar);
    negative_->setChecked(model_.negsurvcorr && !model_.poolvar);
    const bool allowed = SpecialSurvivalVariationAllowed(model_);
    for (QWidget* w : {static_cast<QWidget*>(pooled_), static_cast<QWidget*>(negative_),
                       static_cast<QWidget*>(pooledNote_), static_cast<QWidget*>(negativeNote_)})
        w->setEnabled(allowed);
}

void TAdvancedStochasticityForm::OkButtonClick()
{
    StoreSurvivalVariation(model_, pooled_->isChecked(), negative_->isChecked());
    accept();
}

void TAdvancedStochasticityForm::showEvent(QShowEvent* event)
{
    LoadFromModel();
    QDialog::showEvent(event);
}
