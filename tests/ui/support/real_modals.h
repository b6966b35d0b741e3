#pragma once
// Modal showings run for real: each dialog shown modally runs its own event
// loop, and the next scripted step works it from inside that loop, as a
// person does once the dialog is up (it is then the active modal widget).
// A step must close the dialog; one left open fails the test and is
// cancelled, so no test ever waits. It installs itself for its lifetime.

#include "ui/modal_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

class RealModals {
public:
    using TStep = std::function<void(QDialog&)>;

    RealModals() = default;
    RealModals(const RealModals&) = delete;
    RealModals& operator=(const RealModals&) = delete;

    // Steps, used in order; a showing without one fails the test.
    std::deque<TStep> steps;
    int showings = 0;

private:
    TModalResult Show(QDialog& dialog)
    {
        ++showings;
        TStep step;
        if (!steps.empty()) {
            step = steps.front();
            steps.pop_front();
        }
        QPointer<QDialog> shown(&dialog);
        QTimer::singleShot(0, &dialog, [shown, step] {
            if (!QTest::qWaitForWindowActive(shown.data()))
                ADD_FAILURE() << "the dialog did not become active";
            if (shown) {
                EXPECT_EQ(QApplication::activeModalWidget(), shown.data());
            }
            if (step && shown)
                step(*shown);
            else
                ADD_FAILURE() << "a dialog was shown without a step";
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "the step left " << shown->windowTitle().toStdString() << " open";
                shown->reject();
            }
        });
        return dialog.exec() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    }

    TScopedModalHandler installed_{[this](QDialog& dialog) { return Show(dialog); }};
};
