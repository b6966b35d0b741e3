#include "ui/field_name.h"

#include <QLabel>
#include <QWidget>

std::string FieldName(const QWidget& field)
{
    QString name;
    if (const QWidget* window = field.window())
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->buddy() == &field) {
                name = label->text();
                break;
            }
    if (name.isEmpty())
        name = field.accessibleName();
    // "&&" is an ampersand shown; a single "&" marks the access key.
    name.replace(QLatin1String("&&"), QLatin1String("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    name = name.trimmed();
    return name.isEmpty() ? std::string("This field") : name.toLatin1().toStdString();
}
