#pragma once
// Pictures of windows as a user sees them: on the offscreen platform, with a
// fixed font (DejaVu Sans from fonts-dejavu-core) and the "C" locale, so
// the pictures are the same on every machine. Shared by the screenshot tool
// and the window tests.

#include <QImage>

class QWidget;

// The fixed font as the application font, and the "C" locale for what is
// shown and for numbers in files. Call after the application is created.
void UseScreenSettings();

// Shows the widget, lets it lay out and paint, and grabs it as shown.
QImage GrabWindow(QWidget& widget);

// True when the image has pixels of more than one colour.
bool HasSeveralColours(const QImage& image);
