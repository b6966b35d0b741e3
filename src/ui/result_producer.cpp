#include "ui/result_producer.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace {

int depth = 0;
std::vector<QPointer<QWidget>> waiting;
struct TWaitingCall {
    QPointer<QObject> context;
    std::function<void()> call;
};
std::vector<TWaitingCall> waitingCalls;

// Marks a call in progress; the last one out repaints what waited for it,
// also when the producer throws.
class TProduction {
public:
    TProduction() { ++depth; }
    ~TProduction()
    {
        if (--depth > 0)
            return;
        std::vector<QPointer<QWidget>> due;
        due.swap(waiting);
        for (const QPointer<QWidget>& widget : due)
            if (widget)
                widget->update();
        std::vector<TWaitingCall> calls;
        calls.swap(waitingCalls);
        for (TWaitingCall& c : calls)
            if (c.context)
                QTimer::singleShot(0, c.context, std::move(c.call));
    }
    TProduction(const TProduction&) = delete;
    TProduction& operator=(const TProduction&) = delete;
};

}  // namespace

bool TResultProducer::Produce(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind,
                              int mode, bool warnFlag)
{
    if (depth > 0)
        return false;
    TProduction production;
    return ProduceOutput(settings, graph, lines, kind, mode, warnFlag);
}

bool ProductionInProgress() { return depth > 0; }

void RepaintAfterProduction(QWidget* widget)
{
    if (!widget)
        return;
    if (depth == 0) {
        widget->update();
        return;
    }
    for (const QPointer<QWidget>& w : waiting)
        if (w == widget)
            return;
    waiting.emplace_back(widget);
}

void CallAfterProduction(QObject* context, std::function<void()> call)
{
    if (depth == 0) {
        call();
        return;
    }
    waitingCalls.push_back({context, std::move(call)});
}
