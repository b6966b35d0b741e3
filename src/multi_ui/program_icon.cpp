#include "multi_ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

// An icon of `size` pixels: a rounded square of `colour` with what `draw`
// paints on it, given the painter and the size.
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

}  // namespace

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
