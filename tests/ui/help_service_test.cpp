#include "ui/help_service.h"

#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(HelpService, SaysOnceWhyTheTopicCannotBeShown)
{
    const QString file = HelpFileName();
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(QFileInfo(file).fileName(), program.completeBaseName() + ".hlp");
    ASSERT_FALSE(QFileInfo::exists(file));

    ScriptedDialogs dialogs;
    HelpService().ShowHelp(nullptr, 40300);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TBoxIcon::Information);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("40300"));
    EXPECT_TRUE(dialogs.boxes[0].text.contains("was not found"));
    // The contents (a program's Help Topics) are no numbered topic.
    HelpService().ShowHelp(nullptr, kHelpContents);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(dialogs.boxes[1].text.startsWith("The help contents cannot be shown")) << dialogs.boxes[1].text.toStdString();
    dialogs.boxes.pop_back();

    // A help file in another case is found; it still has no viewer here.
    const QString upper = program.absoluteDir().filePath(program.completeBaseName().toUpper() + ".HLP");
    WriteAll(upper.toStdString(), "help");
    EXPECT_EQ(QFileInfo(HelpFileName()).fileName(), QFileInfo(upper).fileName());
    HelpService().ShowHelp(nullptr, 30000);
    std::remove(upper.toStdString().c_str());
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(dialogs.boxes[1].text.contains("30000"));
    EXPECT_TRUE(dialogs.boxes[1].text.contains("no viewer"));
}

TEST(HelpService, AnInstalledServiceTakesTheCallsUntilItGoes)
{
    std::vector<int> contexts;
    {
        RecordingHelp recorder;
        HelpService().ShowHelp(nullptr, 20000);
        contexts = recorder.contexts;
    }
    EXPECT_EQ(contexts, std::vector<int>{20000});
    ScriptedDialogs dialogs;
    HelpService().ShowHelp(nullptr, 1);
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}
