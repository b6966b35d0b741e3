#include "multi_ui/dispersal_form.h"

#include "multi/result_kinds.h"
#include "unstructured_ui/range_limits.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/invalid_entry_check.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace multi {

TDispersalForm::TDispersalForm(TMultiModel& model, TDisplayResult displayResult, QWidget* parent)
    : QDialog(parent), model_(model), displayResult_(std::move(displayResult))
{
    setWindowTitle(QStringLiteral("Dispersal and Correlation"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    entryCheck_ = new TInvalidEntryCheck(*this);
    auto makeEdit = [this](int index, const char* name, double maxValue) {
        auto* edit = new TFnpNumericEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        // Two decimals: a distance in at most 8 characters, a rate or a
        // correlation in at most 4.
        edit->SetDecimals(2);
        SetNumericEditRange(*edit, 0, maxValue);
        edit->setFixedWidth(90);
        entryCheck_->Watch(*edit, [](TFnpNumericEdit& e) { unstructured_ui::ShowRangeLimits(e); });
        edits_[static_cast<std::size_t>(index)] = edit;
        return edit;
    };
    auto addRow = [](QGridLayout& grid, int row, const QString& caption, QWidget& field) {
        auto* label = new QLabel(caption, field.parentWidget());
        label->setBuddy(&field);
        grid.addWidget(label, row, 0);
        grid.addWidget(&field, row, 1);
    };

    auto* dispersal = new QGroupBox(QStringLiteral("Dispersal"), this);
    auto* dispersalGrid = new QGridLayout(dispersal);
    addRow(*dispersalGrid, 0, QStringLiteral("&Average dispersal distance"),
           *makeEdit(kAverage, "AverageDispersalDistanceEdit", kLargestEditedDistance));
    addRow(*dispersalGrid, 1, QStringLiteral("&Maximum dispersal distance"),
           *makeEdit(kMaximum, "MaximumDispersalDistanceEdit", kLargestEditedDistance));
    addRow(*dispersalGrid, 2, QStringLiteral("Maximum dispersal &rate"),
           *makeEdit(kRate, "MaximumDispersalRateEdit", kLargestRate));
    viewDispersal_ = new QPushButton(QStringLiteral("&View Function"), dispersal);
    dispersalGrid->addWidget(viewDispersal_, 3, 1);
    layout->addWidget(dispersal);

    auto* correlation = new QGroupBox(QStringLiteral("Correlation"), this);
    auto* correlationGrid = new QGridLayout(correlation);
    addRow(*correlationGrid, 0, QStringLiteral("&Correlation at d=100"),
           *makeEdit(kCorrelation, "CorrelationEdit", kLargestRate));
    viewCorrelation_ = new QPushButton(QStringLiteral("View &Function"), correlation);
    correlationGrid->addWidget(viewCorrelation_, 1, 1);
    layout->addWidget(correlation);
    // The two groups' fields line up.
    for (QGridLayout* grid : {dispersalGrid, correlationGrid})
        grid->setColumnMinimumWidth(0, 200);

    layout->addSpacing(6);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    // Cancel and Help need no valid value; OK and the views check every edit
    // themselves when clicked.
    for (QPushButton* b : {cancel_, help_})
        entryCheck_->Exempt(*b);
    for (QPushButton* b : {ok_, viewDispersal_, viewCorrelation_})
        entryCheck_->ChecksItself(*b);

    connect(ok_, &QPushButton::clicked, this, &TDispersalForm::OkButtonClick);
    connect(viewDispersal_, &QPushButton::clicked, this, &TDispersalForm::ViewDispersalFunctionButtonClick);
    connect(viewCorrelation_, &QPushButton::clicked, this, &TDispersalForm::ViewCorrelationFunctionButtonClick);
}

TDispersalForm::~TDispersalForm() = default;

bool TDispersalForm::Execute(QWidget* parent, TMultiModel& model, TDisplayResult displayResult)
{
    TDispersalForm form(model, std::move(displayResult), parent);
    return ShowModal(form) == TModalResult::Ok;
}

void TDispersalForm::SaveSnapshot()
{
    SaveDistanceSnapshot(model_, snapshot_);
    snapshotTaken_ = true;
}

void TDispersalForm::RestoreSnapshot()
{
    if (snapshotTaken_)
        RestoreDistanceSnapshot(model_, snapshot_);
}

void TDispersalForm::LoadParameters()
{
    const TDistanceValues loaded = DistanceValues(model_.DistanceFunctions);
    const double values[kEditCount] = {loaded.AvgDispersalDistance, loaded.MaxDispersalDistance,
                                       loaded.MaxDispersalRate, loaded.CorrelationAt100};
    for (std::size_t k = 0; k < kEditCount; ++k)
        edits_[k]->SetValueExactly(values[k]);
}

TDistanceValues TDispersalForm::EditedValues() const
{
    auto value = [this](int k) { return edits_[static_cast<std::size_t>(k)]->ShownValue(); };
    return {value(kAverage), value(kMaximum), value(kRate), value(kCorrelation)};
}

void TDispersalForm::MarkChanges() { MarkDistanceChanges(model_, snapshot_.Parameters, EditedValues()); }

void TDispersalForm::StoreParameters()
{
    const TWaitCursor wait;
    StoreDistanceParameters(model_, snapshot_.Parameters, EditedValues());
}

void TDispersalForm::OkButtonClick()
{
    if (!entryCheck_->CheckAll())
        return;
    MarkChanges();
    StoreParameters();
    accept();
}

void TDispersalForm::CancelButtonClick() { reject(); }

void TDispersalForm::reject()
{
    RestoreSnapshot();
    QDialog::reject();
}

void TDispersalForm::ViewDispersalFunctionButtonClick() { ViewFunction(kMigrationDistance); }

void TDispersalForm::ViewCorrelationFunctionButtonClick() { ViewFunction(kCorrelationDistance); }

void TDispersalForm::ViewFunction(int kind)
{
    if (!entryCheck_->CheckAll())
        return;
    StoreParameters();
    if (displayResult_)
        displayResult_(this, kind);
}

void TDispersalForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        SaveSnapshot();
        LoadParameters();
    }
    QDialog::showEvent(event);
}

}  // namespace multi
