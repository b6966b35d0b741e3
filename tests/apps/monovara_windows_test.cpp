// Monovara: the real executable opens its windows on the offscreen platform
// when the batch switch is off, in a temporary folder.

#include "window_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Started with the sample named without its extension and without the batch
// switch, the program stays in its event loop with the main window until it
// is ended, writes no log and leaves the model as it was.
TEST(MonovaraWindows, StartsWithAModelAndRunsUntilEnded)
{
    TempDir dir;
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/marsh_frogs.sp", dir.file("marsh_frogs.sp"));
    const std::string before = ReadAll(dir.file("marsh_frogs.sp"));

    const TWindowRun run = RunWindowProgram(MONOVARA_EXE, dir, {"marsh_frogs", "/REP=3"});
    EXPECT_FALSE(run.endedByItself) << "exit status " << WEXITSTATUS(run.status) << ": " << run.output;
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGTERM);
    EXPECT_EQ(ReadAll(dir.file("marsh_frogs.sp")), before);
    for (const char* log : {"VEREDUZ.REC", "vereDUZ.REC"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(log))) << log;
}
