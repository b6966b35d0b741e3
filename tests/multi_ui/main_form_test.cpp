#include "multi_ui/main_form.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/messages.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "multi/model_data.h"
#include "multi/multi_options.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "unstructured_ui/general_form.h"
#include "multi_ui/multi_program.h"
#include "multi_ui/population_form.h"
#include "unstructured_ui/simulation_form.h"
#include "support/comments_paste.h"
#include "support/editor_fixture.h"
#include "support/file_lines.h"
#include "support/modal_steps.h"
#include "support/real_modals.h"
#include "support/number_switches.h"
#include "support/recording_help.h"
#include "support/save_failures.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/about_template_form.h"
#include "ui/mru_file_list.h"
#include "ui/numeric_edit.h"
#include "ui/picture_files.h"
#include "ui/summary_panel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QToolBar>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace multi;
using unstructured_ui::TSimulationForm;
using unstructured_ui::TGeneralForm;

namespace {

const std::string kKey = "Software\\Varnholt\\Voran Pelivo: Multiple Populations";
const QString kCaption = "Voran Pelivo: Multiple Populations - ";
const QString kPrompt = "The model has changed.  Save changes?";
const QString kSampleTitle = "Water voles along the Ashbrook valley";

// The program's windows over the engine's model, every dialog answered by
// script, the settings in memory. The sample and its map are copied into a
// folder of the test's own.
class MultiMainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table_ = CurrentKindTable();
        SelectKindTable(TKindTable::Plurimod);
        StartMultiEngine(TMultiLimits{});
        ModelFileName = kUntitledModel;
        ModelFileNamed = false;
        Config.RandomSeed = "4321";
        Config.StepDelay = 0;
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_valley.map", dir.file("river_valley.map"));
        Start();
    }

    void TearDown() override
    {
        program.reset();
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
        Config.RandomSeed = "0";
        SelectKindTable(table_);
    }

    // The program as started, its main window not shown yet.
    void Start() { program = std::make_unique<TMultiProgram>(settings); }
    TMainForm& Form() { return program->MainForm(); }

    std::string Copy(const std::string& as = "river_voles.mp")
    {
        const std::string path = dir.file(as);
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_voles.mp", path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    // File, Open from the menu with the name chosen in the dialog; changes
    // of the model in the window are dropped ("No" to saving them).
    void Open(const std::string& path) { OpenFromMenu(Form(), dialogs, path); }

    // Model, General Information seen once and cancelled, then "..." with
    // `chosen` picked in the file dialog; what the edit then shows; OK.
    QString ChooseMap(RealModals& runner, const std::string& chosen)
    {
        QString shown;
        OpenTwice(Form(), runner, "GeneralItem", [&](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            dialogs.fileNames.push_back(QString::fromStdString(chosen));
            Click(general.LandscapeMapBrowseButton());
            shown = general.LandscapeMapEdit().text();
            Click(general.OkButton());
        });
        return shown;
    }

    // The header line of a saved model.
    static std::string HeaderOf(const std::string& path) { return SplitLines(ReadAll(path)).at(0); }

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
        Model.Replications = replications;
        RunInFull(Form(), modals);
    }

    // Simulation, Run from the menu with few replications; Esc closes the
    // window once the run is over.
    void RunFromMenu(RealModals& runner)
    {
        Model.Replications = 5;
        ::RunFromMenu(Form(), runner);
    }

    QString Caption() { return Form().windowTitle(); }
    QString Label(const char* caption) { return Form().SummaryLabel(QString::fromLatin1(caption)).text(); }
    QWidget* Page() { return Form().PageControl().currentWidget(); }
    bool ResultsEnabled() { return Form().Item("TrajectorySummaryItem").isEnabled(); }

    KeptNumberSwitches switches;
    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedModals modals{true};
    RecordingHelp help;
    std::unique_ptr<TMultiProgram> program;
    TKindTable table_ = TKindTable::Strativa;
};

}  // namespace

// The page follows ViewMode: map, general information, or in the automatic
// mode the map only for two populations or more; another value leaves the
// page alone and checks no view item. The View items write ViewMode.
TEST_F(MultiMainFormTest, ViewModeChoosesThePage)
{
    struct Case {
        const char* mode;
        int populations;
        bool map;
        const char* checked;
    };
    const Case cases[] = {
        {nullptr, 1, false, "AutoItem"}, {nullptr, 2, true, "AutoItem"}, {"3", 5, true, "AutoItem"},
        {"1", 1, true, "MapItem"},       {"2", 5, false, "GeneralInformationViewItem"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.mode ? c.mode : "none") << " " << c.populations);
        settings.DeleteValue(kKey, "ViewMode");
        if (c.mode)
            settings.WriteValue(kKey, "ViewMode", c.mode);
        Model.PopCount = static_cast<std::uint8_t>(c.populations);
        Form().UpdateBars();
        Form().UpdateMenus();
        EXPECT_EQ(Page(), c.map ? &Form().MapTabSheet() : static_cast<QWidget*>(&Form().GeneralTabSheet()));
        for (const char* item : {"MapItem", "GeneralInformationViewItem", "AutoItem"})
            EXPECT_EQ(Form().Item(item).isChecked(), std::string(item) == c.checked) << item;
    }
    settings.WriteValue(kKey, "ViewMode", "7");
    Form().UpdateBars();
    Form().UpdateMenus();
    EXPECT_EQ(Page(), static_cast<QWidget*>(&Form().GeneralTabSheet()));
    for (const char* item : {"MapItem", "GeneralInformationViewItem", "AutoItem"})
        EXPECT_FALSE(Form().Item(item).isChecked()) << item;

    const std::pair<const char*, const char*> items[] = {
        {"MapItem", "1"}, {"GeneralInformationViewItem", "2"}, {"AutoItem", "3"}};
    for (const auto& [item, mode] : items) {
        Form().Item(item).trigger();
        EXPECT_EQ(settings.ReadValue(kKey, "ViewMode"), mode);
        EXPECT_TRUE(Form().Item(item).isChecked());
    }
    EXPECT_EQ(Page(), &Form().MapTabSheet());
}

// The general page shows the model; the demographic line only with
// replications; labels open their dialogs.
TEST_F(MultiMainFormTest, TheGeneralPageShowsTheModelAndOpensItsDialogs)
{
    Open(Copy());
    EXPECT_EQ(Label("Title:"), kSampleTitle);
    EXPECT_EQ(Label("Comments:"), "Five colonies on the main river and two side streams.\nAbundances are adult females "
                                  "counted in spring.\nMink control keeps survival at the values below.\nDistances in "
                                  "hundreds of metres.");
    EXPECT_EQ(Label("Replications:"), "500");
    EXPECT_EQ(Label("Duration:"), "30");
    EXPECT_EQ(Label("Populations:"), "5");
    EXPECT_FALSE(Form().SummaryLabel("Using demographic stochasticity").isHidden());

    Model.Replications = 0;
    Form().ShowModelSummary();
    EXPECT_EQ(Label("Replications:"), "0 (deterministic simulation)");
    EXPECT_TRUE(Form().SummaryLabel("Using demographic stochasticity").isHidden());

    settings.WriteValue(kKey, "ViewMode", "2");
    Form().show();
    const std::pair<QWidget*, QString> clicks[] = {
        {&Form().SummaryLabel("Title:"), "General Information"},
        {Form().GeneralTabSheet().CaptionLabel("Duration:"), "General Information"},
        {&Form().SummaryLabel("Populations:"), "Populations"},
        {Form().GeneralTabSheet().CaptionLabel("Populations:"), "Populations"},
    };
    for (const auto& [widget, dialog] : clicks) {
        modals.shown.clear();
        modals.steps.push_back(PressButton("Cancel"));
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(modals.shown, std::vector<QString>{dialog}) << widget->objectName().toStdString();
    }
    EXPECT_EQ(Form().SummaryLabel("Populations:").statusTip(), "Click to edit populations");
    EXPECT_EQ(Form().SummaryLabel("Title:").statusTip(), "Click to edit");
    EXPECT_FALSE(Form().Modified());
}

// Run needs something to run; the Results items need results, which a run
// leaves and which they then open, each its own kind.
TEST_F(MultiMainFormTest, RunAndResultsAreEnabledByTheModel)
{
    struct Case {
        int replications, duration, pops;
        std::uint8_t state;
        bool run, results;
    };
    const Case cases[] = {
        {0, 10, 1, kStateInputs, true, false},  // a deterministic run is a run
        {5, 0, 1, kStateInputs, false, false},
        {5, 10, 0, kStateEmpty, false, false},
        {-1, 10, 1, kStateInputs, false, false},
        {5, 10, 1, kStateResults, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.replications << " " << c.duration << " " << c.pops);
        Model.Replications = c.replications;
        Model.Duration = c.duration;
        Model.PopCount = static_cast<std::uint8_t>(c.pops);
        Model.ModelState = c.state;
        Form().UpdateMenus();
        EXPECT_EQ(Form().Item("RunItem").isEnabled(), c.run);
        for (QAction* item : Form().ResultsMenu().actions()) {
            if (!item->isSeparator()) {
                EXPECT_EQ(item->isEnabled(), c.results) << item->text().toStdString();
            }
        }
    }

    Open(Copy());
    EXPECT_FALSE(ResultsEnabled());
    Run();
    ASSERT_EQ(Model.ModelState, kStateResults);
    EXPECT_TRUE(ResultsEnabled());
    EXPECT_FALSE(Form().Modified());
    modals.shown.clear();
    for (QAction* item : Form().ResultsMenu().actions()) {
        if (item->isSeparator())
            continue;
        modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
        item->trigger();
    }
    EXPECT_EQ(modals.shown, (std::vector<QString>{"Trajectory Summary", "Population Structure",
                                                  "Rivedarulation Occupancy", "Extinction/Decline",
                                                  "Explosion/Increase"}));
}

// The save question: Cancel keeps the window and the model, No drops the
// model, Yes saves it; results made from other inputs are said to be lost
// after the question.
TEST_F(MultiMainFormTest, ClosingAsksToSaveAChangedModel)
{
    const std::string path = Copy();
    Open(path);
    Form().show();
    EXPECT_TRUE(Form().close());
    EXPECT_TRUE(dialogs.boxes.empty());

    struct Case {
        bool run, inputsChanged;
        TBoxAnswer answer;
        QString text;
        bool closed, saved;
    };
    const Case cases[] = {
        {false, false, TBoxAnswer::Cancel, kPrompt, false, false},
        {true, true, TBoxAnswer::Cancel, kPrompt + "\r\n\r\nResults will not be saved.", false, false},
        {true, false, TBoxAnswer::No, kPrompt, true, false},
        {true, true, TBoxAnswer::Yes, kPrompt + "\r\n\r\nResults will not be saved.", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(int(c.answer)));
        Open(Copy());
        if (c.run)
            Run();
        EditTitle("Changed");
        Model.InputsChanged = c.inputsChanged;
        Form().show();
        dialogs.boxes.clear();
        dialogs.boxAnswers = {c.answer};
        EXPECT_EQ(Form().close(), c.closed);
        EXPECT_EQ(Form().isVisible(), !c.closed);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, c.text);
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNoCancel);
        EXPECT_EQ(Label("Title:"), "Changed");
        EXPECT_EQ(Form().Modified(), !c.saved);
        const std::string file = ReadAll(path);
        EXPECT_EQ(file.find("Changed\r\n") != std::string::npos, c.saved);
        // Results from other inputs stay out of the file.
        EXPECT_EQ(file.find("Simulation results"), std::string::npos);
    }
}

// A run's results are in no file until the model is saved: Exit, New,
// Open, Reopen and closing the window ask to save them as for a changed
// model, without saying that results are lost. Cancel keeps the window and
// the results; Yes writes them into the model's file.
TEST_F(MultiMainFormTest, UnsavedResultsAreAskedForBeforeTheyAreDropped)
{
    const std::string other = Copy("other.mp");
    const std::string path = Copy();
    Open(other);
    Open(path);
    Run(6);
    ASSERT_EQ(Model.ModelState, kStateResults);
    EXPECT_FALSE(Form().Modified());
    Form().show();

    QAction* reopenOther = ReopenItem(Form().Item("SaveItem"), 1);
    ASSERT_NE(reopenOther, nullptr);
    for (const auto& [name, command] : CommandsThatDropTheModel(Form(), *reopenOther)) {
        SCOPED_TRACE(name);
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        command();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, kPrompt);
        EXPECT_TRUE(Form().isVisible());
        EXPECT_EQ(ModelFileName, path);
        EXPECT_EQ(Model.ModelState, kStateResults);
    }

    dialogs.boxes.clear();
    dialogs.boxAnswers = {TBoxAnswer::Yes};
    Form().Item("ExitItem").trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, kPrompt);
    EXPECT_FALSE(Form().isVisible());
    EXPECT_FALSE(Form().ResultsUnsaved());
    EXPECT_NE(ReadAll(path).find("Simulation results"), std::string::npos);
}

// Open by its code: a model that loads is named after its file; one that
// cannot be read, or is no model of this program, leaves the model, its
// name and its flags; one read only in part is an untitled, modified model
// that a plain Save does not write over its file.
TEST_F(MultiMainFormTest, OpeningFollowsTheReadersCode)
{
    const std::string good = Copy();
    const std::string other = Copy("other.mp");
    const std::string junk = dir.file("junk.mp");
    WriteAll(junk, "Field notes, not a model\r\n");
    std::string partial = ReadAll(good);
    partial.replace(partial.find("-End of file-"), 13,
                    "Simulation results 01/02/2024 10:00:00\r\n500 replications\r\nbroken\r\n");
    WriteAll(dir.file("partial.mp"), partial);

    struct Case {
        std::string file;
        QString caption;
        bool needsName, modified, kept;
    };
    const Case cases[] = {
        {other, "other.mp", false, false, false},
        {dir.file("missing.mp"), "river_voles.mp", false, true, true},
        {junk, "river_voles.mp", false, true, true},
        {dir.file("partial.mp"), "Untitled.mp", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(good);
        EditTitle("Kept");
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::No};
        Form().MRUFileListMRUItemClick(QString::fromStdString(c.file));
        EXPECT_EQ(Caption(), kCaption + c.caption);
        EXPECT_EQ(Form().NeedsFileName(), c.needsName);
        EXPECT_EQ(Form().Modified(), c.modified);
        EXPECT_EQ(Label("Title:"), c.kept ? "Kept" : kSampleTitle);
        EXPECT_EQ(Label("Populations:"), "5");
        // Only a file that loaded goes on top of the recent files.
        EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(c.file == other ? other : good));
    }

    // The partly read model is not saved over its file: Save asks for a name.
    const std::string bytes = ReadAll(dir.file("partial.mp"));
    const std::size_t asked = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 1);
    EXPECT_EQ(ReadAll(dir.file("partial.mp")), bytes);
}

// Save As to a name without an extension writes "<name>.mp", names the
// model after it and puts it on top of the recent files; a plain Save then
// writes the same bytes without asking. A cancelled Save As saves nothing.
TEST_F(MultiMainFormTest, SaveAsRoundTrip)
{
    Open(Copy());
    EditTitle("Round trip");
    const std::string saved = dir.file("copy.mp");
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("copy")));
    Form().SaveAsItemClick();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(Caption(), kCaption + "copy.mp");
    EXPECT_EQ(ModelFileName, saved);
    EXPECT_FALSE(Form().NeedsFileName());
    EXPECT_FALSE(Form().Modified());
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(saved));

    const std::string bytes = ReadAll(saved);
    EXPECT_NE(bytes.find("Round trip\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("map=river_valley.map\r\n"), std::string::npos);
    const std::size_t asked = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked);
    EXPECT_EQ(ReadAll(saved), bytes);

    Form().SaveAsItemClick();
    EXPECT_TRUE(Form().NeedsFileName());
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 1);
    EXPECT_EQ(ReadAll(saved), bytes);
}

// The recent files: at most ten, newest first, in "&Reopen" just after
// Open and before the separator that follows it, kept in the settings;
// Reopen brings a file back on top even when the user cancels.
TEST_F(MultiMainFormTest, RecentFilesKeepTheTenNewest)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        files.push_back(Copy("m" + std::to_string(i) + ".mp"));
        Open(files.back());
    }
    QStringList newest;
    for (int i = 12; i >= 3; --i)
        newest << QString::fromStdString(files[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(Form().MRUFileList().Items(), newest);

    const QList<QAction*> fileItems = MenuOf(Form().Item("OpenItem")).actions();
    int open = -1;
    for (int i = 0; i < fileItems.size(); ++i)
        if (fileItems[i]->objectName() == "OpenItem")
            open = i;
    ASSERT_GE(open, 0);
    ASSERT_LT(open + 2, fileItems.size());
    EXPECT_EQ(fileItems[open + 1]->text(), "&Reopen");
    EXPECT_TRUE(fileItems[open + 2]->isSeparator());
    ASSERT_EQ(fileItems[open + 1]->menu()->actions().size(), 10);

    EditTitle();
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Form().MRUFileListMRUItemClick(QString::fromStdString(files[5]));
    EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(files[5]));
    EXPECT_EQ(ModelFileName, files[11]);

    program.reset();
    const TSettingValues kept = settings.ReadValues(kKey + "\\MRU Items");
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_EQ(kept[0], (std::pair<std::string, std::string>{"F0", files[5]}));
    Start();
    EXPECT_EQ(Form().MRUFileList().Items().size(), 10);
}

// New: an empty, untitled model without the old one's map, then General
// Information; what its OK stores is an edit of the new model.
TEST_F(MultiMainFormTest, NewStartsAnEmptyModelWithoutAMap)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Open(Copy());
        Run();
        EditTitle();
        dialogs.boxAnswers = {TBoxAnswer::No};
        modals.shown.clear();
        modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", [](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            EXPECT_EQ(general.TitleEdit().text(), "");
            EXPECT_EQ(general.LandscapeMapEdit().text(), "");
            general.TitleEdit().setText("Fresh");
        }));
        Form().NewItemClick();
        EXPECT_EQ(modals.shown, std::vector<QString>{"General Information"});
        EXPECT_EQ(Caption(), kCaption + "Untitled.mp");
        EXPECT_TRUE(Form().NeedsFileName());
        EXPECT_EQ(Form().Modified(), ok);
        EXPECT_EQ(Label("Title:"), ok ? "Fresh" : "");
        EXPECT_EQ(Label("Populations:"), "1");
        EXPECT_EQ(Model.MapName, "");
        EXPECT_EQ(Model.ModelState, kStateEmpty);
        EXPECT_FALSE(Model.InputsChanged);
        EXPECT_FALSE(ResultsEnabled());
    }
    // Cancel in the save question keeps the model.
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Form().NewItemClick();
    EXPECT_EQ(Label("Title:"), "Fresh");
}

// File, New opens General Information with the keyboard in the title, as
// the other programs do: what is typed first is the title, not the map's
// name, the first time and every time after.
TEST_F(MultiMainFormTest, NewStartsTypingInTheTitle)
{
    RealModals runner;
    Form().show();
    for (const char* typed : {"Moor", "Fen"}) {
        const QString title = QString::fromLatin1(typed);
        SCOPED_TRACE(typed);
        if (Form().ChangesToSave())
            dialogs.boxAnswers.push_back(TBoxAnswer::No);
        runner.steps.push_back([title](QDialog&) {
            Type(title);
            Press(Qt::Key_Return);
        });
        Form().Item("NewItem").trigger();
        EXPECT_EQ(Model.Info.Title, title.toStdString());
        EXPECT_EQ(Model.MapName, "");
    }
}

// Every editor's OK marks the model modified; Cancel changes nothing.
TEST_F(MultiMainFormTest, EditorsMarkTheModelModified)
{
    struct Case {
        const char* item;
        QString dialog;
        std::function<void(QDialog&)> edit;
    };
    const Case cases[] = {
        {"GeneralItem", "General Information",
         [](QDialog& d) { static_cast<TGeneralForm&>(d).TitleEdit().setText("Retitled"); }},
        {"PopulationsItem", "Populations", {}},
        {"DispersalItem", "Dispersal and Correlation", {}},
    };
    for (const Case& c : cases) {
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.item << (ok ? " OK" : " Cancel"));
            Open(Copy());
            modals.shown.clear();
            modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", c.edit));
            Form().Item(c.item).trigger();
            EXPECT_EQ(modals.shown, std::vector<QString>{c.dialog});
            EXPECT_EQ(Form().Modified(), ok);
        }
    }
    EXPECT_EQ(Label("Title:"), kSampleTitle);
    // The population editor's display buttons open this program's windows.
    Open(Copy());
    modals.shown.clear();
    modals.steps.push_back([](QDialog& d) {
        static_cast<TPopulationForm&>(d).ShowPopulationResult(kDensityDependenceInR);
        return TModalResult::Cancel;
    });
    modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
    Form().PopulationsItemClick();
    EXPECT_EQ(modals.shown, (std::vector<QString>{"Populations", "Density Dependence in R"}));
}

// The View items write the options at once and the bars follow them;
// status texts of the message service reach the status line.
TEST_F(MultiMainFormTest, ToolbarAndStatusBarFollowTheirSettings)
{
    Form().show();
    EXPECT_TRUE(Form().Item("ToolbarItem").isChecked());
    EXPECT_FALSE(Form().ToolbarPanel().isHidden());
    Form().Item("ToolbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(kKey, "ShowToolbar"), "0");
    EXPECT_TRUE(Form().ToolbarPanel().isHidden());
    EXPECT_FALSE(Form().Item("ToolbarItem").isChecked());
    Form().Item("StatusbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(kKey, "ShowStatusBar"), "0");
    EXPECT_TRUE(Form().statusBar()->isHidden());
    Form().Item("StatusbarItem").trigger();
    EXPECT_FALSE(Form().statusBar()->isHidden());

    program.reset();
    Start();
    Form().show();
    EXPECT_TRUE(Form().ToolbarPanel().isHidden());
    StatusMessage("Loading ... ");
    EXPECT_EQ(Form().statusBar()->currentMessage(), "Loading ... ");
    EXPECT_EQ(Form().ToolbarPanel().actions(),
              (QList<QAction*>{&Form().Item("NewItem"), &Form().Item("OpenItem"), &Form().Item("SaveItem"),
                               &Form().Item("ExitItem")}));
    EXPECT_EQ(Form().Item("NewItem").statusTip(), "Start a new file");
    EXPECT_EQ(Form().Item("NewItem").toolTip(), "New");
}

// The model named on the command line is loaded when the window is first
// shown; a name that does not load stays the model's name.
TEST_F(MultiMainFormTest, TheModelNamedAtStartIsLoadedWhenTheWindowShows)
{
    struct Case {
        std::string file;
        QString caption, title;
        bool needsName;
    };
    const Case cases[] = {
        {Copy(), "river_voles.mp", kSampleTitle, false},
        {dir.file("new.mp"), "new.mp", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        program.reset();
        NewModel(Model);
        ModelFileName = c.file;
        ModelFileNamed = true;
        dialogs.boxes.clear();
        Start();
        Form().show();
        EXPECT_EQ(Caption(), kCaption + c.caption);
        EXPECT_EQ(Label("Title:"), c.title);
        EXPECT_EQ(Form().NeedsFileName(), c.needsName);
        EXPECT_FALSE(Form().Modified());
    }
    EXPECT_EQ(dialogs.boxes.size(), 1u);  // "Cannot open ..."
}

// The map page draws the sample's map with its five populations, in a
// window of its own size that cannot be made smaller than 300 x 200.
TEST_F(MultiMainFormTest, TheMapPageDrawsTheModelsMap)
{
    Open(Copy());
    settings.WriteValue(kKey, "ViewMode", "1");
    const QImage window = GrabWindow(Form());
    EXPECT_EQ(Page(), &Form().MapTabSheet());
    EXPECT_GT(window.width(), 300);
    EXPECT_GT(window.height(), 200);
    EXPECT_EQ(Form().minimumSize(), QSize(300, 200));
    EXPECT_TRUE(HasSeveralColours(Form().Map().grab().toImage()));
    EXPECT_EQ(Form().MapLayout().X.size(), 6u);  // populations 1..5, and index 0
    EXPECT_EQ(Form().MapLayout().Width, Form().Map().width());
}

// Help Topics asks for the contents; About shows this program's box.
TEST_F(MultiMainFormTest, HelpAndAbout)
{
    Form().Item("HelpTopicsItem").trigger();
    EXPECT_EQ(help.contexts, std::vector<int>{kHelpContents});
    EXPECT_EQ(Form().Item("HelpTopicsItem").shortcut(), QKeySequence(Qt::Key_F1));
    modals.steps.push_back([](QDialog&) { return TModalResult::Ok; });
    Form().Item("AboutItem").trigger();
    EXPECT_EQ(modals.shown, std::vector<QString>{"About Voran Pelivo: Multiple Populations"});
}

namespace {

// Tab to the next field, then replace its text.
void TabAndType(const QString& text)
{
    Press(Qt::Key_Tab);
    Type(text);
}

}  // namespace

// A two-population model built from File, New with the keyboard alone: the
// typed coordinates (0 and 0, as the new population showed them) are stored,
// so the populations are 10 apart and 0.2 e^-1 of each disperses to the other.
TEST_F(MultiMainFormTest, AModelTypedFromNewRunsWithWhatWasTyped)
{
    RealModals runner;
    Form().show();
    // File, New shows General Information: ten time steps, no replications.
    runner.steps.push_back([](QDialog&) {
        TypeIntoMnemonic(Qt::Key_D, "10");
        Press(Qt::Key_Return);
    });
    Form().Item("NewItem").trigger();
    EXPECT_EQ(Model.Duration, 10);
    EXPECT_EQ(runner.showings, 1);

    // Model, Populations, seen once and closed, then typed into.
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    runner.steps.push_back([](QDialog& d) {
        auto& form = static_cast<TPopulationForm&>(d);
        EXPECT_EQ(form.XEdit().text(), "0.000");
        TypeIntoMnemonic(Qt::Key_N, "West pond");
        TypeIntoMnemonic(Qt::Key_X, "0");
        TypeIntoMnemonic(Qt::Key_C, "0");
        TypeIntoMnemonic(Qt::Key_I, "100");
        TabAndType("1.2");
        Click(form.AddButton());
        TypeIntoMnemonic(Qt::Key_N, "East pond");
        TypeIntoMnemonic(Qt::Key_X, "10");
        TypeIntoMnemonic(Qt::Key_C, "0");
        TypeIntoMnemonic(Qt::Key_I, "50");
        TabAndType("1.2");
        Click(form.OkButton());
    });
    for (int showing = 0; showing < 2; ++showing)
        Form().Item("PopulationsItem").trigger();
    ASSERT_EQ(Model.PopCount, 2);
    EXPECT_EQ(Model.Populations[1].XText, "0");
    EXPECT_EQ(Model.Populations[1].YText, "0");
    EXPECT_EQ(Model.Populations[2].XText, "10");

    // Model, Dispersal and Correlation: average 10, maximum 50, rate 0.2.
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    runner.steps.push_back([](QDialog&) {
        TypeIntoMnemonic(Qt::Key_A, "10");
        TypeIntoMnemonic(Qt::Key_M, "50");
        TypeIntoMnemonic(Qt::Key_R, "0.2");
        Press(Qt::Key_Return);
    });
    for (int showing = 0; showing < 2; ++showing)
        Form().Item("DispersalItem").trigger();
    EXPECT_EQ(Model.DistanceFunctions.MaxDispersalRateText, "0.2");
    EXPECT_NEAR(Model.DispersalMatrix[1][2], 0.2 * std::exp(-1.0), 1e-6);
    EXPECT_TRUE(dialogs.boxes.empty());

    // Simulation, Run; the window is closed once the run is over.
    runner.steps.push_back([](QDialog& d) {
        WaitForRunEnd(static_cast<TRunWindow&>(d));
        d.close();
    });
    Form().Item("RunItem").trigger();
    ASSERT_EQ(Model.ModelState, kStateResults);
    const float west[] = {115, 134, 156};
    const float east[] = {65, 82, 103};
    for (int t = 1; t <= 3; ++t) {
        EXPECT_FLOAT_EQ(Model.PopMean[1][t], west[t - 1]) << t;
        EXPECT_FLOAT_EQ(Model.PopMean[2][t], east[t - 1]) << t;
    }

    // The saved file holds the coordinates.
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("ponds.mp")));
    Form().Item("SaveAsItem").trigger();
    const std::vector<std::string> lines = SplitLines(ReadAll(dir.file("ponds.mp")));
    auto starts = [&](const std::string& head) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(head, 0) == 0; });
    };
    EXPECT_TRUE(starts("West pond,0,0,100,EX,1.2,")) << ReadAll(dir.file("ponds.mp"));
    EXPECT_TRUE(starts("East pond,10,0,50,EX,1.2,"));
}

// In the sample's Populations: R set back after Apply and after Duplicate is
// stored as set back; Becks end's trend in K of -0.5 shows as it is, and a 0
// typed over it is stored.
TEST_F(MultiMainFormTest, PopulationsStoreWhatIsShownAfterApplyAndDuplicate)
{
    Open(Copy());
    RealModals runner;
    OpenTwice(Form(), runner, "PopulationsItem", [](QDialog& d) {
        auto& form = static_cast<TPopulationForm&>(d);
        EXPECT_EQ(form.GrowthRateEdit().text(), "1.8000");
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.5");
        Click(form.ApplyButton());
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.8");
        Click(form.DuplicateButton());
        // The copy took 1.8; the entry itself goes back and forth once more.
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.6");
        Click(form.ApplyButton());
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.8");
        // Becks end.
        form.PopulationsListBox().setFocus();
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Down);
        EXPECT_EQ(form.NameEdit().text(), "Becks end");
        EXPECT_EQ(form.TemporalTrendInKEdit().text(), "-0.50");
        Press(Qt::Key_K, Qt::AltModifier);
        Type("0");
        Press(Qt::Key_Return);
    });
    EXPECT_EQ(Model.Populations[1].GrowthRateText, "1.8");
    EXPECT_EQ(Model.Populations[6].GrowthRateText, "1.8");
    EXPECT_EQ(Model.Populations[4].TrendInKText, "0");
    EXPECT_EQ(Model.TrendInK[4], 0.0f);
    // Values left alone keep their texts.
    EXPECT_EQ(Model.Populations[1].SurvivalText, "0.45");
    EXPECT_EQ(Model.Populations[5].TrendInKText, "0");
}

// 1.55 in "Maximum dispersal rate" and Tab: the range message comes as the
// field is left, the focus goes back to it, and nothing is stored.
TEST_F(MultiMainFormTest, DispersalRefusesARateOutOfRangeWhenTheFieldIsLeft)
{
    Open(Copy());
    const DistanceFunctionsType before = Model.DistanceFunctions;
    RealModals runner;
    OpenTwice(Form(), runner, "DispersalItem", [this](QDialog& d) {
        TypeIntoMnemonic(Qt::Key_R, "1.55");
        Press(Qt::Key_Tab);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "This value must be between 0 and 1, inclusive.");
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "MaximumDispersalRateEdit");
        Press(Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(Model.DistanceFunctions.MaxDispersalRateText, before.MaxDispersalRateText);
}

// OK in General Information without a change, after File, New and on a
// loaded model, leaves the model unmodified: Exit asks nothing. A change
// marks it.
TEST_F(MultiMainFormTest, GeneralInformationOkWithoutAChangeLeavesTheModelUnmodified)
{
    RealModals runner;
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    Form().Item("NewItem").trigger();
    EXPECT_FALSE(Form().Modified());
    Open(Copy());
    for (int showing = 0; showing < 2; ++showing) {
        runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
        Form().Item("GeneralItem").trigger();
    }
    EXPECT_FALSE(Form().Modified());
    EXPECT_TRUE(Form().QuerySaveChanges());
    EXPECT_TRUE(dialogs.boxes.empty());

    const bool inputsChanged = Model.InputsChanged;
    runner.steps.push_back([](QDialog&) {
        Press(Qt::Key_End);
        Type(" and beyond");
        Press(Qt::Key_Return);
    });
    Form().Item("GeneralItem").trigger();
    EXPECT_EQ(Model.Info.Title, kSampleTitle.toStdString() + " and beyond");
    EXPECT_TRUE(Form().Modified());
    EXPECT_EQ(Model.InputsChanged, inputsChanged);
}

// The simulation window is made once, with the program: the delay the user
// sets stays for the next run, in the same window.
TEST_F(MultiMainFormTest, TheSimulationWindowKeepsItsDelayForTheNextRun)
{
    Open(Copy());
    Model.Replications = 3;
    TSimulationForm* first = nullptr;
    modals.steps.push_back([&first](QDialog& d) {
        auto& simulation = static_cast<TSimulationForm&>(d);
        first = &simulation;
        ShowActive(simulation);
        EXPECT_EQ(simulation.DelayEdit().text(), "0.00");
        simulation.TimerTimer();
        // After the run the user raises the delay for the next one.
        Click(simulation.DelayEdit());
        EXPECT_EQ(QApplication::focusWidget(), &simulation.DelayEdit());
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Up);
        return TModalResult::Cancel;
    });
    Form().Item("RunItem").trigger();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->DelayEdit().text(), "0.30");

    // The second run shows the same window with the user's delay; the user
    // stops it at its first time step rather than wait.
    const QMetaObject::Connection stop =
        QObject::connect(first, &TRunWindow::StepReported, first, [first] { first->StopBtnClick(); });
    modals.steps.push_back([first](QDialog& d) {
        EXPECT_EQ(&d, first);
        EXPECT_EQ(first->DelayEdit().text(), "0.30");
        first->TimerTimer();
        return TModalResult::Cancel;
    });
    Form().Item("RunItem").trigger();
    QObject::disconnect(stop);
    EXPECT_EQ(first->StatusText(3), "Simulation cancelled");
    EXPECT_EQ(first->DelayEdit().text(), "0.30");
    EXPECT_EQ(&Form().SimulationForm(), first);
}

// A paste into the comments from a clipboard without text beeps and changes
// nothing; a long text goes in at the end of the last line, and OK stores it.
TEST_F(MultiMainFormTest, PastesIntoTheCommentsSurviveAClipboardWithoutText)
{
    Open(Copy());
    const std::string third = Model.Info.Comment3, last = Model.Info.Comment4;
    RealModals runner;
    runner.steps.push_back(PasteEveryClipboardIntoComments);
    Form().Item("GeneralItem").trigger();
    EXPECT_EQ(Model.Info.Comment3, third);
    EXPECT_TRUE(HoldsTheLongPasteAfter(Model.Info.Comment4, last));
    EXPECT_TRUE(Form().Modified());
}

// A map in the model's folder is named by its bare name, one elsewhere by
// its path; a model saved into another folder still names the map it drew.
// The map is chosen as a person does: Model, General Information, "...",
// OK, then File, Save or Save As; the saved file's header is checked.
TEST_F(MultiMainFormTest, AMapBesideTheModelIsNamedByItsBareName)
{
    std::filesystem::create_directories(dir.file("elsewhere"));
    std::filesystem::create_directories(dir.file("moved"));
    for (const char* map : {"moorland.map", "elsewhere/heath.map"})
        std::filesystem::copy_file(dir.file("river_valley.map"), dir.file(map));
    ShowActive(Form());
    RealModals runner;
    auto chooseMap = [&](const std::string& chosen) { return ChooseMap(runner, chosen); };

    const std::string model = Copy("voles.mp");
    Open(model);
    ASSERT_EQ(ModelFileName, model);
    const std::string header = "Voran/Pelivo: rivedarulation (1.0) map=";
    ASSERT_EQ(HeaderOf(model).substr(0, header.size()), header);

    EXPECT_EQ(chooseMap(dir.file("moorland.map")), "moorland.map");
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(HeaderOf(model), header + "moorland.map");

    const std::string far = dir.file("elsewhere/heath.map");
    EXPECT_EQ(chooseMap(far), QString::fromStdString(far));
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(HeaderOf(model), header + far);

    // Back beside the model, then saved into another folder: the map keeps
    // its path there, and back in the map's folder its bare name.
    chooseMap(dir.file("moorland.map"));
    const std::string moved = dir.file("moved/voles.mp");
    dialogs.fileNames.push_back(QString::fromStdString(moved));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(HeaderOf(moved), header + dir.file("moorland.map"));
    const std::string back = dir.file("again.mp");
    dialogs.fileNames.push_back(QString::fromStdString(back));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(HeaderOf(back), header + "moorland.map");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
}

// A Save As into the map's own folder that fails leaves the model naming
// its map as before: the model saved again beside itself still writes the
// map's path, not a bare name that would be looked for beside the model.
TEST_F(MultiMainFormTest, AFailedSaveAsKeepsTheMapsName)
{
    std::filesystem::create_directories(dir.file("elsewhere"));
    const std::string far = dir.file("elsewhere/heath.map");
    std::filesystem::copy_file(dir.file("river_valley.map"), far);
    ShowActive(Form());
    RealModals runner;
    const std::string model = Copy("voles.mp");
    Open(model);
    EXPECT_EQ(ChooseMap(runner, far), QString::fromStdString(far));
    for (const TSaveFailure& c : SaveFailures(dir.file("elsewhere"))) {
        SCOPED_TRACE(c.name);
        if (c.skip)
            continue;
        dialogs.boxes.clear();
        c.fail();
        dialogs.fileNames.push_back(QString::fromStdString(dir.file("elsewhere/voles.mp")));
        Form().Item("SaveAsItem").trigger();
        c.restore();
        EXPECT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(ModelFileName, model);
    }
    dialogs.fileNames.push_back(QString::fromStdString(model));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(HeaderOf(model), "Voran/Pelivo: rivedarulation (1.0) map=" + far);
}

// The map leaves room for the circles it draws: at every shape of the
// window, no colony of the sample (Lower marsh at the top, Mill pond at the
// left) is cut off at the map's edge.
TEST_F(MultiMainFormTest, TheMapLeavesRoomForItsCircles)
{
    Open(Copy());
    Form().Item("MapItem").trigger();
    Form().show();
    for (const QSize size : {QSize(560, 460), QSize(900, 320), QSize(320, 700), QSize(420, 420)}) {
        SCOPED_TRACE(size.width());
        Form().resize(size);
        Form().Map().grab();
        const TPopulationMapLayout& map = Form().MapLayout();
        ASSERT_EQ(map.Width, Form().Map().width());
        ASSERT_EQ(map.X.size(), 6u);
        for (std::size_t i = 1; i < map.X.size(); ++i) {
            const double r = map.Diameter[i] / 2;
            EXPECT_GE(map.X[i] - r, -0.5) << i;
            EXPECT_LE(map.X[i] + r, map.Width - 0.5) << i;
            EXPECT_GE(map.Y[i] - r, -0.5) << i;
            EXPECT_LE(map.Y[i] + r, map.Height - 0.5) << i;
        }
    }
}
