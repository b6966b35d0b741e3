#include "single_ui/single_result_windows.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "core/config.h"
#include "core/run_progress.h"
#include "single_ui/population_display_menu.h"
#include "single_sample_test_base.h"
#include "single/produce_output.h"
#include "single/result_kinds.h"
#include "single/run_simulation.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/display_result.h"
#include "ui/qt_message_sink.h"
#include "ui/result_window.h"
#include "ui/spin_edit_ex.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace single;
using namespace single_ui;

namespace {

// The moor-frog sample, before and after a run of 10 replications.
class SingleResultWindowsTest : public SingleSampleTest {
protected:
    static void RunSample()
    {
        multi::Model.Replications = 10;
        TRunOutcome outcome;
        ASSERT_TRUE(single::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome));
    }

    // Opens the window of `kind` and works it while it is shown.
    static TModalResult Open(int kind, std::function<void(TResultTemplateForm&)> work)
    {
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            work(static_cast<TResultTemplateForm&>(dialog));
            return TModalResult::Cancel;
        });
        return OpenSingleResultWindow(nullptr, kind);
    }

    // The producer's text of a kind, with the kind's default settings.
    static QString ProducedText(int kind)
    {
        TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
        std::vector<std::string> lines;
        ProduceOutput(settings, nullptr, &lines, kind, kModeText, false);
        QStringList text;
        for (const std::string& line : lines)
            text << QString::fromLatin1(line);
        return text.join('\n');
    }

    ScriptedDialogs dialogs;
    TQtMessageSink messages;
};

}  // namespace

// Every kind opens in its window with its caption and help context and no
// selector in sight: the curves show population 1, the trajectory the total.
TEST_F(SingleResultWindowsTest, EveryKindOpensItsWindowWithoutASelector)
{
    RunSample();
    struct Case {
        int kind;
        const char* caption;
        int help;
    };
    const Case cases[] = {
        {kDensityDependenceInR, "Density Dependence in R", 20800},
        {kReplacementCurve, "Replacement Curve", 20900},
        {kTrajectory, "Trajectory Summary", 30000},
        {kIntervalExtinctionRisk, "Extinction/Decline", 30700},
        {kIntervalExplosionRisk, "Explosion/Increase", 30900},
    };
    ASSERT_EQ(SingleResultWindows().size(), std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        RecordingHelp help;
        multi::Model.SelectedPopulation = 1;
        const TModalResult result = Open(c.kind, [&](TResultTemplateForm& window) {
            EXPECT_EQ(window.windowTitle(), c.caption);
            EXPECT_EQ(window.ResultKind(), c.kind);
            for (const TSpinEditEx* spin : window.findChildren<TSpinEditEx*>()) {
                EXPECT_TRUE(spin->isHidden());
            }
            for (const QLabel* label : window.findChildren<QLabel*>()) {
                EXPECT_TRUE(label->isHidden() || label->text().isEmpty()) << label->text().toStdString();
            }
            EXPECT_EQ(window.ScaleInfo().Index, 0);
            EXPECT_EQ(window.Memo().toPlainText(), ProducedText(c.kind));
            window.HelpBtnClick();
        });
        EXPECT_EQ(result, TModalResult::Cancel);
        EXPECT_EQ(help.contexts, std::vector<int>{c.help});
        EXPECT_EQ(multi::Model.SelectedPopulation, 1);
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
    EXPECT_THROW(OpenSingleResultWindow(nullptr, 6), std::invalid_argument);
    const TDisplayResult display = OpenSingleResultWindow;
    EXPECT_TRUE(display);
}

// Before a run the results of a run cannot be shown: the producer says so
// and no window opens.
TEST_F(SingleResultWindowsTest, ResultsOfARunNeedARun)
{
    ScriptedModals modals(true);
    EXPECT_EQ(OpenSingleResultWindow(nullptr, kTrajectory), TModalResult::Abort);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Graph not available (no simulation results)");
    EXPECT_TRUE(modals.shown.empty());
}

// The population display menu offers the population's two curves only and
// opens this program's windows.
TEST_F(SingleResultWindowsTest, PopulationDisplayMenuOffersTheTwoCurves)
{
    TPopulationDisplayMenuForm menu;
    std::vector<QString> shownButtons;
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog&) {
        for (const auto& b : menu.ResultButtons())
            if (b.Button->isVisible())
                shownButtons.push_back(b.Button->text());
        for (const auto& b : menu.ResultButtons())
            if (b.Button->isVisible())
                b.Button->click();
        return TModalResult::Ok;
    });
    modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
    modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
    menu.Execute();
    EXPECT_EQ(shownButtons, (std::vector<QString>{"&Density Dependence in R", "&Replacement Curve"}));
    EXPECT_EQ(modals.shown,
              (std::vector<QString>{"Population Display", "Density Dependence in R", "Replacement Curve"}));
}
