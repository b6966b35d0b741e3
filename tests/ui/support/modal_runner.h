#pragma once
// Modal showings as the program makes them: every dialog shown modally runs
// its own modal loop (exec), and the next scripted step works it from inside
// that loop once it is the active modal window, with keys to
// QApplication::focusWidget() and clicks as a person gives them. A step must
// close its dialog (a button, Enter or Esc); one still open afterwards fails
// the test and is cancelled, and a dialog without a step is cancelled too, so
// no test is ever left waiting. It installs itself for its lifetime.

#include "ui/modal_dialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

class ModalRunner {
public:
    using TStep = std::function<void(QDialog&)>;

    ModalRunner() : installed_([this](QDialog& dialog) { return Show(dialog); }) {}
    ModalRunner(const ModalRunner&) = delete;
    ModalRunner& operator=(const ModalRunner&) = delete;

    // Steps, used in order.
    std::deque<TStep> steps;
    // The window titles of the dialogs shown.
    std::vector<QString> shown;

private:
    TModalResult Show(QDialog& dialog)
    {
        shown.push_back(dialog.windowTitle());
        if (steps.empty()) {
            ADD_FAILURE() << "a dialog was shown without a step: " << dialog.windowTitle().toStdString();
            QTimer::singleShot(0, &dialog, &QDialog::reject);
        } else {
            TStep step = steps.front();
            steps.pop_front();
            QTimer::singleShot(0, &dialog, [&dialog, step] { Work(dialog, step); });
        }
        return dialog.exec() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    }

    static void Work(QDialog& dialog, const TStep& step)
    {
        dialog.activateWindow();
        const QDeadlineTimer deadline(5000);
        while ((QApplication::activeModalWidget() != &dialog || !dialog.isActiveWindow()) && !deadline.hasExpired())
            QTest::qWait(5);
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog) << dialog.windowTitle().toStdString();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        step(dialog);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the step left the dialog open: " << dialog.windowTitle().toStdString();
            dialog.reject();
        }
    }

    TScopedModalHandler installed_;
};
