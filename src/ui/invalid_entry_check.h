#pragma once
// Refusing a numeric edit's value out of range, the dialogs' way. When the
// edit reports an invalid entry (Enter, or the focus leaving it) the message
// comes once the focus has moved, not inside the leave itself, so that no
// second message can arise; then the focus goes back to the edit. The focus
// moving to a button that needs no valid value (Cancel, Help) is no leaving:
// name those with Exempt. A control that checks every edit itself when it is
// clicked (OK, Apply, a view) is named with ChecksItself: a mouse press or a
// mnemonic on it is no leaving, since its click brings the message, but Tab
// onto it is.

#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

class TFnpNumericEdit;
class QWidget;

class TInvalidEntryCheck : public QObject {
    Q_OBJECT
public:
    // Tells the user why the edit's value is refused.
    using TMessage = std::function<void(TFnpNumericEdit&)>;

    explicit TInvalidEntryCheck(QWidget& window);

    void Watch(TFnpNumericEdit& edit, TMessage message);
    void Exempt(QWidget& widget);
    void ChecksItself(QWidget& widget);

    // The watched edits that are enabled, in the order watched: the first
    // whose value is out of range gets its message and the focus, and the
    // answer is false.
    bool CheckAll();

protected:
    // Keeps how the focus left a watched edit.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Schedule(TFnpNumericEdit* edit);
    void CheckPending();
    bool Check(TFnpNumericEdit& edit, const TMessage& message);

    QWidget& window_;
    std::vector<std::pair<QPointer<TFnpNumericEdit>, TMessage>> watched_;
    std::vector<QPointer<QWidget>> exempt_;
    std::vector<QPointer<QWidget>> checksItself_;
    Qt::FocusReason leaveReason_ = Qt::OtherFocusReason;
    Qt::FocusReason pendingReason_ = Qt::OtherFocusReason;
    QPointer<TFnpNumericEdit> pending_;
    bool checking_ = false;
};
