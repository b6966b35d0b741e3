#include "core/batch_log.h"

#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another process holding the exclusive lock on some files until destroyed;
// just before it lets go it appends `lastLine` to the first file.
class LockHolder {
public:
    explicit LockHolder(const std::vector<std::string>& paths, const std::string& lastLine = {})
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            int first = -1;
            for (const std::string& p : paths) {
                const int fd = ::open(p.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
                if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
                    ::_exit(1);
                if (first < 0)
                    first = fd;
            }
            char c = 'x';
            if (::write(ready[1], &c, 1) != 1)
                ::_exit(1);
            (void)::read(release[0], &c, 1);  // returns when the parent closes its end
            if (!lastLine.empty() && ::write(first, lastLine.data(), lastLine.size()) < 0)
                ::_exit(1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char c = 0;
        ok_ = ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
    }
    ~LockHolder()
    {
        ::close(release_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    bool ok() const { return ok_; }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool ok_ = false;
};

class BatchLogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBatchLog(); }
    void TearDown() override { ResetBatchLog(); }
    TempDir dir_;
};

std::string Names(int n) { return n == 0 ? "VEREDUZ.REC" : "VEREDUZ" + std::to_string(n) + ".REC"; }

}  // namespace

TEST_F(BatchLogTest, CreatedThenAppendedWithEarlyMessagesFirst)
{
    testing::internal::CaptureStderr();
    WriteLog("before batch mode");  // not batch mode: nothing is kept for a log
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "      before batch mode\n");
    BatchMode = true;
    WriteLog("read the configuration");  // before the log is open: kept
    ASSERT_TRUE(OpenBatchLog(dir_.path().string()));
    EXPECT_EQ(BatchLogName(), dir_.file("VEREDUZ.REC"));
    WriteLog("run 1");
    CloseBatchLog();
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")), "      read the configuration\r\n      run 1\r\n");

    ASSERT_TRUE(OpenBatchLog(dir_.path().string()));
    ReportMessage("run 2");
    CloseBatchLog();
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")),
              "      read the configuration\r\n      run 1\r\n      run 2\r\n");

    // A log written on another system under another case is appended to.
    TempDir other;
    WriteAll(other.file("vereduz.rec"), "old\r\n");
    ASSERT_TRUE(OpenBatchLog(other.path().string()));
    WriteLog("new");
    CloseBatchLog();
    EXPECT_EQ(ReadAll(other.file("vereduz.rec")), "old\r\n      new\r\n");
}

TEST_F(BatchLogTest, ALockedLogSendsTheRunToTheNextName)
{
    LockHolder holder({dir_.file("VEREDUZ.REC"), dir_.file("VEREDUZ1.REC")});
    ASSERT_TRUE(holder.ok());
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLog(dir_.path().string()));
    EXPECT_EQ(BatchLogName(), dir_.file("VEREDUZ2.REC"));
    WriteLog("second run");
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ2.REC")), "      second run\r\n");
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")), "");

    // The log's own lock keeps a third run off this name too.
    const int fd = ::open(dir_.file("VEREDUZ2.REC").c_str(), O_WRONLY);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

TEST_F(BatchLogTest, AllTenNamesInUseStopsWithABox)
{
    std::vector<std::string> all;
    for (int n = 0; n <= 9; ++n)
        all.push_back(dir_.file(Names(n)));
    LockHolder holder(all);
    ASSERT_TRUE(holder.ok());

    RecordingSink sink;
    BatchMode = true;
    WriteLog("kept before the log");
    testing::internal::CaptureStderr();
    try {
        OpenBatchLog(dir_.path().string());
        ADD_FAILURE() << "no stop";
    } catch (const ProgramStopped& e) {
        EXPECT_STREQ(e.what(), "ERROR: 10 batch runs in the same directory");
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(BatchMode);
    EXPECT_FALSE(BatchLogIsOpen());
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
    EXPECT_EQ(sink.boxes[0].text, "Program stopped because\r\n\r\nERROR: 10 batch runs in the same directory");
    // The kept message is not lost.
    EXPECT_NE(err.find("      kept before the log"), std::string::npos) << err;
}

TEST_F(BatchLogTest, StopProgramRecordsThenThrows)
{
    {
        RecordingSink sink;
        EXPECT_THROW(StopProgram("half-built model"), ProgramStopped);
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].text, "Program stopped because\r\n\r\nhalf-built model");
        EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
    }
    RecordingSink sink;
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLog(dir_.path().string()));
    EXPECT_THROW(StopProgram("Heap error 1: Too many rows"), ProgramStopped);
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")), "      PROGRAM STOPPED (Heap error 1: Too many rows)\r\n");
}

TEST_F(BatchLogTest, AFailingLogWriteGoesToStandardErrorWithoutThrowing)
{
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLogFile("/dev/full"));
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(WriteLog("disk full"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "      disk full\n");
    EXPECT_FALSE(OpenBatchLogFile(dir_.file("no/such/folder/VEREDUZ.REC")));
}

TEST_F(BatchLogTest, AStopBeforeTheLogOpensStillReachesTheLog)
{
    BatchMode = true;
    ReportMessage("Cannot find data path x");
    EXPECT_THROW(StopProgram("Not enough memory for stages"), ProgramStopped);
    FinishBatchLog(dir_.path().string());
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")),
              "      Cannot find data path x\r\n      PROGRAM STOPPED (Not enough memory for stages)\r\n");
    EXPECT_FALSE(BatchLogIsOpen());
}

TEST_F(BatchLogTest, AFixedNameIsSharedAndARunWaitsForTheOneBefore)
{
    UseFixedBatchLogName("vereDUZ.REC");
    // A log of the same name in another case is the same log.
    WriteAll(dir_.file("VEREDUZ.REC"), "old\r\n");
    auto holder = std::make_unique<LockHolder>(std::vector<std::string>{dir_.file("VEREDUZ.REC")},
                                               "first run\r\n");
    ASSERT_TRUE(holder->ok());
    BatchMode = true;
    WriteLog("kept");
    bool opened = false;
    std::thread second([&] {
        opened = OpenBatchLog(dir_.path().string());
        WriteLog("second run");
    });
    // Give the second run time to reach the lock: a run that did not wait
    // would write before the first one ends.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    holder.reset();
    second.join();
    EXPECT_TRUE(opened);
    EXPECT_EQ(BatchLogName(), dir_.file("VEREDUZ.REC"));
    CloseBatchLog();
    EXPECT_EQ(ReadAll(dir_.file("VEREDUZ.REC")), "old\r\nfirst run\r\n      kept\r\n      second run\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.file("VEREDUZ1.REC")));

    // A new log gets the exact name.
    TempDir fresh;
    ASSERT_TRUE(OpenBatchLog(fresh.path().string()));
    EXPECT_EQ(BatchLogName(), fresh.file("vereDUZ.REC"));
}

TEST_F(BatchLogTest, AFixedNameThatCannotBeOpenedSendsTheLinesToStandardError)
{
    UseFixedBatchLogName("vereDUZ.REC");
    BatchMode = true;
    WriteLog("kept");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(OpenBatchLog(dir_.file("no/such/folder")));
    WriteLog("later");
    FinishBatchLog(dir_.file("no/such/folder"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "      kept\n      later\n");
    EXPECT_TRUE(BatchMode);
    EXPECT_FALSE(BatchLogIsOpen());
}
