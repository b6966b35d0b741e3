#include "stage_ui/number_grid_form.h"

#include "core/messages.h"
#include "core/number_cell_rules.h"
#include "stage_ui/grid_util.h"
#include "ui/dialog_buttons.h"
#include "ui/min_max.h"
#include "ui/modal_dialogs.h"
#include "ui/string_align_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

constexpr int kRowHeight = 18;
constexpr int kMaxWidth = 808;
constexpr int kMaxHeight = 608;
constexpr int kMinHeight = 150;

}  // namespace

TNumberGridForm::TNumberGridForm(const TNumberGridSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup)
{
    setWindowTitle(setup.caption);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    grid_ = new TStringAlignGrid(this);
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->SetDefaultRowHeight(kRowHeight);
    grid_->SetRangeSelect(true);
    grid_->SetEditing(true);
    grid_->SetAlwaysShowEditor(true);
    grid_->SetDrawFocusSelected(setup.drawFocusSelected);
    layout->addWidget(grid_, 1);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, setup_.helpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    buttonLine_ = buttons.Line;
    buttonLine_->setSpacing(8);
    for (QPushButton* b : {ok_, cancel_, help_})
        b->setAutoDefault(false);

    minMax_ = new TMinMax(*this);
    TMinMaxTrackSize limits;
    limits.MinTrackWidth = ok_->sizeHint().width() + cancel_->sizeHint().width() + help_->sizeHint().width() + 48;
    limits.MinTrackHeight = kMinHeight;
    limits.MaxTrackWidth = kMaxWidth;
    limits.MaxTrackHeight = kMaxHeight;
    minMax_->SetMinMaxTrackSize(limits);

    grid_->SetKeyFilter([this](int, int, QChar key, const QString& text) {
        return AcceptNumberKey(*grid_, key, text, setup_.maxLength);
    });
    connect(grid_, &TStringAlignGrid::OnAfterEdit, this, &TNumberGridForm::CellLeft);
    KeepCellVisible(*grid_);
    connect(ok_, &QPushButton::clicked, this, &TNumberGridForm::OkButtonClick);
}

bool TNumberGridForm::Execute()
{
    LoadFromModel();
    return ShowModal(*this) == TModalResult::Ok;
}

void TNumberGridForm::SetShownCell(int col, int row, const QString& text)
{
    const auto index = static_cast<std::size_t>(row) * static_cast<std::size_t>(grid_->ColCount()) +
                       static_cast<std::size_t>(col);
    if (shown_.size() != static_cast<std::size_t>(grid_->ColCount()) * static_cast<std::size_t>(grid_->RowCount()))
        shown_.assign(static_cast<std::size_t>(grid_->ColCount()) * static_cast<std::size_t>(grid_->RowCount()), QString());
    shown_[index] = text;
    grid_->SetCells(col, row, text);
}

const QString& TNumberGridForm::ShownCell(int col, int row) const
{
    return shown_.at(static_cast<std::size_t>(row) * static_cast<std::size_t>(grid_->ColCount()) +
                     static_cast<std::size_t>(col));
}

void TNumberGridForm::CellStored(int col, int row)
{
    shown_.at(static_cast<std::size_t>(row) * static_cast<std::size_t>(grid_->ColCount()) +
              static_cast<std::size_t>(col)) = grid_->Cells(col, row);
}

void TNumberGridForm::FinishLoading()
{
    FitGridColumns(*grid_);
    grid_->SetCurrentCell(grid_->FixedCols(), grid_->FixedRows());
    // As large as the grid with all its cells, within the size limits.
    int width = grid_->ColWidths(0) + 2 * grid_->frameWidth() + 16 + grid_->verticalScrollBar()->sizeHint().width();
    for (int col = grid_->FixedCols(); col < grid_->ColCount(); ++col)
        width += grid_->ColWidths(col);
    int height = grid_->RowHeights(0) + 2 * grid_->frameWidth() + 24 + ok_->sizeHint().height() +
                 grid_->horizontalScrollBar()->sizeHint().height();
    for (int row = grid_->FixedRows(); row < grid_->RowCount(); ++row)
        height += grid_->RowHeights(row);
    resize(std::clamp(width, minimumWidth(), maximumWidth()), std::clamp(height, minimumHeight(), maximumHeight()));
}

bool TNumberGridForm::ValidateCells()
{
    for (int row = grid_->FixedRows(); row < grid_->RowCount(); ++row)
        for (int col = grid_->FixedCols(); col < grid_->ColCount(); ++col)
            if (!NumberCellValue(grid_->Cells(col, row).toStdString(), setup_.maxValue)) {
                RefuseCell(col, row);
                return false;
            }
    return true;
}

void TNumberGridForm::RefuseCell(int col, int row)
{
    ErrorMessage(NumberCellRangeMessage(setup_.maxValue));
    grid_->setFocus();
    grid_->SetCurrentCell(col, row);
    grid_->ShowEditor();
}

void TNumberGridForm::CellLeft(int col, int row)
{
    if (!isVisible())
        return;
    // The buttons check every cell themselves or need no check (Cancel
    // cancels the edit): one message is enough.
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget()); button && button->window() == this)
        return;
    if (!NumberCellValue(grid_->Cells(col, row).toStdString(), setup_.maxValue))
        RefuseCell(col, row);
}

void TNumberGridForm::OkButtonClick()
{
    if (!ValidateCells())
        return;
    StoreCells();
    accept();
}

void TNumberGridForm::reject()
{
    CancelEdits();
    QDialog::reject();
}
