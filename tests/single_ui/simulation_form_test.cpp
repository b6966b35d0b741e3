#include "single_ui/simulation_form.h"

#include "core/batch_log.h"
#include "support/run_in_window.h"
#include "single_sample_test_base.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/numeric_edit.h"
#include "ui/qt_message_sink.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using single_ui::TSimulationForm;
using TPage = TSimulationForm::TPage;

namespace {

// The moor-frog sample, run in the window shown modally.
class SingleSimulationFormTest : public SingleSampleTest {
protected:
    // Runs `replications` in the window; `step` sees every time step the
    // window takes in, `before` works the window before the run starts.
    bool Run(int replications, std::function<void(int, int)> step = {}, std::function<void()> before = {})
    {
        multi::Model.Replications = replications;
        return RunInWindow(form, step, before, visibleAfterRun);
    }

    ScriptedDialogs dialogs;
    TQtMessageSink messages;
    TSimulationForm form;
    bool visibleAfterRun = false;
};

}  // namespace

// A run starts on the General page, 500 pixels wide, without the map or the
// population count; the Trajectories page comes into view by itself when the
// fifth replication starts, and the chart draws from then on. A page the
// user chooses afterwards stays.
TEST_F(SingleSimulationFormTest, TheTrajectoriesShowFromTheFifthReplication)
{
    std::vector<std::pair<int, TPage>> firstSteps;
    bool drawn = false;
    const bool completed = Run(
        100,
        [&](int r, int t) {
            if (t == 1 && r <= 6)
                firstSteps.emplace_back(r, form.Page());
            if (r == 6 && t == 1)
                drawn = HasSeveralColours(form.TrajectoryPicture());
            if (r == 10 && t == 1)
                form.TextBtnClick();
            if (r > 10) {
                EXPECT_EQ(form.Page(), TPage::General) << r;
            }
        },
        [&] {
            EXPECT_EQ(form.width(), 500);
            EXPECT_EQ(form.Page(), TPage::General);
            EXPECT_TRUE(form.TextButton().isChecked());
            EXPECT_TRUE(form.MapButton().isHidden());
            EXPECT_TRUE(form.SimulationMapButton().isHidden());   // no map in this program
            EXPECT_FALSE(form.GraphButton().isHidden());
            EXPECT_TRUE(form.SummaryLabel("Populations:").isHidden());
            EXPECT_EQ(form.SummaryLabel("Title:").text(), "Moor frogs of a restored fen");
            EXPECT_FALSE(form.DelayEdit().isEnabled());
        });
    EXPECT_TRUE(completed);
    EXPECT_EQ(firstSteps, (std::vector<std::pair<int, TPage>>{{1, TPage::General},
                                                              {2, TPage::General},
                                                              {3, TPage::General},
                                                              {4, TPage::General},
                                                              {5, TPage::Trajectories},
                                                              {6, TPage::Trajectories}}));
    EXPECT_TRUE(drawn);
    EXPECT_EQ(form.StatusText(3), "Simulation complete");
    // No hint with the run's length.
    EXPECT_TRUE(form.StatusBar().toolTip().isEmpty());
    EXPECT_TRUE(visibleAfterRun);

    // Three replications never leave the General page by themselves.
    std::vector<TPage> pages;
    EXPECT_TRUE(Run(3, [&](int, int) { pages.push_back(form.Page()); }));
    EXPECT_EQ(pages, std::vector<TPage>(3 * 30, TPage::General));
}

// On the Trajectories page the delay holds the steps from the sixth
// replication on; the page's own switch at the fifth does not wait.
TEST_F(SingleSimulationFormTest, TheDelayWaitsFromTheSixthReplication)
{
    multi::Model.Duration = 5;
    form.DelayEdit().SetValue(0.05);
    std::vector<int> waitedIn;
    Run(8, [&](int, int) {
        QTimer::singleShot(0, &form, [&] {
            if (form.Waiting()) {
                waitedIn.push_back(form.Replication());
                form.StopBtnClick();
            }
        });
    });
    QApplication::processEvents();
    ASSERT_FALSE(waitedIn.empty());
    EXPECT_EQ(waitedIn.front(), 6);
}

// Double clicks on the status bar and the tool panel change nothing: this
// program has no quiet mode and no beep at every step. In batch mode the
// window closes itself after the run.
TEST_F(SingleSimulationFormTest, NoQuietModeNoStepBeepAndClosingInBatchMode)
{
    form.show();
    QTest::mouseDClick(&form.StatusBar(), Qt::LeftButton);
    QTest::mouseDClick(&form.ToolbarPanel(), Qt::LeftButton);
    EXPECT_FALSE(form.Quiet());
    EXPECT_FALSE(form.BeepEachStep());
    form.hide();

    multi::Model.Duration = 5;
    BatchMode = true;
    const bool completed = Run(2);
    BatchMode = false;
    EXPECT_TRUE(completed);
    EXPECT_FALSE(visibleAfterRun);
}

// Stop during the last replication: the replication ends, every one asked
// for is done, yet the user asked to cancel and the status says so.
TEST_F(SingleSimulationFormTest, StopInTheLastReplicationEndsCancelled)
{
    const bool completed = Run(6, [this](int r, int t) {
        if (r == 6 && t == 2)
            form.StopButton().click();
    });
    EXPECT_EQ(form.Outcome().replicationsDone, 6);
    EXPECT_TRUE(completed);
    EXPECT_EQ(form.StatusText(3), "Simulation cancelled");
    EXPECT_EQ(multi::Model.ModelState, kStateResults);
}
