#include "ui/min_max.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

TMinMax::TMinMax(QWidget& form)
    : QObject(&form), form_(form), ownMinimum_(form.minimumSize()), ownMaximum_(form.maximumSize())
{
    const QSize screen = form.screen() ? form.screen()->size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int frame = std::max(0, (form.frameGeometry().width() - form.width()) / 2);
    trackSize_.MaxTrackWidth = std::min(screen.width() + 2 * frame, QWIDGETSIZE_MAX);
    trackSize_.MaxTrackHeight = std::min(screen.height() + 2 * frame, QWIDGETSIZE_MAX);
    Apply();
}

void TMinMax::SetMinMaxTrackSize(const TMinMaxTrackSize& size)
{
    trackSize_ = size;
    Apply();
}

void TMinMax::SetChanges(TMinMaxChanges changes)
{
    changes_ = changes;
    Apply();
}

void TMinMax::SetActive(bool on)
{
    active_ = on;
    Apply();
}

void TMinMax::SetOnBeforeResize(std::function<void(TMinMax&, TMinMaxTrackSize&)> handler)
{
    onBeforeResize_ = std::move(handler);
    Apply();
}

void TMinMax::Apply()
{
    if (!active_) {
        form_.setMinimumSize(ownMinimum_);
        form_.setMaximumSize(ownMaximum_);
        return;
    }
    TMinMaxTrackSize limits = trackSize_;
    if (onBeforeResize_)
        onBeforeResize_(*this, limits);
    const auto pick = [this](TMinMaxChange member, int value, int own) { return changes_.testFlag(member) ? value : own; };
    form_.setMinimumSize(pick(TMinMaxChange::mmMinTrackWidth, limits.MinTrackWidth, ownMinimum_.width()),
                         pick(TMinMaxChange::mmMinTrackHeight, limits.MinTrackHeight, ownMinimum_.height()));
    form_.setMaximumSize(pick(TMinMaxChange::mmMaxTrackWidth, limits.MaxTrackWidth, ownMaximum_.width()),
                         pick(TMinMaxChange::mmMaxTrackHeight, limits.MaxTrackHeight, ownMaximum_.height()));
}
