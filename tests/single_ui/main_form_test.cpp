#include "single_ui/main_form.h"

#include "program_fixture.h"

#include "chart/scale_info.h"
#include "core/batch_log.h"
#include "core/config.h"
#include "core/settings_store.h"
#include "multi/model_data.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/program_windows.h"
#include "single/result_kinds.h"
#include "single_ui/population_form.h"
#include "single_ui/simulation_form.h"
#include "single_ui/single_result_windows.h"
#include "support/comments_paste.h"
#include "support/editor_fixture.h"
#include "support/modal_steps.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/save_failures.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/about_template_form.h"
#include "ui/mru_file_list.h"
#include "ui/numeric_edit.h"
#include "ui/summary_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using multi::Model;
using single_ui::TMainForm;

namespace {

const QString kSampleTitle = "Moor frogs of a restored fen";

// The program's windows over the engine's model (see TProgramFixture).
class SingleMainFormTest : public ::testing::Test, protected TProgramFixture {
protected:
    void SetUp() override { StartProgram(MakeSingleDriver()); }
    void TearDown() override { StopProgram(); }

    TMainForm& Form() { return static_cast<TMainForm&>(Window()); }

    // The visible items of the menu that holds `item`, separators as "-".
    QStringList VisibleItems(const char* item)
    {
        QStringList texts;
        for (QAction* a : MenuOf(Form().Item(item)).actions())
            if (a->isVisible())
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }

    QString Label(const char* caption) { return Form().SummaryLabel(QString::fromLatin1(caption)).text(); }
};

}  // namespace

// The menus hold what one population needs; the page is always the general
// page, without the population count; General Information has no map file;
// the recent files are kept under this program's key.
TEST_F(SingleMainFormTest, TheWindowShowsOnePopulationWithoutAMap)
{
    EXPECT_EQ(VisibleItems("ToolbarItem"), (QStringList{"&Toolbar", "&Status bar"}));
    EXPECT_EQ(VisibleItems("GeneralItem"), (QStringList{"&General Information", "&Population"}));
    EXPECT_EQ(Form().Item("PopulationsItem").statusTip(), "Change the population parameters");
    EXPECT_EQ(VisibleItems("RunItem"), (QStringList{"&Run"}));
    EXPECT_EQ(VisibleItems("TrajectorySummaryItem"),
              (QStringList{"&Trajectory summary", "&Extinction/Decline", "Explosion/&Increase"}));

    settings.WriteValue(SettingsKey(), "ViewMode", "1");
    Open(CopySample());
    EXPECT_EQ(VisibleItems("NewItem"), (QStringList{"&New", "&Open...", "&Reopen", "-", "&Save", "Save &As...", "-",
                                                    "E&xit"}));
    Model.PopCount = 2;
    Form().ShowModelSummary();
    Form().show();
    EXPECT_EQ(Form().PageControl().currentWidget(), static_cast<QWidget*>(&Form().GeneralTabSheet()));
    EXPECT_EQ(Caption(), CaptionFor("marsh_frogs.sp"));
    EXPECT_EQ(Label("Title:"), kSampleTitle);
    EXPECT_EQ(Label("Replications:"), "500");
    EXPECT_FALSE(Form().SummaryLabel("Using demographic stochasticity").isHidden());
    EXPECT_TRUE(Form().SummaryLabel("Populations:").isHidden());
    EXPECT_TRUE(Form().GeneralTabSheet().CaptionLabel("Populations:")->isHidden());

    modals.steps.push_back(PressButton("Cancel", [](QDialog& d) {
        auto& general = static_cast<unstructured_ui::TGeneralForm&>(d);
        EXPECT_TRUE(general.LandscapeMapEdit().isHidden());
        EXPECT_TRUE(general.LandscapeMapLabel().isHidden());
        EXPECT_TRUE(general.LandscapeMapBrowseButton().isHidden());
    }));
    Form().GeneralItemClick();
    EXPECT_EQ(modals.shown, std::vector<QString>{"General Information"});

    modals.steps.push_back([](QDialog& d) {
        // This build's version and the system it runs on.
        EXPECT_EQ(static_cast<TAboutTemplateForm&>(d).Label1().text(),
                  QStringLiteral("version %1 (%2)").arg(QStringLiteral(PV_VERSION), QSysInfo::prettyProductName()));
        return TModalResult::Ok;
    });
    Form().Item("AboutItem").trigger();
    EXPECT_EQ(modals.shown.back(), "About Voran Pelivo: Population Growth");

    program->Close();
    EXPECT_EQ(settings.ReadValues(SettingsKey() + "\\MRU Items"),
              (TSettingValues{{"F0", dir.file("marsh_frogs.sp")}}));
}

// Open, Reopen and the model named at start name the model after the file
// asked for; a model whose file did not load needs a new name before it is
// saved (so Save never writes over that file), and one read only in part
// counts as modified.
TEST_F(SingleMainFormTest, AFileThatDidNotLoadIsNeverSavedOver)
{
    const std::string good = CopySample();
    const std::string other = Copy("island_lizards.mp");
    CopyWithBrokenResults("partial.sp");

    struct Case {
        std::string file;
        QString caption;
        bool needsName, modified;
        QString title;
    };
    const Case cases[] = {
        {CopySample("other.sp"), "other.sp", false, false, kSampleTitle},
        {dir.file("missing.sp"), "missing.sp", true, false, "Kept"},
        {other, "island_lizards.mp", true, false, "Kept"},
        {dir.file("partial.sp"), "partial.sp", true, true, kSampleTitle},
    };
    for (const bool reopen : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.file + (reopen ? " (Reopen)" : " (Open)"));
            Open(good);
            EditTitle("Kept");
            if (reopen) {
                dialogs.boxAnswers = {TBoxAnswer::No};
                Form().MRUFileListMRUItemClick(QString::fromStdString(c.file));
            } else {
                Open(c.file);
            }
            EXPECT_EQ(Caption(), CaptionFor(c.caption));
            EXPECT_EQ(ModelFileName, c.file);
            EXPECT_EQ(Form().NeedsFileName(), c.needsName);
            EXPECT_EQ(Form().Modified(), c.modified);
            EXPECT_EQ(Label("Title:"), c.title);
            // Only a file that loaded goes on top of the recent files.
            EXPECT_EQ(Form().MRUFileList().Items().front(),
                      QString::fromStdString(c.title == kSampleTitle && !c.modified ? c.file : good));
        }
    }

    // Save after the other program's file asks for a name; cancelled, that
    // file stays as it was.
    const std::string bytes = ReadAll(other);
    Open(other);
    const std::size_t asked = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 1);
    EXPECT_EQ(ReadAll(other), bytes);

    // The model named at start follows the same rules.
    for (const Case& c : {cases[0], cases[2]}) {
        SCOPED_TRACE(c.file + " (command line)");
        program->Close();
        multi::NewModel(Model);
        ModelFileName = c.file;
        ModelFileNamed = true;
        program->Start(settings);
        Form().show();
        EXPECT_EQ(Caption(), CaptionFor(c.caption));
        EXPECT_EQ(Form().NeedsFileName(), c.needsName);
        EXPECT_FALSE(Form().Modified());
    }
    EXPECT_EQ(ReadAll(other), bytes);
}

// The parameter dialog's OK, or an Apply before Cancel, marks the model
// modified; Cancel alone does not. Its displays open this program's windows.
TEST_F(SingleMainFormTest, TheParameterDialogMarksTheModelModified)
{
    struct Case {
        const char* what;
        std::vector<const char*> buttons;
        bool modified;
    };
    const Case cases[] = {
        {"Cancel", {"Cancel"}, false},
        {"Apply, Cancel", {"&Apply", "Cancel"}, true},
        {"OK", {"OK"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(CopySample());
        modals.shown.clear();
        modals.steps.push_back([&c](QDialog& d) {
            auto& form = static_cast<single_ui::TPopulationForm&>(d);
            form.GrowthRateEdit().SetValue(1.3);
            for (const char* button : c.buttons)
                PressButton(button)(d);
            return d.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
        });
        Form().Item("PopulationsItem").trigger();
        EXPECT_EQ(modals.shown, std::vector<QString>{"Population"});
        EXPECT_EQ(Form().Modified(), c.modified);
        EXPECT_EQ(Model.Populations[1].GrowthRateText, c.modified ? "1.3" : "1.12");
    }

    EXPECT_EQ(WindowsOpenedFrom("PopulationsItem",
                                [](QDialog& d) {
                                    static_cast<single_ui::TPopulationForm&>(d).PopupMenu().actions().at(1)->trigger();
                                }),
              (std::vector<QString>{"Population", "Replacement Curve"}));
}

// Run shows the live trajectories and leaves results; New makes an
// untitled ".sp" model without them; a batch run asks nothing.
TEST_F(SingleMainFormTest, RunOpensTheResultsAndNewStartsAgain)
{
    Open(CopySample());
    EXPECT_FALSE(Form().Item("TrajectorySummaryItem").isEnabled());
    Model.Replications = 6;
    modals.steps.push_back([](QDialog& d) {
        auto& simulation = static_cast<single_ui::TSimulationForm&>(d);
        simulation.TimerTimer();
        EXPECT_EQ(simulation.Page(), single_ui::TSimulationForm::TPage::Trajectories);
        return TModalResult::Cancel;
    });
    Form().RunItemClick();
    ASSERT_EQ(Model.ModelState, kStateResults);
    EXPECT_TRUE(Form().Item("TrajectorySummaryItem").isEnabled());

    // The results are in no file yet: New asks first.
    dialogs.boxAnswers = {TBoxAnswer::No};
    modals.steps.push_back(PressButton("Cancel"));
    Form().NewItemClick();
    EXPECT_EQ(Caption(), CaptionFor("Untitled.sp"));
    EXPECT_TRUE(Form().NeedsFileName());
    EXPECT_FALSE(Form().Item("TrajectorySummaryItem").isEnabled());

    // Nothing is asked in a batch run.
    EditTitle("Changed");
    BatchMode = true;
    dialogs.boxes.clear();
    EXPECT_TRUE(Form().QuerySaveChanges());
    BatchMode = false;
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A model without adult survival, typed from File, New: the survival of 0
// that the field already showed is stored, and the run takes it. OK in
// General Information without a change leaves the model unmodified.
TEST_F(SingleMainFormTest, ASurvivalOfZeroTypedFromNewIsStoredAndRuns)
{
    RealModals runner;
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    Form().Item("NewItem").trigger();
    EXPECT_FALSE(Form().Modified());
    runner.steps.push_back([](QDialog& d) {
        TypeIntoMnemonic(Qt::Key_R, "10");
        TypeIntoMnemonic(Qt::Key_D, "5");
        // A mnemonic clicks its box only after a moment: Return waits until
        // the box is checked.
        const QCheckBox& stochasticity =
            static_cast<unstructured_ui::TGeneralForm&>(d).UseDemographicStochasticityCheckBox();
        Press(Qt::Key_U, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&stochasticity] { return stochasticity.isChecked(); }));
        Press(Qt::Key_Return);
    });
    Form().Item("GeneralItem").trigger();
    EXPECT_EQ(multi::Model.Replications, 10);
    EXPECT_EQ(multi::Model.Duration, 5);
    ASSERT_TRUE(multi::Model.Info.DemographicStochasticity);
    EXPECT_TRUE(Form().Modified());

    OpenTwice(Form(), runner, "PopulationsItem", [](QDialog& d) {
        EXPECT_EQ(static_cast<single_ui::TPopulationForm&>(d).SurvivalEdit().text(), "0.000");
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("100");
        TypeIntoMnemonic(Qt::Key_R, "1.1");
        TypeIntoMnemonic(Qt::Key_S, "0");
        Press(Qt::Key_Return);
    });
    EXPECT_EQ(multi::Model.Populations[1].SurvivalText, "0");
    EXPECT_EQ(multi::Model.Populations[1].GrowthRateText, "1.1");

    runner.steps.push_back([](QDialog& d) {
        WaitForRunEnd(static_cast<TRunWindow&>(d));
        d.close();
    });
    Form().Item("RunItem").trigger();
    for (const ShownBox& box : dialogs.boxes)
        ADD_FAILURE() << box.text.toStdString();
    EXPECT_EQ(multi::Model.ModelState, kStateResults);

    // Saved, then OK in General Information without a change: nothing to
    // save.
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("fen.sp")));
    Form().Item("SaveAsItem").trigger();
    ASSERT_FALSE(Form().Modified());
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    Form().Item("GeneralItem").trigger();
    EXPECT_FALSE(Form().Modified());
}

// The density curves say "Please wait" while they are computed, not while
// their chart stays open.
TEST_F(SingleMainFormTest, TheDensityCurvesStatusEndsWithTheirWork)
{
    Open(CopySample());
    for (const int kind : {single::kDensityDependenceInR, single::kReplacementCurve}) {
        SCOPED_TRACE(kind);
        QString whileOpen = "not shown";
        modals.steps.push_back([&](QDialog& d) {
            d.grab();
            whileOpen = Form().statusBar()->currentMessage();
            return TModalResult::Cancel;
        });
        single_ui::OpenSingleResultWindow(&Form(), kind);
        EXPECT_EQ(whileOpen, "");
    }
}

// File, New gives the new model the map-features name of the configuration
// (key ADD), whatever the model before it named; a save writes it back, and
// the byte 0xFF when the configuration names none.
TEST_F(SingleMainFormTest, NewKeepsTheMapNameOfTheConfiguration)
{
    struct ConfiguredMapName {
        ~ConfiguredMapName() { Config.MapName.clear(); }
    } restore;
    const std::string header = "Voran/Pelivo: single population (1.0) map=";
    std::string other = ReadAll(CopySample());
    other.replace(other.find("map=\xFF"), 5, "map=other.map");
    WriteAll(dir.file("other.sp"), other);

    for (const std::string map : {"fen.map", ""}) {
        SCOPED_TRACE(map);
        Config.MapName = map;
        Open(dir.file("other.sp"));
        EXPECT_EQ(Model.MapName, "other.map");
        modals.steps.push_back(PressButton("Cancel"));   // General Information after New
        Form().Item("NewItem").trigger();
        const std::string saved = dir.file("new" + map + ".sp");
        dialogs.fileNames.push_back(QString::fromStdString(saved));
        Form().Item("SaveAsItem").trigger();
        const std::string bytes = ReadAll(saved);
        EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), header + (map.empty() ? std::string("\xFF") : map));
    }
}
