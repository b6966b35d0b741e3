#include "multi_ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap MultiProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    painter.fillPath(frame, QColor(0x2c, 0x5a, 0x8c));
    // Three populations and the paths dispersers take between them.
    const QPointF centres[] = {{0.27 * s, 0.3 * s}, {0.72 * s, 0.38 * s}, {0.4 * s, 0.74 * s}};
    const double radii[] = {0.13, 0.09, 0.11};
    painter.setPen(QPen(QColor(0xf2, 0xa5, 0x41), s * 0.05, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centres[0], centres[1]);
    painter.drawLine(centres[0], centres[2]);
    painter.drawLine(centres[1], centres[2]);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xf1, 0xde));
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(centres[i], radii[i] * s, radii[i] * s);
    return pixmap;
}
