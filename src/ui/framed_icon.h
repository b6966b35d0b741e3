#pragma once
// The frame the unstructured programs' icons share: a rounded square of the
// program's colour with the program's picture on it.

#include <QColor>
#include <QPixmap>

#include <functional>

class QPainter;

// An icon of `size` pixels: a rounded square of `colour` with what `draw`
// paints on it, given the painter and the size.
QPixmap FramedIcon(int size, const QColor& colour, const std::function<void(QPainter&, double)>& draw);
