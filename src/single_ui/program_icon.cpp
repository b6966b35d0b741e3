#include "single_ui/program_icon.h"

#include "ui/framed_icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap SingleProgramIcon(int size)
{
    return FramedIcon(size, QColor(0x2f, 0x6b, 0x4f), [](QPainter& painter, double s) {
        // A growth curve levelling off at its carrying capacity.
        QPainterPath growth;
        growth.moveTo(0.15 * s, 0.8 * s);
        growth.cubicTo(0.45 * s, 0.78 * s, 0.45 * s, 0.3 * s, 0.85 * s, 0.28 * s);
        painter.setPen(QPen(QColor(0xf2, 0xa5, 0x41), s * 0.07, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(growth);
        painter.setPen(QPen(QColor(0xf4, 0xf1, 0xde), s * 0.03, Qt::DashLine));
        painter.drawLine(QPointF(0.15 * s, 0.22 * s), QPointF(0.85 * s, 0.22 * s));
    });
}
