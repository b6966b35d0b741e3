#pragma once
// The editor of one cell of the text grid: a line edit in the cell's
// alignment, font and background. Every character that comes in (typed,
// pasted by key, menu or middle click, or committed by an input method)
// passes the grid's key filter one by one, so a grid's typing rules hold
// whichever way text arrives. Enter and Esc end the edit through the grid;
// Tab and Ctrl+Tab are the grid's.

#include "ui/ruled_line_edit.h"

#include <QPersistentModelIndex>

class TStringAlignGrid;

class TNewInplaceEdit : public TRuledLineEdit {
    Q_OBJECT
public:
    // `index` is the cell's item in the grid's model.
    TNewInplaceEdit(TStringAlignGrid& grid, const QModelIndex& index, QWidget* parent);

    // The grid cell this editor edits; it follows its row when rows are
    // inserted or moved meanwhile, and is -1 once its row is gone.
    int Col() const;
    int Row() const;

    // Pasted text goes through the grid's paste filter, then is typed; its
    // line breaks are no Enter keys and do not go in.
    void PasteText(const QString& text) override;

protected:
    void TypeText(const QString& text) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TStringAlignGrid& grid_;
    QPersistentModelIndex index_;
};
