#pragma once
// Refusing a numeric edit's value out of range, the dialogs' way. When the
// edit reports an invalid entry (Enter, or the focus leaving it) the message
// comes once the focus has moved, not inside the leave itself, so that no
// second message can arise; then the focus goes back to the edit. The focus
// moving to a button that needs no valid value (Cancel, Help) or that checks
// every edit itself (OK, Apply) is no leaving: name those with Exempt.

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

    // The watched edits that are enabled, in the order watched: the first
    // whose value is out of range gets its message and the focus, and the
    // answer is false.
    bool CheckAll();

private:
    void Schedule(TFnpNumericEdit* edit);
    void CheckPending();
    bool Check(TFnpNumericEdit& edit, const TMessage& message);

    QWidget& window_;
    std::vector<std::pair<QPointer<TFnpNumericEdit>, TMessage>> watched_;
    std::vector<QPointer<QWidget>> exempt_;
    QPointer<TFnpNumericEdit> pending_;
    bool checking_ = false;
};
