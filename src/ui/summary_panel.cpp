#include "ui/summary_panel.h"

#include "ui/hints.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

#include <stdexcept>

TSummaryPanel::TSummaryPanel(QWidget* parent) : QWidget(parent)
{
    installEventFilter(this);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(8, 8, 8, 8);
    grid_->setHorizontalSpacing(12);
    grid_->setColumnStretch(1, 1);
}

QLabel& TSummaryPanel::AddLine(const QString& caption, const char* name, const QString& hint,
                               std::function<void()> open, bool captioned)
{
    const int row = static_cast<int>(lines_.size());
    QLabel* captionLabel = captioned ? new QLabel(caption, this) : nullptr;
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextFormat(Qt::PlainText);
    if (captionLabel) {
        grid_->addWidget(captionLabel, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid_->addWidget(value, row, 1, Qt::AlignTop);
    } else {
        grid_->addWidget(value, row, 0, 1, 2, Qt::AlignTop);
    }
    for (QLabel* label : {captionLabel, value})
        if (label) {
            SetHint(*label, hint);
            label->installEventFilter(this);
        }
    lines_.push_back({caption, captionLabel, value, std::move(open)});
    return *value;
}

void TSummaryPanel::EndLines() { grid_->setRowStretch(static_cast<int>(lines_.size()), 1); }

const TSummaryPanel::TLine& TSummaryPanel::Line(const QString& caption) const
{
    for (const TLine& line : lines_)
        if (line.caption == caption)
            return line;
    throw std::invalid_argument("no summary line " + caption.toStdString());
}

QLabel& TSummaryPanel::Label(const QString& caption) const { return *Line(caption).value; }

QLabel* TSummaryPanel::CaptionLabel(const QString& caption) const { return Line(caption).captionLabel; }

bool TSummaryPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            std::function<void()> open = watched == this ? onPanelClick_ : nullptr;
            for (const TLine& line : lines_)
                if (watched == line.captionLabel || watched == line.value)
                    open = line.open;
            if (open) {
                open();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
