#pragma once
// A fixed line of the text grid shown as the table's header: the fixed row
// as the horizontal header, the fixed column as the vertical one. It draws
// the fixed cells with their own attributes, is as high (wide) as the fixed
// row (column) and shows the fixed cells' hints. A press on a row's header
// cell makes that row current.

#include <QHeaderView>

class TStringAlignGrid;

class TAlignGridHeader : public QHeaderView {
    Q_OBJECT
public:
    TAlignGridHeader(Qt::Orientation orientation, TStringAlignGrid& grid);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int CellCol(int logicalIndex) const;
    int CellRow(int logicalIndex) const;

    TStringAlignGrid& grid_;
};
