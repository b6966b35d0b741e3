#include "stage_ui/stage_form.h"

#include "core/messages.h"
#include "core/typed_number.h"
#include "stage/model_store.h"
#include "stage/stage_entry.h"
#include "stage/stage_reindex.h"
#include "stage_ui/grid_util.h"
#include "ui/dialog_buttons.h"
#include "ui/min_max.h"
#include "ui/modal_dialogs.h"
#include "ui/model_text.h"
#include "ui/new_inplace_edit.h"
#include "ui/string_align_grid.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr int kRowHeight = 18;
// Typed weights are kept as typed, in the record's 10 characters.
constexpr std::size_t kWeightLength = kStageValueTextLength;

std::string NotANumber(const QString& text) { return "\"" + ModelBytes(text) + "\" is not a valid number."; }

// A weight is kept as typed in the record's 10 characters: a longer text
// would be cut there into another number.
std::string TooLong() { return "Average Weight takes at most " + std::to_string(kWeightLength) + " characters."; }

bool IsWeight(const QString& text)
{
    TStage stage;
    return (text.trimmed().isEmpty() || ReadNumberText(ModelBytes(text))) && stage.SetValue2(ModelBytes(text));
}

// Why a weight is refused, or nothing.
std::string WeightRefusal(const QString& text)
{
    if (!IsWeight(text))
        return NotANumber(text);
    if (static_cast<std::size_t>(text.trimmed().size()) > kWeightLength)
        return TooLong();
    return {};
}

}  // namespace

TStageForm::TStageForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Stages"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(16);

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    grid_ = new TStringAlignGrid(this);
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->SetColCount(3);
    grid_->SetDefaultRowHeight(kRowHeight);
    grid_->SetColWidths(0, 64);
    // Wide enough for the longest name a stage keeps.
    const int nameWidth =
        std::max(64, grid_->fontMetrics().horizontalAdvance(QString(static_cast<qsizetype>(kStageNameLength), QLatin1Char('W'))) + 8);
    grid_->SetColWidths(kNameCol, nameWidth);
    grid_->SetColWidths(kWeightCol, 97);
    grid_->SetColSizing(true);
    grid_->SetRowMoving(true);
    grid_->SetEditing(true);
    grid_->SetRangeSelect(false);
    grid_->SetCells(kNameCol, 0, QStringLiteral("Name"));
    grid_->SetCells(kWeightCol, 0, QStringLiteral("Average Weight"));
    left->addWidget(grid_, 1);
    auto* listButtons = new QHBoxLayout;
    add_ = new QPushButton(QStringLiteral("&Add"), this);
    delete_ = new QPushButton(QStringLiteral("&Delete"), this);
    moveUp_ = new QPushButton(QStringLiteral("Move &Up"), this);
    moveDown_ = new QPushButton(QStringLiteral("Move Do&wn"), this);
    for (QPushButton* b : {add_, delete_, moveUp_, moveDown_}) {
        b->setAutoDefault(false);
        listButtons->addWidget(b);
    }
    listButtons->addStretch();
    left->addLayout(listButtons);
    layout->addLayout(left, 1);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext, Qt::Vertical);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    for (QPushButton* b : {cancel_, help_})
        b->setAutoDefault(false);

    minMax_ = new TMinMax(*this);
    TMinMaxTrackSize limits;
    limits.MinTrackWidth = 48;
    for (QPushButton* b : {add_, delete_, moveUp_, moveDown_})
        limits.MinTrackWidth += b->sizeHint().width();
    limits.MinTrackHeight = 48;
    for (QPushButton* b : {ok_, cancel_, help_, moveDown_})
        limits.MinTrackHeight += b->sizeHint().height();
    limits.MaxTrackWidth = 808;
    limits.MaxTrackHeight = 608;
    minMax_->SetMinMaxTrackSize(limits);
    const int gridWidth = 64 + nameWidth + 97 + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    resize(std::max(limits.MinTrackWidth + ok_->sizeHint().width() + 16, gridWidth + 32 + ok_->sizeHint().width()),
           limits.MinTrackHeight + 8 * kRowHeight);

    // A name is typed in no more characters than the model keeps of it.
    grid_->SetKeyFilter([this](int col, int, QChar& key, const QString& text) {
        if (col == kNameCol)
            return AcceptTextKey(*grid_, key, text, kStageNameLength);
        return col != kWeightCol || AcceptNumberKey(key);
    });
    TakeNumbersAsTyped(*grid_, [](int col) { return col == kWeightCol; });
    connect(grid_, &TStringAlignGrid::OnBeforeEdit, this, &TStageForm::EditOpened);
    // A weight is read when its cell is left: while it is typed, "1e" is
    // on its way to "1e-3".
    connect(grid_, &TStringAlignGrid::OnAfterEdit, this, [this](int col, int row) {
        if (col == kWeightCol)
            CheckWeight(col, row);
    });
    connect(grid_, &TStringAlignGrid::OnRowMoved, this, [this] {
        NumberRows();
        UpdateButtons();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TStageForm::UpdateButtons);
    connect(add_, &QPushButton::clicked, this, &TStageForm::AddButtonClick);
    connect(delete_, &QPushButton::clicked, this, &TStageForm::DeleteButtonClick);
    connect(moveUp_, &QPushButton::clicked, this, [this] { MoveRow(-1); });
    connect(moveDown_, &QPushButton::clicked, this, [this] { MoveRow(+1); });
    connect(ok_, &QPushButton::clicked, this, &TStageForm::OkButtonClick);
}

bool TStageForm::Execute()
{
    // An edit left open when the window was last closed is over.
    if (TNewInplaceEdit* editor = grid_->InplaceEditor())
        grid_->EditorEscape(editor);
    LoadFromModel();
    return ShowModal(*this) == TModalResult::Ok;
}

void TStageForm::LoadFromModel()
{
    const int stages = Info.stages;
    grid_->SetRowCount(stages + 1);
    for (int i = 1; i <= stages; ++i) {
        TStage stage;
        stage.oldNumber = i;
        stage.LoadFromRecord(Info.stageprops[i]);
        grid_->SetCells(kNameCol, i, ModelText(stage.name));
        grid_->SetCells(kWeightCol, i, ModelText(stage.Value2Text()));
        grid_->SetObjects(i, stage);
    }
    NumberRows();
    grid_->SetCurrentCell(kNameCol, 1);
    UpdateButtons();
}

void TStageForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Typing goes into the grid, whichever button closed the last showing.
    grid_->FocusCurrentCell();
}

TStage* TStageForm::StageOf(int row) const
{
    std::any* object = grid_->Objects(row);
    return object ? std::any_cast<TStage>(object) : nullptr;
}

void TStageForm::NumberRows()
{
    for (int row = 1; row < grid_->RowCount(); ++row)
        grid_->SetCells(0, row, QString::number(row));
}

void TStageForm::UpdateButtons()
{
    const int stages = grid_->RowCount() - 1;
    add_->setEnabled(stages < Info.Limits().stages);
    delete_->setEnabled(stages > kMinStages);
    moveUp_->setEnabled(grid_->Row() > 1);
    moveDown_->setEnabled(grid_->Row() < grid_->RowCount() - 1);
}

void TStageForm::AddButtonClick()
{
    if (grid_->RowCount() - 1 >= Info.Limits().stages)
        return;
    const int row = grid_->InsertRow(grid_->Row() + 1);
    TStage stage;
    grid_->SetCells(kNameCol, row, QString());
    grid_->SetCells(kWeightCol, row, ModelText(stage.Value2Text()));
    grid_->SetObjects(row, stage);
    NumberRows();
    grid_->SetCurrentCell(kNameCol, row);
    UpdateButtons();
    // The new stage's name is what comes next: the keyboard goes there.
    grid_->setFocus(Qt::OtherFocusReason);
    grid_->ShowEditor();
}

void TStageForm::DeleteButtonClick()
{
    if (grid_->RowCount() - 1 <= kMinStages)
        return;
    const int row = grid_->Row();
    // Only stages the model had when the dialog opened can be named by an
    // action.
    if (const TStage* stage = StageOf(row))
        if (const int action = ActionReferringToStage(Info, stage->oldNumber)) {
            ErrorMessage(StageDeleteRefusal(action));
            return;
        }
    grid_->DeleteRow(row);
    NumberRows();
    UpdateButtons();
}

void TStageForm::MoveRow(int by)
{
    const int from = grid_->Row();
    const int to = from + by;
    if (to < 1 || to >= grid_->RowCount())
        return;
    const int col = grid_->Col();
    grid_->MoveRow(from, to);
    grid_->SetCurrentCell(col, to);
    NumberRows();
    UpdateButtons();
}

void TStageForm::EditOpened(int col, int row)
{
    editCol_ = col;
    editRow_ = row;
    editText_ = grid_->Cells(col, row);
}

void TStageForm::CheckWeight(int col, int row)
{
    if (!isVisible() || row >= grid_->RowCount())
        return;
    const std::string refusal = WeightRefusal(grid_->Cells(col, row));
    if (refusal.empty())
        return;
    // A button pressed to leave the cell does nothing: the user is to mend
    // the cell first. The text stays as typed, in edit.
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDown())
            button->setDown(false);
    ErrorMessage(refusal);
    grid_->setFocus();
    grid_->SetCurrentCell(col, row);
    grid_->ShowEditor();
}

bool TStageForm::ValidateWeights()
{
    for (int row = 1; row < grid_->RowCount(); ++row) {
        const std::string refusal = WeightRefusal(grid_->Cells(kWeightCol, row));
        if (!refusal.empty()) {
            ErrorMessage(refusal);
            grid_->setFocus();
            grid_->SetCurrentCell(kWeightCol, row);
            return false;
        }
    }
    return true;
}

void TStageForm::OkButtonClick()
{
    if (!ValidateWeights())
        return;
    StoreToModel();
    accept();
}

void TStageForm::StoreToModel()
{
    std::vector<int> oldNumbers;
    for (int row = 1; row < grid_->RowCount(); ++row)
        oldNumbers.push_back(StageOf(row) ? StageOf(row)->oldNumber : 0);
    ReindexStages(Info, oldNumbers);

    for (int row = 1; row < grid_->RowCount(); ++row) {
        TStage stage = StageOf(row) ? *StageOf(row) : TStage{};
        stage.name = ModelBytes(grid_->Cells(kNameCol, row));
        stage.SetValue1("1");
        stage.SetValue2(ModelBytes(grid_->Cells(kWeightCol, row)));
        stage.flag = false;
        if (stage.StoreToRecord(Info.stageprops[row]))
            InputsChanged = true;
        grid_->SetObjects(row, std::any());
    }
    UpdateButtons();
}
