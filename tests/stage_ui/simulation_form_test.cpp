#include "stage_ui/simulation_form.h"

#include "core/config.h"
#include "stage/model_store.h"
#include "stage_tool.h"
#include "support/recording_help.h"
#include "support/run_in_window.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/numeric_edit.h"
#include "ui/qt_message_sink.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int kDuration = 50;   // the sample's

// The turtle sample with a fixed seed; the run's boxes are answered
// by script and its warnings go to the window's list, as in the program.
class SimulationFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareStageModelStore();
        ASSERT_TRUE(LoadStageModel("test", std::string(PV_EXAMPLES) + "/pond_turtle.st"));
        Config.RandomSeed = "777";
        messages.SetWarningHandler([this](const std::string& text) { form.AddWarning(text); });
    }

    // Runs `replications` in the window shown modally; `step` sees every
    // time step the window takes in. True when the run completed.
    bool Run(int replications, std::function<void(int, int)> step = {})
    {
        Info.replications = replications;
        bool visibleAfterRun = false;
        return RunInWindow(form, step, {}, visibleAfterRun);
    }

    ScriptedDialogs dialogs;
    TQtMessageSink messages;
    TSimulationForm form;
};

}  // namespace

// The graph is offered from replication 5 and shown then, once: a user who
// goes back to the text view is not switched again. The live chart holds
// lines only when it was shown.
TEST_F(SimulationFormTest, SwitchesToTheGraphOnceAtReplicationFive)
{
    for (const int replications : {4, 10}) {
        SCOPED_TRACE(replications);
        int switches = 0;
        bool graphBefore = false;
        int firstOffered = 0;
        const bool completed = Run(replications, [&](int r, int t) {
            if (form.GraphButton().isEnabled() && firstOffered == 0)
                firstOffered = r;
            if (form.ShowingGraph() && !graphBefore)
                ++switches;
            if (r == 5 && t == 2)
                form.TextButton().click();   // the user goes back at once
            if (r == 8 && t == 1)
                form.GraphButton().click();
            graphBefore = form.ShowingGraph();
        });
        EXPECT_TRUE(completed);
        EXPECT_EQ(form.StatusText(3), "Simulation complete");
        EXPECT_EQ(form.StatusText(0), QStringLiteral("Replication: %1").arg(replications));
        EXPECT_EQ(form.StatusText(1), QStringLiteral("Time step: %1").arg(kDuration));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(form.StatusText(2)).hasMatch());
        EXPECT_EQ(form.ProgressBar().value(), replications);
        EXPECT_FALSE(form.StopButton().isEnabled());
        if (replications == 4) {
            EXPECT_EQ(firstOffered, 0);
            EXPECT_EQ(switches, 0);
            EXPECT_TRUE(form.ChartImage().isNull());
        } else {
            EXPECT_EQ(firstOffered, 5);
            EXPECT_EQ(switches, 1);   // the user's own switch at replication 8 is not counted
            EXPECT_TRUE(HasSeveralColours(form.ChartImage()));
        }
    }
}

// Stop, Esc in the delay edit and Esc on the window: the replication in
// progress finishes and its statistics are kept.
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
        const bool completed = Run(10, [&](int r, int t) {
            if (r == 6 && t == 2) {
                stops[i]();
                during = form.StatusText(3);
            }
        });
        EXPECT_FALSE(completed);
        EXPECT_EQ(during, "Cancelling simulation...");
        EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
        EXPECT_EQ(form.Outcome().end, TRunEnd::Stopped);
        EXPECT_EQ(form.Outcome().replicationsDone, 6);
        EXPECT_EQ(form.Replication(), 6);
        EXPECT_EQ(form.TimeStep(), kDuration);
        EXPECT_EQ(Info.state, kStateResults);
        EXPECT_EQ(Info.replicationsdone, 6);
        EXPECT_EQ(form.DelayEdit().text(), "0.00");
    }
}

// Stop during the last replication: the replication ends, every one asked
// for is done, yet the user asked to cancel and the status says so.
TEST_F(SimulationFormTest, StopInTheLastReplicationEndsCancelled)
{
    const bool completed = Run(6, [this](int r, int t) {
        if (r == 6 && t == 3)
            form.StopButton().click();
    });
    EXPECT_EQ(form.Outcome().replicationsDone, 6);
    EXPECT_TRUE(completed);
    EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
    EXPECT_FALSE(form.StopButton().isEnabled());
    EXPECT_EQ(Info.state, kStateResults);
}

// The live chart keeps every line drawn so far when the warnings list
// appears and shrinks the chart, as the user presses Stop; the picture is
// scaled to the smaller box, never started again.
TEST_F(SimulationFormTest, TheLiveChartKeepsItsLinesWhenTheWarningsAppear)
{
    form.DelayEdit().SetValue(0.001);   // every step is drawn as it is taken
    QImage before;
    QWidget* chart = form.findChild<QWidget*>(QStringLiteral("GraphPaintBox"));
    ASSERT_NE(chart, nullptr);
    int heightBefore = 0;
    Run(12, [&](int r, int t) {
        if (r != 9 || t != 1)
            return;
        before = form.ChartImage().copy();
        heightBefore = chart->height();
        form.AddWarning("A warning at the end of the run");
        form.StopButton().click();
        form.grab();   // painted at its new size while the run goes on
    });
    EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
    EXPECT_LT(chart->height(), heightBefore);
    form.grab();
    const QImage& after = form.ChartImage();
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(after.size(), before.size());
    const QRgb background = before.pixel(1, 1);
    int linePixels = 0, kept = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != background) {
                ++linePixels;
                // Lines drawn later may cover it, never the background.
                kept += after.pixel(x, y) != background;
            }
    EXPECT_GT(linePixels, 100);
    EXPECT_EQ(kept, linePixels);
}

// A close asked for from inside the run: No goes on; Yes stops the run and
// closes the window once the run has returned, not while it still writes
// into the window's trajectory.
TEST_F(SimulationFormTest, CloseDuringTheRunAsksAndClosesAfterIt)
{
    ASSERT_NO_FATAL_FAILURE(
        ExpectCloseDuringTheRunAsksAndClosesAfterIt(form, dialogs, [](int n) { Info.replications = n; }));
    // Once the run is over the window closes without a question.
    dialogs.boxes.clear();
    form.show();
    form.TimerTimer();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A run that does not reach its end is neither complete nor cancelled, and
// the reason is in the warnings list.
TEST_F(SimulationFormTest, RefusedOrInvalidRunsAreHalted)
{
    struct Case {
        const char* name;
        std::function<void()> spoil;
        TRunEnd end;
        const char* warning;
    };
    const Case cases[] = {
        {"no carrying capacity", [] { Info.populations[1].ktext = ""; }, TRunEnd::InvalidInput,
         "Invalid input: K (1)"},
        {"no births to reach Rmax",
         [] {
             Info.populations[1].ddtype = 1;   // scramble
             Info.populations[1].rmaxtext = "2";
             for (int j = 1; j <= Info.stages; ++j)
                 Info.stagematrix[1][1][j] = 0;
         },
         TRunEnd::Refused, "Stage matrix incompatible with density dependence (Pop 1).  See help file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.spoil();
        form.AddWarning("left from an editor");
        EXPECT_FALSE(Run(10));
        EXPECT_EQ(form.Outcome().end, c.end);
        EXPECT_EQ(form.StatusText(3), "Simulation halted");
        EXPECT_FALSE(form.WarningsMemo().isHidden());
        const QString warnings = form.WarningsMemo().toPlainText();
        EXPECT_TRUE(warnings.contains(QString::fromLatin1(c.warning))) << warnings.toStdString();
        EXPECT_FALSE(warnings.contains(QStringLiteral("left from an editor")));
    }
}

// The delay is waited only in the graph view and, with the chart shown, from
// replication 6 on; a stop ends the wait at once. The controls keep it
// within 0..100 and never negative.
TEST_F(SimulationFormTest, DelayStartsAtReplicationSix)
{
    form.DelayEdit().SetValue(0.05);
    std::vector<int> waitedIn;
    const bool completed = Run(10, [&](int, int) {
        EXPECT_EQ(form.DelayEdit().isEnabled(), form.ShowingGraph());
        // Runs at the next event pass: inside the wait when there is one.
        QTimer::singleShot(0, &form, [&] {
            if (form.Waiting()) {
                waitedIn.push_back(form.Replication());
                form.StopBtnClick();
            }
        });
    });
    QApplication::processEvents();   // the checks posted after the wait
    EXPECT_FALSE(completed);
    ASSERT_FALSE(waitedIn.empty());
    EXPECT_EQ(waitedIn.front(), 6);
    EXPECT_EQ(form.Outcome().replicationsDone, 6);

    form.DelayEdit().SetValue(0.05);
    form.DelayDownClick();   // would go below 0
    EXPECT_EQ(form.DelayEdit().text(), "0.05");
    form.DelayUpClick();
    EXPECT_EQ(form.DelayEdit().text(), "0.15");
    form.DelayEdit().SetValue(99.95);
    form.DelayUpClick();   // would pass 100
    EXPECT_EQ(form.DelayEdit().text(), "99.95");
    form.DelayEdit().setEnabled(true);
    QTest::keyClick(&form.DelayEdit(), Qt::Key_Minus);
    EXPECT_EQ(form.DelayEdit().text(), "99.95");
}

// The summary of the model, and a progress bar that is never empty-ranged.
TEST_F(SimulationFormTest, ShowsTheModelAndItsProgress)
{
    for (const int replications : {0, 4}) {
        SCOPED_TRACE(replications);
        RecordingHelp help;
        Info.replications = replications;
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog&) {
            EXPECT_EQ(form.ProgressBar().maximum(), replications == 0 ? 1 : 4);
            EXPECT_EQ(form.ProgressBar().value(), 0);
            EXPECT_FALSE(form.ShowingGraph());
            EXPECT_EQ(form.SummaryLabel("Title:").text(), "Pond turtle, four stages, with egg collection");
            EXPECT_TRUE(form.SummaryLabel("Comments:").text().startsWith("Hatchlings, juveniles"));
            EXPECT_EQ(form.SummaryLabel("Replications:").text(),
                      replications == 0 ? "0 (deterministic simulation)" : "4");
            EXPECT_EQ(form.SummaryLabel("Duration:").text(), "50");
            EXPECT_EQ(form.SummaryLabel("Stages:").text(), "4");
            EXPECT_EQ(form.SummaryLabel("Density dependence type:").text(), "Ceiling");
            EXPECT_EQ(form.SummaryLabel("Demographic stochasticity").text(), "Demographic stochasticity is used");
            EXPECT_EQ(form.SummaryLabel("Constraints").text(), "Constraints are respected");
            form.TimerTimer();
            form.findChild<QToolButton*>(QStringLiteral("HelpBtn"))->click();
            return TModalResult::Cancel;
        });
        EXPECT_TRUE(form.Execute());
        EXPECT_EQ(form.ProgressBar().value(), form.ProgressBar().maximum());
        EXPECT_EQ(help.contexts, std::vector<int>{40000});
    }
}

// A long title or comment line never widens the window, in this run or a
// later one: the title and comment labels reach to 8 pixels before the
// page's right edge and cut what does not fit with "...", the whole text in
// their tool tip; the window can still be made narrower.
TEST_F(SimulationFormTest, ALongTitleNeverWidensTheWindow)
{
    std::string title;
    while (title.size() < 190)
        title += "Pond turtles of the lower marshes, ";
    title.resize(190);
    Info.title = title;
    Info.comments[2] = std::string(150, 'x');
    for (const int showing : {1, 2}) {
        SCOPED_TRACE(showing);
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog&) -> TModalResult {
            QApplication::processEvents();
            EXPECT_EQ(form.width(), 500);
            QLabel& titleLabel = form.SummaryLabel("Title:");
            QLabel& comments = form.SummaryLabel("Comments:");
            for (QLabel* label : {&titleLabel, &comments}) {
                const QRect box = label->geometry();
                EXPECT_EQ(box.x() + box.width(), label->parentWidget()->width() - 8);
            }
            EXPECT_TRUE(titleLabel.text().endsWith("...")) << titleLabel.text().toStdString();
            EXPECT_EQ(titleLabel.toolTip(), QString::fromStdString(title));
            const QStringList lines = comments.text().split('\n');
            EXPECT_EQ(lines.size(), 4);
            EXPECT_TRUE(lines.value(1).startsWith("xxx") && lines.value(1).endsWith("..."));
            form.TimerTimer();
            QApplication::processEvents();
            EXPECT_EQ(form.width(), 500);
            form.resize(400, form.height());
            QApplication::processEvents();
            EXPECT_EQ(form.width(), 400);
            form.resize(500, form.height());
            return TModalResult::Cancel;
        });
        Info.replications = 3;
        form.Execute();
    }
}
