#include "multi_ui/multi_result_windows.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "core/config.h"
#include "core/run_progress.h"
#include "multi/model_file.h"
#include "multi/produce_output.h"
#include "multi/result_kinds.h"
#include "multi/run_simulation.h"
#include "unstructured_ui/display_template_form.h"
#include "multi_ui/population_display_menu.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/display_result.h"
#include "ui/qt_message_sink.h"
#include "ui/result_window.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace multi;

namespace {

// The water-vole sample (five colonies) after a run of 10 replications.
class ResultWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SelectKindTable(TKindTable::Plurimod);
        StartMultiEngine(TMultiLimits{});
        ASSERT_EQ(LoadModelFile(Model, std::string(PV_EXAMPLES) + "/river_voles.mp"), kModelFileOk);
        Config.RandomSeed = "20261210";
        Model.Replications = 10;
        TRunOutcome outcome;
        ASSERT_TRUE(RunSimulation(Model, [](std::int32_t, std::int32_t) { return true; }, &outcome));
    }

    // Opens the window of `kind` and works it while it is shown.
    TModalResult Open(int kind, std::function<void(TResultTemplateForm&)> work)
    {
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            work(static_cast<TResultTemplateForm&>(dialog));
            return TModalResult::Cancel;
        });
        return OpenMultiResultWindow(nullptr, kind);
    }

    // The producer's text of a kind with the model as it is now.
    static QString ProducedText(int kind, int index = 0)
    {
        TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
        settings.Index = index;
        std::vector<std::string> lines;
        ProduceOutput(settings, nullptr, &lines, kind, kModeText, false);
        QStringList text;
        for (const std::string& line : lines)
            text << QString::fromLatin1(line);
        return text.join('\n');
    }

    static TSpinEditEx* SelectorOf(QDialog& window)
    {
        TSpinEditEx* spin = window.findChild<TSpinEditEx*>(QStringLiteral("PopulationSpinEdit"));
        return spin ? spin : window.findChild<TSpinEditEx*>(QStringLiteral("TimeStepSpinEdit"));
    }

    ScriptedDialogs dialogs;
    TQtMessageSink messages;
};

}  // namespace

// Every kind opens in its window with its caption and help context; the
// windows of one population and the two of the run's course carry their
// selector with its range.
TEST_F(ResultWindowsTest, EveryKindOpensItsWindow)
{
    struct Case {
        int kind;
        const char* caption;
        int help;
        const char* selector;   // caption, or null
        int minimum, maximum;
    };
    const Case cases[] = {
        {kDensityDependenceInR, "Density Dependence in R", 20800, "Population:", 1, 5},
        {kReplacementCurve, "Replacement Curve", 20900, "Population:", 1, 5},
        {kDispersal, "Dispersal", 21000, "Population:", 1, 5},
        {kHabitatChange, "Habitat Change", 20600, "Population:", 1, 5},
        {kMigrationDistance, "Dispersal Function", 21200, nullptr, 0, 0},
        {kCorrelationDistance, "Correlation Function", 21300, nullptr, 0, 0},
        {kTrajectory, "Trajectory Summary", 30000, "Population:", 0, 5},
        {kStructure, "Population Structure", 30200, "Time step:", 0, 30},
        {kOccupancy, "Rivedarulation Occupancy", 30400, nullptr, 0, 0},
        {kIntervalExtinctionRisk, "Extinction/Decline", 30700, nullptr, 0, 0},
        {kIntervalExplosionRisk, "Explosion/Increase", 30900, nullptr, 0, 0},
    };
    ASSERT_EQ(MultiResultWindows().size(), std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        RecordingHelp help;
        const TModalResult result = Open(c.kind, [&](TResultTemplateForm& window) {
            EXPECT_EQ(window.windowTitle(), c.caption);
            EXPECT_EQ(window.ResultKind(), c.kind);
            EXPECT_FALSE(window.Memo().toPlainText().isEmpty());
            TSpinEditEx* spin = SelectorOf(window);
            ASSERT_EQ(spin != nullptr, c.selector != nullptr);
            if (spin) {
                EXPECT_EQ(window.findChild<QLabel*>()->buddy(), spin);
                EXPECT_EQ(spin->MinValue(), c.minimum);
                EXPECT_EQ(spin->MaxValue(), c.maximum);
                EXPECT_TRUE(spin->isEnabled());
            }
            window.HelpBtnClick();
        });
        EXPECT_EQ(result, TModalResult::Cancel);
        EXPECT_EQ(help.contexts, std::vector<int>{c.help});
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
    EXPECT_THROW(OpenMultiResultWindow(nullptr, 0), std::invalid_argument);
    EXPECT_THROW(OpenMultiResultWindow(nullptr, 12), std::invalid_argument);
    const TDisplayResult display = OpenMultiResultWindow;   // the editors' View buttons call it so
    EXPECT_TRUE(display);
}

// The population selector shows the selected population and selects another;
// with one population it is disabled and shows 1.
TEST_F(ResultWindowsTest, PopulationSelectorSelectsThePopulationShown)
{
    Model.SelectedPopulation = 2;
    Open(kDispersal, [&](TResultTemplateForm& window) {
        TSpinEditEx& spin = *SelectorOf(window);
        EXPECT_EQ(spin.value(), 2);
        spin.setValue(4);
        EXPECT_EQ(Model.SelectedPopulation, 4);
        EXPECT_EQ(window.Memo().toPlainText(), ProducedText(kDispersal));
    });

    Model.PopCount = 1;
    Open(kHabitatChange, [&](TResultTemplateForm& window) {
        const TSpinEditEx& spin = *SelectorOf(window);
        EXPECT_FALSE(spin.isEnabled());
        EXPECT_EQ(spin.value(), 1);
        EXPECT_EQ(Model.SelectedPopulation, 1);
    });
}

// The trajectory's population and the structure's time step go into the
// window's settings and into the kind's defaults, so that the next window of
// the kind opens on them.
TEST_F(ResultWindowsTest, IndexSelectorsAreKeptForTheNextWindow)
{
    struct Case {
        int kind;
        int value;
        const char* title;
    };
    const Case cases[] = {
        {kTrajectory, 3, "(Population 3: Ashford meadows)"},
        {kStructure, 5, "(Time step=5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Open(c.kind, [&](TResultTemplateForm& window) {
            SelectorOf(window)->setValue(c.value);
            EXPECT_EQ(window.ScaleInfo().Index, c.value);
            EXPECT_TRUE(window.Memo().toPlainText().contains(c.title));
            EXPECT_EQ(window.Memo().toPlainText(), ProducedText(c.kind, c.value));
        });
        EXPECT_EQ(DefaultScaleInfo[static_cast<std::size_t>(c.kind)].Index, c.value);
        Open(c.kind, [&](TResultTemplateForm& window) {
            EXPECT_EQ(SelectorOf(window)->value(), c.value);
            EXPECT_TRUE(window.Memo().toPlainText().contains(c.title));
        });
    }
}

namespace {

// Boxes that let something happen while they are open, as the events a box's
// own event loop delivers (a spin button's repeat).
class BoxesWithEvents : public ScriptedDialogs {
public:
    std::function<void()> whileOpen;

    TBoxAnswer ShowMessageBox(QWidget* parent, TBoxIcon icon, const QString& caption, const QString& text,
                              TBoxButtons buttons) override
    {
        if (whileOpen)
            std::exchange(whileOpen, {})();
        return ScriptedDialogs::ShowMessageBox(parent, icon, caption, text, buttons);
    }
};

}  // namespace

// A selector change that arrives while the producer shows a message waits
// until the production is over; then the window shows what was selected.
TEST_F(ResultWindowsTest, SelectorChangeDuringAProductionWaitsForItsEnd)
{
    BoxesWithEvents boxes;
    Model.DispersalMatrix[1][2] = 0.95f;   // population 2 sends almost everyone away
    Model.SelectedPopulation = 1;
    Open(kDispersal, [&](TResultTemplateForm& window) {
        TSpinEditEx& spin = *SelectorOf(window);
        int selectedInBox = 0;
        boxes.whileOpen = [&] {
            spin.setValue(3);
            selectedInBox = Model.SelectedPopulation;
        };
        spin.setValue(2);   // the producer warns about population 2
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_TRUE(boxes.boxes[0].text.contains("Total migration is more than 90%"));
        EXPECT_EQ(selectedInBox, 2);
        EXPECT_EQ(Model.SelectedPopulation, 2);
        QApplication::processEvents();
        EXPECT_EQ(Model.SelectedPopulation, 3);
        EXPECT_EQ(window.Memo().toPlainText(), ProducedText(kDispersal));
    });
}

// The menu's four buttons open the displays of the selected population and
// leave the menu open; OK and Cancel close it.
TEST_F(ResultWindowsTest, PopulationDisplayMenuOpensTheFourDisplays)
{
    std::vector<int> opened;
    TPopulationDisplayMenuForm menu(nullptr, [&](QWidget*, int kind) { opened.push_back(kind); });
    RecordingHelp help;
    std::vector<QString> texts;
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog&) {
        for (const TDisplayMenuForm::TResultButton& b : menu.ResultButtons()) {
            texts.push_back(b.Button->text());
            b.Button->click();
            EXPECT_TRUE(menu.isVisible());
        }
        menu.findChild<QPushButton*>(QStringLiteral("HelpButton"))->click();
        menu.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        return menu.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    EXPECT_EQ(menu.Execute(), TModalResult::Ok);
    EXPECT_EQ(opened, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(texts, (std::vector<QString>{"&Density Dependence in R", "&Replacement Curve", "Dis&persal",
                                           "Habitat &Change"}));
    EXPECT_EQ(help.contexts, std::vector<int>{40100});
    EXPECT_EQ(menu.windowTitle(), "Population Display");

    // Without a display function the buttons open the program's windows.
    TPopulationDisplayMenuForm program;
    ScriptedModals windows(true);
    windows.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
    program.ResultButtons()[2].Button->click();
    EXPECT_EQ(windows.shown, std::vector<QString>{"Dispersal"});
}
