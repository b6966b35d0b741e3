#include "stage_ui/number_grid_form.h"

#include "core/messages.h"
#include "core/number_cell_rules.h"
#include "stage_ui/grid_util.h"
#include "ui/dialog_buttons.h"
#include "ui/min_max.h"
#include "ui/modal_dialogs.h"
#include "ui/new_inplace_edit.h"
#include "ui/string_align_grid.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

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

    grid_->SetKeyFilter([](int, int, QChar& key, const QString&) { return AcceptNumberKey(key); });
    TakeNumbersAsTyped(*grid_, [](int) { return true; });
    connect(grid_, &TStringAlignGrid::OnAfterEdit, this, &TNumberGridForm::CellLeft);
    KeepCellVisible(*grid_);
    connect(ok_, &QPushButton::clicked, this, &TNumberGridForm::OkButtonClick);
}

bool TNumberGridForm::Execute()
{
    // An edit left open when the window was last closed is over.
    if (TNewInplaceEdit* editor = grid_->InplaceEditor())
        grid_->EditorEscape(editor);
    LoadFromModel();
    return ShowModal(*this) == TModalResult::Ok;
}

void TNumberGridForm::AddLeadingButton(QPushButton& button)
{
    buttonLine_->insertWidget(1, &button);  // after the stretch
    // The tab order follows the line of buttons.
    QWidget::setTabOrder(grid_, &button);
    QWidget::setTabOrder(&button, ok_);
    QWidget::setTabOrder(ok_, cancel_);
    QWidget::setTabOrder(cancel_, help_);
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
    // A button pressed to leave the cell does nothing: the user is to mend
    // the cell first.
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDown())
            button->setDown(false);
    // The same refusal may arrive twice (the cell left for OK, then OK's own
    // check): one message is enough.
    refusing_ = true;
    QTimer::singleShot(0, this, [this] { refusing_ = false; });
    ErrorMessage(NumberCellRefusal(grid_->Cells(col, row).toStdString(), setup_.maxValue, setup_.caption.toStdString()));
    grid_->setFocus();
    grid_->SetCurrentCell(col, row);
    grid_->ShowEditor();
}

void TNumberGridForm::CellLeft(int col, int row)
{
    // Leaving for Cancel cancels the edit instead (the grid sees to that).
    if (!isVisible() || refusing_)
        return;
    if (!NumberCellValue(grid_->Cells(col, row).toStdString(), setup_.maxValue))
        RefuseCell(col, row);
}

void TNumberGridForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Typing goes into the grid, whichever button closed the last showing.
    grid_->FocusCurrentCell();
}

void TNumberGridForm::OkButtonClick()
{
    if (refusing_ || !ValidateCells())
        return;
    StoreCells();
    accept();
}

void TNumberGridForm::reject()
{
    CancelEdits();
    QDialog::reject();
}
