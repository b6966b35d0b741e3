#pragma once
// What a person does in the windows every program shares, as steps of real
// modal showings: waits for a run to end, and sets a chart's properties.

#include "support/modal_steps.h"
#include "support/real_modals.h"
#include "support/user_input.h"
#include "ui/run_window.h"
#include "ui/numeric_edit.h"
#include "ui/result_window.h"
#include "ui/scale_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// Lets the shown simulation window run until its run has returned.
inline void WaitForRunEnd(TRunWindow& window)
{
    const QDeadlineTimer deadline(20000);
    while (!window.Finished() && !deadline.hasExpired())
        QTest::qWait(10);
    EXPECT_TRUE(window.Finished());
}

// Esc where the keyboard is, or on the window when no control has it.
inline void PressEscape(QWidget& window)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == &window ? focus : &window, Qt::Key_Escape);
    Settle();
}

// Replaces the text of an edit as a person does: a click into it, all of
// it selected, the new text typed.
inline void RetypeField(QWidget& edit, const QString& text)
{
    Click(edit);
    Press(Qt::Key_A, Qt::ControlModifier);
    Type(text);
}

// In a shown result window: Scale, then in Chart Properties a new title,
// Autoscale off and fixed limits, OK; then Esc closes the result window.
inline void SetChartProperties(RealModals& runner, QDialog& resultWindow, const QString& title)
{
    runner.steps.push_front([title](QDialog& d) {
        auto& form = static_cast<TScaleForm&>(d);
        Press(Qt::Key_T, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type(title);
        Click(form.AutoscaleCheckBox(), QPoint(6, form.AutoscaleCheckBox().height() / 2));
        EXPECT_FALSE(form.AutoscaleCheckBox().isChecked());
        RetypeField(form.XAxisMinEdit(), "2");
        RetypeField(form.XAxisMaxEdit(), "5");
        RetypeField(form.YAxisMinEdit(), "0");
        RetypeField(form.YAxisMaxEdit(), "7");
        Click(form.OkButton());
    });
    auto* scale = resultWindow.findChild<QToolButton*>(QStringLiteral("ScaleBtn"));
    ASSERT_NE(scale, nullptr);
    Click(*scale);
    PressEscape(resultWindow);
}

// In a shown Trajectory summary window: its chart goes by the built-in
// settings (the built-in title, autoscaled); then Esc closes the window.
inline void ExpectBuiltInTrajectoryChart(QDialog& resultWindow)
{
    const TScaleInfo& info = static_cast<TResultTemplateForm&>(resultWindow).ScaleInfo();
    EXPECT_EQ(info.Title, "Trajectory summary");
    EXPECT_TRUE(info.AutoScale);
    PressEscape(resultWindow);
}

// Simulation, Run by `runFromMenu` on two showings in turn: each time Esc
// has closed the simulation window once its run was over.
template <class MainForm, class RunFromMenu>
void ExpectEscClosesTheSimulationWindowOnEveryShowing(MainForm& form, RealModals& runner, RunFromMenu runFromMenu)
{
    for (int showing = 1; showing <= 2; ++showing) {
        runFromMenu(runner);
        EXPECT_EQ(runner.showings, showing);
        EXPECT_FALSE(form.SimulationForm().isVisible());
        EXPECT_EQ(form.SimulationForm().StatusText(3), "Simulation complete");
    }
}

// The item of the File menu's Reopen submenu at `index` (0 the newest), found
// from any item of the File menu; null when there is none.
inline QAction* ReopenItem(QAction& fileItem, int index)
{
    for (QAction* item : MenuOf(fileItem).actions())
        if (item->menu() && item->text() == QStringLiteral("&Reopen"))
            return item->menu()->actions().value(index);
    return nullptr;
}
