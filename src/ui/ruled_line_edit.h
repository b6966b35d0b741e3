#pragma once
// A line edit whose text changes only through rules of its own (the numeric
// edit, the text grid's cell editor). Besides the keys, which the subclass
// handles, text comes in by paste (key, context menu, the middle-button
// paste of the selection clipboard) and by input methods: all of it goes
// through the subclass's routines. Dropped text is refused. The context menu
// has no Undo, which would bring back texts the rules never saw.

#include <QLineEdit>

#include <memory>

class QMenu;

class TRuledLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TRuledLineEdit(QWidget* parent = nullptr);

    // Text from the clipboard or elsewhere, through the rules.
    virtual void PasteText(const QString& text) = 0;
    // The clipboard's text through PasteText, unless the edit is read-only.
    void Paste();

    // The context menu: Cut, Copy, Paste, Delete, Select All.
    std::unique_ptr<QMenu> CreateContextMenu();

protected:
    // Text an input method commits, as if typed.
    virtual void TypeText(const QString& text) = 0;
    // The menu's Cut and Delete.
    virtual void CutSelection() { cut(); }
    virtual void DeleteSelection() { del(); }

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
