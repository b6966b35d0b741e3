#include "ui/new_inplace_edit.h"

#include "ui/ruled_edit_menu.h"
#include "ui/string_align_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid& grid, int col, int row, QWidget* parent)
    : QLineEdit(parent), grid_(grid), col_(col), row_(row)
{
    setFrame(false);
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textChanged, this, [this] { grid_.EditorTextChanged(this); });
}

void TNewInplaceEdit::TypeText(const QString& typed)
{
    for (const QChar c : typed)
        if (c.unicode() >= 0x20 && grid_.AcceptKey(*this, c))
            insert(QString(c));
}

void TNewInplaceEdit::PasteText(const QString& text)
{
    // Line breaks of the pasted text are no Enter keys.
    TypeText(text);
}

void TNewInplaceEdit::Paste()
{
    if (!isReadOnly())
        PasteText(QApplication::clipboard()->text());
}

std::unique_ptr<QMenu> TNewInplaceEdit::CreateContextMenu()
{
    return CreateRuledEditMenu(*this, {[this] { cut(); }, [this] { Paste(); }, [this] { del(); }});
}

void TNewInplaceEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        if (grid_.AcceptKey(*this, QChar('\r')))
            grid_.EditorEnter(this);
    } else if (key == Qt::Key_Escape) {
        event->accept();
        grid_.EditorEscape(this);
    } else if (key == Qt::Key_Backspace && !(mods & ~Qt::ShiftModifier)) {
        if (grid_.AcceptKey(*this, QChar('\b')))
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
    } else if (event->matches(QKeySequence::Paste)) {
        event->accept();
        Paste();
    } else if (!event->text().isEmpty() && event->text()[0].unicode() >= 0x20 &&
               !(mods & (Qt::ControlModifier | Qt::MetaModifier))) {
        event->accept();
        TypeText(event->text());
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

void TNewInplaceEdit::contextMenuEvent(QContextMenuEvent* event) { CreateContextMenu()->exec(event->globalPos()); }

void TNewInplaceEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The selection clipboard's middle-click paste goes through the filter.
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly())
            PasteText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TNewInplaceEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!isReadOnly() && !event->commitString().isEmpty())
        TypeText(event->commitString());
    event->accept();
}

void TNewInplaceEdit::dragEnterEvent(QDragEnterEvent* event) { event->ignore(); }
void TNewInplaceEdit::dragMoveEvent(QDragMoveEvent* event) { event->ignore(); }
void TNewInplaceEdit::dropEvent(QDropEvent* event) { event->ignore(); }
