#include "multi_ui/population_form.h"

#include "core/messages.h"
#include "multi/population_editing.h"
#include "multi/result_kinds.h"
#include "unstructured_ui/population_fields.h"
#include "unstructured_ui/range_limits.h"
#include "ui/combo_box_ex.h"
#include "ui/dialog_buttons.h"
#include "ui/invalid_entry_check.h"
#include "ui/model_text.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <iterator>
#include <utility>

namespace multi {

TPopulationForm::TPopulationForm(TMultiModel& model, TDisplayResult displayResult, TShowPopulationDisplay showDisplay,
                                 QWidget* parent)
    : QDialog(parent), model_(model), displayResult_(std::move(displayResult)), showDisplay_(std::move(showDisplay))
{
    setWindowTitle(QStringLiteral("Populations"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    // The list and its buttons.
    auto* left = new QVBoxLayout;
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("PopulationsListBox"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFixedWidth(170);
    auto* listLabel = new QLabel(QStringLiteral("&Populations:"), this);
    listLabel->setBuddy(list_);
    left->addWidget(listLabel);
    left->addWidget(list_, 1);
    auto* listButtons = new QGridLayout;
    add_ = new QPushButton(QStringLiteral("&Add"), this);
    delete_ = new QPushButton(QStringLiteral("&Delete"), this);
    moveUp_ = new QPushButton(QStringLiteral("Move &Up"), this);
    moveDown_ = new QPushButton(QStringLiteral("Move Do&wn"), this);
    duplicate_ = new QPushButton(QStringLiteral("Duplica&te"), this);
    listButtons->addWidget(add_, 0, 0);
    listButtons->addWidget(delete_, 0, 1);
    listButtons->addWidget(moveUp_, 1, 0);
    listButtons->addWidget(moveDown_, 1, 1);
    listButtons->addWidget(duplicate_, 2, 0);
    left->addLayout(listButtons);
    columns->addLayout(left);
    columns->addSpacing(8);

    // The values of the population on show.
    auto* right = new QVBoxLayout;
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel"));
    auto* fields = new QGridLayout(panel_);
    fields->setContentsMargins(0, 0, 0, 0);
    unstructured_ui::TFieldRows rows(*fields);
    nameEdit_ = new QLineEdit(panel_);
    nameEdit_->setObjectName(QStringLiteral("NameEdit"));
    nameEdit_->setMaxLength(static_cast<int>(kNameLength));
    nameEdit_->setMinimumWidth(150);
    nameEdit_->installEventFilter(this);
    rows.Add(new QLabel(QStringLiteral("&Name:"), panel_), nameEdit_);
    typeCombo_ = unstructured_ui::NewDensityTypeComboBox(*panel_);
    typeLabel_ = new QLabel(QStringLiteral("De&nsity dependence type:"), panel_);

    entryCheck_ = new TInvalidEntryCheck(*this);
    // The table's rows are the edits, in the order of the edit indexes.
    static_assert(std::size(kParameterFields) == kEditCount);
    for (int k = 0; k < kEditCount; ++k) {
        const TParameterField& field = kParameterFields[k];
        if (k == kCarryingCapacity)
            rows.Add(typeLabel_, typeCombo_);
        TFnpNumericEdit* edit = unstructured_ui::AddParameterEdit(*panel_, *entryCheck_, field.name, field.map.decimals,
                                                 field.minValue, field.maxValue);
        edits_[static_cast<std::size_t>(k)] = edit;
        labels_[static_cast<std::size_t>(k)] = new QLabel(QString::fromLatin1(field.map.label), panel_);
        rows.Add(labels_[static_cast<std::size_t>(k)], edit);
    }
    right->addWidget(panel_);
    auto* displayRow = new QHBoxLayout;
    display_ = new QPushButton(QStringLiteral("Displa&y..."), this);
    displayRow->addStretch();
    displayRow->addWidget(display_);
    right->addSpacing(6);
    right->addLayout(displayRow);
    right->addStretch();
    columns->addLayout(right);

    layout->addSpacing(6);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    // Apply stands between Cancel and Help.
    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    if (auto* buttonRow = qobject_cast<QBoxLayout*>(layout->itemAt(layout->count() - 1)->layout()))
        buttonRow->insertWidget(buttonRow->indexOf(help_), apply_);

    popupMenu_ = new QMenu(this);
    const std::pair<const char*, int> items[] = {{"&Density Dependence in R", kDensityDependenceInR},
                                                 {"&Replacement Curve", kReplacementCurve},
                                                 {"Dis&persal", kDispersal},
                                                 {"&Habitat Change", kHabitatChange}};
    for (const auto& [caption, kind] : items)
        connect(popupMenu_->addAction(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, kind = kind] { ShowPopulationResult(kind); });
    panel_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu_->popup(panel_->mapToGlobal(at)); });

    // Cancel and Help need no valid value and Delete drops the edits; OK,
    // Apply and the list operations that store the edits check them
    // themselves when clicked.
    for (QPushButton* b : {cancel_, help_, delete_})
        entryCheck_->Exempt(*b);
    for (QWidget* w : std::initializer_list<QWidget*>{ok_, apply_, add_, duplicate_, list_})
        entryCheck_->ChecksItself(*w);

    // Page Up and Page Down move the list's selection from anywhere in the
    // dialog.
    for (const auto& [key, step] : {std::pair{Qt::Key_PageUp, -1}, std::pair{Qt::Key_PageDown, 1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int target = list_->currentRow() + step;
            if (target >= 0 && target < list_->count())
                list_->setCurrentRow(target);
        });
    }

    connect(list_, &QListWidget::currentRowChanged, this, &TPopulationForm::PopulationsListBoxClick);
    connect(nameEdit_, &QLineEdit::textChanged, this, &TPopulationForm::NameEditChange);
    connect(nameEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A pasted name loses its commas.
        const QString kept = ModelText(WithoutRefusedNameChars(ModelBytes(text)));
        if (kept.size() == text.size())
            return;
        WarningBeep();
        const int cursor = nameEdit_->cursorPosition() - static_cast<int>(text.size() - kept.size());
        nameEdit_->setText(kept);
        nameEdit_->setCursorPosition(std::max(0, cursor));
    });
    connect(typeCombo_, &QComboBox::currentIndexChanged, this, &TPopulationForm::UpdateEnabling);
    connect(add_, &QPushButton::clicked, this, &TPopulationForm::AddButtonClick);
    connect(delete_, &QPushButton::clicked, this, &TPopulationForm::DeleteButtonClick);
    connect(moveUp_, &QPushButton::clicked, this, &TPopulationForm::MoveUpButtonClick);
    connect(moveDown_, &QPushButton::clicked, this, &TPopulationForm::MoveDownButtonClick);
    connect(duplicate_, &QPushButton::clicked, this, &TPopulationForm::DuplicateButtonClick);
    connect(ok_, &QPushButton::clicked, this, &TPopulationForm::OkButtonClick);
    connect(apply_, &QPushButton::clicked, this, &TPopulationForm::ApplyButtonClick);
    connect(display_, &QPushButton::clicked, this, &TPopulationForm::DisplayButtonClick);

    UpdateButtons();
}

TPopulationForm::~TPopulationForm() = default;

bool TPopulationForm::Execute(QWidget* parent, TMultiModel& model, TDisplayResult displayResult,
                              TShowPopulationDisplay showDisplay)
{
    TPopulationForm form(model, std::move(displayResult), std::move(showDisplay), parent);
    ShowModal(form);
    return form.Stored();
}

void TPopulationForm::LoadFromModel()
{
    const QSignalBlocker blocker(list_);
    list_->clear();
    populations_.clear();
    for (int i = 1; i <= model_.PopCount; ++i) {
        populations_.push_back(model_.Populations[i]);
        list_->addItem(ModelText(populations_.back().Name));
    }
}

void TPopulationForm::LoadPopulation(int index)
{
    if (index < 0 || index >= static_cast<int>(populations_.size()))
        return;
    const PopulationRecord& record = populations_[static_cast<std::size_t>(index)];
    {
        const QSignalBlocker blocker(nameEdit_);
        nameEdit_->setText(ModelText(record.Name));
    }
    for (int k = 0; k < kEditCount; ++k) {
        TFnpNumericEdit& edit = *edits_[static_cast<std::size_t>(k)];
        edit.SetValueExactly(ParameterTextValue(record.*kParameterFields[k].text));
    }
    typeCombo_->setCurrentIndex(DensityDependenceIndex(record.DDType));
    UpdateEnabling();
}

void TPopulationForm::StorePopulation(int index)
{
    if (index < 0 || index >= static_cast<int>(populations_.size()))
        return;
    PopulationRecord& record = populations_[static_cast<std::size_t>(index)];
    record.Name = ModelBytes(nameEdit_->text()).substr(0, kNameLength);
    for (int k = 0; k < kEditCount; ++k) {
        std::string& text = record.*kParameterFields[k].text;
        text = EditedParameterText(text, edits_[static_cast<std::size_t>(k)]->ShownValue(),
                                   kParameterFields[k].emptyIsZero);
    }
    record.DDType = StoredDensityDependence(record.DDType, typeCombo_->currentIndex());
}

void TPopulationForm::UpdateEnabling()
{
    const TPopulationEditEnabling enabling = PopulationEditEnabling(model_.Replications, typeCombo_->currentIndex());
    for (int k : {kStdDevOfR, kSurvival}) {
        edits_[static_cast<std::size_t>(k)]->setEnabled(enabling.stochastic);
        labels_[static_cast<std::size_t>(k)]->setEnabled(enabling.stochastic);
    }
    for (int k : {kCarryingCapacity, kTrendInK}) {
        edits_[static_cast<std::size_t>(k)]->setEnabled(enabling.capacity);
        labels_[static_cast<std::size_t>(k)]->setEnabled(enabling.capacity);
    }
}

void TPopulationForm::UpdateButtons()
{
    const TPopulationListButtons b = PopulationListButtons(list_->count(), list_->currentRow(), model_.MaxPops);
    add_->setEnabled(b.add);
    delete_->setEnabled(b.remove);
    duplicate_->setEnabled(b.duplicate);
    moveUp_->setEnabled(b.moveUp);
    moveDown_->setEnabled(b.moveDown);
}

void TPopulationForm::ValidatePopulations() { multi::ValidatePopulations(model_, populations_); }

void TPopulationForm::PopulationsListBoxClick()
{
    const int selected = SelectedIndex();
    if (selected >= 0 && selected != lastIndex_) {
        if (lastIndex_ >= 0) {
            if (!EditsValid()) {
                // Back to the entry whose value is refused.
                Select(lastIndex_);
                UpdateButtons();
                return;
            }
            StorePopulation(lastIndex_);
        }
        LoadPopulation(selected);
        lastIndex_ = selected;
    }
    UpdateButtons();
}

void TPopulationForm::AddButtonClick()
{
    const int count = static_cast<int>(populations_.size());
    if (count >= model_.MaxPops || (lastIndex_ >= 0 && !EditsValid()))
        return;
    populations_.push_back(NewPopulationRecord(count));
    {
        const QSignalBlocker blocker(list_);
        list_->addItem(ModelText(populations_.back().Name));
    }
    Select(count);
    PopulationsListBoxClick();
}

void TPopulationForm::DeleteButtonClick()
{
    const int row = SelectedIndex();
    if (row < 0 || populations_.size() <= 1)
        return;
    // The entry goes with the edits on show.
    populations_.erase(populations_.begin() + row);
    {
        const QSignalBlocker blocker(list_);
        delete list_->takeItem(row);
    }
    Select(std::min(row, list_->count() - 1));
    lastIndex_ = -1;
    PopulationsListBoxClick();
}

void TPopulationForm::DuplicateButtonClick()
{
    const int row = SelectedIndex();
    if (row < 0 || static_cast<int>(populations_.size()) >= model_.MaxPops || !EditsValid())
        return;
    StorePopulation(row);
    PopulationRecord copy = populations_[static_cast<std::size_t>(row)];
    copy.Name = DuplicateName(copy.Name);
    populations_.push_back(copy);
    {
        const QSignalBlocker blocker(list_);
        list_->addItem(ModelText(copy.Name));
    }
    UpdateButtons();
}

void TPopulationForm::MoveUpButtonClick()
{
    const int row = SelectedIndex();
    if (row <= 0)
        return;
    std::swap(populations_[static_cast<std::size_t>(row)], populations_[static_cast<std::size_t>(row - 1)]);
    {
        const QSignalBlocker blocker(list_);
        list_->insertItem(row - 1, list_->takeItem(row));
    }
    Select(row - 1);
    lastIndex_ = row - 1;
    UpdateButtons();
}

void TPopulationForm::MoveDownButtonClick()
{
    const int row = SelectedIndex();
    if (row < 0 || row >= list_->count() - 1)
        return;
    std::swap(populations_[static_cast<std::size_t>(row)], populations_[static_cast<std::size_t>(row + 1)]);
    {
        const QSignalBlocker blocker(list_);
        list_->insertItem(row + 1, list_->takeItem(row));
    }
    Select(row + 1);
    lastIndex_ = row + 1;
    UpdateButtons();
}

void TPopulationForm::StoreAndValidate()
{
    const TWaitCursor wait;
    if (SelectedIndex() >= 0)
        StorePopulation(SelectedIndex());
    ValidatePopulations();
    stored_ = true;
}

void TPopulationForm::OkButtonClick()
{
    if (!EditsValid())
        return;
    StoreAndValidate();
    accept();
}

void TPopulationForm::ApplyButtonClick()
{
    if (EditsValid())
        StoreAndValidate();
}

void TPopulationForm::DisplayButtonClick()
{
    const int row = SelectedIndex();
    if (row < 0)
        return;
    model_.SelectedPopulation = static_cast<std::uint8_t>(row + 1);
    if (showDisplay_)
        showDisplay_(this);
    StatusMessage("");
}

void TPopulationForm::ShowPopulationResult(int kind)
{
    const int row = SelectedIndex();
    if (row < 0)
        return;
    model_.SelectedPopulation = static_cast<std::uint8_t>(row + 1);
    if (displayResult_)
        displayResult_(this, kind);
}

void TPopulationForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        LoadFromModel();
        lastIndex_ = -1;
        if (SelectedIndex() < 0 && list_->count() > 0)
            Select(0);
        PopulationsListBoxClick();
    }
    QDialog::showEvent(event);
}

bool TPopulationForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == nameEdit_ && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].unicode() < 0x80 && IsRefusedNameChar(static_cast<char>(text[0].unicode()))) {
            WarningBeep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TPopulationForm::EditsValid() { return entryCheck_->CheckAll(); }

void TPopulationForm::Select(int row)
{
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(row);
}

int TPopulationForm::SelectedIndex() const
{
    const int row = list_->currentRow();
    return row >= 0 && row < static_cast<int>(populations_.size()) ? row : -1;
}

void TPopulationForm::NameEditChange()
{
    // The edit's text, not the signal's: a paste whose commas were taken out
    // reports its first text after the corrected one.
    if (QListWidgetItem* item = list_->currentItem())
        item->setText(nameEdit_->text());
}

}  // namespace multi
