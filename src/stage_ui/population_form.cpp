#include "stage_ui/population_form.h"

#include "core/messages.h"
#include "sim/density_types.h"
#include "stage/density_settings.h"
#include "stage/validate_input.h"
#include "ui/combo_box_ex.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_services.h"
#include "ui/edit_ranges.h"
#include "ui/invalid_entry_check.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"
#include "ui/range_message.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

TPopulationForm::TPopulationForm(TCoravel& model, TDisplayResult displayResult, TShowPopulationDisplay showDisplay,
                                 QWidget* parent)
    : QDialog(parent), model_(model), displayResult_(std::move(displayResult)), showDisplay_(std::move(showDisplay))
{
    setWindowTitle(QStringLiteral("Density dependence"));
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* fields = new QGridLayout;
    typeCombo_ = new TComboBoxEx(this);
    typeCombo_->setObjectName(QStringLiteral("DensityDependenceComboBox"));
    for (int i = 0; i < DensityTypeListSize(); ++i)
        typeCombo_->addItem(QString::fromLatin1(DensityTypeListRow(i)->name));
    rmaxEdit_ = new TFnpNumericEdit(this);
    rmaxEdit_->setObjectName(QStringLiteral("MaxGrowthRateEdit"));
    rmaxEdit_->SetDecimals(4);
    SetNumericEditRange(*rmaxEdit_, 0, kLargestRmax);
    kEdit_ = new TFnpNumericEdit(this);
    kEdit_->setObjectName(QStringLiteral("CarryingCapacityEdit"));
    kEdit_->SetDecimals(0);
    SetNumericEditRange(*kEdit_, 0, kLargestK);
    auto* typeLabel = new QLabel(QStringLiteral("&Density dependence type:"), this);
    rmaxLabel_ = new QLabel(QStringLiteral("&Max growth rate (Rmax):"), this);
    kLabel_ = new QLabel(QStringLiteral("&Carrying capacity (K):"), this);
    const std::pair<QLabel*, QWidget*> rows[] = {{typeLabel, typeCombo_}, {rmaxLabel_, rmaxEdit_}, {kLabel_, kEdit_}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        label->setBuddy(field);
        field->setMinimumWidth(120);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->setRowStretch(row, 1);
    layout->addLayout(fields);

    layout->addSpacing(8);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext, Qt::Vertical);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    apply_ = new QPushButton(QStringLiteral("&Apply"), this);
    display_ = new QPushButton(QStringLiteral("Displa&y..."), this);
    // Between Cancel and Help, in the column and in the tab order.
    buttons.Line->insertWidget(2, apply_);
    buttons.Line->insertWidget(3, display_);
    setTabOrder(cancel_, apply_);

    popupMenu_ = new QMenu(this);
    connect(popupMenu_->addAction(QStringLiteral("&Density Dependence in R")), &QAction::triggered, this,
            &TPopulationForm::DensityDependenceItemClick);
    connect(popupMenu_->addAction(QStringLiteral("&Replacement Curve")), &QAction::triggered, this,
            &TPopulationForm::ReplacementCurveItemClick);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu_->popup(mapToGlobal(at)); });

    // Neither value can be negative; one out of range is refused with the
    // edit's range when it is left, and by OK and Apply.
    entryCheck_ = new TInvalidEntryCheck(*this);
    for (TFnpNumericEdit* edit : {rmaxEdit_, kEdit_}) {
        entryCheck_->Watch(*edit, [](TFnpNumericEdit& e) { ShowRangeMessage(e); });
    }
    for (QPushButton* b : {cancel_, help_})
        entryCheck_->Exempt(*b);
    for (QPushButton* b : {ok_, apply_})
        entryCheck_->ChecksItself(*b);

    connect(typeCombo_, &QComboBox::currentIndexChanged, this, &TPopulationForm::UpdateEnabling);
    connect(ok_, &QPushButton::clicked, this, &TPopulationForm::OkButtonClick);
    connect(apply_, &QPushButton::clicked, this, &TPopulationForm::ApplyButtonClick);
    connect(display_, &QPushButton::clicked, this, &TPopulationForm::DisplayButtonClick);
}

bool TPopulationForm::Execute(QWidget* parent, TCoravel& model, TDisplayResult displayResult,
                              TShowPopulationDisplay showDisplay)
{
    TPopulationForm form(model, std::move(displayResult), std::move(showDisplay), parent);
    ShowModal(form);
    return form.Stored();
}

void TPopulationForm::LoadPopulation()
{
    const TDensitySettings settings = LoadDensitySettings(model_, kPopulation);
    typeCombo_->setCurrentIndex(settings.type);
    rmaxEdit_->SetValueExactly(settings.rmax);
    kEdit_->SetValueExactly(settings.k);
    UpdateEnabling();
}

TDensitySettings TPopulationForm::ShownSettings() const
{
    const int type = typeCombo_->currentIndex();
    return {type >= 0 ? static_cast<std::uint8_t>(type) : model_.populations[kPopulation].ddtype,
            rmaxEdit_->ShownValue(), kEdit_->ShownValue()};
}

bool TPopulationForm::IsChanged() const { return DensitySettingsChanged(model_, kPopulation, ShownSettings()); }

void TPopulationForm::StorePopulation() { StoreDensitySettings(model_, kPopulation, ShownSettings()); }

void TPopulationForm::UpdateEnabling()
{
    const TDensityEditEnabling enabling = DensityEditEnabling(typeCombo_->currentIndex());
    rmaxEdit_->setEnabled(enabling.rmax);
    rmaxLabel_->setEnabled(enabling.rmax);
    kEdit_->setEnabled(enabling.k);
    kLabel_->setEnabled(enabling.k);
}

bool TPopulationForm::StoreAndCheck()
{
    if (!entryCheck_->CheckAll())
        return false;
    StorePopulation();
    stored_ = true;
    ValidateInput(model_);
    return true;
}

void TPopulationForm::OkButtonClick()
{
    if (StoreAndCheck())
        accept();
}

void TPopulationForm::ApplyButtonClick() { StoreAndCheck(); }

void TPopulationForm::DisplayButtonClick()
{
    if (IsChanged() &&
        DialogServices().ShowMessageBox(this, TBoxIcon::Information, QStringLiteral("Information"),
                                        QStringLiteral("You made changes, but did not press Apply.  Old data will "
                                                       "be displayed."),
                                        TBoxButtons::OkCancel) != TBoxAnswer::Ok)
        return;
    model_.selectedpop = kPopulation;
    if (showDisplay_)
        showDisplay_(this);
    StatusMessage("");
}

void TPopulationForm::DensityDependenceItemClick() { OpenChart(kDensityDependenceKind); }

void TPopulationForm::ReplacementCurveItemClick() { OpenChart(kReplacementCurveKind); }

void TPopulationForm::OpenChart(int kind)
{
    model_.selectedpop = kPopulation;
    if (displayResult_)
        displayResult_(this, kind);
}

void TPopulationForm::showEvent(QShowEvent* event)
{
    LoadPopulation();
    QDialog::showEvent(event);
}
