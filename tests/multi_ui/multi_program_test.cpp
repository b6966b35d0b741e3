// Plurimod's windows as the program starts them, in a process of their own
// (the probe), under a German user locale.

#include "support/probe_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A German user sees and types decimal commas, but a model saved from the
// window is the same file, byte for byte, as one saved under the "C" locale.
TEST(MultiProgram, SavedModelsKeepDecimalPointsUnderAGermanUserLocale)
{
    TempDir dir;
    const std::string german = GermanUser(dir);
    if (german.empty())
        GTEST_SKIP() << "no German locale here, and none could be built";
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_voles.mp", dir.file("voles.mp"));

    ASSERT_EQ(RunProbe(MULTI_WINDOW_PROBE, dir, german, "save voles german.mp"), 0) << ReadAll(dir.file("stderr.txt"));
    EXPECT_EQ(ReadAll(dir.file("stdout.txt")), "in files: .\nshown: ,\n");
    ASSERT_EQ(RunProbe(MULTI_WINDOW_PROBE, dir, "LANG=C LC_ALL=C", "save voles c.mp"), 0)
        << ReadAll(dir.file("stderr.txt"));

    const std::string saved = ReadAll(dir.file("german.mp"));
    EXPECT_NE(saved.find("0.150,8,0.4,25\r\n"), std::string::npos);
    EXPECT_EQ(saved, ReadAll(dir.file("c.mp")));
}
