#include "program_driver.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "support/modal_steps.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/save_failures.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/about_template_form.h"
#include "ui/mru_file_list.h"
#include "ui/program_main_window.h"
#include "ui/run_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QSysInfo>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

const QString kPrompt = "The model has changed.  Save changes?";

// One program's windows over the store it starts with, every dialog
// answered by script, the settings in memory; the examples a test opens
// are copied into a folder of its own.
class ProgramMainWindowTest : public ::testing::TestWithParam<TProgramEntry> {
protected:
    void SetUp() override
    {
        table_ = CurrentKindTable();
        program = GetParam().make();
        program->Prepare();
        program->Start(settings);
    }

    void TearDown() override
    {
        program->Stop();
        SelectKindTable(table_);
    }

    TProgramMainWindow& Form() { return program->Form(); }

    std::string Copy(const std::string& example, const std::string& as = {})
    {
        const std::string path = dir.file(as.empty() ? example : as);
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + example, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    std::string CopySample() { return Copy(program->Sample()); }

    // File, Open from the menu with the name chosen in the dialog; changes
    // of the model in the window are dropped ("No" to saving them).
    void Open(const std::string& path) { OpenFromMenu(Form(), dialogs, path); }

    // A model edit as the user makes it: General Information, new title, OK.
    void EditTitle(const QString& title)
    {
        modals.steps.push_back(PressButton("OK", [this, title](QDialog& d) { program->SetTitle(d, title); }));
        Form().Item("GeneralItem").trigger();
    }

    // Simulation, Run from the menu with few replications; Esc closes the
    // window once the run is over.
    void RunFromMenu(RealModals& runner)
    {
        program->SetReplications(5);
        ::RunFromMenu(Form(), runner);
    }

    KeptNumberSwitches switches;
    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedModals modals{true};
    std::unique_ptr<TProgramDriver> program;
    TKindTable table_ = TKindTable::Strativa;
};

// The simulation window of the program under test, as the Esc steps ask
// for it.
struct TSimulationOf {
    TProgramDriver& program;
    TRunWindow& SimulationForm() const { return program.SimulationForm(); }
};

}  // namespace

// The window manager shows the program's title for its windows, not the
// executable's name; the main window's caption holds it once.
TEST_P(ProgramMainWindowTest, TheApplicationIsNamedAfterTheProgram)
{
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), program->Title());
    EXPECT_EQ(QCoreApplication::applicationName(), program->Title());
    Form().show();
    EXPECT_EQ(Form().windowTitle(), program->Title() + " - " + program->UntitledName());
}

// Help, About: a box named after the program that gives this build's
// version and the system it runs on.
TEST_P(ProgramMainWindowTest, AboutNamesTheProgramTheBuildsVersionAndTheSystem)
{
    Form().show();
    RealModals runner;
    QString caption, line;
    runner.steps.push_back([&](QDialog& d) {
        caption = d.windowTitle();
        line = static_cast<TAboutTemplateForm&>(d).Label1().text();
        Press(Qt::Key_Return);
    });
    Form().Item("AboutItem").trigger();
    EXPECT_EQ(runner.showings, 1);
    EXPECT_EQ(caption, "About " + program->Title());
    EXPECT_TRUE(line.startsWith(QStringLiteral("version " PV_VERSION " ("))) << line.toStdString();
    EXPECT_TRUE(line.contains(QSysInfo::prettyProductName())) << line.toStdString();
}

// Esc closes the simulation window once its run is over, on every showing
// (while the run goes on it is Stop: the simulation windows' own tests).
TEST_P(ProgramMainWindowTest, EscClosesTheSimulationWindowOnceTheRunIsOver)
{
    Open(CopySample());
    Form().show();
    RealModals runner;
    TSimulationOf windows{*program};
    ExpectEscClosesTheSimulationWindowOnEveryShowing(windows, runner, [this](RealModals& r) { RunFromMenu(r); });
    EXPECT_TRUE(program->HasResults());
}

// A file that is no model (a map-features file), opened by mistake, is
// refused each time and leaves no trace: the model before it stays, it is
// not among the recent files, and the status line no longer says that a
// file is loading.
TEST_P(ProgramMainWindowTest, AFileThatIsNoModelLeavesNoTrace)
{
    const std::string sample = CopySample();
    const std::string map = Copy("river_valley.map", "moorland.map");
    Form().show();
    Open(sample);
    dialogs.boxes.clear();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        Open(map);
        ASSERT_EQ(dialogs.boxes.size(), static_cast<std::size_t>(attempt + 1));
        EXPECT_EQ(Form().statusBar()->currentMessage(), "");
        EXPECT_EQ(Form().MRUFileList().Items(), QStringList{QString::fromStdString(sample)});
        // Only this program keeps the model before it by name; the others
        // keep their own rules, tested with their windows.
        if (std::string(GetParam().name) == "Multi") {
            EXPECT_EQ(ModelFileName, sample);
        }
    }
}

// Chart Properties belong to the model they were set for: File, New and
// opening a model without chart settings of its own bring back the built-in
// ones; a model saved with them gets them back when it is reopened.
TEST_P(ProgramMainWindowTest, ChartSettingsStayWithTheirModel)
{
    const TChartSettingsCase c{program->Kinds(), program->Trajectory(), CopySample(),
                               Copy(program->OtherSample()), "Own chart",
                               [this](RealModals& r) { RunFromMenu(r); }};
    ExpectChartSettingsStayWithTheirModel(Form(), dialogs, c);
}

// A failed save reports why, naming the file; it keeps the model's name and
// its modified mark (closing still asks), and leaves the old file as it was.
TEST_P(ProgramMainWindowTest, AFailedSaveKeepsTheEditsAndTheOldFile)
{
    for (const TSaveFailure& c : SaveFailures(dir.path())) {
        SCOPED_TRACE(c.name);
        if (c.skip)
            continue;
        const std::string path = CopySample();
        const std::string before = ReadAll(path);
        Open(path);
        EditTitle("Not saved");
        dialogs.boxes.clear();
        c.fail();
        Form().Item("SaveItem").trigger();
        c.restore();
        EXPECT_EQ(ReadAll(path), before);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_TRUE(dialogs.boxes[0].text.contains(QString::fromStdString(path)))
            << dialogs.boxes[0].text.toStdString();
        EXPECT_TRUE(Form().Modified());
        EXPECT_FALSE(Form().NeedsFileName());
        EXPECT_EQ(ModelFileName, path);

        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        Form().show();
        EXPECT_FALSE(Form().close());
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, kPrompt);
        dialogs.boxAnswers.clear();
    }
}

// What reading a file forces, File, New gives too: a new model saved, opened
// and saved again is the same file, byte for byte.
TEST_P(ProgramMainWindowTest, ANewModelIsSavedAsItReadsBack)
{
    const std::string extension = std::filesystem::path(program->Sample()).extension().string();
    modals.steps.push_back(PressButton("OK"));   // General Information after New
    Form().Item("NewItem").trigger();
    const std::string first = dir.file("first" + extension);
    dialogs.fileNames.push_back(QString::fromStdString(first));
    Form().Item("SaveAsItem").trigger();
    Open(first);
    ASSERT_EQ(ModelFileName, first);
    const std::string second = dir.file("second" + extension);
    dialogs.fileNames.push_back(QString::fromStdString(second));
    Form().Item("SaveAsItem").trigger();
    ASSERT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(ReadAll(second), ReadAll(first));
}

INSTANTIATE_TEST_SUITE_P(EachProgram, ProgramMainWindowTest,
                         ::testing::Values(TProgramEntry{"Stage", &MakeStageDriver},
                                           TProgramEntry{"Multi", &MakeMultiDriver},
                                           TProgramEntry{"Single", &MakeSingleDriver}),
                         [](const ::testing::TestParamInfo<TProgramEntry>& info) { return info.param.name; });
