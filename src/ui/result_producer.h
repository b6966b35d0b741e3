#pragma once
// What a result window asks of its program: the program's result producer
// and the program's title. Each program gives the windows one producer; the
// windows know nothing about the results themselves.
//
// The producer contract: Produce(settings, graph, lines, kind, mode,
// warnFlag) checks (mode 0), draws on the graph (1), appends aligned text
// lines (2) or comma-separated lines (3) for the result kind; the settings
// are updated in place; warnFlag lets the producer show its conditional
// messages. True when the result exists and was produced.
//
// A producer shares one plot buffer between its calls, so it must never be
// called while a call is in progress. A call can show a message box, whose
// event loop may repaint a window: such a repaint must not produce, only ask
// to be done again once the production has ended (RepaintAfterProduction).

#include "chart/graph.h"
#include "chart/result_modes.h"
#include "chart/scale_info.h"

#include <functional>
#include <string>
#include <vector>

class QObject;
class QWidget;

class TResultProducer {
public:
    virtual ~TResultProducer() = default;

    // The program's title, which saved metafiles name as their description.
    virtual std::string ProgramTitle() const = 0;

    // One call of the producer. While another call is in progress nothing is
    // produced and the answer is false.
    bool Produce(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                 bool warnFlag);

protected:
    virtual bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind,
                               int mode, bool warnFlag) = 0;
};

// True while any producer call is in progress.
bool ProductionInProgress();

// Repaints the widget once the call in progress has ended (at once when
// there is none).
void RepaintAfterProduction(QWidget* widget);

// Calls `call` at once when no producer call is in progress; otherwise from
// the event loop once the last call has ended, unless `context` is gone by
// then. For what changes the producer's input (a window's settings, the
// selected population), which must wait until the call in progress is over.
void CallAfterProduction(QObject* context, std::function<void()> call);
