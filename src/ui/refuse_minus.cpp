#include "ui/refuse_minus.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {

class TMinusFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == QLatin1String("-"))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void RefuseMinusSign(QWidget& edit) { edit.installEventFilter(new TMinusFilter(&edit)); }
