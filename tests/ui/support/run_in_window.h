#pragma once
// A run in a simulation window as the user starts it: the window shown
// modally (by script, never in a loop) and its run started at once; and what
// a close during the run does.

#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/run_window.h"

#include <QObject>

#include <gtest/gtest.h>

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

// A close asked for from inside a run of 8 replications, in replication 3:
// the window asks first; No goes on to the end; Yes stops the run and closes
// the window once the run has returned, not while the run still writes into
// the window. `setReplications` sets the replications of the model the
// window runs; `dialogs` answers the question.
inline void ExpectCloseDuringTheRunAsksAndClosesAfterIt(TRunWindow& form, ScriptedDialogs& dialogs,
                                                        const std::function<void(int)>& setReplications)
{
    for (const TBoxAnswer answer : {TBoxAnswer::No, TBoxAnswer::Yes}) {
        const bool yes = answer == TBoxAnswer::Yes;
        SCOPED_TRACE(yes);
        dialogs.boxes.clear();
        dialogs.boxAnswers.push_back(answer);
        setReplications(8);
        bool openAfterClose = false;
        bool visibleAfterRun = false;
        const bool completed = RunInWindow(
            form,
            [&](int r, int t) {
                if (r == 3 && t == 1) {
                    form.close();
                    openAfterClose = form.isVisible();
                }
            },
            {}, visibleAfterRun);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "This will cancel the simulation.  Is this ok?");
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNo);
        EXPECT_TRUE(openAfterClose);
        EXPECT_EQ(completed, !yes);
        EXPECT_EQ(form.Outcome().replicationsDone, yes ? 3 : 8);
        EXPECT_EQ(visibleAfterRun, !yes);
    }
}
