#include "ui/new_inplace_edit.h"

#include "ui/string_align_grid.h"

#include <QKeyEvent>

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid& grid, const QModelIndex& index, QWidget* parent)
    : TRuledLineEdit(parent), grid_(grid), index_(index)
{
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, [this] { grid_.EditorTextChanged(this); });
}

int TNewInplaceEdit::Col() const { return index_.isValid() ? index_.column() + grid_.FixedCols() : -1; }

int TNewInplaceEdit::Row() const { return index_.isValid() ? index_.row() + grid_.FixedRows() : -1; }

void TNewInplaceEdit::PasteText(const QString& text) { TypeText(grid_.PastedText(*this, text)); }

void TNewInplaceEdit::TypeText(const QString& typed)
{
    for (QChar c : typed)
        if (c.unicode() >= 0x20 && grid_.AcceptKey(*this, c))
            insert(QString(c));
}

void TNewInplaceEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (grid_.LeaveByKey(*event)) {
        event->accept();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        QChar enter('\r');
        if (grid_.AcceptKey(*this, enter))
            grid_.EditorEnter(this);
    } else if (key == Qt::Key_Escape) {
        event->accept();
        grid_.EditorEscape(this);
    } else if (key == Qt::Key_Backspace && !(mods & ~Qt::ShiftModifier)) {
        QChar backspace('\b');
        if (grid_.AcceptKey(*this, backspace))
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
