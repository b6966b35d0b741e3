// Strativa's windows as a whole program starts them, in a process of their
// own (the probe): under a German user locale, and through a fatal stop.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <clocale>
#include <filesystem>
#include <string>

namespace {

// Runs the probe in `folder` with `environment` in front; its exit status,
// or -1 when it did not exit by itself.
int RunProbe(const TempDir& folder, const std::string& environment, const std::string& arguments)
{
    const std::string command = "cd '" + folder.path().string() + "' && env " + environment +
                                " QT_QPA_PLATFORM=offscreen '" STAGE_WINDOW_PROBE "' " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The environment of a German user: the system's German locale, or one
// built into the folder when the system has none. Empty when neither works.
std::string GermanUser(const TempDir& folder)
{
    const std::string german = "LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8";
    if (locale_t system = newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr)) {
        freelocale(system);
        return german;
    }
    const std::string built = folder.file("locales");
    std::filesystem::create_directory(built);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + built + "/de_DE.utf8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != -1 && std::filesystem::exists(built + "/de_DE.utf8/LC_NUMERIC"))
        return "LOCPATH='" + built + "' " + german;
    return {};
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
