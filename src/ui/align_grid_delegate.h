#pragma once
// Draws the text grid's cells and makes their editors. Enter, Esc and Tab
// are left to the editor and the grid (Qt's own handling would end the edit
// its way), and a context menu or another window taking the focus does not
// end an edit.

#include <QStyledItemDelegate>

class TStringAlignGrid;

class TAlignGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TAlignGridDelegate(TStringAlignGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TStringAlignGrid& grid_;
};
