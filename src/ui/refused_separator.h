#pragma once
// How a field for whole numbers refuses a decimal separator: the warning
// beep, and a tip below the field that says why, so that a user who does not
// hear the beep still sees that the key went nowhere.

#include <QString>

class QWidget;

// "This field takes whole numbers only."
QString RefusedSeparatorTip();

// Beeps and shows the tip below `field`.
void RefuseSeparator(QWidget& field);
