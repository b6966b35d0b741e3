#include "support/screen_driver.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPixmap>
#include <QWidget>

#include <clocale>

void UseScreenSettings()
{
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

QImage GrabWindow(QWidget& widget)
{
    widget.show();
    // Layouts and paints arrive as posted events; two rounds settle both.
    for (int i = 0; i < 2; ++i)
        QApplication::processEvents();
    return widget.grab().toImage();
}

bool HasSeveralColours(const QImage& image)
{
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return true;
    return false;
}
