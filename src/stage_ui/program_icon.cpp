#include "stage_ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap StageProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    painter.fillPath(frame, QColor(0x1f, 0x6f, 0x5c));
    // Three stages, each class larger than the one before, and the arrows
    // of survival from one to the next.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xf1, 0xde));
    const double radii[] = {0.08, 0.11, 0.14};
    const double centres[] = {0.2, 0.47, 0.78};
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(QPointF(centres[i] * s, 0.55 * s), radii[i] * s, radii[i] * s);
    QPen arrow(QColor(0xf2, 0xa5, 0x41), s * 0.05, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(arrow);
    painter.setBrush(Qt::NoBrush);
    // Fecundity: from the last stage back to the first, over the top.
    QPainterPath back;
    back.moveTo(0.78 * s, 0.38 * s);
    back.cubicTo(0.7 * s, 0.12 * s, 0.3 * s, 0.12 * s, 0.2 * s, 0.4 * s);
    painter.drawPath(back);
    painter.drawLine(QPointF(0.2 * s, 0.4 * s), QPointF(0.15 * s, 0.33 * s));
    painter.drawLine(QPointF(0.2 * s, 0.4 * s), QPointF(0.27 * s, 0.36 * s));
    return pixmap;
}
