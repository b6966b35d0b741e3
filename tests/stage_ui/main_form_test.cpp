#include "stage_ui/main_form.h"

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

const std::string kSample = "meadow_herb.st";
const QString kPrompt = "The model has changed.  Save changes?";

// The program's windows over a store of the program's size, with the
// number switches it runs with; every dialog answered by script, the
// settings in memory. Examples are copied into a folder of the test's own.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
        Config.RandomSeed = "4321";
        PrepareStageModelStore();
        NewModel();
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
        Start();
    }

    void TearDown() override
    {
        program.reset();
        InputsChanged = false;
        TrimTrailingZeros = false;
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
    }

    // The program as started, its main window not shown yet.
    void Start() { program = std::make_unique<TStageProgram>(settings); }
    TMainForm& Form() { return program->MainForm(); }

    std::string Copy(const std::string& name = kSample, const std::string& as = {})
    {
        const std::string path = dir.file(as.empty() ? name : as);
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + name, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    // File, Open from the menu with the name chosen in the dialog; changes
    // of the model in the window are dropped ("No" to saving them).
    void Open(const std::string& path) { OpenFromMenu(Form(), dialogs, path); }

    // A model edit as the user makes it: General Information, new title, OK.
    void EditTitle(const QString& title = "Edited")
    {
        modals.steps.push_back(
            PressButton("OK", [title](QDialog& d) { static_cast<TGeneralForm&>(d).TitleEdit().setText(title); }));
        Form().GeneralItemClick();
    }

    // Simulation, Run: the window's run in full, with few replications.
    void Run(int replications = 5)
    {
        Info.replications = replications;
        RunInFull(Form(), modals);
    }

    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const ShownBox& box : dialogs.boxes)
            texts.push_back(box.text);
        return texts;
    }

    QString Caption() { return Form().windowTitle(); }
    QString Label(const char* caption) { return Form().SummaryLabel(QString::fromLatin1(caption)).text(); }

    // Simulation, Run from the menu with few replications; Esc closes the
    // window once the run is over.
    void RunFromMenu(RealModals& runner)
    {
        Info.replications = 5;
        ::RunFromMenu(Form(), runner);
    }

    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedModals modals{true};
    RecordingHelp help;
    std::unique_ptr<TStageProgram> program;
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
         [this] { ASSERT_EQ(LoadModelFile(Info, Copy()), 0); },
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

// A run in the simulation window leaves results, which the Results menu
// then opens, each item its own kind.
TEST_F(MainFormTest, RunGivesResultsThatTheResultsMenuOpens)
{
    Open(Copy());
    EXPECT_FALSE(Form().ResultsMenu().menuAction()->isEnabled());
    Run();
    ASSERT_EQ(Info.state, kStateResults);
    EXPECT_TRUE(Form().ResultsMenu().menuAction()->isEnabled());
    EXPECT_FALSE(Form().Modified());

    modals.shown.clear();
    for (QAction* item : Form().ResultsMenu().actions()) {
        modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
        item->trigger();
    }
    EXPECT_EQ(modals.shown, (std::vector<QString>{"Trajectory Summary", "Harvest Summary",
                                                  "Final Age/Stage Abundances", "Extinction/Decline",
                                                  "Explosion/Increase"}));
}

// Closing asks only about a changed model; results made from other inputs
// are said to be lost. Cancel keeps the window open, No closes it.
TEST_F(MainFormTest, ClosingAsksToSaveAChangedModel)
{
    Open(Copy());
    Form().show();
    EXPECT_TRUE(Form().close());
    EXPECT_TRUE(dialogs.boxes.empty());

    struct Case {
        bool run, inputsChanged;
        QString text;
    };
    const Case cases[] = {
        {false, false, kPrompt},
        {true, false, kPrompt},
        {true, true, "Results will not be saved.\r\n\r\n" + kPrompt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Open(Copy());
        if (c.run)
            Run();
        EditTitle();
        InputsChanged = c.inputsChanged;
        ASSERT_TRUE(Form().Modified());
        Form().show();
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        EXPECT_FALSE(Form().close());
        EXPECT_TRUE(Form().isVisible());
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, c.text);
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNoCancel);
        dialogs.boxAnswers = {TBoxAnswer::No};
        EXPECT_TRUE(Form().close());
        EXPECT_FALSE(Form().isVisible());
    }
}

// Yes saves before closing; a save that fails keeps the window open.
TEST_F(MainFormTest, YesSavesTheModelBeforeItIsDropped)
{
    const std::string path = Copy();
    Open(path);
    EditTitle("Saved on close");
    dialogs.boxAnswers = {TBoxAnswer::Yes};
    Form().show();
    EXPECT_TRUE(Form().close());
    EXPECT_NE(ReadAll(path).find("Saved on close\r\n"), std::string::npos);
    EXPECT_FALSE(Form().Modified());
}

// A run's results are in no file until the model is saved: Exit, New,
// Open, Reopen and closing the window ask to save them as for a changed
// model, without saying that results are lost (saving keeps them). Cancel
// keeps the window, the model and its results; Yes writes them into the
// model's file.
TEST_F(MainFormTest, UnsavedResultsAreAskedForBeforeTheyAreDropped)
{
    const std::string other = Copy(kSample, "other.st");
    const std::string path = Copy();
    Open(other);
    Open(path);
    Run(6);
    ASSERT_EQ(Info.state, kStateResults);
    EXPECT_FALSE(Form().Modified());
    EXPECT_TRUE(Form().ResultsUnsaved());
    Form().show();

    QAction* reopenOther = ReopenItem(Form().Item("SaveItem"), 1);
    ASSERT_NE(reopenOther, nullptr);
    for (const auto& [name, command] : CommandsThatDropTheModel(Form(), *reopenOther)) {
        SCOPED_TRACE(name);
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        command();
        ASSERT_EQ(BoxTexts(), std::vector<QString>{kPrompt});
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNoCancel);
        EXPECT_TRUE(Form().isVisible());
        EXPECT_EQ(ModelFileName, path);
        EXPECT_EQ(Info.state, kStateResults);
    }

    dialogs.boxes.clear();
    dialogs.boxAnswers = {TBoxAnswer::Yes};
    Form().Item("ExitItem").trigger();
    EXPECT_EQ(BoxTexts(), std::vector<QString>{kPrompt});
    EXPECT_FALSE(Form().isVisible());
    EXPECT_FALSE(Form().ResultsUnsaved());
    EXPECT_NE(ReadAll(path).find("Simulation results"), std::string::npos);
    NewModel();
    EXPECT_EQ(LoadModelFile(Info, path), 0);
    EXPECT_EQ(Info.state, kStateResults);
    EXPECT_EQ(Info.replicationsdone, 6);
}

// Save As to a name without an extension writes "<name>.st", names the
// model after it and puts it on top of the recent files; the file opens
// again as it was, and a plain Save then writes the same bytes.
TEST_F(MainFormTest, SaveAsRoundTrip)
{
    Open(Copy());
    EditTitle("Round trip");
    const std::string saved = dir.file("copy.st");
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("copy")));
    Form().SaveAsItemClick();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(dialogs.fileCaptions.back(), "Save As");
    EXPECT_EQ(Caption(), "Voran Pelivo: Age and Stage Structure - copy.st");
    EXPECT_EQ(ModelFileName, saved);
    EXPECT_FALSE(Form().Unnamed());
    EXPECT_FALSE(Form().Modified());
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(saved));

    const std::string bytes = ReadAll(saved);
    modals.steps.push_back(PressButton("Cancel"));
    Form().NewItemClick();
    Open(saved);
    EXPECT_EQ(Label("Title:"), "Round trip");
    EXPECT_EQ(Label("Stages:"), "3");
    const std::size_t asked = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked) << "Save asked for a name";
    EXPECT_EQ(ReadAll(saved), bytes);

    // A cancelled Save As saves nothing, and the next Save asks again.
    Form().SaveAsItemClick();
    EXPECT_TRUE(Form().Unnamed());
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 2);
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
        const std::string original = Copy();
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
    const std::string path = Copy();
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
    const std::string good = Copy();
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
    std::string withBadResults = ReadAll(good);
    withBadResults.replace(withBadResults.find("-End of file-"), 13, "Simulation results 2.1\r\nbroken\r\n");
    WriteAll(dir.file("bad_results.st"), withBadResults);
    Open(dir.file("bad_results.st"));
    EXPECT_EQ(ModelFileName, dir.file("bad_results.st"));
    EXPECT_FALSE(Form().Unnamed());
}

// The recent files: at most ten, newest first, kept in the settings;
// Reopen brings a file back on top even when the user cancels.
TEST_F(MainFormTest, RecentFilesKeepTheTenNewest)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        files.push_back(Copy(kSample, "m" + std::to_string(i) + ".st"));
        Open(files.back());
    }
    QStringList newest;
    for (int i = 12; i >= 3; --i)
        newest << QString::fromStdString(files[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(Form().MRUFileList().Items(), newest);

    // In the File menu, under "&Reopen", before Save.
    const QList<QAction*> fileItems = MenuOf(Form().Item("SaveItem")).actions();
    int reopen = -1, save = -1;
    for (int i = 0; i < fileItems.size(); ++i) {
        if (fileItems[i]->text() == "&Reopen")
            reopen = i;
        if (fileItems[i]->objectName() == "SaveItem")
            save = i;
    }
    ASSERT_GE(reopen, 0);
    EXPECT_EQ(reopen + 1, save);
    EXPECT_TRUE(fileItems[reopen - 1]->isSeparator());
    ASSERT_EQ(fileItems[reopen]->menu()->actions().size(), 10);
    EXPECT_TRUE(fileItems[reopen]->menu()->actions()[0]->text().startsWith("&1 "));

    EditTitle();
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Form().MRUFileListMRUItemClick(QString::fromStdString(files[5]));
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(files[5]));
    EXPECT_EQ(ModelFileName, files[11]);

    // Kept for the next start.
    program.reset();
    const TSettingValues kept = settings.ReadValues(std::string(kStageSettingsKey) + "\\MRU Items");
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_EQ(kept[0], (std::pair<std::string, std::string>{"F0", files[5]}));
    Start();
    EXPECT_EQ(Form().MRUFileList().Items().size(), 10);
}

// New: an empty unnamed model, then General Information; what its OK
// stores is an edit of the new model.
TEST_F(MainFormTest, NewShowsGeneralInformationForTheNewModel)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Open(Copy());
        EditTitle();
        dialogs.boxAnswers = {TBoxAnswer::No};
        modals.shown.clear();
        modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", [](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            EXPECT_EQ(general.TitleEdit().text(), "");
            general.TitleEdit().setText("Fresh");
        }));
        Form().NewItemClick();
        EXPECT_EQ(modals.shown, std::vector<QString>{"General Information"});
        EXPECT_EQ(Caption(), "Voran Pelivo: Age and Stage Structure - Untitled.st");
        EXPECT_TRUE(Form().Unnamed());
        EXPECT_EQ(Form().Modified(), ok);
        EXPECT_EQ(Label("Title:"), ok ? "Fresh" : "");
        EXPECT_EQ(Info.state, kStateEmpty);
    }
    // Cancel in the save question keeps the model.
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Form().NewItemClick();
    EXPECT_EQ(Label("Title:"), "Fresh");
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
            Open(Copy());
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

// The View items write the options at once; the bars follow them. Status
// texts of the message service reach the status line.
TEST_F(MainFormTest, ToolbarAndStatusBarFollowTheirSettings)
{
    Form().show();
    EXPECT_TRUE(Form().Item("ToolbarItem").isChecked());
    EXPECT_FALSE(Form().ToolbarPanel().isHidden());
    Form().Item("ToolbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(kStageSettingsKey, "ShowToolbar"), "0");
    EXPECT_TRUE(Form().ToolbarPanel().isHidden());
    EXPECT_FALSE(Form().Item("ToolbarItem").isChecked());

    Form().Item("StatusbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(kStageSettingsKey, "ShowStatusBar"), "0");
    EXPECT_TRUE(Form().statusBar()->isHidden());
    Form().Item("StatusbarItem").trigger();
    EXPECT_FALSE(Form().statusBar()->isHidden());

    // A new start reads them.
    program.reset();
    Start();
    Form().show();
    EXPECT_TRUE(Form().ToolbarPanel().isHidden());
    EXPECT_FALSE(Form().statusBar()->isHidden());

    StatusMessage("Loading ... ");
    EXPECT_EQ(Form().statusBar()->currentMessage(), "Loading ... ");
    // The toolbar's buttons are the File menu's items.
    EXPECT_EQ(Form().ToolbarPanel().actions(),
              (QList<QAction*>{&Form().Item("NewItem"), &Form().Item("OpenItem"), &Form().Item("SaveItem"),
                               &Form().Item("ExitItem")}));
    EXPECT_EQ(Form().Item("OpenItem").toolTip(), "Open");
    EXPECT_EQ(Form().Item("OpenItem").statusTip(), "Open a file");
}

// The model named on the command line is loaded when the window is first
// shown; one that fails to load leaves an empty model that has no name.
TEST_F(MainFormTest, TheModelNamedAtStartIsLoadedWhenTheWindowShows)
{
    struct Case {
        std::string file;
        QString caption;
        QString title;
    };
    WriteAll(dir.file("junk.st"), "not a model\r\n");
    const Case cases[] = {
        {Copy(), "meadow_herb.st", "Meadow perennial herb, three stages"},
        {dir.file("junk.st"), "Untitled.st", ""},
        {dir.file("missing.st"), "Untitled.st", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        program.reset();
        NewModel();
        ModelFileName = c.file;
        ModelFileNamed = true;
        Start();
        Form().show();
        EXPECT_EQ(Caption(), "Voran Pelivo: Age and Stage Structure - " + c.caption);
        EXPECT_EQ(Label("Title:"), c.title);
        EXPECT_EQ(Form().Unnamed(), c.title.isEmpty());
        EXPECT_FALSE(Form().Modified());
    }
}

// Help Topics asks for the contents; About shows the About box; the input
// check's findings reach the simulation window's list.
TEST_F(MainFormTest, HelpAboutAndWarnings)
{
    Form().Item("HelpTopicsItem").trigger();
    EXPECT_EQ(help.contexts, std::vector<int>{kHelpContents});
    EXPECT_EQ(Form().Item("HelpTopicsItem").shortcut(), QKeySequence(Qt::Key_F1));
    modals.steps.push_back([](QDialog&) { return TModalResult::Ok; });
    Form().Item("AboutItem").trigger();
    EXPECT_EQ(modals.shown, std::vector<QString>{"About Voran Pelivo: Age and Stage Structure"});

    SimulationWarning("Invalid input: Stage matrix (1)");
    EXPECT_EQ(Form().SimulationForm().WarningsMemo().toPlainText(), "Invalid input: Stage matrix (1)");
}

// File, New, then OK in General Information without a change: the new model
// is not modified, so Exit asks nothing. The same OK on a loaded model, shown
// a second time after a Cancel, leaves it unmodified too.
TEST_F(MainFormTest, GeneralInformationOkWithoutAChangeLeavesTheModelUnmodified)
{
    Form().show();
    RealModals runner;
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    Form().Item("NewItem").trigger();
    EXPECT_EQ(runner.showings, 1);
    EXPECT_FALSE(Form().Modified());

    Open(Copy());
    runner.steps.push_back([](QDialog& d) { Click(static_cast<TGeneralForm&>(d).CancelButton()); });
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    for (int showing = 0; showing < 2; ++showing)
        Form().Item("GeneralItem").trigger();
    EXPECT_FALSE(Form().Modified());

    Form().Item("ExitItem").trigger();
    EXPECT_FALSE(Form().isVisible());
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
}

// Status texts that say work is under way go when the work ends: loading a
// model's results, the density curves of a chart that stays open, and the
// multipliers of a run that its input check then halts.
TEST_F(MainFormTest, StatusTextsEndWithTheirWork)
{
    const std::string path = Copy();
    Open(path);
    Run(6);
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
    Run(6);
    ASSERT_EQ(Form().SimulationForm().StatusText(3), "Simulation halted");
    EXPECT_EQ(Form().statusBar()->currentMessage(), "");
}

// A paste into the comments from a clipboard without text (no data, an
// image only, an owner that has gone) beeps and changes nothing; a long text
// goes in. The program goes on, and OK stores what the box shows.
TEST_F(MainFormTest, PastesIntoTheCommentsSurviveAClipboardWithoutText)
{
    Form().show();
    Open(Copy());
    const std::string lastLine = Info.comments[4];
    RealModals runner;
    runner.steps.push_back(PasteEveryClipboardIntoComments);
    Form().Item("GeneralItem").trigger();
    EXPECT_TRUE(HoldsTheLongPasteAfter(Info.comments[4], lastLine));
    EXPECT_TRUE(Form().Modified());
}
