#include "stage_ui/main_form.h"

#include "program_fixture.h"

#include "core/config.h"
#include "core/messages.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "stage/stage_file.h"
#include "stage_tool.h"
#include "stage_ui/general_form.h"
#include "stage_ui/population_form.h"
#include "stage_ui/simulation_form.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_program.h"
#include "stage_ui/stage_result_windows.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/comments_paste.h"
#include "support/editor_fixture.h"
#include "support/modal_steps.h"
#include "support/real_modals.h"
#include "support/save_failures.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "chart/scale_info.h"
#include "ui/about_template_form.h"
#include "ui/combo_box_ex.h"
#include "ui/mru_file_list.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QToolBar>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The program's windows over a store of the program's size, with the
// number switches it runs with (see TProgramFixture).
class MainFormTest : public ::testing::Test, protected TProgramFixture {
protected:
    void SetUp() override { StartProgram(MakeStageDriver()); }
    void TearDown() override { StopProgram(); }

    TMainForm& Form() { return static_cast<TMainForm&>(Window()); }

    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const ShownBox& box : dialogs.boxes)
            texts.push_back(box.text);
        return texts;
    }

    QString Label(const char* caption) { return Form().SummaryLabel(QString::fromLatin1(caption)).text(); }
};

}  // namespace

// The summary shows the store's values as the table says; the
// demographic line only with replications.
TEST_F(MainFormTest, SummaryShowsTheModel)
{
    struct Case {
        const char* name;
        std::function<void()> setup;
        std::vector<std::pair<const char*, QString>> labels;
        bool demographicShown;
    };
    const Case cases[] = {
        {"sample file",
         [this] { ASSERT_EQ(LoadModelFile(Info, CopySample()), 0); },
         {{"Title:", "Meadow perennial herb, three stages"},
          {"Comments:",
           "Seedlings, non-flowering rosettes and flowering plants.\nCensus each June after seedling emergence.\n"
           "Fecundity: seedlings per flowering plant surviving to census.\nCeiling at 2000 plants for the meadow "
           "fragment."},
          {"Replications:", "500"},
          {"Duration:", "50"},
          {"Stages:", "3"},
          {"Density dependence type:", "Ceiling"},
          {"Demographic stochasticity", "Demographic stochasticity is used"},
          {"Constraints", "Constraints are in effect"}},
         true},
        {"deterministic, constraints ignored, empty comment lines kept",
         [] {
             Info.title = "Caf\xe9 model";
             Info.comments[1] = "";
             Info.comments[2] = "second";
             Info.comments[3] = Info.comments[4] = "";
             Info.replications = 0;
             Info.duration = 7;
             Info.demogstoch = false;
             Info.ignoreconstraints = true;
             Info.populations[1].ddtype = 1;
         },
         {{"Title:", QString::fromUtf8("Caf\u00e9 model")},
          {"Comments:", "\nsecond\n\n"},
          {"Replications:", "0 (deterministic simulation)"},
          {"Duration:", "7"},
          {"Density dependence type:", "Scramble"},
          {"Demographic stochasticity", "Demographic stochasticity is not used"},
          {"Constraints", "Constraints are ignored"}},
         false},
        {"Allee type, demographic stochasticity off",
         [] {
             Info.replications = 10;
             Info.demogstoch = false;
             Info.populations[1].ddtype = 7;
         },
         {{"Replications:", "10"},
          {"Density dependence type:", "Ceiling-Allee"},
          {"Demographic stochasticity", "Demographic stochasticity is not used"}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewModel();
        c.setup();
        Form().ShowModelSummary();
        for (const auto& [caption, text] : c.labels)
            EXPECT_EQ(Label(caption), text) << caption;
        EXPECT_EQ(!Form().SummaryLabel("Demographic stochasticity").isHidden(), c.demographicShown);
    }
}

// Run needs something to run; Results needs results.
TEST_F(MainFormTest, RunAndResultsAreEnabledByTheModel)
{
    struct Case {
        int replications, duration, pops, stages;
        std::uint8_t state;
        bool run, results;
    };
    const Case cases[] = {
        {0, 10, 1, 3, kStateInputs, true, false},     // a deterministic run is a run
        {5, 0, 1, 3, kStateInputs, false, false},     // no time steps
        {5, 10, 0, 3, kStateEmpty, false, false},     // no population
        {5, 10, 1, 0, kStateInputs, false, false},    // no stage
        {-1, 10, 1, 3, kStateInputs, false, false},
        {5, 10, 1, 3, kStateResults, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.replications << " " << c.duration << " " << c.pops << " " << c.stages
                                        << " state " << int(c.state));
        Info.replications = c.replications;
        Info.duration = c.duration;
        Info.pops = c.pops;
        Info.stages = c.stages;
        Info.state = c.state;
        Form().UpdateMenus();
        EXPECT_EQ(Form().Item("RunItem").isEnabled(), c.run);
        EXPECT_EQ(Form().ResultsMenu().menuAction()->isEnabled(), c.results);
    }
}

// Moving a model that names files of its own to another folder asks
// first; moving one that names none, or staying in its folder, does not.
TEST_F(MainFormTest, SavingElsewhereAsksAboutTheModelsFiles)
{
    struct Case {
        bool references;
        bool otherFolder;
        TBoxAnswer answer;
        bool asked;
        bool saved;
    };
    const Case cases[] = {
        {true, true, TBoxAnswer::Yes, true, true},
        {true, true, TBoxAnswer::No, true, false},
        {true, false, TBoxAnswer::Yes, false, true},
        {false, true, TBoxAnswer::Yes, false, true},
    };
    TempDir other;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.references << c.otherFolder << int(c.answer));
        const std::string original = CopySample();
        Open(original);
        if (c.references)
            Info.populations[1].kchange = "k_trend.kch";
        const std::string target = (c.otherFolder ? other : dir).file("moved.st");
        std::filesystem::remove(target);
        dialogs.boxes.clear();
        dialogs.boxAnswers = {c.answer};
        dialogs.fileNames.push_back(QString::fromStdString(target));
        Form().SaveAsItemClick();
        ASSERT_EQ(dialogs.boxes.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(dialogs.boxes[0].text.startsWith("The rivedarulation model appears to reference files"));
            EXPECT_TRUE(dialogs.boxes[0].text.endsWith("yourself.\r\n\r\nProceed with save?"));
            EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNo);
        }
        EXPECT_EQ(std::filesystem::exists(target), c.saved);
        EXPECT_EQ(ModelFileName, c.saved ? target : original);
        dialogs.boxAnswers.clear();
    }
}

// A model the user made read-only (no write bit for anyone) is not replaced
// by Save, root included: the message says so, the edits stay in hand and
// Save As still writes them elsewhere.
TEST_F(MainFormTest, SaveRefusesAReadOnlyModelAndKeepsTheEdits)
{
    const std::string path = CopySample();
    const std::string before = ReadAll(path);
    Open(path);
    EditTitle("Kept in hand");
    ::chmod(path.c_str(), 0444);
    dialogs.boxes.clear();
    Form().findChild<QAction*>("SaveItem")->trigger();
    EXPECT_EQ(ReadAll(path), before);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              QString::fromStdString("Cannot save to " + path + ": the file is read-only. The model was not saved."));
    EXPECT_TRUE(Form().Modified());
    EXPECT_EQ(ModelFileName, path);

    const std::string other = dir.file("copy.st");
    dialogs.fileNames = {QString::fromStdString(other)};
    Form().findChild<QAction*>("SaveAsItem")->trigger();
    EXPECT_NE(ReadAll(other).find("Kept in hand"), std::string::npos);
    EXPECT_EQ(ReadAll(path), before);
    ::chmod(path.c_str(), 0644);
}

// Open and Reopen take a file's name only when its inputs loaded. A file
// that cannot be opened leaves the model as it was; one that is no model
// leaves an empty, unnamed one, which Save does not write over the file.
TEST_F(MainFormTest, OpeningAFileThatFailsNeverNamesTheModelAfterIt)
{
    const std::string good = CopySample();
    const std::string junk = dir.file("junk.st");
    const std::string notes = "Field notes, not a model\r\n";
    WriteAll(junk, notes);
    const std::string missing = dir.file("missing.st");

    Open(good);
    EditTitle("Kept");
    dialogs.boxAnswers = {TBoxAnswer::No};
    Form().MRUFileListMRUItemClick(QString::fromStdString(missing));
    EXPECT_EQ(BoxTexts().back(), QString::fromStdString("Cannot open " + missing));
    EXPECT_EQ(ModelFileName, good);
    EXPECT_EQ(Label("Title:"), "Kept");
    EXPECT_TRUE(Form().Modified());
    // Neither failed file goes on top of the recent files.
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(good));

    dialogs.boxAnswers = {TBoxAnswer::No};
    Form().MRUFileListMRUItemClick(QString::fromStdString(junk));
    EXPECT_EQ(ModelFileName, "Untitled.st");
    EXPECT_EQ(Caption(), "Voran Pelivo: Age and Stage Structure - Untitled.st");
    EXPECT_TRUE(Form().Unnamed());
    EXPECT_FALSE(Form().Modified());
    EXPECT_EQ(Info.state, kStateEmpty);
    EXPECT_EQ(Label("Title:"), "");
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(good));
    // Save asks for a name, and cancelling it leaves the file alone.
    const std::size_t chosen = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), chosen + 1);
    EXPECT_EQ(ReadAll(junk), notes);

    // Inputs that load without their results are taken.
    CopyWithBrokenResults("bad_results.st", "Simulation results 2.1\r\nbroken\r\n");
    Open(dir.file("bad_results.st"));
    EXPECT_EQ(ModelFileName, dir.file("bad_results.st"));
    EXPECT_FALSE(Form().Unnamed());
}

// Every editor's OK marks the model modified and the summary shows what it
// stored; Cancel changes nothing. The summary's labels open their editors.
TEST_F(MainFormTest, EditorsMarkTheModelModifiedAndRefreshTheSummary)
{
    struct Case {
        const char* item;
        QString dialog;
        std::function<void(QDialog&)> edit;
        const char* label;
        QString shown;
    };
    const Case cases[] = {
        {"GeneralItem", "General Information",
         [](QDialog& d) { static_cast<TGeneralForm&>(d).TitleEdit().setText("Retitled"); }, "Title:", "Retitled"},
        {"StagesItem", "Stages", [](QDialog& d) { static_cast<TStageForm&>(d).AddButton().click(); }, "Stages:",
         "4"},
        {"PopulationsItem", "Density dependence",
         [](QDialog& d) { static_cast<TPopulationForm&>(d).DensityDependenceComboBox().setCurrentIndex(1); },
         "Density dependence type:", "Scramble"},
        {"StageMatrixItem", "Stage Matrix", {}, nullptr, {}},
        {"StandardDeviationMatrixItem", "Standard Deviation Matrix", {}, nullptr, {}},
        {"InitialAbundancesItem", "Initial Abundances", {}, nullptr, {}},
        {"PopulationManagementItem", "Management & Migration", {}, nullptr, {}},
    };
    for (const Case& c : cases) {
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.item << (ok ? " OK" : " Cancel"));
            Open(CopySample());
            const QString before = c.label ? Label(c.label) : QString();
            modals.shown.clear();
            modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", c.edit));
            Form().Item(c.item).trigger();
            EXPECT_EQ(modals.shown, std::vector<QString>{c.dialog});
            EXPECT_EQ(Form().Modified(), ok);
            if (c.label) {
                EXPECT_EQ(Label(c.label), ok ? c.shown : before);
            }
        }
    }

    Form().show();
    const std::pair<QWidget*, QString> clicks[] = {
        {&Form().SummaryLabel("Title:"), "General Information"},
        {&Form().SummaryLabel("Constraints"), "General Information"},
        {Form().CaptionLabel("Stages:"), "Stages"},
        {&Form().SummaryLabel("Stages:"), "Stages"},
        {Form().CaptionLabel("Density dependence type:"), "Density dependence"},
        {&Form().GeneralPanel(), "General Information"},
    };
    for (const auto& [widget, dialog] : clicks) {
        modals.shown.clear();
        modals.steps.push_back(PressButton("Cancel"));
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(modals.shown, std::vector<QString>{dialog}) << widget->objectName().toStdString();
    }
    EXPECT_EQ(Form().CaptionLabel("Stages:")->statusTip(), "Click to edit stages");
    EXPECT_EQ(Form().GeneralPanel().statusTip(), "Click to edit");
}

// The input check's findings reach the simulation window's list.
TEST_F(MainFormTest, InputCheckWarningsReachTheSimulationWindow)
{
    SimulationWarning("Invalid input: Stage matrix (1)");
    EXPECT_EQ(Form().SimulationForm().WarningsMemo().toPlainText(), "Invalid input: Stage matrix (1)");
}

// Status texts that say work is under way go when the work ends: loading a
// model's results, the density curves of a chart that stays open, and the
// multipliers of a run that its input check then halts.
TEST_F(MainFormTest, StatusTextsEndWithTheirWork)
{
    const std::string path = CopySample();
    Open(path);
    RunModel(6);
    Form().findChild<QAction*>("SaveItem")->trigger();
    ASSERT_NE(ReadAll(path).find("Simulation results"), std::string::npos);
    Form().statusBar()->showMessage("stale");
    Open(path);
    ASSERT_EQ(Info.state, kStateResults);
    EXPECT_EQ(Form().statusBar()->currentMessage(), "");

    Info.selectedpop = 1;
    QString whileOpen = "not shown";
    modals.steps.push_back([&](QDialog& d) {
        d.grab();   // the chart drawn
        whileOpen = Form().statusBar()->currentMessage();
        return TModalResult::Cancel;
    });
    OpenStageResultWindow(&Form(), 1);
    EXPECT_EQ(whileOpen, "");

    Info.populations[1].ktext = "";
    dialogs.boxes.clear();
    RunModel(6);
    ASSERT_EQ(Form().SimulationForm().StatusText(3), "Simulation halted");
    EXPECT_EQ(Form().statusBar()->currentMessage(), "");
}
