#include "ui/hints.h"

#include <QWidget>

void SetHint(QWidget& widget, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget.setToolTip(bar < 0 ? hint : hint.left(bar));
    widget.setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}
