#include "ui/picture_files.h"

#include "core/file_io.h"
#include "core/messages.h"
#include "picture/emf_canvas.h"
#include "picture/wmf_canvas.h"
#include "ui/dialog_services.h"
#include "ui/painter_canvas.h"

#include <QBuffer>
#include <QColor>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

QImage PictureImage(int width, int height, const TDrawPicture& draw, TColor background)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(kPictureDpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(kPictureDpi / 0.0254 + 0.5));
    image.fill(QColor(RedOf(background), GreenOf(background), BlueOf(background)));
    QPainter painter(&image);
    TPainterCanvas canvas(painter);
    if (draw)
        draw(canvas);
    painter.end();
    return image;
}

bool SavePicture(const std::string& path, TPictureFormat format, int width, int height,
                 const TDrawPicture& draw, TColor background, const TPictureComment& comment)
{
    if (format == TPictureFormat::Bitmap) {
        const QImage image = PictureImage(width, height, draw, background);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "BMP"))
            return false;
        return WriteFileSafely(path, bytes.toStdString());
    }
    const TQtTextMeasure measure;
    if (format == TPictureFormat::EnhancedMetafile) {
        TEmfCanvas canvas(width, height, kPictureDpi, &measure);
        if (!comment.Creator.empty() || !comment.Description.empty())
            canvas.SetDescription(comment.Creator, comment.Description);
        if (draw)
            draw(canvas);
        return canvas.SaveToFile(path);
    }
    TWmfCanvas canvas(width, height, kPictureDpi, &measure);
    if (draw)
        draw(canvas);
    return canvas.SaveToFile(path);
}

bool PrintPictureOn(QPrinter& printer, const TDrawPicture& draw)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    TPainterCanvas canvas(painter);
    if (draw)
        draw(canvas);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool PrintPicture(QWidget* parent, const TDrawPicture& draw, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    if (!DialogServices().ChoosePrinter(parent, printer))
        return false;
    if (PrintPictureOn(printer, draw))
        return true;
    ErrorMessage("Printing failed.");
    return false;
}

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::SetOnPaint(TDrawPicture draw)
{
    draw_ = std::move(draw);
    update();
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TPainterCanvas canvas(painter);
    canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
    canvas.FillRect(canvas.DeviceRect());
    canvas.SetBrush(TBrush{});
    if (draw_)
        draw_(canvas);
}
