#include "multi/messages.h"

#include "core/batch_log.h"
#include "multi/model_data.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MultiMessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBatchLog();
        multi::SetWarningHandler({});
    }
    void TearDown() override
    {
        multi::SetWarningHandler({});
        ResetBatchLog();
    }
    RecordingSink sink_;
};

}  // namespace

TEST_F(MultiMessagesTest, SimulationWarningWithoutHandlerIsABoxWithTwoBeeps)
{
    SimulationWarning("Round-off error.");
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, TBoxKind::Warning);
    EXPECT_EQ(sink_.boxes[0].text, "Round-off error.");
    EXPECT_EQ(sink_.beeps, 2);
    EXPECT_TRUE(sink_.warnings.empty());
}

TEST_F(MultiMessagesTest, RegisteredHandlerTakesSimulationWarningsUntilCleared)
{
    std::vector<std::string> list;
    multi::SetWarningHandler([&list](const std::string& text) { list.push_back(text); });
    SimulationWarning("Overflow error.");
    EXPECT_EQ(list, std::vector<std::string>{"Overflow error."});
    EXPECT_TRUE(sink_.boxes.empty());
    EXPECT_EQ(sink_.beeps, 1);

    multi::SetWarningHandler({});
    SimulationWarning("after");
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(sink_.boxes.size(), 1u);
}

TEST_F(MultiMessagesTest, BatchModeLogsEveryMessageButStatusWithSixBlanks)
{
    TempDir dir;
    std::vector<std::string> list;
    multi::SetWarningHandler([&list](const std::string& text) { list.push_back(text); });
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLogFile(dir.file("vereDUZ.REC")));
    LogLine("log");
    WarningMessage("warning");
    ErrorMessage("error");
    InformationMessage("information");
    InputWarning("input");
    SimulationWarning("simulation");
    StatusMessage("status");
    StatusMessage("");
    EXPECT_EQ(ReadAll(dir.file("vereDUZ.REC")),
              "      log\r\n      warning\r\n      error\r\n      information\r\n      input\r\n"
              "      simulation\r\n");
    EXPECT_TRUE(sink_.boxes.empty());
    EXPECT_TRUE(list.empty());
    // The status line shows the text, and an empty text clears it.
    EXPECT_EQ(sink_.statuses, (std::vector<std::string>{"status", ""}));
}
