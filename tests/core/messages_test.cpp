#include "core/messages.h"

#include "core/batch_log.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Route {
    const char* name;
    std::function<void(const std::string&)> call;
    // What the windows see outside batch mode.
    int boxes;
    TBoxKind kind;
    const char* caption;
    int statuses, warnings, beeps;
    // Whether batch mode writes a log line, and beeps there.
    bool logged;
    int batchBeeps;
};

const Route kRoutes[] = {
    {"ErrorMessage", ErrorMessage, 1, TBoxKind::Error, "Error", 0, 0, 0, true, 0},
    {"WarningMessage", WarningMessage, 1, TBoxKind::Warning, "Warning", 0, 0, 1, true, 1},
    {"InputWarning", InputWarning, 1, TBoxKind::Warning, "Warning", 0, 0, 1, true, 1},
    {"SimulationWarning", SimulationWarning, 0, TBoxKind::Warning, "", 0, 1, 1, true, 1},
    {"InformationMessage", InformationMessage, 1, TBoxKind::Information, "Information", 0, 0, 0, true, 0},
    {"StatusMessage", StatusMessage, 0, TBoxKind::Warning, "", 1, 0, 0, false, 0},
};

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBatchLog(); }
    void TearDown() override { ResetBatchLog(); }
    TempDir dir_;
};

}  // namespace

TEST_F(MessagesTest, WindowsOutsideBatchMode)
{
    for (const Route& r : kRoutes) {
        RecordingSink sink;
        r.call("text");
        EXPECT_EQ(static_cast<int>(sink.boxes.size()), r.boxes) << r.name;
        if (!sink.boxes.empty()) {
            EXPECT_EQ(sink.boxes[0].kind, r.kind) << r.name;
            EXPECT_EQ(sink.boxes[0].caption, r.caption) << r.name;
            EXPECT_EQ(sink.boxes[0].text, "text") << r.name;
        }
        EXPECT_EQ(static_cast<int>(sink.statuses.size()), r.statuses) << r.name;
        EXPECT_EQ(static_cast<int>(sink.warnings.size()), r.warnings) << r.name;
        EXPECT_EQ(sink.beeps, r.beeps) << r.name;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(MessagesTest, BatchModeWritesTheLogAndShowsNoBox)
{
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLog(dir_.path().string()));
    std::string expected;
    for (const Route& r : kRoutes) {
        RecordingSink sink;
        r.call(r.name);
        if (r.logged)
            expected += std::string("      ") + r.name + "\r\n";
        EXPECT_TRUE(sink.boxes.empty()) << r.name;
        EXPECT_TRUE(sink.warnings.empty()) << r.name;
        EXPECT_EQ(sink.beeps, r.batchBeeps) << r.name;
        EXPECT_EQ(static_cast<int>(sink.statuses.size()), r.statuses) << r.name;  // status the same in both modes
    }
    LogLine("done");
    expected += "      done\r\n";
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")), expected);
}

TEST_F(MessagesTest, BeepAndIdleReachTheSinkAndNoSinkMeansStandardError)
{
    {
        RecordingSink sink;
        WarningBeep();
        IdleHook();
        IdleHook();
        EXPECT_EQ(sink.beeps, 1);
        EXPECT_EQ(sink.idles, 2);
    }
    ASSERT_EQ(GetMessageSink(), nullptr);
    testing::internal::CaptureStderr();
    ErrorMessage("no window");
    SimulationWarning("no list");
    StatusMessage("status is transient");
    IdleHook();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: no window\nWarning: no list\n");
}
