#pragma once
// What a person does in the windows every program shares, as steps of real
// modal showings: opens a model and runs it from the menu, opens a dialog
// twice, types into fields, waits for a run to end, and sets a chart's
// properties.

#include "chart/scale_info.h"
#include "core/config.h"
#include "support/user_input.h"
#include "support/modal_steps.h"
#include "support/real_modals.h"
#include "support/scripted_dialogs.h"
#include "ui/mru_file_list.h"
#include "ui/program_main_window.h"
#include "ui/run_window.h"
#include "ui/numeric_edit.h"
#include "ui/result_window.h"
#include "ui/scale_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// File, Open from the menu, `path` chosen in the file dialog; changes of the
// model in the window are dropped ("No" to saving them).
inline void OpenFromMenu(TProgramMainWindow& window, ScriptedDialogs& dialogs, const std::string& path)
{
    if (window.ChangesToSave())
        dialogs.boxAnswers.push_front(TBoxAnswer::No);
    dialogs.fileNames.push_back(QString::fromStdString(path));
    window.Item("OpenItem").trigger();
}

// Lets the shown simulation window run until its run has returned.
inline void WaitForRunEnd(TRunWindow& window)
{
    EXPECT_TRUE(QTest::qWaitFor([&window] { return window.Finished(); }, 20000));
}

// The menu item twice: the first showing closed with a click on Cancel, the
// second worked by `step` inside its modal loop.
inline void OpenTwice(TProgramMainWindow& window, RealModals& modals, const char* item, RealModals::TStep step)
{
    modals.steps.push_back([](QDialog& d) { Click(ButtonOf(d, "Cancel")); });
    modals.steps.push_back(std::move(step));
    for (int showing = 0; showing < 2; ++showing) {
        window.Item(item).trigger();
        Settle();
    }
}

// Esc where the keyboard is, or on the window when no control has it.
inline void PressEscape(QWidget& window)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == &window ? focus : &window, Qt::Key_Escape);
    Settle();
}

// Simulation, Run from the menu, with the replications the model has; Esc
// closes the simulation window once the run is over.
inline void RunFromMenu(TProgramMainWindow& window, RealModals& runner)
{
    runner.steps.push_back([](QDialog& d) {
        WaitForRunEnd(static_cast<TRunWindow&>(d));
        PressEscape(d);
    });
    window.Item("RunItem").trigger();
}

// Simulation, Run from the menu, the model's replications run in full on
// the simulation window's showing, which then closes.
inline void RunInFull(TProgramMainWindow& window, ScriptedModals& modals)
{
    modals.steps.push_back([](QDialog& d) {
        static_cast<TRunWindow&>(d).TimerTimer();
        return TModalResult::Cancel;
    });
    window.Item("RunItem").trigger();
}

// Replaces the text of an edit as a person does: a click into it, all of
// it selected, the new text typed.
inline void RetypeField(QWidget& edit, const QString& text)
{
    Click(edit);
    Press(Qt::Key_A, Qt::ControlModifier);
    Type(text);
}

// Keys as a person types them into a shown dialog: a field reached by its
// mnemonic (Alt and the letter), or by Shift+Tab from the field after it
// that has the mnemonic, its text replaced by what is typed.
inline void TypeIntoMnemonic(Qt::Key mnemonic, const QString& text, bool fieldBefore = false)
{
    Press(mnemonic, Qt::AltModifier);
    if (fieldBefore)
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
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

// The commands that drop the model in the window, each by name: Exit, New,
// Open, Reopen by `reopen` and closing the window.
struct TDroppingCommand {
    const char* name;
    std::function<void()> run;
};
inline std::vector<TDroppingCommand> CommandsThatDropTheModel(TProgramMainWindow& window, QAction& reopen)
{
    return {
        {"Exit", [&window] { window.Item("ExitItem").trigger(); }},
        {"New", [&window] { window.Item("NewItem").trigger(); }},
        {"Open", [&window] { window.Item("OpenItem").trigger(); }},
        {"Reopen", [&reopen] { reopen.trigger(); }},
        {"closing the window", [&window] { window.close(); }},
    };
}

// What the chart settings of a program's models are checked with.
struct TChartSettingsCase {
    TKindTable kinds;           // the program's table of result kinds
    int trajectory;             // its Trajectory summary
    std::string withSettings;   // a model file, given chart settings and saved
    std::string without;        // another, without chart settings of its own
    const char* title;          // the title given to the first model's chart
    // Simulation, Run from the menu with few replications.
    std::function<void(RealModals&)> runFromMenu;
};

// Chart Properties belong to the model they were set for: set on the
// Trajectory summary of one model and saved with it, File, New and opening
// the other model bring back the built-in settings (which the other model's
// own chart shows), and opening or reopening the first brings its settings
// back.
inline void ExpectChartSettingsStayWithTheirModel(TProgramMainWindow& window, ScriptedDialogs& dialogs,
                                                  const TChartSettingsCase& c)
{
    const std::vector<TScaleInfo> builtIn = BuiltInScaleInfo(c.kinds);
    window.show();
    RealModals runner;
    OpenFromMenu(window, dialogs, c.withSettings);
    c.runFromMenu(runner);
    runner.steps.push_back([&](QDialog& d) { SetChartProperties(runner, d, c.title); });
    window.Item("TrajectorySummaryItem").trigger();
    const TScaleInfo edited = DefaultScaleInfo[c.trajectory];
    ASSERT_EQ(edited.Title, c.title);
    EXPECT_FALSE(edited.AutoScale);
    EXPECT_EQ(edited.YMaximum, 7);
    window.Item("SaveItem").trigger();

    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    window.Item("NewItem").trigger();
    EXPECT_EQ(DefaultScaleInfo, builtIn);

    OpenFromMenu(window, dialogs, c.withSettings);
    EXPECT_EQ(DefaultScaleInfo[c.trajectory], edited);
    OpenFromMenu(window, dialogs, c.without);
    EXPECT_EQ(DefaultScaleInfo, builtIn);
    c.runFromMenu(runner);
    runner.steps.push_back(ExpectBuiltInTrajectoryChart);
    window.Item("TrajectorySummaryItem").trigger();

    // Reopen brings the first model's settings back.
    ASSERT_EQ(window.MRUFileList().Items().value(1), QString::fromStdString(c.withSettings));
    QAction* reopen = ReopenItem(window.Item("OpenItem"), 1);
    ASSERT_NE(reopen, nullptr);
    dialogs.boxAnswers.push_front(TBoxAnswer::No);   // the other model's results are not kept
    reopen->trigger();
    EXPECT_EQ(ModelFileName, c.withSettings);
    EXPECT_EQ(DefaultScaleInfo[c.trajectory], edited);
}
