#include "stage_ui/population_management_form.h"

#include "core/messages.h"
#include "core/numeric_edit_rules.h"
#include "ui/combo_box_ex.h"
#include "ui/edit_ranges.h"
#include "ui/dialog_buttons.h"
#include "ui/hints.h"
#include "ui/invalid_entry_check.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"
#include "ui/range_message.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

namespace {

const char* const kNoActionHint = "Please select a management action first";

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TPopulationManagementForm::TPopulationManagementForm(TCoravel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    setWindowTitle(QStringLiteral("Management & Migration"));
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The list and its buttons.
    auto* left = new QVBoxLayout;
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFixedSize(220, 230);
    auto* listLabel = new QLabel(QStringLiteral("&Management Actions"), this);
    listLabel->setBuddy(list_);
    left->addWidget(listLabel);
    left->addWidget(list_);
    auto* listButtons = new QGridLayout;
    add_ = new QPushButton(QStringLiteral("&Add"), this);
    delete_ = new QPushButton(QStringLiteral("&Delete"), this);
    duplicate_ = new QPushButton(QStringLiteral("Dup&licate"), this);
    moveUp_ = new QPushButton(QStringLiteral("Move &Up"), this);
    moveDown_ = new QPushButton(QStringLiteral("Move Do&wn"), this);
    listButtons->addWidget(add_, 0, 0);
    listButtons->addWidget(delete_, 0, 1);
    listButtons->addWidget(duplicate_, 0, 2);
    listButtons->addWidget(moveUp_, 1, 0);
    listButtons->addWidget(moveDown_, 1, 1);
    left->addLayout(listButtons);
    layout->addLayout(left);

    // The selected action's values.
    auto* right = new QVBoxLayout;
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel"));
    auto* details = new QVBoxLayout(panel_);
    details->setContentsMargins(0, 0, 0, 0);
    ignore_ = new QCheckBox(QStringLiteral("&Ignore this action"), panel_);
    details->addWidget(ignore_);

    typeGroup_ = new QGroupBox(QStringLiteral("Type"), panel_);
    auto* type = new QVBoxLayout(typeGroup_);
    harvest_ = new QRadioButton(QStringLiteral("Harvest/&Emigration"), typeGroup_);
    introduce_ = new QRadioButton(QStringLiteral("Int&roduction/Immigration"), typeGroup_);
    type->addWidget(harvest_);
    type->addWidget(introduce_);
    details->addWidget(typeGroup_);

    quantityGroup_ = new QGroupBox(QStringLiteral("Quantity"), panel_);
    auto* quantity = new QGridLayout(quantityGroup_);
    number_ = new QRadioButton(QStringLiteral("&Number of individuals:"), quantityGroup_);
    numberSpin_ = new TSpinEditEx(quantityGroup_);
    numberSpin_->setObjectName(QStringLiteral("NumberSpinEdit"));
    proportion_ = new QRadioButton(QStringLiteral("&Proportion of individuals:"), quantityGroup_);
    proportionEdit_ = new TFnpNumericEdit(quantityGroup_);
    proportionEdit_->setObjectName(QStringLiteral("ProportionEdit"));
    proportionEdit_->SetDecimals(4);
    quantity->addWidget(number_, 0, 0, 1, 2);
    quantity->addWidget(numberSpin_, 0, 2, 1, 2);
    quantity->addWidget(proportion_, 1, 0, 1, 2);
    quantity->addWidget(proportionEdit_, 1, 2, 1, 2);
    startStage_ = new TComboBoxEx(quantityGroup_);
    startStage_->setObjectName(QStringLiteral("StartStageComboBox"));
    stopStage_ = new TComboBoxEx(quantityGroup_);
    stopStage_->setObjectName(QStringLiteral("StopStageComboBox"));
    startLabel_ = new QLabel(QStringLiteral("In &stages"), quantityGroup_);
    throughLabel_ = new QLabel(QStringLiteral("&Through"), quantityGroup_);
    startLabel_->setBuddy(startStage_);
    throughLabel_->setBuddy(stopStage_);
    quantity->addWidget(startLabel_, 2, 0);
    quantity->addWidget(startStage_, 2, 1);
    quantity->addWidget(throughLabel_, 2, 2, Qt::AlignRight);
    quantity->addWidget(stopStage_, 2, 3);
    for (TComboBoxEx* combo : {startStage_, stopStage_})
        combo->setMinimumWidth(100);
    details->addWidget(quantityGroup_);
    details->addStretch();
    right->addWidget(panel_, 1);

    const TDialogButtons buttons = AddDialogButtons(*this, *right, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    layout->addLayout(right);

    SetSpinEditRange(*numberSpin_, 0, kLargestNumber);
    numberSpin_->SetCheckOnExit(true);
    SetNumericEditRange(*proportionEdit_, 0, kLargestProportion);
    entryCheck_ = new TInvalidEntryCheck(*this);
    entryCheck_->Watch(*proportionEdit_, [](TFnpNumericEdit&) {
        WarningMessage("The proportion must be a number between 0 and 1, inclusive.");
    });
    // OK and Add check the proportion themselves; Delete drops it.
    for (QPushButton* b : {ok_, cancel_, help_, add_, delete_})
        entryCheck_->Exempt(*b);

    connect(numberSpin_, &TSpinEditEx::OnInvalidEntry, this, [this] {
        // Told once the focus has moved; a button that checks the number
        // itself, or needs none, is no leaving.
        spinPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!std::exchange(spinPending_, false) || !isVisible())
                return;
            QWidget* now = QApplication::focusWidget();
            for (QPushButton* b : {ok_, cancel_, help_, add_, delete_})
                if (now == b)
                    return;
            NumberValid();
        });
    });
    connect(list_, &QListWidget::currentRowChanged, this, &TPopulationManagementForm::SelectItem);
    connect(add_, &QPushButton::clicked, this, &TPopulationManagementForm::AddButtonClick);
    connect(delete_, &QPushButton::clicked, this, &TPopulationManagementForm::DeleteButtonClick);
    connect(duplicate_, &QPushButton::clicked, this, &TPopulationManagementForm::DuplicateButtonClick);
    connect(moveUp_, &QPushButton::clicked, this, &TPopulationManagementForm::MoveUpButtonClick);
    connect(moveDown_, &QPushButton::clicked, this, &TPopulationManagementForm::MoveDownButtonClick);
    connect(ok_, &QPushButton::clicked, this, &TPopulationManagementForm::OkButtonClick);
    connect(harvest_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            TypeClick(0);
    });
    connect(introduce_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            TypeClick(1);
    });
    connect(number_, &QRadioButton::toggled, this, [this] { EnableControls(); });
    connect(ignore_, &QCheckBox::toggled, this, &TPopulationManagementForm::IgnoreClick);
}

TPopulationManagementForm::~TPopulationManagementForm() = default;

bool TPopulationManagementForm::Execute(QWidget* parent, TCoravel& model)
{
    TPopulationManagementForm form(model, parent);
    return ShowModal(form) == TModalResult::Ok;
}

void TPopulationManagementForm::LoadActions()
{
    const QSignalBlocker blocker(list_);
    list_->clear();
    actions_.clear();
    current_ = nullptr;
    for (const TManagementAction& action : LoadManagementActions(model_)) {
        actions_.push_back(std::make_unique<TManagementAction>(action));
        list_->addItem(Latin1(ActionListText(action)));
    }
    for (TComboBoxEx* combo : {startStage_, stopStage_}) {
        combo->clear();
        for (int s = 1; s <= model_.stages; ++s)
            combo->addItem(Latin1(model_.stageprops[s].name));
        // No stage shows until an action names one.
        combo->setCurrentIndex(-1);
    }
    if (list_->currentRow() < 0 && list_->count() > 0)
        list_->setCurrentRow(0);
    SelectItem();
    list_->setFocus();
}

void TPopulationManagementForm::SelectItem()
{
    TManagementAction* selected = Selected();
    if (selected && selected != current_) {
        if (current_) {
            if (!ControlsValid()) {
                // Back to the action whose proportion is refused.
                const QSignalBlocker blocker(list_);
                list_->setCurrentRow(RowOf(current_));
                return;
            }
            StoreControls(*current_);
        }
        current_ = selected;
    }
    if (selected)
        LoadControls(*selected);
    EnableControls();
}

void TPopulationManagementForm::AddButtonClick()
{
    if (static_cast<int>(actions_.size()) >= kMaxActions)
        return;
    if (current_) {
        if (!ControlsValid())
            return;
        StoreControls(*current_);
    }
    actions_.push_back(std::make_unique<TManagementAction>());
    const int row = static_cast<int>(actions_.size()) - 1;
    {
        const QSignalBlocker blocker(list_);
        list_->addItem(Latin1(ActionListText(*actions_.back())));
        list_->setCurrentRow(row);
    }
    MakeCurrent(row);
}

void TPopulationManagementForm::DeleteButtonClick()
{
    const int row = list_->currentRow();
    if (row < 0)
        return;
    // The deleted action takes its shown values with it; the action then
    // selected becomes current, so that edits to it are kept.
    current_ = nullptr;
    {
        const QSignalBlocker blocker(list_);
        delete list_->takeItem(row);
        actions_.erase(actions_.begin() + row);
        list_->setCurrentRow(std::min(row, list_->count() - 1));
    }
    MakeCurrent(list_->currentRow());
}

void TPopulationManagementForm::DuplicateButtonClick()
{
    const TManagementAction* selected = Selected();
    if (!selected || static_cast<int>(actions_.size()) >= kMaxActions)
        return;
    actions_.push_back(std::make_unique<TManagementAction>(*selected));
    {
        const QSignalBlocker blocker(list_);
        list_->addItem(Latin1(ActionListText(*actions_.back())));
    }
    EnableControls();
}

void TPopulationManagementForm::MoveUpButtonClick()
{
    const int row = list_->currentRow();
    if (row <= 0)
        return;
    std::swap(actions_[static_cast<std::size_t>(row)], actions_[static_cast<std::size_t>(row - 1)]);
    const QSignalBlocker blocker(list_);
    list_->insertItem(row - 1, list_->takeItem(row));
    list_->setCurrentRow(row - 1);
    EnableControls();
}

void TPopulationManagementForm::MoveDownButtonClick()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= list_->count() - 1)
        return;
    std::swap(actions_[static_cast<std::size_t>(row)], actions_[static_cast<std::size_t>(row + 1)]);
    const QSignalBlocker blocker(list_);
    list_->insertItem(row + 1, list_->takeItem(row));
    list_->setCurrentRow(row + 1);
    EnableControls();
}

void TPopulationManagementForm::OkButtonClick()
{
    if (TManagementAction* selected = Selected()) {
        if (!ControlsValid())
            return;
        StoreControls(*selected);
    }
    StoreManagementActions(model_, Actions());
    accept();
}

std::vector<TManagementAction> TPopulationManagementForm::Actions() const
{
    std::vector<TManagementAction> actions;
    for (const auto& action : actions_)
        actions.push_back(*action);
    return actions;
}

void TPopulationManagementForm::showEvent(QShowEvent* event)
{
    LoadActions();
    QDialog::showEvent(event);
}

TActionControls TPopulationManagementForm::ShownControls() const
{
    TActionControls controls;
    controls.ignore = ignore_->isChecked();
    controls.introduce = !harvest_->isChecked();
    controls.proportion = !number_->isChecked();
    controls.number = numberSpin_->value();
    controls.proportionValue = proportionEdit_->ShownValue();
    controls.startStage = startStage_->currentIndex();
    controls.throughStage = stopStage_->currentIndex();
    return controls;
}

void TPopulationManagementForm::LoadControls(const TManagementAction& action)
{
    const TActionControls controls = ActionControls(action);
    loading_ = true;
    ignore_->setChecked(controls.ignore);
    (controls.introduce ? introduce_ : harvest_)->setChecked(true);
    (controls.proportion ? proportion_ : number_)->setChecked(true);
    numberSpin_->setValue(controls.number);
    proportionEdit_->SetValue(controls.proportionValue);
    // A stage outside the list (none chosen) leaves the box empty.
    startStage_->setCurrentIndex(controls.startStage < startStage_->count() ? controls.startStage : -1);
    stopStage_->setCurrentIndex(controls.throughStage < stopStage_->count() ? controls.throughStage : -1);
    loading_ = false;
}

void TPopulationManagementForm::StoreControls(TManagementAction& action)
{
    StoreActionControls(ShownControls(), model_.duration, action);
    RefreshText(RowOf(&action));
}

bool TPopulationManagementForm::ControlsValid() { return NumberValid() && entryCheck_->CheckAll(); }

bool TPopulationManagementForm::NumberValid()
{
    spinPending_ = false;
    if (!numberSpin_->isEnabled() || numberSpin_->TextInRange())
        return true;
    const std::string refusal = numberSpin_->RefusalMessage();
    ErrorMessage(!refusal.empty() ? refusal
                                  : RangeMessageText(std::to_string(numberSpin_->minimum()),
                                                     std::to_string(numberSpin_->maximum())));
    numberSpin_->setFocus();
    return false;
}

void TPopulationManagementForm::MakeCurrent(int row)
{
    current_ = row >= 0 ? actions_[static_cast<std::size_t>(row)].get() : nullptr;
    if (current_)
        LoadControls(*current_);
    else
        for (TComboBoxEx* combo : {startStage_, stopStage_})
            combo->setCurrentIndex(-1);
    EnableControls();
}

void TPopulationManagementForm::RefreshText(int row)
{
    if (row >= 0)
        list_->item(row)->setText(Latin1(ActionListText(*actions_[static_cast<std::size_t>(row)])));
}

int TPopulationManagementForm::RowOf(const TManagementAction* action) const
{
    for (std::size_t i = 0; i < actions_.size(); ++i)
        if (actions_[i].get() == action)
            return static_cast<int>(i);
    return -1;
}

TManagementAction* TPopulationManagementForm::Selected() const
{
    const int row = list_->currentRow();
    return row >= 0 && row < static_cast<int>(actions_.size()) ? actions_[static_cast<std::size_t>(row)].get()
                                                                 : nullptr;
}

void TPopulationManagementForm::EnableControls()
{
    const int row = list_->currentRow();
    const TActionListButtons buttons = ActionListButtons(list_->count(), row);
    add_->setEnabled(buttons.add);
    delete_->setEnabled(buttons.remove);
    duplicate_->setEnabled(buttons.duplicate);
    moveUp_->setEnabled(buttons.moveUp);
    moveDown_->setEnabled(buttons.moveDown);

    const TActionDetailEnabling enabling = ActionDetailEnabling(row >= 0, ShownControls());
    ignore_->setEnabled(enabling.ignoreBox);
    for (QWidget* w : {static_cast<QWidget*>(typeGroup_), static_cast<QWidget*>(quantityGroup_)})
        w->setEnabled(enabling.details);
    numberSpin_->setEnabled(enabling.numberEdit);
    proportion_->setEnabled(enabling.proportionChoice);
    proportionEdit_->setEnabled(enabling.proportionEdit);
    SetHint(*panel_, row >= 0 ? QString() : QString::fromLatin1(kNoActionHint));
}

void TPopulationManagementForm::TypeClick(std::uint8_t kind)
{
    if (loading_)
        return;
    if (TManagementAction* selected = Selected()) {
        selected->kind = kind;
        RefreshText(list_->currentRow());
    }
    EnableControls();
}

void TPopulationManagementForm::IgnoreClick()
{
    if (loading_)
        return;
    if (TManagementAction* selected = Selected()) {
        selected->active = !ignore_->isChecked();
        RefreshText(list_->currentRow());
    }
    // Un-ignoring enables by the whole rule, so an introduction still
    // cannot take a proportion.
    EnableControls();
}
