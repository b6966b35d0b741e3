#include "ui/string_align_grid.h"

#include "ui/align_grid_delegate.h"
#include "ui/align_grid_header.h"
#include "ui/align_grid_model.h"
#include "ui/new_inplace_edit.h"
#include "ui/numeric_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

// Qt shows a tool tip this far right of and below the point it is given.
const QPoint kToolTipOffset(2, 16);

Qt::Alignment QtAlignment(TMyAlign align)
{
    switch (align) {
    case TMyAlign::alRight: return Qt::AlignRight | Qt::AlignVCenter;
    case TMyAlign::alCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TMyAlign::alLeft: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

TStringAlignGrid::TStringAlignGrid(QWidget* parent)
    : QTableView(parent),
      model_(new TAlignGridModel(data_, this)),
      fixedColor_(palette().color(QPalette::Button)),
      selectedCellColor_(palette().color(QPalette::Highlight))
{
    const auto redraw = [this] {
        viewport()->update();
        UpdateHeaders();
    };
    data_.Attach(fonts_);
    data_.Attach(brushes_);
    data_.Attach(selectedCellColors_);
    data_.Attach(selectedFontColors_);
    fonts_.SetOnChange(redraw);
    brushes_.SetOnChange(redraw);
    selectedCellColors_.SetOnChange(redraw);
    selectedFontColors_.SetOnChange(redraw);

    setHorizontalHeader(new TAlignGridHeader(Qt::Horizontal, *this));
    setVerticalHeader(new TAlignGridHeader(Qt::Vertical, *this));
    setModel(model_);
    setItemDelegate(new TAlignGridDelegate(*this));
    connect(model_, &TAlignGridModel::LooksChanged, this, redraw);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()})
        header->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TStringAlignGrid::OnColWidthsChanged);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, &TStringAlignGrid::OnRowHeightsChanged);
    connect(verticalHeader(), &QHeaderView::sectionMoved, this, &TStringAlignGrid::RowDragged);
    // The corner cell, where both fixed lines meet, is drawn like the others.
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);

    setWordWrap(false);
    ApplySelectionMode();
    SetEditing(false);
    SetTabs(true);
    UpdateHeaders();
}

TStringAlignGrid::~TStringAlignGrid()
{
    // The model watches data_, which goes before the view's children do.
    setModel(nullptr);
    delete model_;
}

// ---- Shape and cells ------------------------------------------------------

void TStringAlignGrid::SetColCount(int count)
{
    data_.SetColCount(count);
    UpdateHeaders();
}

void TStringAlignGrid::SetRowCount(int count)
{
    data_.SetRowCount(count);
    UpdateHeaders();
}

void TStringAlignGrid::SetFixedCols(int count)
{
    data_.SetFixedCols(std::clamp(count, 0, 1));
    UpdateHeaders();
}

void TStringAlignGrid::SetFixedRows(int count)
{
    data_.SetFixedRows(std::clamp(count, 0, 1));
    UpdateHeaders();
}

QString TStringAlignGrid::Cells(int col, int row) const { return QString::fromStdString(data_.Cell(col, row)); }

void TStringAlignGrid::SetCells(int col, int row, const QString& text) { data_.SetCell(col, row, text.toStdString()); }

QModelIndex TStringAlignGrid::IndexOf(int col, int row) const
{
    return model_->index(row - FixedRows(), col - FixedCols());
}

TGridCell TStringAlignGrid::CurrentCell() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {FixedCols(), FixedRows()};
    return {current.column() + FixedCols(), current.row() + FixedRows()};
}

int TStringAlignGrid::Col() const { return CurrentCell().col; }
int TStringAlignGrid::Row() const { return CurrentCell().row; }

void TStringAlignGrid::SetCurrentCell(int col, int row)
{
    const QModelIndex index = IndexOf(col, row);
    if (index.isValid())
        setCurrentIndex(index);
}

int TStringAlignGrid::InsertRow(int index) { return data_.InsertRow(index); }
int TStringAlignGrid::InsertColumn(int index) { return data_.InsertColumn(index); }
bool TStringAlignGrid::DeleteRow(int index) { return data_.DeleteRow(index); }

bool TStringAlignGrid::MoveRow(int from, int to)
{
    if (!data_.MoveRow(from, to))
        return false;
    if (from != to)
        emit OnRowMoved(from, to);
    return true;
}

void TStringAlignGrid::RowHeaderClicked(int row)
{
    if (row < FixedRows() || row >= RowCount())
        return;
    setFocus(Qt::MouseFocusReason);
    SetCurrentCell(Col(), row);
}

void TStringAlignGrid::RowDragged(int, int oldVisual, int newVisual)
{
    // The header only shows the drag; the row itself moves in the grid, with
    // its texts, object and attributes, and the header's order stays plain.
    {
        const QSignalBlocker block(verticalHeader());
        verticalHeader()->moveSection(newVisual, oldVisual);
    }
    MoveRow(oldVisual + FixedRows(), newVisual + FixedRows());
}

// ---- Sizes ----------------------------------------------------------------

int TStringAlignGrid::ColWidths(int col) const { return col < FixedCols() ? fixedColWidth_ : columnWidth(col - FixedCols()); }

void TStringAlignGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    if (col >= FixedCols()) {
        setColumnWidth(col - FixedCols(), width);
        return;
    }
    fixedColWidth_ = width;
    UpdateHeaders();
    emit OnColWidthsChanged();
}

int TStringAlignGrid::RowHeights(int row) const { return row < FixedRows() ? fixedRowHeight_ : rowHeight(row - FixedRows()); }

void TStringAlignGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount())
        return;
    if (row >= FixedRows()) {
        setRowHeight(row - FixedRows(), height);
        return;
    }
    fixedRowHeight_ = height;
    UpdateHeaders();
    emit OnRowHeightsChanged();
}

void TStringAlignGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    horizontalHeader()->setDefaultSectionSize(width);
    for (int col = 0; col < ColCount(); ++col)
        SetColWidths(col, width);
}

void TStringAlignGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < RowCount(); ++row)
        SetRowHeights(row, height);
}

void TStringAlignGrid::UpdateHeaders()
{
    horizontalHeader()->setVisible(FixedRows() > 0);
    verticalHeader()->setVisible(FixedCols() > 0);
    horizontalHeader()->updateGeometry();
    verticalHeader()->updateGeometry();
    updateGeometries();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
    viewport()->update();
}

// ---- Options --------------------------------------------------------------

void TStringAlignGrid::SetEditing(bool on)
{
    editingOption_ = on;
    model_->SetEditing(on);
    EditTriggers triggers = NoEditTriggers;
    if (on) {
        triggers = DoubleClicked | EditKeyPressed | AnyKeyPressed;
        if (alwaysShowEditor_)
            triggers |= CurrentChanged;
    }
    setEditTriggers(triggers);
}

void TStringAlignGrid::SetAlwaysShowEditor(bool on)
{
    alwaysShowEditor_ = on;
    SetEditing(editingOption_);
}

void TStringAlignGrid::ApplySelectionMode()
{
    setSelectionMode(rangeSelect_ ? ContiguousSelection : SingleSelection);
    setSelectionBehavior(rowSelect_ ? SelectRows : SelectItems);
}

void TStringAlignGrid::SetRangeSelect(bool on)
{
    rangeSelect_ = on;
    ApplySelectionMode();
}

void TStringAlignGrid::SetRowSelect(bool on)
{
    rowSelect_ = on;
    ApplySelectionMode();
    viewport()->update();
}

void TStringAlignGrid::SetDrawFocusSelected(bool on)
{
    drawFocusSelected_ = on;
    viewport()->update();
}

void TStringAlignGrid::SetRowMoving(bool on) { verticalHeader()->setSectionsMovable(on); }

void TStringAlignGrid::SetColSizing(bool on)
{
    horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void TStringAlignGrid::SetTabs(bool on)
{
    tabs_ = on;
    setTabKeyNavigation(on);
}

bool TStringAlignGrid::TabStop(int col) const
{
    return col < 0 || col >= static_cast<int>(tabStops_.size()) || tabStops_[col] != 0;
}

void TStringAlignGrid::SetTabStop(int col, bool on)
{
    if (col < 0)
        return;
    if (col >= static_cast<int>(tabStops_.size()))
        tabStops_.resize(col + 1, 1);
    tabStops_[col] = on ? 1 : 0;
}

void TStringAlignGrid::SetFixedColor(const QColor& color)
{
    fixedColor_ = color;
    UpdateHeaders();
}

void TStringAlignGrid::SetSelectedCellColor(const QColor& color)
{
    selectedCellColor_ = color;
    viewport()->update();
}

void TStringAlignGrid::SetSelectedFontColor(const QColor& color)
{
    selectedFontColor_ = color;
    viewport()->update();
}

void TStringAlignGrid::SetDrawSelection(bool on)
{
    drawSelection_ = on;
    viewport()->update();
}

// ---- Attributes and drawing -----------------------------------------------

TMyFont TStringAlignGrid::CellFont(int col, int row) const
{
    const bool fixed = data_.IsFixed(col, row);
    if (const TMyFont* font = fonts_.Resolve(col, row, fixed))
        return *font;
    return {font(), palette().color(fixed ? QPalette::ButtonText : QPalette::Text)};
}

QBrush TStringAlignGrid::CellBrush(int col, int row) const
{
    const bool fixed = data_.IsFixed(col, row);
    if (const QBrush* brush = brushes_.Resolve(col, row, fixed))
        return *brush;
    return fixed ? QBrush(fixedColor_) : palette().brush(QPalette::Base);
}

QColor TStringAlignGrid::CellSelectedColor(int col, int row) const
{
    const QColor* color = selectedCellColors_.Resolve(col, row, data_.IsFixed(col, row));
    return color ? *color : selectedCellColor_;
}

QColor TStringAlignGrid::CellSelectedFontColor(int col, int row) const
{
    const QColor* color = selectedFontColors_.Resolve(col, row, data_.IsFixed(col, row));
    return color ? *color : selectedFontColor_;
}

QString TStringAlignGrid::CellHint(int col, int row) const { return QString::fromStdString(data_.CellHint(col, row)); }

void TStringAlignGrid::SetCellHint(int col, int row, const QString& hint)
{
    data_.Hints().SetCell(col, row, hint.toStdString());
}

void TStringAlignGrid::PaintCell(QPainter& painter, const QRect& rect, int col, int row, bool selected,
                                 bool focused) const
{
    const bool fixed = data_.IsFixed(col, row);
    TMyFont font = CellFont(col, row);
    QBrush brush = CellBrush(col, row);
    // The current cell keeps its own colours, unless it is to look selected.
    if (!fixed && drawSelection_ && selected && (!focused || drawFocusSelected_ || rowSelect_)) {
        brush = QBrush(CellSelectedColor(col, row));
        font.color = CellSelectedFontColor(col, row);
    }
    painter.save();
    painter.fillRect(rect, brush);
    if (fixed) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    painter.setClipRect(rect);
    painter.setFont(font.font);
    painter.setPen(font.color);
    const QFontMetrics metrics(font.font);
    const TMyAlign align = data_.CellAlignment(col, row);
    int top = rect.top() + 2;
    for (const std::string& line : SplitCellLines(data_.Cell(col, row))) {
        const QString text = QString::fromStdString(line);
        const int left = AlignedTextLeft(align, rect.left(), rect.left() + rect.width(), metrics.horizontalAdvance(text));
        painter.drawText(left, top + metrics.ascent(), text);
        top += metrics.height();
    }
    if (focused && !fixed) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        // Drawn whether the focus came by keyboard or by mouse.
        option.state |= QStyle::State_KeyboardFocusChange;
        option.rect = rect.adjusted(1, 1, -1, -1);
        option.backgroundColor = brush.color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    painter.restore();
}

bool TStringAlignGrid::ShowHint(QWidget* widget, const QRect& cellRect, int col, int row)
{
    const QString hint = CellHint(col, row);
    if (!showCellHints_ || hint.isEmpty())
        return false;
    // At the cell's left edge, 6 pixels below it; leaving the cell hides it.
    const QPoint at(cellRect.left(), cellRect.top() + cellRect.height() + 6);
    QToolTip::showText(widget->mapToGlobal(at) - kToolTipOffset, hint, widget, cellRect);
    return true;
}

bool TStringAlignGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QModelIndex index = indexAt(static_cast<QHelpEvent*>(event)->pos());
        if (index.isValid() &&
            ShowHint(viewport(), visualRect(index), index.column() + FixedCols(), index.row() + FixedRows()))
            return true;
    }
    return QTableView::viewportEvent(event);
}

bool TStringAlignGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->parent() == this && qobject_cast<QAbstractButton*>(watched)) {
        auto* corner = static_cast<QWidget*>(watched);
        QPainter painter(corner);
        PaintCell(painter, corner->rect(), 0, 0, false, false);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

// ---- Editing --------------------------------------------------------------

bool TStringAlignGrid::CanEdit(TGridCell cell) const
{
    return editingOption_ && data_.Contains(cell.col, cell.row) && !data_.IsFixed(cell.col, cell.row) &&
           data_.CellEditable(cell.col, cell.row);
}

QString TStringAlignGrid::PastedText(const TNewInplaceEdit& editor, const QString& text) const
{
    return pasteFilter_ ? pasteFilter_(editor.Col(), editor.Row(), text) : text;
}

bool TStringAlignGrid::AcceptKey(const TNewInplaceEdit& editor, QChar& key) const
{
    return !keyFilter_ || keyFilter_(editor.Col(), editor.Row(), key, editor.text());
}

void TStringAlignGrid::ShowEditor()
{
    const TGridCell cell = CurrentCell();
    if (!currentIndex().isValid())
        SetCurrentCell(cell.col, cell.row);
    if (editor_) {
        if (editor_->Col() == cell.col && editor_->Row() == cell.row) {
            editor_->setFocus();
            return;
        }
        EndEdit(editor_, TEditEnd::Accepted);
    }
    if (CanEdit(cell))
        edit(currentIndex(), AllEditTriggers, nullptr);
}

void TStringAlignGrid::FocusCurrentCell()
{
    setFocus(Qt::OtherFocusReason);
    if (!currentIndex().isValid()) {
        const TGridCell cell = CurrentCell();
        SetCurrentCell(cell.col, cell.row);
    }
    if (alwaysShowEditor_ && editingOption_)
        ShowEditor();
}

void TStringAlignGrid::EditorOpened(TNewInplaceEdit* editor)
{
    editor_ = editor;
    editorReopened_ = true;
    const int col = editor->Col();
    const int row = editor->Row();
    keptText_ = endingCell_ == TGridCell{col, row} ? endingKeptText_ : Cells(col, row);
    const TMyFont font = CellFont(col, row);
    editor->setAlignment(QtAlignment(CellAlignment(col, row)));
    editor->setFont(font.font);
    QPalette colours = editor->palette();
    colours.setColor(QPalette::Base, CellBrush(col, row).color());
    colours.setColor(QPalette::Text, font.color);
    editor->setPalette(colours);
    emit OnBeforeEdit(col, row);
}

void TStringAlignGrid::EditorTextChanged(TNewInplaceEdit* editor)
{
    if (editor != editor_ || editor->Row() < 0)
        return;
    const QString text = editor->text();
    if (text == Cells(editor->Col(), editor->Row()))
        return;
    SetCells(editor->Col(), editor->Row(), text);
    emit OnSetEditText(editor->Col(), editor->Row(), text);
}

void TStringAlignGrid::EditorEnter(TNewInplaceEdit* editor) { EndEdit(editor, TEditEnd::ByEnter); }

void TStringAlignGrid::EditorEscape(TNewInplaceEdit* editor) { EndEdit(editor, TEditEnd::Cancelled); }

void TStringAlignGrid::EditorFocusLeft(TNewInplaceEdit* editor)
{
    QWidget* to = QApplication::focusWidget();
    if (to == this || isAncestorOf(to))
        return;
    // Kept for when the focus comes back.
    leftCell_ = {editor->Col(), editor->Row()};
    leftSelStart_ = editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    leftSelLength_ = static_cast<int>(editor->selectedText().size());
}

void TStringAlignGrid::EndEdit(TNewInplaceEdit* editor, TEditEnd end)
{
    if (end == TEditEnd::Cancelled)
        SetCells(editor->Col(), editor->Row(), keptText_);
    else
        commitData(editor);
    pendingEnd_ = end;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TStringAlignGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint)
{
    TEditEnd end = std::exchange(pendingEnd_, TEditEnd::Accepted);
    auto* edit = qobject_cast<TNewInplaceEdit*>(editor);
    const bool ours = edit && edit == editor_ && edit->Row() >= 0;
    const TGridCell cell = ours ? TGridCell{edit->Col(), edit->Row()} : TGridCell{};
    // A refused value must not keep the user from cancelling the window:
    // leaving the cell for a Cancel button cancels the edit.
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (ours && end == TEditEnd::Accepted && button && IsCancelButton(*button)) {
        end = TEditEnd::Cancelled;
        SetCells(cell.col, cell.row, keptText_);
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (edit == editor_)
        editor_ = nullptr;
    if (!ours)
        return;
    QMetaObject::invokeMethod(
        this, [this, cell, end, kept = keptText_] { RaiseEditEnd(cell, end, kept); }, Qt::QueuedConnection);
}

void TStringAlignGrid::RaiseEditEnd(TGridCell cell, TEditEnd end, const QString& keptText)
{
    editorReopened_ = false;
    if (end == TEditEnd::Cancelled) {
        // The editor stays closed until the user types, moves or clicks.
        emit OnCancelEdit(cell.col, cell.row);
        return;
    }
    endingCell_ = cell;
    endingKeptText_ = keptText;
    emit OnAfterEdit(cell.col, cell.row);
    endingCell_ = {-1, -1};
    if (editorReopened_) {
        // The handler refused the value and opened the editor again: the
        // user stays in that cell.
        if (editor_ && !editor_->hasFocus())
            editor_->setFocus();
        return;
    }
    if (end == TEditEnd::ByEnter)
        StepAfterEnter();
}

void TStringAlignGrid::StepAfterEnter()
{
    if (!autoEditNextCell_) {
        if (alwaysShowEditor_ && hasFocus())
            ShowEditor();
        return;
    }
    const auto next = FindNextCell(data_, CurrentCell(), nextCellEdit_, afterLastCellEdit_,
                                   [this](TGridCell cell) { return CanEdit(cell); });
    if (!next)
        return;
    SetCurrentCell(next->col, next->row);
    ShowEditor();
}

void TStringAlignGrid::TabStep(bool backwards)
{
    const T_nextcell direction = backwards ? OppositeDirection(nextCellTab_) : nextCellTab_;
    const TGridCell from = CurrentCell();
    const bool wasEditing = editor_ != nullptr;
    const auto next = FindNextCell(data_, from, direction, afterLastCellTab_,
                                   [this](TGridCell cell) { return TabStop(cell.col); });
    if (!next || *next == from)
        return;
    SetCurrentCell(next->col, next->row);
    if (wasEditing)
        ShowEditor();
}

void TStringAlignGrid::LeaveGrid(bool forwards)
{
    // From the grid itself, so that the walk starts at the grid and not at
    // its editor, which stands right after the grid in the focus chain. The
    // edit ends as for any other leaving.
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    // Past the item view's own Tab handling, which would step the cell.
    QAbstractScrollArea::focusNextPrevChild(forwards);
}

bool TStringAlignGrid::LeaveByKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (!tabs_ || (key != Qt::Key_Tab && key != Qt::Key_Backtab) || !(event.modifiers() & Qt::ControlModifier))
        return false;
    LeaveGrid(key == Qt::Key_Tab && !(event.modifiers() & Qt::ShiftModifier));
    return true;
}

void TStringAlignGrid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (LeaveByKey(*event)) {
        event->accept();
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && tabs_ && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        TabStep(key == Qt::Key_Backtab || (mods & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && editingOption_ && !editor_) {
        ShowEditor();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TStringAlignGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool byUser = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                        reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    if (!alwaysShowEditor_ || !editingOption_ || editor_ || !byUser)
        return;
    // The grid always shows its editor: open it again, with the selection
    // it had when the focus left.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (editor_ || !hasFocus())
                return;
            ShowEditor();
            if (editor_ && leftCell_ == CurrentCell()) {
                if (leftSelLength_ > 0)
                    editor_->setSelection(leftSelStart_, leftSelLength_);
                else
                    editor_->setCursorPosition(leftSelStart_);
            }
            leftCell_ = {-1, -1};
        },
        Qt::QueuedConnection);
}
