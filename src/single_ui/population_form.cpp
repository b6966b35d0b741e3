#include "single_ui/population_form.h"

#include "core/messages.h"
#include "multi/population_editing.h"
#include "unstructured_ui/population_fields.h"
#include "unstructured_ui/range_limits.h"
#include "single/population_parameters.h"
#include "single/result_kinds.h"
#include "ui/combo_box_ex.h"
#include "ui/dialog_buttons.h"
#include "ui/invalid_entry_check.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>
#include <utility>

namespace single_ui {

namespace {

using multi::PopulationRecord;

// The parameter table's row of edit `index`: the rows this editor shows, in
// the table's order, are its edits.
const multi::TParameterField& FieldOfEdit(int index)
{
    for (const multi::TParameterField& field : multi::kParameterFields)
        if (field.single.label && index-- == 0)
            return field;
    throw std::out_of_range("no parameter field for this edit");
}

}  // namespace

TPopulationForm::TPopulationForm(multi::TMultiModel& model, TDisplayResult displayResult,
                                 TShowPopulationDisplay showDisplay, QWidget* parent)
    : QDialog(parent), model_(model), displayResult_(std::move(displayResult)), showDisplay_(std::move(showDisplay))
{
    setWindowTitle(QStringLiteral("Population"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel"));
    auto* fields = new QGridLayout(panel_);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->setColumnMinimumWidth(1, 120);
    unstructured_ui::TFieldRows rows(*fields);
    typeCombo_ = unstructured_ui::NewDensityTypeComboBox(*panel_);

    entryCheck_ = new TInvalidEntryCheck(*this);
    for (int k = 0; k < kEditCount; ++k) {
        const multi::TParameterField& field = FieldOfEdit(k);
        if (k == kCarryingCapacity)
            rows.Add(new QLabel(QStringLiteral("De&nsity dependence type:"), panel_), typeCombo_);
        TFnpNumericEdit* edit = unstructured_ui::AddParameterEdit(*panel_, *entryCheck_, field.name, field.single.decimals,
                                                        field.minValue, field.maxValue);
        edits_[static_cast<std::size_t>(k)] = edit;
        labels_[static_cast<std::size_t>(k)] = new QLabel(QString::fromLatin1(field.single.label), panel_);
        rows.Add(labels_[static_cast<std::size_t>(k)], edit);
    }
    layout->addWidget(panel_);

    auto* displayRow = new QHBoxLayout;
    display_ = new QPushButton(QStringLiteral("Displa&y..."), this);
    display_->setObjectName(QStringLiteral("DisplayButton"));
    displayRow->addStretch();
    displayRow->addWidget(display_);
    layout->addLayout(displayRow);

    layout->addSpacing(6);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    // Apply stands between Cancel and Help.
    apply_ = new QPushButton(QStringLiteral("&Apply"), this);
    apply_->setObjectName(QStringLiteral("ApplyButton"));
    buttons.Line->insertWidget(buttons.Line->indexOf(help_), apply_);

    popupMenu_ = new QMenu(this);
    connect(popupMenu_->addAction(QStringLiteral("&Density Dependence in R")), &QAction::triggered, this,
            &TPopulationForm::DensityDependenceItemClick);
    connect(popupMenu_->addAction(QStringLiteral("&Replacement Curve")), &QAction::triggered, this,
            &TPopulationForm::ReplacementCurveItemClick);
    panel_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu_->popup(panel_->mapToGlobal(at)); });

    // Cancel and Help need no valid value; OK and Apply check every edit
    // themselves when clicked.
    for (QPushButton* b : {cancel_, help_})
        entryCheck_->Exempt(*b);
    for (QPushButton* b : {ok_, apply_})
        entryCheck_->ChecksItself(*b);

    connect(typeCombo_, &QComboBox::currentIndexChanged, this, &TPopulationForm::UpdateControls);
    connect(ok_, &QPushButton::clicked, this, &TPopulationForm::OkButtonClick);
    connect(apply_, &QPushButton::clicked, this, &TPopulationForm::ApplyButtonClick);
    connect(display_, &QPushButton::clicked, this, &TPopulationForm::DisplayButtonClick);
}

TPopulationForm::~TPopulationForm() = default;

bool TPopulationForm::Execute(QWidget* parent, multi::TMultiModel& model, TDisplayResult displayResult,
                              TShowPopulationDisplay showDisplay)
{
    TPopulationForm form(model, std::move(displayResult), std::move(showDisplay), parent);
    ShowModal(form);
    return form.Stored();
}

void TPopulationForm::LoadPopulation(const PopulationRecord& record)
{
    for (int k = 0; k < kEditCount; ++k) {
        TFnpNumericEdit& edit = *edits_[static_cast<std::size_t>(k)];
        edit.SetValueExactly(multi::ParameterTextValue(record.*FieldOfEdit(k).text));
    }
    typeCombo_->setCurrentIndex(multi::DensityDependenceIndex(record.DDType));
    UpdateControls();
}

void TPopulationForm::StorePopulation(PopulationRecord& record) const
{
    for (int k = 0; k < kEditCount; ++k) {
        std::string& text = record.*FieldOfEdit(k).text;
        text = multi::EditedParameterText(text, edits_[static_cast<std::size_t>(k)]->ShownValue(),
                                          FieldOfEdit(k).emptyIsZero);
    }
    record.DDType = multi::StoredDensityDependence(record.DDType, typeCombo_->currentIndex());
}

void TPopulationForm::ApplyChanges()
{
    const TWaitCursor wait;
    PopulationRecord record = model_.Populations[1];
    StorePopulation(record);
    single::StorePopulationParameters(model_, record);
    stored_ = true;
}

void TPopulationForm::UpdateControls()
{
    const multi::TPopulationEditEnabling enabling =
        multi::PopulationEditEnabling(model_.Replications, typeCombo_->currentIndex());
    for (int k : {kStdDevOfR, kSurvival}) {
        edits_[static_cast<std::size_t>(k)]->setEnabled(enabling.stochastic);
        labels_[static_cast<std::size_t>(k)]->setEnabled(enabling.stochastic);
    }
    edits_[kCarryingCapacity]->setEnabled(enabling.capacity);
    labels_[kCarryingCapacity]->setEnabled(enabling.capacity);
}

void TPopulationForm::OkButtonClick()
{
    if (!entryCheck_->CheckAll())
        return;
    ApplyChanges();
    accept();
}

void TPopulationForm::ApplyButtonClick()
{
    if (entryCheck_->CheckAll())
        ApplyChanges();
}

void TPopulationForm::DisplayButtonClick()
{
    model_.SelectedPopulation = 1;
    if (showDisplay_)
        showDisplay_(this);
    StatusMessage("");
}

void TPopulationForm::ShowPopulationResult(int kind)
{
    model_.SelectedPopulation = 1;
    if (displayResult_)
        displayResult_(this, kind);
}

void TPopulationForm::DensityDependenceItemClick() { ShowPopulationResult(single::kDensityDependenceInR); }

void TPopulationForm::ReplacementCurveItemClick() { ShowPopulationResult(single::kReplacementCurve); }

void TPopulationForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        LoadPopulation(model_.Populations[1]);
        InitialAbundanceEdit().setFocus();
    }
    QDialog::showEvent(event);
}

}  // namespace single_ui
