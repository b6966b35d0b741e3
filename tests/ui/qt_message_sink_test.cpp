#include "ui/qt_message_sink.h"

#include "core/messages.h"
#include "support/scripted_dialogs.h"

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(QtMessageSink, BoxesGoThroughTheDialogServiceAndTextsToTheHandlers)
{
    ScriptedDialogs dialogs;
    TQtMessageSink sink;
    ASSERT_EQ(GetMessageSink(), &sink);

    ErrorMessage("Cannot open file \xE9t\xE9.st");  // Latin-1
    InformationMessage("caf\xC3\xA9");               // UTF-8
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].icon, TBoxIcon::Error);
    EXPECT_EQ(dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(dialogs.boxes[0].text, QString::fromUtf8("Cannot open file \xC3\xA9t\xC3\xA9.st"));
    EXPECT_EQ(dialogs.boxes[1].text, QString::fromUtf8("caf\xC3\xA9"));

    // Before the run window registers, a simulation warning is not lost.
    SimulationWarning("Early warning");
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[2].icon, TBoxIcon::Warning);

    std::vector<std::string> statuses, warnings;
    sink.SetStatusHandler([&](const std::string& t) { statuses.push_back(t); });
    sink.SetWarningHandler([&](const std::string& t) { warnings.push_back(t); });
    StatusMessage("Replication 1");
    SimulationWarning("Too many individuals");
    EXPECT_EQ(statuses, std::vector<std::string>{"Replication 1"});
    EXPECT_EQ(warnings, std::vector<std::string>{"Too many individuals"});
    EXPECT_EQ(dialogs.boxes.size(), 3u);
}

TEST(QtMessageSink, PutsThePreviousSinkBack)
{
    TMessageSink* before = GetMessageSink();
    {
        TQtMessageSink sink;
        EXPECT_EQ(GetMessageSink(), &sink);
    }
    EXPECT_EQ(GetMessageSink(), before);
}

}  // namespace
