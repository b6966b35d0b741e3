#pragma once
// The editors' table of text cells: a table view over the window-free grid
// of core/align_grid_data.h, with at most one fixed header row and one fixed
// header column (shown as the view's headers, so they stay in place while
// the cells scroll). Alignment, edit permission, font, brush, selection
// colours and hint can be set per cell, column and row (and for the header
// cells per fixed column and row); a cell text may hold several lines,
// separated by CR. Enter and Tab move to the next cell along one of eight
// directions; Tab (Shift+Tab back) stays in the grid, so Ctrl+Tab (and
// Ctrl+Shift+Tab) takes the keyboard on to the next (previous) control. A
// click on a row's header cell makes that row current.
//
// Every edit of a cell begins with OnBeforeEdit and ends with exactly one of
// OnAfterEdit (Enter, leaving the cell or the grid) or OnCancelEdit (Esc,
// which also brings the cell's text back). The end events arrive once
// control is back in the event loop, so a handler may refuse the value:
// SetCurrentCell back to that cell and ShowEditor; the grid then takes the
// focus back. Leaving the cell for a Cancel button (see MarkAsCancelButton)
// cancels the edit instead, so a refusing handler never stands in the way
// of Cancel. Esc ends the edit and leaves the editor closed, also in a grid
// that always shows its editor, so that a second Esc reaches the dialog.
//
// Columns and rows are counted as in the grid, the fixed ones included:
// cell (0, 0) is the corner when both fixed lines exist.

#include "core/align_grid_data.h"
#include "core/grid_stepping.h"
#include "ui/new_inplace_edit.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QTableView>

#include <any>
#include <functional>
#include <vector>

class TAlignGridModel;

// A cell font: the font and the colour its text is written in.
struct TMyFont {
    QFont font;
    QColor color;
};

// Decides about one key typed, pasted or otherwise put into a cell's editor:
// a printable character, '\b' for Backspace or '\r' for Enter. `text` is the
// editor's text before the key. False drops the key; a filter may also
// change the key into the character the cell is to take (a number cell
// takes a typed "," as ".").
using TCellKeyFilter = std::function<bool(int col, int row, QChar& key, const QString& text)>;
// Turns text pasted into a cell's editor into the text that is then typed
// into it, key by key through the key filter.
using TCellPasteFilter = std::function<QString(int col, int row, const QString& text)>;

class TStringAlignGrid : public QTableView {
    Q_OBJECT
public:
    explicit TStringAlignGrid(QWidget* parent = nullptr);
    ~TStringAlignGrid() override;

    // Shape. The fixed lines are 0 or 1 each way.
    int ColCount() const { return data_.ColCount(); }
    int RowCount() const { return data_.RowCount(); }
    int FixedCols() const { return data_.FixedCols(); }
    int FixedRows() const { return data_.FixedRows(); }
    void SetColCount(int count);
    void SetRowCount(int count);
    void SetFixedCols(int count);
    void SetFixedRows(int count);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    // The row's object (an editor's record of that row); it moves with its
    // row and is destroyed with it.
    // Null outside the grid.
    const std::any* Objects(int row) const { return data_.Object(row); }
    std::any* Objects(int row) { return data_.Object(row); }
    void SetObjects(int row, std::any object) { data_.SetObject(row, std::move(object)); }

    // The current cell, always a non-fixed one.
    int Col() const;
    int Row() const;
    void SetCurrentCell(int col, int row);

    // Lines: a new empty row (column) at the index, raised to the first
    // non-fixed one; deleting and moving only non-fixed rows. Texts, row
    // objects and every attribute go with their lines.
    int InsertRow(int index);
    int InsertColumn(int index);
    bool DeleteRow(int index);
    bool MoveRow(int from, int to);

    // Sizes in pixels, fixed lines included.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Every column (row) gets the new size.
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);

    // Options of the grid.
    bool Editing() const { return editingOption_; }  // cells may be edited at all
    void SetEditing(bool on);
    bool AlwaysShowEditor() const { return alwaysShowEditor_; }  // the current cell is always in edit
    void SetAlwaysShowEditor(bool on);
    void SetRangeSelect(bool on);
    void SetRowSelect(bool on);
    bool DrawFocusSelected() const { return drawFocusSelected_; }  // the current cell drawn selected
    void SetDrawFocusSelected(bool on);
    void SetRowMoving(bool on);  // rows dragged by their header cell
    void SetColSizing(bool on);
    // Tab moves between cells instead of controls (on unless turned off).
    bool Tabs() const { return tabs_; }
    void SetTabs(bool on);
    bool TabStop(int col) const;
    void SetTabStop(int col, bool on);

    // Grid-wide defaults and behaviour.
    TMyAlign Alignment() const { return data_.Alignment(); }
    void SetAlignment(TMyAlign align) { data_.SetAlignment(align); }
    bool Editable() const { return data_.Editable(); }
    void SetEditable(bool editable) { data_.SetEditable(editable); }
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& color);
    bool ShowCellHints() const { return showCellHints_; }
    void SetShowCellHints(bool on) { showCellHints_ = on; }
    QColor SelectedCellColor() const { return selectedCellColor_; }
    void SetSelectedCellColor(const QColor& color);
    QColor SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(const QColor& color);
    bool DrawSelection() const { return drawSelection_; }
    void SetDrawSelection(bool on);
    bool AutoEditNextCell() const { return autoEditNextCell_; }
    void SetAutoEditNextCell(bool on) { autoEditNextCell_ = on; }
    T_nextcell NextCellEdit() const { return nextCellEdit_; }
    void SetNextCellEdit(T_nextcell direction) { nextCellEdit_ = direction; }
    T_nextcell NextCellTab() const { return nextCellTab_; }
    void SetNextCellTab(T_nextcell direction) { nextCellTab_ = direction; }
    t_lastcell AfterLastCellEdit() const { return afterLastCellEdit_; }
    void SetAfterLastCellEdit(t_lastcell rule) { afterLastCellEdit_ = rule; }
    t_lastcell AfterLastCellTab() const { return afterLastCellTab_; }
    void SetAfterLastCellTab(t_lastcell rule) { afterLastCellTab_ = rule; }

    // Attribute entries per cell, column, fixed column, row and fixed row
    // (the edit flags and selection colours have no fixed lists), and what
    // applies to a cell. A font or brush set for a line or cell usually
    // starts from the one that applies now (CellFont, CellBrush).
    TGridAttribute<TMyAlign>& Alignments() { return data_.Alignments(); }
    TGridAttribute<bool>& EditFlags() { return data_.EditFlags(); }
    TGridAttribute<TMyFont>& Fonts() { return fonts_; }
    TGridAttribute<QBrush>& Brushes() { return brushes_; }
    TGridAttribute<QColor>& SelectedCellColors() { return selectedCellColors_; }
    TGridAttribute<QColor>& SelectedFontColors() { return selectedFontColors_; }
    TMyAlign CellAlignment(int col, int row) const { return data_.CellAlignment(col, row); }
    bool CellEditable(int col, int row) const { return data_.CellEditable(col, row); }
    TMyFont CellFont(int col, int row) const;
    QBrush CellBrush(int col, int row) const;
    QColor CellSelectedColor(int col, int row) const;
    QColor CellSelectedFontColor(int col, int row) const;
    // The tool tip of one cell, shown below it while the mouse is over it.
    QString CellHint(int col, int row) const;
    void SetCellHint(int col, int row, const QString& hint);

    // Editing.
    void SetKeyFilter(TCellKeyFilter filter) { keyFilter_ = std::move(filter); }
    void SetPasteFilter(TCellPasteFilter filter) { pasteFilter_ = std::move(filter); }
    // Pasted text for the editor, through the paste filter.
    QString PastedText(const TNewInplaceEdit& editor, const QString& text) const;
    // Opens the editor on the current cell when that cell may be edited.
    void ShowEditor();
    // Gives the grid the keyboard at its current cell, that cell in edit
    // when the grid always shows its editor: where a dialog's typing begins.
    void FocusCurrentCell();
    // The open editor, or null.
    TNewInplaceEdit* InplaceEditor() const { return editor_; }

    // Draws one cell as the grid shows it (header cells included).
    void PaintCell(QPainter& painter, const QRect& rect, int col, int row, bool selected, bool focused) const;
    // Shows the cell's hint below `cellRect` of `widget`; false when it has
    // none or hints are off.
    bool ShowHint(QWidget* widget, const QRect& cellRect, int col, int row);

    // What the editor reports (TNewInplaceEdit and the delegate call these).
    void EditorOpened(TNewInplaceEdit* editor);
    void EditorTextChanged(TNewInplaceEdit* editor);
    void EditorEnter(TNewInplaceEdit* editor);
    void EditorEscape(TNewInplaceEdit* editor);
    void EditorFocusLeft(TNewInplaceEdit* editor);
    // The grid's filter on a key for the editor; `key` may come back changed.
    bool AcceptKey(const TNewInplaceEdit& editor, QChar& key) const;
    // Ctrl+Tab or Ctrl+Shift+Tab in a grid that keeps Tab: the keyboard
    // goes on to the next or previous control. True for such a key.
    bool LeaveByKey(const QKeyEvent& event);
    // A click on the header cell of `row`: the row becomes current, in the
    // current column, and the grid takes the keyboard.
    void RowHeaderClicked(int row);

signals:
    void OnBeforeEdit(int col, int row);
    void OnAfterEdit(int col, int row);
    void OnCancelEdit(int col, int row);
    // The user changed the text of the cell in edit.
    void OnSetEditText(int col, int row, const QString& text);
    // A row was dragged (or moved by MoveRow) from one place to another.
    void OnRowMoved(int from, int to);
    void OnColWidthsChanged();
    void OnRowHeightsChanged();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TEditEnd { Accepted, ByEnter, Cancelled };

    QModelIndex IndexOf(int col, int row) const;
    TGridCell CurrentCell() const;
    bool CanEdit(TGridCell cell) const;
    void EndEdit(TNewInplaceEdit* editor, TEditEnd end);
    void RaiseEditEnd(TGridCell cell, TEditEnd end, const QString& keptText);
    void StepAfterEnter();
    void TabStep(bool backwards);
    void LeaveGrid(bool forwards);
    void ApplySelectionMode();
    void UpdateHeaders();
    void RowDragged(int logical, int oldVisual, int newVisual);

    TAlignGridData data_;
    TAlignGridModel* model_;
    TGridAttribute<TMyFont> fonts_{true};
    TGridAttribute<QBrush> brushes_{true};
    TGridAttribute<QColor> selectedCellColors_{false};
    TGridAttribute<QColor> selectedFontColors_{false};
    std::vector<char> tabStops_;  // per column; absent means a tab stop

    QColor fixedColor_;
    QColor selectedCellColor_;
    QColor selectedFontColor_ = Qt::white;
    bool showCellHints_ = true;
    bool drawSelection_ = true;
    bool drawFocusSelected_ = false;
    bool rowSelect_ = false;
    bool rangeSelect_ = true;
    bool editingOption_ = false;
    bool alwaysShowEditor_ = false;
    bool tabs_ = false;
    bool autoEditNextCell_ = false;
    T_nextcell nextCellEdit_ = T_nextcell::nc_rightdown;
    T_nextcell nextCellTab_ = T_nextcell::nc_rightdown;
    t_lastcell afterLastCellEdit_ = t_lastcell::lc_newcolrow;
    t_lastcell afterLastCellTab_ = t_lastcell::lc_first;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int fixedColWidth_ = 64;
    int fixedRowHeight_ = 24;

    TCellKeyFilter keyFilter_;
    TCellPasteFilter pasteFilter_;
    QPointer<TNewInplaceEdit> editor_;
    QString keptText_;  // the cell's text when its edit began, for Esc
    TEditEnd pendingEnd_ = TEditEnd::Accepted;  // how the editor being closed ends its edit
    bool editorReopened_ = false;               // an editor opened while an end event was handled
    // The edit whose end is being reported: a handler that refuses its value
    // and opens the cell again goes on with that edit's text for Esc.
    TGridCell endingCell_{-1, -1};
    QString endingKeptText_;
    // Where the editor's selection was when the grid lost the focus.
    TGridCell leftCell_{-1, -1};
    int leftSelStart_ = 0, leftSelLength_ = 0;
};
