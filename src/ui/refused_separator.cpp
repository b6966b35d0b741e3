#include "ui/refused_separator.h"

#include "core/messages.h"

#include <QToolTip>
#include <QWidget>

QString RefusedSeparatorTip() { return QStringLiteral("This field takes whole numbers only."); }

void RefuseSeparator(QWidget& field)
{
    WarningBeep();
    QToolTip::showText(field.mapToGlobal(QPoint(0, field.height())), RefusedSeparatorTip(), &field);
}
