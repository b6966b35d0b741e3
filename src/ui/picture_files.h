#pragma once
// Chart pictures: shown in a paint box, saved as a bitmap (BMP), an enhanced
// metafile (EMF) or a Windows metafile (WMF), and printed. The picture is a
// function that draws on whatever canvas it is given, so one drawing routine
// serves the screen, the files and the printer.

#include "chart/canvas.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

class QPrinter;

using TDrawPicture = std::function<void(TCanvas&)>;

enum class TPictureFormat { Bitmap, EnhancedMetafile, WindowsMetafile };

// What an enhanced metafile names in its header: the application that made
// it and the picture's title. The other formats have no place for it.
struct TPictureComment {
    std::string Creator;
    std::string Description;
};

// Resolution of saved pictures.
constexpr int kPictureDpi = 96;

// The picture drawn on a width x height image filled with the background
// colour first.
QImage PictureImage(int width, int height, const TDrawPicture& draw, TColor background = kWhite);

// Draws the picture at width x height pixels and writes the file through a
// temporary file and a rename, so a failed save leaves an older file whole.
// A bitmap is filled with the background colour first; the metafiles measure
// text with the installed fonts. False when the file cannot be written.
bool SavePicture(const std::string& path, TPictureFormat format, int width, int height,
                 const TDrawPicture& draw, TColor background = kWhite, const TPictureComment& comment = {});

// Draws the picture on the printer's printable page, which is the canvas's
// device rectangle. False when the printer cannot start or fails.
bool PrintPictureOn(QPrinter& printer, const TDrawPicture& draw);

// Asks for the printer through the dialog service (without a printer the
// user can print to PDF) and prints, under `title` in the print queue.
// Cancel prints nothing. True when printed; a failure is reported as an
// error.
bool PrintPicture(QWidget* parent, const TDrawPicture& draw, const QString& title = QString());

// A widget that draws a picture on itself: it fills itself with the window
// colour and calls the picture with a canvas over its whole area on every
// paint.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);
    void SetOnPaint(TDrawPicture draw);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TDrawPicture draw_;
};
