#include "ui/ruled_line_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMouseEvent>

TRuledLineEdit::TRuledLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(false);
    setDragEnabled(false);
}

void TRuledLineEdit::Paste()
{
    if (!isReadOnly())
        PasteText(QApplication::clipboard()->text());
}

std::unique_ptr<QMenu> TRuledLineEdit::CreateContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    menu->addAction(tr("Cu&t"), this, [this] { CutSelection(); })->setEnabled(editable && selected);
    menu->addAction(tr("&Copy"), this, &QLineEdit::copy)->setEnabled(selected);
    menu->addAction(tr("&Paste"), this, &TRuledLineEdit::Paste)
        ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu->addAction(tr("Delete"), this, [this] { DeleteSelection(); })->setEnabled(editable && selected);
    menu->addSeparator();
    menu->addAction(tr("Select All"), this, &QLineEdit::selectAll);
    return menu;
}

void TRuledLineEdit::contextMenuEvent(QContextMenuEvent* event) { CreateContextMenu()->exec(event->globalPos()); }

void TRuledLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // Where there is a selection clipboard, the line edit pastes it on a
    // middle click straight into the text: here it goes through the rules.
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly())
            PasteText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TRuledLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Only committed text counts, and it is typed key by key.
    if (!isReadOnly() && !event->commitString().isEmpty())
        TypeText(event->commitString());
    event->accept();
}

void TRuledLineEdit::dragEnterEvent(QDragEnterEvent* event) { event->ignore(); }
void TRuledLineEdit::dragMoveEvent(QDragMoveEvent* event) { event->ignore(); }
void TRuledLineEdit::dropEvent(QDropEvent* event) { event->ignore(); }
