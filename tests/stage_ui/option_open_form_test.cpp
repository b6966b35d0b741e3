// Strativa's Options and Open dialogs, as the main window makes them.

#include "stage_ui/main_form.h"
#include "stage_ui/open_form.h"
#include "stage_ui/option_form.h"

#include "core/config.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/settings_store.h"
#include "stage_tool.h"
#include "stage_ui/stage_program.h"
#include "support/modal_steps.h"
#include "support/recording_help.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "ui/ellipsis_label.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

class StageDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
        PrepareStageModelStore();
        NewModel();
        program = std::make_unique<TStageProgram>(settings);
    }
    void TearDown() override { program.reset(); }

    TMainForm& Form() { return program->MainForm(); }

    std::vector<QString> Listed(const TOpenForm& form)
    {
        std::vector<QString> names;
        for (int i = 0; i < form.FileListBox().count(); ++i)
            names.push_back(form.FileListBox().item(i)->text());
        return names;
    }

    TMemorySettingsStore settings;
    ScriptedModals modals{true};
    RecordingHelp help;
    std::unique_ptr<TStageProgram> program;
};

}  // namespace

// Options owns the toolbar and status-bar options the View menu switches:
// what the menu writes is what the dialog's settings read. Its one page has
// no controls; OK and Cancel store nothing, Help asks for its topic.
TEST_F(StageDialogsTest, OptionsOwnsTheViewOptions)
{
    TOptionForm& options = Form().OptionForm();
    EXPECT_EQ(&Form().Options(), &options.Options());
    EXPECT_TRUE(options.Options().ToolbarSetting.Value());    // nothing stored yet: shown
    EXPECT_TRUE(options.Options().StatusBarSetting.Value());
    Form().show();
    Form().Item("ToolbarItem").trigger();
    EXPECT_FALSE(options.Options().ToolbarSetting.Value());
    EXPECT_EQ(settings.ReadValue(kStageSettingsKey, "ShowToolbar"), "0");
    EXPECT_TRUE(options.Options().StatusBarSetting.Value());

    modals.steps.push_back([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Options");
        EXPECT_EQ(options.Pages().count(), 1);
        EXPECT_EQ(options.Pages().tabText(0), "General");
        EXPECT_TRUE(options.Pages().widget(0)->findChildren<QWidget*>().isEmpty());
        options.HelpButton().click();
        return PressButton("OK")(dialog);
    });
    modals.steps.push_back(PressButton("Cancel"));
    EXPECT_TRUE(options.Execute());
    EXPECT_FALSE(options.Execute());
    EXPECT_EQ(help.contexts, std::vector<int>{TOptionForm::kHelpContext});
    EXPECT_EQ(settings.ReadValue(kStageSettingsKey, "ShowToolbar"), "0");
}

// Open lists a folder's files of the chosen type, shows the folder, puts a
// picked file's name into the field, and closes with a double click on a
// file; a pattern typed into the field chooses what is listed.
TEST_F(StageDialogsTest, OpenListsTheFolderAndClosesOnAFile)
{
    TempDir dir;
    for (const char* name : {"b.st", "a.ST", "notes.txt"})
        std::ofstream(dir.file(name)) << "x";
    std::filesystem::create_directory(dir.file("sub.st"));

    TOpenForm form(QStringLiteral("Age and Stage model files (*.st *.ST);;All files (*.*)"));
    form.SetDirectory(QString::fromStdString(dir.path().string()));
    modals.steps.push_back([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Open");
        EXPECT_EQ(form.FolderLabel().Caption(), QString::fromStdString(dir.path().string()));
        EXPECT_EQ(form.FilenameEdit().text(), "*.st *.ST");
        EXPECT_EQ(Listed(form), (std::vector<QString>{"a.ST", "b.st"}));
        form.FilterComboBox().setCurrentIndex(1);
        EXPECT_EQ(form.FilenameEdit().text(), "*.*");
        EXPECT_EQ(Listed(form), (std::vector<QString>{"a.ST", "b.st", "notes.txt"}));
        // A pattern typed and Open: the list follows, the dialog stays.
        form.FilenameEdit().setText("*.txt");
        form.OpenButton().click();
        EXPECT_FALSE(dialog.result() == QDialog::Accepted);
        EXPECT_EQ(Listed(form), (std::vector<QString>{"notes.txt"}));
        form.FilterComboBox().setCurrentIndex(0);
        QListWidget& list = form.FileListBox();
        const QRect rect = list.visualItemRect(list.item(1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
        EXPECT_EQ(form.FilenameEdit().text(), "b.st");
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    ASSERT_TRUE(form.Execute());
    EXPECT_EQ(form.FileName(), QString::fromStdString(dir.file("b.st")));

    // Cancel closes without a file; the main window keeps one made at start.
    modals.steps.push_back(PressButton("Cancel"));
    EXPECT_FALSE(form.Execute());
    EXPECT_EQ(Form().OpenForm().FilenameEdit().text(), "*.*");
    EXPECT_EQ(Form().OpenForm().parentWidget(), &Form());
}
