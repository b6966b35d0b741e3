#include "unstructured_ui/simulation_form.h"

#include "core/config.h"
#include "core/model_records.h"
#include "multi/model_file.h"
#include "multi/run_simulation.h"
#include "support/recording_help.h"
#include "support/run_in_window.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/numeric_edit.h"
#include "ui/qt_message_sink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace multi;
using unstructured_ui::TSimulationForm;

namespace {

constexpr int kDuration = 30;   // the sample's
constexpr int kPopulations = 5;

// The water-vole sample with a fixed seed, run in the window shown modally;
// boxes are answered by script.
class SimulationFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartMultiEngine(TMultiLimits{});
        modelFile = std::string(PV_EXAMPLES) + "/river_voles.mp";
        ASSERT_EQ(LoadModelFile(Model, modelFile), kModelFileOk);
        Config.RandomSeed = "777";
        form.SetModelFileName(modelFile);
    }

    // Runs `replications` in the window; `step` sees every time step the
    // window takes in, and `before` works the window before the run starts.
    // True when the run completed.
    bool Run(int replications, std::function<void(int, int)> step = {}, std::function<void()> before = {})
    {
        Model.Replications = replications;
        return RunInWindow(form, step, before, visibleAfterRun);
    }

    // The map's abundances as drawn now, population 1..P.
    std::vector<double> MapAbundances()
    {
        form.MapPaintBox().grab();
        const std::vector<double>& a = form.MapLayout().Abundance;
        return {a.begin() + 1, a.begin() + 1 + kPopulations};
    }

    static std::vector<double> RunAbundances()
    {
        std::vector<double> values;
        for (int i = 1; i <= kPopulations; ++i)
            values.push_back(ActiveRun()->Abundance[i]);
        return values;
    }

    std::string modelFile;
    ScriptedDialogs dialogs;
    TQtMessageSink messages;
    TSimulationForm form;
    bool visibleAfterRun = false;
};

}  // namespace

// Stochastic and deterministic runs end complete; the bar is never
// empty-ranged; the map follows the run and afterwards shows the model again.
TEST_F(SimulationFormTest, RunsToTheEndWithTheLiveMap)
{
    for (const int replications : {10, 0}) {
        SCOPED_TRACE(replications);
        const int runs = replications == 0 ? 1 : replications;
        RecordingHelp help;
        std::vector<double> live, run;
        bool drawnLive = false;
        const bool completed = Run(
            replications,
            [&](int r, int t) {
                EXPECT_TRUE(form.Live());
                if (r == runs && t == 7) {
                    live = MapAbundances();
                    drawnLive = form.MapDrawnLive();
                    run = RunAbundances();
                }
            },
            [&] {
                EXPECT_EQ(form.ProgressBar().maximum(), runs);
                EXPECT_EQ(form.ProgressBar().value(), 0);
                EXPECT_EQ(form.Page(), TSimulationForm::TPage::Map);
                EXPECT_TRUE(form.MapButton().isChecked());
                EXPECT_TRUE(form.GraphButton().isHidden());
                EXPECT_TRUE(form.DelayEdit().isEnabled());
                EXPECT_EQ(form.SummaryLabel("Title:").text(), "Water voles along the Ashbrook valley");
                EXPECT_TRUE(form.SummaryLabel("Comments:").text().startsWith("Five colonies"));
                EXPECT_EQ(form.SummaryLabel("Replications:").text(), QString::number(replications));
                EXPECT_EQ(form.SummaryLabel("Duration:").text(), "30");
                EXPECT_EQ(form.SummaryLabel("Populations:").text(), "5");
                EXPECT_FALSE(form.SummaryLabel("Using demographic stochasticity").isHidden());
                form.findChild<QToolButton*>(QStringLiteral("HelpBtn"))->click();
            });
        EXPECT_TRUE(completed);
        EXPECT_EQ(form.StatusText(3), "Simulation complete");
        EXPECT_EQ(form.StatusText(0), QStringLiteral("Replication: %1").arg(runs));
        EXPECT_EQ(form.StatusText(1), QStringLiteral("Time step: %1").arg(kDuration));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(form.StatusText(2)).hasMatch());
        EXPECT_EQ(form.ProgressBar().value(), form.ProgressBar().maximum());
        EXPECT_FALSE(form.StopButton().isEnabled());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+$")).match(form.StatusBar().toolTip()).hasMatch());
        EXPECT_EQ(Model.ReplicationsDone, runs);
        EXPECT_EQ(help.contexts, std::vector<int>{40000});

        EXPECT_TRUE(drawnLive);
        EXPECT_EQ(live, run);
        EXPECT_FALSE(form.Live());
        EXPECT_EQ(MapAbundances(), (std::vector<double>{60, 35, 80, 15, 45}));   // the model's own
        EXPECT_FALSE(form.MapDrawnLive());
    }
}

// Two buttons show the map: the one beside Text and a second one after the
// delay controls. They are one group with Text: the one clicked is down and
// the other two are up.
TEST_F(SimulationFormTest, BothMapButtonsShowTheMap)
{
    QToolButton& second = form.SimulationMapButton();
    std::vector<TSimulationForm::TPage> pages;
    std::vector<std::vector<bool>> down;   // Text, Map, second map
    const auto record = [&] {
        pages.push_back(form.Page());
        down.push_back({form.TextButton().isChecked(), form.MapButton().isChecked(), second.isChecked()});
    };
    Run(2, {}, [&] {
        EXPECT_FALSE(second.isHidden());
        EXPECT_EQ(second.toolTip(), "Display simulation map");
        QLayout& tools = *form.ToolbarPanel().layout();
        EXPECT_GT(tools.indexOf(&second),
                  tools.indexOf(form.ToolbarPanel().findChild<QWidget*>(QStringLiteral("DelaySpinButton"))));
        for (QToolButton* b : {&form.TextButton(), &second, &form.MapButton(), &second}) {
            QTest::mouseClick(b, Qt::LeftButton);
            record();
        }
    });
    using P = TSimulationForm::TPage;
    EXPECT_EQ(pages, (std::vector<P>{P::General, P::Map, P::Map, P::Map}));
    EXPECT_EQ(down, (std::vector<std::vector<bool>>{
                        {true, false, false}, {false, false, true}, {false, true, false}, {false, false, true}}));
    EXPECT_TRUE(form.DelayEdit().isEnabled());
}

// Stop, Esc in the delay edit and Esc on the window: the replication in
// progress finishes, its statistics are kept, and the map keeps the state it
// showed when the stop was asked for.
TEST_F(SimulationFormTest, StopEndsTheRunAfterTheReplicationInProgress)
{
    const std::function<void()> stops[] = {
        [this] { form.StopButton().click(); },
        [this] { QTest::keyClick(&form.DelayEdit(), Qt::Key_Escape); },
        [this] { QTest::keyClick(&form, Qt::Key_Escape); },
    };
    for (std::size_t i = 0; i < std::size(stops); ++i) {
        SCOPED_TRACE(i);
        QString during;
        std::vector<double> atStop, later, runLater;
        const bool completed = Run(10, [&](int r, int t) {
            if (r == 5 && t == 2) {
                atStop = MapAbundances();
                stops[i]();
                during = form.StatusText(3);
            } else if (r == 5 && t == 20) {
                later = MapAbundances();
                runLater = RunAbundances();
            }
        });
        EXPECT_FALSE(completed);
        EXPECT_EQ(during, "Cancelling simulation...");
        EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
        EXPECT_EQ(form.Outcome().end, TRunEnd::Stopped);
        EXPECT_EQ(form.Outcome().replicationsDone, 5);
        EXPECT_EQ(form.Replication(), 5);
        EXPECT_EQ(form.TimeStep(), kDuration);
        EXPECT_EQ(Model.ModelState, kStateResults);
        EXPECT_EQ(Model.ReplicationsDone, 5);
        EXPECT_NE(runLater, atStop);
        EXPECT_EQ(later, atStop);
    }
}

// Stop during the last replication: the replication ends, every one asked
// for is done, yet the user asked to cancel and the status says so.
TEST_F(SimulationFormTest, StopInTheLastReplicationEndsCancelled)
{
    const bool completed = Run(4, [this](int r, int t) {
        if (r == 4 && t == 3)
            form.StopButton().click();
    });
    EXPECT_EQ(form.Outcome().replicationsDone, 4);
    EXPECT_TRUE(completed);
    EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
    EXPECT_EQ(Model.ModelState, kStateResults);
}

// A close asked for from inside the run: No goes on; Yes stops the run and
// closes the window once the run has returned.
TEST_F(SimulationFormTest, CloseDuringTheRunAsksAndClosesAfterIt)
{
    ExpectCloseDuringTheRunAsksAndClosesAfterIt(form, dialogs, [](int n) { Model.Replications = n; });
}

// The run's warnings appear in a list between the map and the status bar,
// which stays at the very bottom; the next showing starts without them. A
// model that fails its input check is halted.
TEST_F(SimulationFormTest, WarningsAppearAboveTheStatusBar)
{
    Model.DispersalMatrix[2][1] = 0.95f;   // population 1 sends almost everyone away
    bool checked = false;
    EXPECT_TRUE(Run(4, [&](int r, int t) {
        if (r != 1 || t != 1)
            return;
        checked = true;
        QApplication::processEvents();   // the new layout
        ASSERT_FALSE(form.WarningsMemo().isHidden());
        const int mapBottom = form.MapPaintBox().mapTo(&form, QPoint(0, form.MapPaintBox().height())).y();
        const int memoTop = form.WarningsMemo().mapTo(&form, QPoint(0, 0)).y();
        const int memoBottom = memoTop + form.WarningsMemo().height();
        EXPECT_LE(mapBottom, memoTop);
        EXPECT_GT(form.WarningsMemo().height(), 20);
        EXPECT_LE(memoBottom, form.StatusBar().geometry().top());
        EXPECT_EQ(form.StatusBar().geometry().bottom(), form.height() - 1);
    }));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(form.WarningsMemo().toPlainText().contains("Pop.1: WARNING: Total migration is more than 90%"));

    Model.Populations[1].GrowthRateText = "fast";
    EXPECT_FALSE(Run(4));
    EXPECT_EQ(form.StatusText(3), "Simulation halted");
    EXPECT_EQ(form.Outcome().end, TRunEnd::InvalidInput);
    EXPECT_TRUE(form.WarningsMemo().isHidden());
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().text, "Error in input data");
}

// The delay holds every time step on the map page, on the trajectory page
// only from replication 6 on, and never on the summary page; a stop ends the
// wait at once.
TEST_F(SimulationFormTest, DelayHoldsTheStepsOfTheShownPage)
{
    struct Case {
        const char* name;
        std::function<void()> page;
        int replications;
        double delay;
        int firstWait;   // replication; 0 for none
    };
    const Case cases[] = {
        {"map", [] {}, 5, 0.05, 1},
        {"trajectories", [this] { form.GraphBtnClick(); }, 8, 0.05, 6},
        {"summary", [this] { form.TextBtnClick(); }, 3, 0.05, 0},
    };
    Model.Duration = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.DelayEdit().SetValue(c.delay);
        std::vector<int> waitedIn;
        Run(
            c.replications,
            [&](int, int) {
                EXPECT_EQ(form.DelayEdit().isEnabled(), form.Page() != TSimulationForm::TPage::General);
                // Runs at the next event pass: inside the wait when there is one.
                QTimer::singleShot(0, &form, [&] {
                    if (form.Waiting()) {
                        waitedIn.push_back(form.Replication());
                        form.StopBtnClick();
                    }
                });
            },
            c.page);
        QApplication::processEvents();   // the checks posted after the wait
        if (c.firstWait == 0) {
            EXPECT_TRUE(waitedIn.empty());
        } else {
            ASSERT_FALSE(waitedIn.empty());
            EXPECT_EQ(waitedIn.front(), c.firstWait);
            EXPECT_EQ(form.Outcome().replicationsDone, c.firstWait);
        }
    }

    // 0.2 seconds after each of 5 steps.
    form.DelayEdit().SetValue(0.2);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(Run(0));
    EXPECT_GE(clock.elapsed(), 1000);
}

// The delay's spin buttons and arrow keys stay within 0..100; a minus sign
// is refused.
TEST_F(SimulationFormTest, DelayControlsKeepTheDelayInRange)
{
    TFnpNumericEdit& delay = form.DelayEdit();
    EXPECT_EQ(delay.text(), "0.00");
    delay.SetValue(0.05);
    form.DelayDownClick();   // would go below 0
    EXPECT_EQ(delay.text(), "0.05");
    QTest::keyClick(&delay, Qt::Key_Up);
    EXPECT_EQ(delay.text(), "0.15");
    QTest::keyClick(&delay, Qt::Key_Down);
    EXPECT_EQ(delay.text(), "0.05");
    delay.SetValue(99.95);
    form.DelayUpClick();   // would pass 100
    EXPECT_EQ(delay.text(), "99.95");
    QTest::keyClick(&delay, Qt::Key_Minus);
    EXPECT_EQ(delay.text(), "99.95");
}

// A double click on the status bar makes the run quiet (the panels stay as
// they were until the end), one on the tool panel makes each step beep.
TEST_F(SimulationFormTest, DoubleClicksToggleQuietAndBeep)
{
    QTest::mouseDClick(&form.StatusBar(), Qt::LeftButton);
    EXPECT_TRUE(form.Quiet());
    QTest::mouseDClick(&form.ToolbarPanel(), Qt::LeftButton);
    EXPECT_TRUE(form.BeepEachStep());
    QTest::mouseDClick(&form.ToolbarPanel(), Qt::LeftButton);
    EXPECT_FALSE(form.BeepEachStep());

    form.DelayEdit().SetValue(0.01);   // every step is shown
    Model.Duration = 5;
    QStringList shown;
    EXPECT_TRUE(Run(3, [&](int, int) { shown << form.StatusText(0); }));
    EXPECT_EQ(shown, QStringList(15, QString()));
    EXPECT_EQ(form.StatusText(0), "Replication: 3");

    form.StatusBarDblClick();
    EXPECT_FALSE(form.Quiet());
}
