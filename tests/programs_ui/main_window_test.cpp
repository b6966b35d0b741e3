#include "each_program.h"
#include "program_fixture.h"

#include "core/config.h"
#include "core/messages.h"
#include "core/model_records.h"
#include "core/str_utilx.h"
#include "core/settings_store.h"
#include "support/modal_steps.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/save_failures.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "support/comments_paste.h"
#include "ui/about_template_form.h"
#include "ui/help_service.h"
#include "ui/numeric_edit.h"
#include "ui/mru_file_list.h"
#include "ui/program_main_window.h"
#include "ui/run_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QSysInfo>
#include <QToolBar>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kPrompt = "The model has changed.  Save changes?";

class ProgramMainWindowTest : public TProgramTest {};

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
    Window().show();
    EXPECT_EQ(Window().windowTitle(), program->Title() + " - " + program->UntitledName());
}

// Help, About: a box named after the program that gives this build's
// version and the system it runs on.
TEST_P(ProgramMainWindowTest, AboutNamesTheProgramTheBuildsVersionAndTheSystem)
{
    Window().show();
    RealModals runner;
    QString caption, line;
    runner.steps.push_back([&](QDialog& d) {
        caption = d.windowTitle();
        line = static_cast<TAboutTemplateForm&>(d).Label1().text();
        Press(Qt::Key_Return);
    });
    Window().Item("AboutItem").trigger();
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
    Window().show();
    RealModals runner;
    TSimulationOf windows{*program};
    ExpectEscClosesTheSimulationWindowOnEveryShowing(windows, runner, [this](RealModals& r) { RunFromMenu(r); });
    EXPECT_TRUE(program->HasResults());
}

// A file that is no model (a map-features file), opened by mistake, is
// refused each time: the file is not among the recent files and never
// saved over, and the status line no longer says that a file is loading.
TEST_P(ProgramMainWindowTest, AFileThatIsNoModelLeavesNoTrace)
{
    const std::string sample = CopySample();
    const std::string map = Copy("river_valley.map", "moorland.map");
    const std::string mapBytes = ReadAll(map);
    Window().show();
    Open(sample);
    const std::string title = program->ModelTitle();
    dialogs.boxes.clear();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        Open(map);
        ASSERT_EQ(dialogs.boxes.size(), static_cast<std::size_t>(attempt + 1));
        EXPECT_EQ(Window().statusBar()->currentMessage(), "");
        EXPECT_EQ(Window().MRUFileList().Items(), QStringList{QString::fromStdString(sample)});
        // The map program keeps the model before it under its name; the
        // single-population program keeps it under the name of the file
        // tried, the age/stage program leaves an empty model, untitled: both
        // ask for a name on Save. The file is never saved over.
        const QString shown = Is("Multi")   ? QString::fromStdString(program->Sample())
                              : Is("Stage") ? program->UntitledName()
                                            : QStringLiteral("moorland.map");
        EXPECT_EQ(Caption(), program->Title() + " - " + shown);
        EXPECT_EQ(Window().NeedsFileName(), !Is("Multi"));
        EXPECT_EQ(program->ModelTitle(), Is("Stage") ? "" : title);
        Window().SaveItemClick();
        EXPECT_EQ(ReadAll(map), mapBytes);
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
    ExpectChartSettingsStayWithTheirModel(Window(), dialogs, c);
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
        Window().Item("SaveItem").trigger();
        c.restore();
        EXPECT_EQ(ReadAll(path), before);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_TRUE(dialogs.boxes[0].text.contains(QString::fromStdString(path)))
            << dialogs.boxes[0].text.toStdString();
        EXPECT_TRUE(Window().Modified());
        EXPECT_FALSE(Window().NeedsFileName());
        EXPECT_EQ(ModelFileName, path);

        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        Window().show();
        EXPECT_FALSE(Window().close());
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
    Window().Item("NewItem").trigger();
    const std::string first = dir.file("first" + extension);
    dialogs.fileNames.push_back(QString::fromStdString(first));
    Window().Item("SaveAsItem").trigger();
    Open(first);
    ASSERT_EQ(ModelFileName, first);
    const std::string second = dir.file("second" + extension);
    dialogs.fileNames.push_back(QString::fromStdString(second));
    Window().Item("SaveAsItem").trigger();
    ASSERT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(ReadAll(second), ReadAll(first));
}

// A run in the simulation window leaves results, which the Results menu
// then opens, each of its items its own kind; the run changes no input, so
// the model is not modified.
TEST_P(ProgramMainWindowTest, ARunGivesResultsThatTheResultsMenuOpens)
{
    Open(CopySample());
    EXPECT_FALSE(TrajectoryCanBeChosen());
    RunModel();
    ASSERT_EQ(program->State(), kStateResults);
    EXPECT_TRUE(TrajectoryCanBeChosen());
    EXPECT_FALSE(Window().Modified());

    modals.shown.clear();
    for (QAction* item : MenuOf(Window().Item("TrajectorySummaryItem")).actions()) {
        if (item->isSeparator() || !item->isVisible())
            continue;
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
        item->trigger();
    }
    EXPECT_EQ(modals.shown, program->ResultWindows());
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
}

// The View items write the options at once and the bars follow them; a new
// start reads them. Status texts of the message service reach the status
// line; the toolbar's buttons are the File menu's items.
TEST_P(ProgramMainWindowTest, ToolbarAndStatusBarFollowTheirSettings)
{
    const std::string key = program->SettingsKey();
    Window().show();
    EXPECT_TRUE(Window().Item("ToolbarItem").isChecked());
    EXPECT_FALSE(Window().ToolbarPanel().isHidden());
    Window().Item("ToolbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(key, "ShowToolbar"), "0");
    EXPECT_TRUE(Window().ToolbarPanel().isHidden());
    EXPECT_FALSE(Window().Item("ToolbarItem").isChecked());

    Window().Item("StatusbarItem").trigger();
    EXPECT_EQ(settings.ReadValue(key, "ShowStatusBar"), "0");
    EXPECT_TRUE(Window().statusBar()->isHidden());
    Window().Item("StatusbarItem").trigger();
    EXPECT_FALSE(Window().statusBar()->isHidden());

    Restart();
    Window().show();
    EXPECT_TRUE(Window().ToolbarPanel().isHidden());
    EXPECT_FALSE(Window().Item("ToolbarItem").isChecked());
    EXPECT_FALSE(Window().statusBar()->isHidden());

    StatusMessage("Loading ... ");
    EXPECT_EQ(Window().statusBar()->currentMessage(), "Loading ... ");
    EXPECT_EQ(Window().ToolbarPanel().actions(),
              (QList<QAction*>{&Window().Item("NewItem"), &Window().Item("OpenItem"), &Window().Item("SaveItem"),
                               &Window().Item("ExitItem")}));
    EXPECT_EQ(Window().Item("OpenItem").toolTip(), "Open");
    EXPECT_EQ(Window().Item("OpenItem").statusTip(), "Open a file");
    EXPECT_EQ(Window().Item("NewItem").toolTip(), "New");
}

// The model named on the command line is loaded when the window is first
// shown, under its name and unmodified. One that does not load leaves a
// new model that Save asks a name for: the age/stage program shows it
// untitled, the others under the name given.
TEST_P(ProgramMainWindowTest, TheModelNamedAtStartIsLoadedWhenTheWindowShows)
{
    const std::string extension = std::filesystem::path(program->Sample()).extension().string();
    const std::string sample = CopySample();
    const std::string title = [&] {
        Open(sample);
        return program->ModelTitle();
    }();
    ASSERT_FALSE(title.empty());
    WriteAll(dir.file("junk" + extension), "not a model\r\n");
    struct Case {
        std::string file;
        bool loads;
    };
    const Case cases[] = {
        {sample, true},
        {dir.file("junk" + extension), false},
        {dir.file("missing" + extension), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        program->Stop();
        program->Prepare();
        ModelFileName = c.file;
        ModelFileNamed = true;
        dialogs.boxes.clear();
        program->Start(settings);
        Window().show();
        const QString name = c.loads || !Is("Stage")
                                 ? QString::fromStdString(std::filesystem::path(c.file).filename().string())
                                 : program->UntitledName();
        EXPECT_EQ(Caption(), program->Title() + " - " + name);
        EXPECT_EQ(program->ModelTitle(), c.loads ? title : "");
        EXPECT_EQ(Window().NeedsFileName(), !c.loads);
        EXPECT_FALSE(Window().Modified());
        EXPECT_EQ(dialogs.boxes.size(), c.loads ? 0u : 1u);
    }
}

// Help Topics (F1) asks for the help's contents.
TEST_P(ProgramMainWindowTest, HelpTopicsOpensTheContents)
{
    Window().Item("HelpTopicsItem").trigger();
    EXPECT_EQ(help.contexts, std::vector<int>{kHelpContents});
    EXPECT_EQ(Window().Item("HelpTopicsItem").shortcut(), QKeySequence(Qt::Key_F1));
}

// OK in General Information without a change, after File, New and on a
// loaded model (shown a second time after a Cancel), leaves the model
// unmodified: Exit asks nothing. A typed change marks it.
TEST_P(ProgramMainWindowTest, GeneralInformationOkWithoutAChangeLeavesTheModelUnmodified)
{
    Window().show();
    RealModals runner;
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    Window().Item("NewItem").trigger();
    EXPECT_EQ(runner.showings, 1);
    EXPECT_FALSE(Window().Modified());

    Open(CopySample());
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Return); });
    for (int showing = 0; showing < 2; ++showing)
        Window().Item("GeneralItem").trigger();
    EXPECT_EQ(runner.showings, 3);
    EXPECT_FALSE(Window().Modified());
    EXPECT_TRUE(Window().QuerySaveChanges());
    EXPECT_TRUE(dialogs.boxes.empty());

    // A new title changes no input of a run.
    const std::string title = program->ModelTitle();
    const bool inputsChanged = program->InputsChanged();
    runner.steps.push_back([](QDialog&) {
        Press(Qt::Key_End);
        Type(" and beyond");
        Press(Qt::Key_Return);
    });
    Window().Item("GeneralItem").trigger();
    EXPECT_EQ(program->ModelTitle(), title + " and beyond");
    EXPECT_TRUE(Window().Modified());
    EXPECT_EQ(program->InputsChanged(), inputsChanged);
}

// A paste into the comments from a clipboard without text (no data, an
// image only, an owner that has gone) beeps and changes nothing; a long text
// goes in at the end of the last line shown, and OK stores it. The other
// lines stay as they were.
TEST_P(ProgramMainWindowTest, PastesIntoTheCommentsSurviveAClipboardWithoutText)
{
    Window().show();
    Open(CopySample());
    const std::vector<std::string> before = program->Comments();
    const std::size_t last = program->LastSampleComment();
    ASSERT_FALSE(before.at(last).empty());
    RealModals runner;
    runner.steps.push_back(PasteEveryClipboardIntoComments);
    Window().Item("GeneralItem").trigger();
    const std::vector<std::string> after = program->Comments();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t line = 0; line < after.size(); ++line) {
        SCOPED_TRACE(line);
        if (line == last) {
            EXPECT_TRUE(HoldsTheLongPasteAfter(after[line], before[line]));
        } else {
            EXPECT_EQ(after[line], before[line]);
        }
    }
    EXPECT_TRUE(Window().Modified());
}

// The programs whose simulation window takes a delay whatever it shows.
class UnstructuredMainWindowTest : public TProgramTest {};

// The simulation window is made once, with the program: the delay the user
// sets after a run stays for the next run, in the same window, also after
// another model is opened.
TEST_P(UnstructuredMainWindowTest, TheSimulationWindowKeepsItsDelayForTheNextRun)
{
    Open(CopySample());
    program->SetReplications(6);
    TRunWindow* first = nullptr;
    modals.steps.push_back([&first](QDialog& d) {
        auto& simulation = static_cast<TRunWindow&>(d);
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
    Window().Item("RunItem").trigger();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->DelayEdit().text(), "0.30");

    // The second run shows the same window with the user's delay; the user
    // stops it at its first time step rather than wait.
    Open(CopySample());
    program->SetReplications(6);
    const QMetaObject::Connection stop =
        QObject::connect(first, &TRunWindow::StepReported, first, [first] { first->StopBtnClick(); });
    modals.steps.push_back([first](QDialog& d) {
        EXPECT_EQ(&d, first);
        EXPECT_EQ(first->DelayEdit().text(), "0.30");
        first->TimerTimer();
        return TModalResult::Cancel;
    });
    Window().Item("RunItem").trigger();
    QObject::disconnect(stop);
    EXPECT_EQ(first->StatusText(3), "Simulation cancelled");
    EXPECT_EQ(first->DelayEdit().text(), "0.30");
    EXPECT_EQ(&program->SimulationForm(), first);
}

INSTANTIATE_TEST_SUITE_P(EachProgram, ProgramMainWindowTest, ::testing::ValuesIn(EachProgram()), EntryName);
INSTANTIATE_TEST_SUITE_P(EachProgram, UnstructuredMainWindowTest, ::testing::ValuesIn(EachUnstructuredProgram()),
                         EntryName);
