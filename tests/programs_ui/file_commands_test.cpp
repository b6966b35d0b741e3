#include "each_program.h"
#include "program_fixture.h"

#include "core/config.h"
#include "core/model_records.h"
#include "core/str_utilx.h"
#include "support/file_lines.h"
#include "ui/mru_file_list.h"

#include <QAction>
#include <QMenu>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const QString kPrompt = "The model has changed.  Save changes?";

class ProgramFileCommandsTest : public TProgramTest {
protected:
    // The extension of the program's model files, with its dot.
    std::string Extension() const { return std::filesystem::path(program->Sample()).extension().string(); }

    // The File menu, as the program's layout names its items.
    QStringList FileMenu()
    {
        QStringList items;
        for (QAction* a : MenuOf(Window().Item("OpenItem")).actions()) {
            if (!a->objectName().isEmpty())
                items << a->objectName();
            else
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return items;
    }
};

}  // namespace

// The save question when the window closes: asked only about a changed
// model; Cancel keeps the window and the model, No drops the model, Yes
// saves it. Results made from other inputs are said to be lost, and stay
// out of the file that Yes writes.
TEST_P(ProgramFileCommandsTest, ClosingAsksToSaveAChangedModel)
{
    const std::string path = CopySample();
    Open(path);
    Window().show();
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(dialogs.boxes.empty());

    struct Case {
        bool run, inputsChanged;
        TBoxAnswer answer;
        bool closed, saved;
    };
    const Case cases[] = {
        {false, false, TBoxAnswer::Cancel, false, false},
        {true, true, TBoxAnswer::Cancel, false, false},
        {true, false, TBoxAnswer::No, true, false},
        {false, false, TBoxAnswer::Yes, true, true},
        {true, true, TBoxAnswer::Yes, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.run << c.inputsChanged << " answer " << int(c.answer));
        Open(CopySample());
        if (c.run)
            RunModel();
        EditTitle("Changed");
        program->SetInputsChanged(c.inputsChanged);
        ASSERT_TRUE(Window().Modified());
        Window().show();
        dialogs.boxes.clear();
        dialogs.boxAnswers = {c.answer};
        EXPECT_EQ(Window().close(), c.closed);
        EXPECT_EQ(Window().isVisible(), !c.closed);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, c.inputsChanged ? program->ResultsLostPrompt() : kPrompt);
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNoCancel);
        EXPECT_EQ(program->ModelTitle(), "Changed");
        EXPECT_EQ(Window().Modified(), !c.saved);
        const std::string file = ReadAll(path);
        EXPECT_EQ(file.find("Changed\r\n") != std::string::npos, c.saved);
        EXPECT_EQ(file.find("Simulation results"), std::string::npos);
    }
}

// A run's results are in no file until the model is saved: Exit, New,
// Open, Reopen and closing the window ask to save them as for a changed
// model, without saying that results are lost (saving keeps them). Cancel
// keeps the window, the model and its results; Yes writes them into the
// model's file.
TEST_P(ProgramFileCommandsTest, UnsavedResultsAreAskedForBeforeTheyAreDropped)
{
    const std::string other = CopySample("other" + Extension());
    const std::string path = CopySample();
    Open(other);
    Open(path);
    RunModel(6);
    ASSERT_EQ(program->State(), kStateResults);
    EXPECT_FALSE(Window().Modified());
    EXPECT_TRUE(Window().ResultsUnsaved());
    Window().show();

    QAction* reopenOther = ReopenItem(Window().Item("SaveItem"), 1);
    ASSERT_NE(reopenOther, nullptr);
    for (const auto& [name, command] : CommandsThatDropTheModel(Window(), *reopenOther)) {
        SCOPED_TRACE(name);
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::Cancel};
        command();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, kPrompt);
        EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::YesNoCancel);
        EXPECT_TRUE(Window().isVisible());
        EXPECT_EQ(ModelFileName, path);
        EXPECT_EQ(program->State(), kStateResults);
    }

    dialogs.boxes.clear();
    dialogs.boxAnswers = {TBoxAnswer::Yes};
    Window().Item("ExitItem").trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, kPrompt);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_FALSE(Window().ResultsUnsaved());
    EXPECT_NE(ReadAll(path).find("Simulation results"), std::string::npos);

    // The file opens with the run's results.
    Open(other);
    Open(path);
    EXPECT_EQ(program->State(), kStateResults);
    EXPECT_EQ(program->ReplicationsDone(), 6);
}

// Save As to a name without an extension writes "<name>" and the program's
// extension, names the model after it and puts it on top of the recent
// files; the file opens again as it was, and a plain Save then writes the
// same bytes without asking. A cancelled Save As saves nothing, and the
// next Save asks again.
TEST_P(ProgramFileCommandsTest, SaveAsRoundTrip)
{
    Open(CopySample());
    EditTitle("Round trip");
    const std::string saved = dir.file("copy" + Extension());
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("copy")));
    Window().SaveAsItemClick();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(dialogs.fileCaptions.back(), "Save As");
    EXPECT_EQ(Caption(), program->Title() + " - copy" + QString::fromStdString(Extension()));
    EXPECT_EQ(ModelFileName, saved);
    EXPECT_FALSE(Window().NeedsFileName());
    EXPECT_FALSE(Window().Modified());
    EXPECT_EQ(Window().MRUFileList().Items().front(), QString::fromStdString(saved));

    const std::string bytes = ReadAll(saved);
    EXPECT_NE(bytes.find("Round trip\r\n"), std::string::npos);
    modals.steps.push_back(PressButton("Cancel"));   // General Information after New
    Window().NewItemClick();
    Open(saved);
    EXPECT_EQ(program->ModelTitle(), "Round trip");
    const std::size_t asked = dialogs.fileCaptions.size();
    Window().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked) << "Save asked for a name";
    EXPECT_EQ(ReadAll(saved), bytes);

    Window().SaveAsItemClick();
    EXPECT_TRUE(Window().NeedsFileName());
    EXPECT_EQ(ReadAll(saved), bytes);
    Window().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 2);
}

// The recent files: at most ten, newest first, in "&Reopen" where the
// program's File menu has it, kept in the settings; Reopen brings a file
// back on top even when the user cancels.
TEST_P(ProgramFileCommandsTest, RecentFilesKeepTheTenNewest)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        files.push_back(CopySample("m" + std::to_string(i) + Extension()));
        Open(files.back());
    }
    QStringList newest;
    for (int i = 12; i >= 3; --i)
        newest << QString::fromStdString(files[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(Window().MRUFileList().Items(), newest);

    EXPECT_EQ(FileMenu(), program->FileMenuLayout());
    QAction* first = ReopenItem(Window().Item("OpenItem"), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(MenuOf(*first).actions().size(), 10);
    EXPECT_TRUE(first->text().startsWith("&1 ")) << first->text().toStdString();

    EditTitle();
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Window().MRUFileListMRUItemClick(QString::fromStdString(files[5]));
    EXPECT_EQ(Window().MRUFileList().Items().front(), QString::fromStdString(files[5]));
    EXPECT_EQ(ModelFileName, files[11]);

    // Kept for the next start.
    program->Close();
    const TSettingValues kept = settings.ReadValues(program->SettingsKey() + "\\MRU Items");
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_EQ(kept[0], (std::pair<std::string, std::string>{"F0", files[5]}));
    program->Start(settings);
    EXPECT_EQ(Window().MRUFileList().Items().size(), 10);
}

// New: an empty model under the untitled name, then General Information
// with an empty title; what its OK stores is an edit of the new model, its
// Cancel leaves the new model unmodified. Cancel in the save question keeps
// the model there was.
TEST_P(ProgramFileCommandsTest, NewShowsGeneralInformationForTheNewModel)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Open(CopySample());
        RunModel();
        EditTitle();
        dialogs.boxAnswers = {TBoxAnswer::No};
        modals.shown.clear();
        QString shownTitle = "not shown";
        modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", [&](QDialog& d) {
            shownTitle = program->TitleIn(d);
            program->SetTitle(d, "Fresh");
        }));
        Window().NewItemClick();
        EXPECT_EQ(modals.shown, std::vector<QString>{"General Information"});
        EXPECT_EQ(shownTitle, "");
        EXPECT_EQ(Caption(), program->Title() + " - " + program->UntitledName());
        EXPECT_TRUE(Window().NeedsFileName());
        EXPECT_EQ(Window().Modified(), ok);
        EXPECT_EQ(program->ModelTitle(), ok ? "Fresh" : "");
        EXPECT_EQ(program->State(), kStateEmpty);
        EXPECT_FALSE(TrajectoryCanBeChosen());
    }
    dialogs.boxAnswers = {TBoxAnswer::Cancel};
    Window().NewItemClick();
    EXPECT_EQ(program->ModelTitle(), "Fresh");
}

INSTANTIATE_TEST_SUITE_P(EachProgram, ProgramFileCommandsTest, ::testing::ValuesIn(EachProgram()), EntryName);
