// Strativa without the batch switch: the real executable opens its windows
// on the offscreen platform, in a temporary folder.

#include "window_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Started with a model, the program stays in its event loop with the main
// window until it is ended; it neither says it has no windows nor writes a
// batch log, and it leaves the model file as it was.
TEST(StrativaWindows, StartsWithAModelAndRunsUntilEnded)
{
    TempDir dir;
    const std::string model = dir.file("meadow_herb.st");
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/meadow_herb.st", model);
    const std::string before = ReadAll(model);

    const TWindowRun run = RunWindowProgram(STRATIVA_EXE, dir, {"meadow_herb.st"});
    EXPECT_FALSE(run.endedByItself) << "exit status " << WEXITSTATUS(run.status) << ": " << run.output;
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGTERM);
    EXPECT_EQ(ReadAll(model), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("VEREDUZ.REC")));
}
