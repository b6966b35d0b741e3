#include "ui/invalid_entry_check.h"

#include "core/messages.h"
#include "ui/numeric_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>

#include <algorithm>

TInvalidEntryCheck::TInvalidEntryCheck(QWidget& window) : QObject(&window), window_(window) {}

void TInvalidEntryCheck::Watch(TFnpNumericEdit& edit, TMessage message)
{
    watched_.emplace_back(&edit, std::move(message));
    TFnpNumericEdit* watched = &edit;
    edit.installEventFilter(this);
    connect(&edit, &TFnpNumericEdit::OnInvalidEntry, this, [this, watched] { Schedule(watched); });
}

void TInvalidEntryCheck::Exempt(QWidget& widget) { exempt_.emplace_back(&widget); }

void TInvalidEntryCheck::ChecksItself(QWidget& widget) { checksItself_.emplace_back(&widget); }

bool TInvalidEntryCheck::eventFilter(QObject* watched, QEvent* event)
{
    // Seen before the edit itself reports the invalid entry.
    if (event->type() == QEvent::FocusOut)
        leaveReason_ = static_cast<QFocusEvent*>(event)->reason();
    else if (event->type() == QEvent::KeyPress)
        leaveReason_ = Qt::OtherFocusReason;  // Enter: the edit keeps the focus
    return QObject::eventFilter(watched, event);
}

bool TInvalidEntryCheck::CheckAll()
{
    for (const auto& [edit, message] : watched_)
        if (edit && edit->isEnabled() && !Check(*edit, message))
            return false;
    return true;
}

void TInvalidEntryCheck::Schedule(TFnpNumericEdit* edit)
{
    if (pending_ || checking_)
        return;
    pending_ = edit;
    pendingReason_ = leaveReason_;
    QTimer::singleShot(0, this, &TInvalidEntryCheck::CheckPending);
}

void TInvalidEntryCheck::CheckPending()
{
    TFnpNumericEdit* edit = pending_;
    pending_ = nullptr;
    if (!edit || checking_ || !window_.isVisible() || !edit->isEnabled())
        return;
    QWidget* now = QApplication::focusWidget();
    if (now && std::find(exempt_.begin(), exempt_.end(), now) != exempt_.end())
        return;
    // Back in the edit (a check of the whole window told of it meanwhile):
    // it has not been left.
    if (now == edit)
        return;
    // A mouse press or a mnemonic clicks the control, which then checks.
    const bool clicked = pendingReason_ == Qt::MouseFocusReason || pendingReason_ == Qt::ShortcutFocusReason;
    if (now && clicked &&
        std::find(checksItself_.begin(), checksItself_.end(), now) != checksItself_.end())
        return;
    for (const auto& [watched, message] : watched_)
        if (watched == edit) {
            Check(*edit, message);
            return;
        }
}

bool TInvalidEntryCheck::Check(TFnpNumericEdit& edit, const TMessage& message)
{
    if (edit.Reading().Accepted())
        return true;
    checking_ = true;
    // A text that is no number, or no number this field takes, is told as
    // such; a number beyond the limits with the window's range message.
    if (const std::string refusal = edit.RefusalMessage(); !refusal.empty())
        ErrorMessage(refusal);
    else
        message(edit);
    edit.setFocus();
    checking_ = false;
    return false;
}
