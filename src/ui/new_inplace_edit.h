#pragma once
// The editor of one cell of the text grid: a line edit in the cell's
// alignment, font and background. Every character that comes in (typed,
// pasted by key, menu or middle click, or committed by an input method)
// passes the grid's key filter one by one; dropped text is refused. Enter
// and Esc end the edit through the grid; Tab is the grid's.

#include <QLineEdit>

#include <memory>

class QMenu;
class TStringAlignGrid;

class TNewInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    TNewInplaceEdit(TStringAlignGrid& grid, int col, int row, QWidget* parent);

    // The grid cell this editor edits.
    int Col() const { return col_; }
    int Row() const { return row_; }

    // Text from the clipboard or elsewhere, character by character through
    // the grid's key filter.
    void PasteText(const QString& text);
    void Paste();
    std::unique_ptr<QMenu> CreateContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void TypeText(const QString& text);

    TStringAlignGrid& grid_;
    int col_;
    int row_;
};
