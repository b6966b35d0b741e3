#include "multi_ui/program_icon.h"

#include "ui/framed_icon.h"

#include <QPainter>

QPixmap MultiProgramIcon(int size)
{
    return FramedIcon(size, QColor(0x2c, 0x5a, 0x8c), [](QPainter& painter, double s) {
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
    });
}
