#include "core/program_main.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

TEST(ProgramMain, EveryEndGivesItsStatusAndClosesTheLog)
{
    struct Case {
        const char* what;
        std::function<int()> program;
        int status;
        const char* logged;  // text the batch log must hold, or empty
    };
    const Case cases[] = {
        {"a program that ends normally", [] { return 0; }, 0, ""},
        {"a logged failure", [] { return 1; }, 1, ""},
        {"a bad configuration", []() -> int { throw ConfigError("RAN=abc is not a number"); }, 2, ""},
        {"a fatal stop", []() -> int { throw ProgramStopped("stopped"); }, 2, ""},
        {"an unexpected error", []() -> int { throw std::runtime_error("disk on fire"); }, 2,
         "      disk on fire"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ResetBatchLog();
        BatchMode = true;
        ASSERT_TRUE(OpenBatchLog(dir.path().string()));
        EXPECT_EQ(RunProgramMain(c.program), c.status);
        EXPECT_FALSE(BatchLogIsOpen());
        const std::string log = ReadAll(dir.file("VEREDUZ.REC"));
        if (*c.logged)
            EXPECT_NE(log.find(c.logged), std::string::npos) << log;
        else
            EXPECT_EQ(log, "");
        ResetBatchLog();
        BatchMode = false;
    }
}
