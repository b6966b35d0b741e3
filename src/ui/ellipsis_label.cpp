#include "ui/ellipsis_label.h"

#include "core/text_shortening.h"

#include <QEvent>
#include <QFontMetrics>

TEllipsisLabel::TEllipsisLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void TEllipsisLabel::SetCaption(const QString& caption)
{
    caption_ = caption;
    updateGeometry();
    Refit();
}

void TEllipsisLabel::SetIsPath(bool on)
{
    isPath_ = on;
    Refit();
}

void TEllipsisLabel::SetAutoHint(bool on)
{
    autoHint_ = on;
    Refit();
}

QSize TEllipsisLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(caption_) + margins.left() + margins.right() + 2 * margin(),
            QLabel::sizeHint().height()};
}

QSize TEllipsisLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral(".")), QLabel::minimumSizeHint().height()};
}

void TEllipsisLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Refit();
}

void TEllipsisLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        Refit();
    }
}

void TEllipsisLabel::Refit()
{
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width() - 2 * margin();
    const std::string shown = FitText(isPath_, caption_.toStdString(), width, [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    });
    setText(QString::fromStdString(shown));
    if (autoHint_)
        setToolTip(caption_);
}
