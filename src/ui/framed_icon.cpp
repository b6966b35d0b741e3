#include "ui/framed_icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap FramedIcon(int size, const QColor& colour, const std::function<void(QPainter&, double)>& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    painter.fillPath(frame, colour);
    draw(painter, s);
    return pixmap;
}
