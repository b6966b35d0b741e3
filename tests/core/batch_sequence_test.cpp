#include "core/batch_sequence.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/model_file_codes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One batch sequence with scripted steps; the log it wrote, and which steps ran.
struct Outcome {
    int status;
    std::string log;
    bool ran;
    bool saved;
};

Outcome RunWith(bool named, int loadCode, TRunEnd end, int saveCode)
{
    TempDir dir;
    ResetBatchLog();
    BatchMode = true;
    ModelFileName = "herb.st";
    ModelFileNamed = named;
    EXPECT_TRUE(OpenBatchLog(dir.path().string()));
    Outcome out{0, {}, false, false};
    TBatchSteps steps;
    steps.Load = [&] { return loadCode; };
    steps.Run = [&] {
        out.ran = true;
        return end;
    };
    steps.Save = [&] {
        out.saved = true;
        return saveCode;
    };
    steps.RunDateTime = [] { return std::string("12/10/2026 09:30:00"); };
    out.status = RunBatchSequence(steps);
    out.log = ReadAll(dir.file("VEREDUZ.REC"));
    ResetBatchLog();
    BatchMode = false;
    ModelFileNamed = false;
    return out;
}

}  // namespace

TEST(BatchSequence, LogLinesAndExitStatusFollowEachStep)
{
    const std::string head = "***** Rivedarulation Model batch run (herb.st)\r\n";
    const std::string running = "      Running herb.st\r\n";
    const std::string completed = "      Completed 12/10/2026 09:30:00\r\n";
    const std::string notSaved = "      Model not saved: the run gave no results\r\n";
    struct Case {
        const char* what;
        bool named;
        int load;
        TRunEnd end;
        int save;
        int status;
        bool ran, saved;
        std::string log;
    } cases[] = {
        {"a good run", true, kModelFileOk, TRunEnd::Completed, kModelFileOk, 0, true, true,
         head + running + completed + "\r\n"},
        {"no model named", false, kModelFileOk, TRunEnd::Completed, kModelFileOk, 1, false, false,
         head + "      Error 0\r\n\r\n"},
        {"a file that does not load", true, kModelFileNotModel, TRunEnd::Completed, kModelFileOk, 1, false, false,
         head + "      Error 3\r\n\r\n"},
        {"damaged results still run", true, kModelFileBadResults, TRunEnd::Completed, kModelFileOk, 0, true, true,
         head + "      Error 6\r\n" + running + completed + "\r\n"},
        {"a failed save", true, kModelFileOk, TRunEnd::Completed, kModelFileWriteFailed, 1, true, true,
         head + running + "      Error 7 in saving file herb.st\r\n" + completed + "\r\n"},
        {"a stopped run keeps what it did", true, kModelFileOk, TRunEnd::Stopped, kModelFileOk, 1, true, true,
         head + running + completed + "\r\n"},
        // A run that ends without results leaves the file as it was.
        {"inputs the check halts", true, kModelFileOk, TRunEnd::InvalidInput, kModelFileOk, 1, true, false,
         head + running + notSaved + "\r\n"},
        {"a refused run", true, kModelFileBadResults, TRunEnd::Refused, kModelFileOk, 1, true, false,
         head + "      Error 6\r\n" + running + notSaved + "\r\n"},
        {"a run broken off by an error", true, kModelFileOk, TRunEnd::Failed, kModelFileOk, 1, true, false,
         head + running + notSaved + "\r\n"},
    };
    for (const Case& c : cases) {
        const Outcome out = RunWith(c.named, c.load, c.end, c.save);
        EXPECT_EQ(out.status, c.status) << c.what;
        EXPECT_EQ(out.ran, c.ran) << c.what;
        EXPECT_EQ(out.saved, c.saved) << c.what;
        EXPECT_EQ(out.log, c.log) << c.what;
    }
}
