#pragma once
// Hints are written as a short text, "|" and a long text: the short one is
// the tool tip, the long one the status-line text. A hint without "|" is
// both.

#include <QString>

class QWidget;

void SetHint(QWidget& widget, const QString& hint);
