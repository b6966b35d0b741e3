#include "ui/ellipsis_label.h"

#include "core/text_shortening.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

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
    int widest = 0;
    for (const QString& line : caption_.split(QLatin1Char('\n')))
        widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    return {widest + margins.left() + margins.right() + 2 * margin(), QLabel::sizeHint().height()};
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
    // Each line of a caption of several lines is shortened on its own.
    QStringList shown;
    for (const QString& line : caption_.split(QLatin1Char('\n')))
        shown << QString::fromStdString(
            FitText(isPath_, line.toStdString(), width,
                    [&metrics](const std::string& text) { return metrics.horizontalAdvance(QString::fromStdString(text)); }));
    setText(shown.join(QLatin1Char('\n')));
    if (autoHint_)
        setToolTip(caption_);
}
