#include "ui/align_grid_header.h"

#include "ui/string_align_grid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>

TAlignGridHeader::TAlignGridHeader(Qt::Orientation orientation, TStringAlignGrid& grid)
    : QHeaderView(orientation, &grid), grid_(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
}

int TAlignGridHeader::CellCol(int logicalIndex) const
{
    return orientation() == Qt::Horizontal ? logicalIndex + grid_.FixedCols() : 0;
}

int TAlignGridHeader::CellRow(int logicalIndex) const
{
    return orientation() == Qt::Horizontal ? 0 : logicalIndex + grid_.FixedRows();
}

QSize TAlignGridHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (orientation() == Qt::Horizontal)
        size.setHeight(grid_.RowHeights(0));
    else
        size.setWidth(grid_.ColWidths(0));
    return size;
}

void TAlignGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    grid_.PaintCell(*painter, rect, CellCol(logicalIndex), CellRow(logicalIndex), false, false);
    painter->restore();
}

void TAlignGridHeader::mousePressEvent(QMouseEvent* event)
{
    // Pressed, the row is current before a drag of it begins, so the drag
    // carries it along.
    if (orientation() == Qt::Vertical && event->button() == Qt::LeftButton) {
        const int logical = logicalIndexAt(event->position().toPoint());
        if (logical >= 0)
            grid_.RowHeaderClicked(CellRow(logical));
    }
    QHeaderView::mousePressEvent(event);
}

bool TAlignGridHeader::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QPoint pos = static_cast<QHelpEvent*>(event)->pos();
        const int logical = logicalIndexAt(pos);
        if (logical >= 0) {
            const QRect rect = orientation() == Qt::Horizontal
                                   ? QRect(sectionViewportPosition(logical), 0, sectionSize(logical), height())
                                   : QRect(0, sectionViewportPosition(logical), width(), sectionSize(logical));
            if (grid_.ShowHint(viewport(), rect, CellCol(logical), CellRow(logical)))
                return true;
        }
    }
    return QHeaderView::viewportEvent(event);
}
