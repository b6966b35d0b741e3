#pragma once
// A run in a simulation window as the user starts it: the window shown
// modally (by script, never in a loop) and its run started at once.

#include "support/scripted_modals.h"
#include "ui/run_window.h"

#include <QObject>

#include <functional>

// Runs in `form`; `step` sees every time step the window takes in, `before`
// works the window before the run starts. `visibleAfterRun` tells whether
// the window was still open when the run had returned. True when the run
// completed.
inline bool RunInWindow(TRunWindow& form, const std::function<void(int, int)>& step,
                        const std::function<void()>& before, bool& visibleAfterRun)
{
    const QMetaObject::Connection c = QObject::connect(&form, &TRunWindow::StepReported, [&](int r, int t) {
        if (step)
            step(r, t);
    });
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog&) {
        if (before)
            before();
        form.TimerTimer();
        visibleAfterRun = form.isVisible();
        return TModalResult::Cancel;
    });
    const bool completed = form.Execute();
    QObject::disconnect(c);
    return completed;
}
