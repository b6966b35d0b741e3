#pragma once
// Limits the size to which the user can make a window: a minimum and a
// maximum width and height, each imposed only when named in Changes. The
// limits take effect at once and whenever a value changes; OnBeforeResize
// has the last word on them each time. Without a limit of its own a window
// keeps the limits it had.
//
// The defaults are the desktop's own: no minimum, and at most the size of
// the window's screen plus its frame on both sides.

#include <QFlags>
#include <QObject>
#include <QSize>

#include <functional>

class QWidget;

struct TMinMaxTrackSize {
    int MinTrackWidth = 0;
    int MinTrackHeight = 0;
    int MaxTrackWidth = 0;
    int MaxTrackHeight = 0;
};

enum class TMinMaxChange {
    mmMinTrackWidth = 0x1,
    mmMinTrackHeight = 0x2,
    mmMaxTrackWidth = 0x4,
    mmMaxTrackHeight = 0x8,
};
Q_DECLARE_FLAGS(TMinMaxChanges, TMinMaxChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMinMaxChanges)

class TMinMax : public QObject {
    Q_OBJECT
public:
    // `form` is the window limited; it owns this object.
    explicit TMinMax(QWidget& form);

    const TMinMaxTrackSize& MinMaxTrackSize() const { return trackSize_; }
    void SetMinMaxTrackSize(const TMinMaxTrackSize& size);
    TMinMaxChanges Changes() const { return changes_; }
    void SetChanges(TMinMaxChanges changes);
    // Off: the window has the limits it had without this object.
    bool Active() const { return active_; }
    void SetActive(bool on);

    // Called with the values about to be imposed; it may change them.
    void SetOnBeforeResize(std::function<void(TMinMax&, TMinMaxTrackSize&)> handler);

private:
    void Apply();

    QWidget& form_;
    QSize ownMinimum_;
    QSize ownMaximum_;
    TMinMaxTrackSize trackSize_;
    TMinMaxChanges changes_ = TMinMaxChange::mmMinTrackWidth | TMinMaxChange::mmMinTrackHeight |
                              TMinMaxChange::mmMaxTrackWidth | TMinMaxChange::mmMaxTrackHeight;
    bool active_ = true;
    std::function<void(TMinMax&, TMinMaxTrackSize&)> onBeforeResize_;
};
