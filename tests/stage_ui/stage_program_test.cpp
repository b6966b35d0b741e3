// Strativa's windows as a whole program starts them, in a process of their
// own (the probe): under a German user locale, and through a fatal stop.

#include "support/probe_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

int RunProbe(const TempDir& folder, const std::string& environment, const std::string& arguments)
{
    return ::RunProbe(STAGE_WINDOW_PROBE, folder, environment, arguments);
}

}  // namespace

// A German user sees and types decimal commas, but a model saved from the
// window is the same file, byte for byte, as one saved under the "C" locale.
TEST(StageProgram, SavedModelsKeepDecimalPointsUnderAGermanUserLocale)
{
    TempDir dir;
    const std::string german = GermanUser(dir);
    if (german.empty())
        GTEST_SKIP() << "no German locale here, and none could be built";
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/island_seabird.st", dir.file("seabird.st"));

    ASSERT_EQ(RunProbe(dir, german, "save seabird.st german.st"), 0) << ReadAll(dir.file("stderr.txt"));
    EXPECT_EQ(ReadAll(dir.file("stdout.txt")), "in files: .\nshown: ,\n");
    ASSERT_EQ(RunProbe(dir, "LANG=C LC_ALL=C", "save seabird.st c.st"), 0) << ReadAll(dir.file("stderr.txt"));

    const std::string saved = ReadAll(dir.file("german.st"));
    EXPECT_NE(saved.find("0.000000"), std::string::npos);
    EXPECT_EQ(saved, ReadAll(dir.file("c.st")));
}

// A fatal stop inside an event handler ends the event loop in order: the
// program returns 2, as after a fatal stop before its windows exist.
TEST(StageProgram, AFatalStopInTheEventLoopEndsTheProgram)
{
    TempDir dir;
    EXPECT_EQ(RunProbe(dir, "LC_ALL=C", "stop"), 2) << ReadAll(dir.file("stderr.txt"));
    EXPECT_NE(ReadAll(dir.file("stderr.txt")).find("the probe stops"), std::string::npos);
}
