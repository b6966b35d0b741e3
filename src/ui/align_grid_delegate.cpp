#include "ui/align_grid_delegate.h"

#include "ui/new_inplace_edit.h"
#include "ui/string_align_grid.h"

#include <QFocusEvent>
#include <QKeyEvent>

TAlignGridDelegate::TAlignGridDelegate(TStringAlignGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

void TAlignGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    grid_.PaintCell(*painter, option.rect, index.column() + grid_.FixedCols(), index.row() + grid_.FixedRows(),
                    option.state & QStyle::State_Selected, option.state & QStyle::State_HasFocus);
}

QWidget* TAlignGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new TNewInplaceEdit(grid_, index, parent);
    grid_.EditorOpened(editor);
    return editor;
}

void TAlignGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Setting the same text again would move the caret: the grid's cell
    // follows the editor while the user types.
    auto* edit = static_cast<TNewInplaceEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (edit->text() != text)
        edit->setText(text);
}

void TAlignGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<TNewInplaceEdit*>(editor)->text(), Qt::EditRole);
}

bool TAlignGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
            return false;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (auto* edit = qobject_cast<TNewInplaceEdit*>(object))
            grid_.EditorFocusLeft(edit);
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
