// Plurimod: the real executable opens its windows on the offscreen
// platform, in a temporary folder.

#include "window_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Started with the sample named without its extension, and with switches
// this program passes over (it has no batch run), the program stays in its
// event loop with the main window until it is ended, writes no log and
// leaves the model and its map as they were.
TEST(PlurimodWindows, StartsWithAModelAndRunsUntilEnded)
{
    TempDir dir;
    for (const char* name : {"river_voles.mp", "river_valley.map"})
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + name, dir.file(name));
    const std::string before = ReadAll(dir.file("river_voles.mp"));

    const TWindowRun run = RunWindowProgram(PLURIMOD_EXE, dir, {"/RUN=Y", "river_voles", "/REP=3"});
    EXPECT_FALSE(run.endedByItself) << "exit status " << WEXITSTATUS(run.status) << ": " << run.output;
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGTERM);
    EXPECT_EQ(ReadAll(dir.file("river_voles.mp")), before);
    for (const char* log : {"VEREDUZ.REC", "vereDUZ.REC"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(log))) << log;
}
