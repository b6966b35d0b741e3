// The batch run of Monovara, through the real executable, in a temporary
// folder and without a display.

#include "batch_program.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::string kModel = "marsh_frogs.sp";
const std::string kLog = "vereDUZ.REC";

int RunMonovara(const TempDir& folder, const std::string& arguments)
{
    return RunProgram(MONOVARA_EXE, folder, arguments);
}

bool IsCompletedLine(const std::string& line)
{
    return std::regex_match(line, std::regex(R"(      Completed \S{10} \d\d:\d\d:\d\d)"));
}

}  // namespace

TEST(MonovaraBatch, GoodRunLogsItsStepsAndSavesResults)
{
    TempDir dir;
    CopyExample(dir, kModel);
    // The default extension is added to a name without one.
    ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=12345 marsh_frogs"), 0) << ReadAll(dir.file("stderr.txt"));

    const std::vector<std::string> log = LogLines(dir, kLog);
    ASSERT_EQ(log.size(), 4u) << ReadAll(dir.file(kLog));
    EXPECT_EQ(log[0], "***** Rivedarulation Model batch run (" + dir.file(kModel) + ")");
    EXPECT_EQ(log[1], "      Running " + dir.file(kModel));
    EXPECT_TRUE(IsCompletedLine(log[2])) << log[2];
    EXPECT_EQ(log[3], "");

    const std::string saved = ReadAll(dir.file(kModel));
    EXPECT_NE(saved.find("500 replications\r\n"), std::string::npos);
    // The inputs as they were, then the thresholds the run used.
    const std::string inputs = ReadAll(std::string(PV_EXAMPLES) + "/" + kModel);
    const std::string dispersal = "Migration\r\nTRUE\r\n0.000,,,\r\n";
    EXPECT_EQ(saved.substr(0, saved.find(dispersal)), inputs.substr(0, inputs.find(dispersal)));
    EXPECT_NE(saved.find(dispersal + "20.0\r\n600.0\r\n1\r\nSimulation results "), std::string::npos);
    EXPECT_NE(ResultsSection(saved), "");

    // A second run appends to the same log, and runs the saved model again.
    ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=12345 " + kModel), 0);
    const std::vector<std::string> again = LogLines(dir, kLog);
    ASSERT_EQ(again.size(), 8u);
    EXPECT_EQ(again[4], log[0]);
    EXPECT_EQ(ResultsWithoutDate(ReadAll(dir.file(kModel))), ResultsWithoutDate(saved));
}

TEST(MonovaraBatch, SameSeedGivesIdenticalResults)
{
    TempDir first, second;
    CopyExample(first, kModel);
    CopyExample(second, kModel);
    ASSERT_EQ(RunMonovara(first, "/RUN=Y /RAN=777 " + kModel), 0);
    ASSERT_EQ(RunMonovara(second, "/RUN=Y /RAN=777 " + kModel), 0);
    const std::string a = ResultsWithoutDate(ReadAll(first.file(kModel)));
    ASSERT_NE(a, "");
    EXPECT_EQ(a, ResultsWithoutDate(ReadAll(second.file(kModel))));
}

TEST(MonovaraBatch, FailuresAreLoggedAndGiveNonZeroStatus)
{
    {  // No model file named.
        TempDir dir;
        EXPECT_EQ(RunMonovara(dir, "/RUN=Y"), 1);
        EXPECT_EQ(LogLines(dir, kLog), (std::vector<std::string>{
                                           "***** Rivedarulation Model batch run (Untitled.sp)", "      Error 0", ""}));
    }
    {  // A file of the multi-population program: logged, not run, unchanged.
        TempDir dir;
        CopyExample(dir, "island_lizards.mp");
        const std::string before = ReadAll(dir.file("island_lizards.mp"));
        EXPECT_EQ(RunMonovara(dir, "/RUN=Y island_lizards.mp"), 1);
        const std::vector<std::string> log = LogLines(dir, kLog);
        EXPECT_EQ(log, (std::vector<std::string>{
                           "***** Rivedarulation Model batch run (" + dir.file("island_lizards.mp") + ")",
                           "      File not loaded: Not an input file", "      Error 3", ""}));
        EXPECT_EQ(ReadAll(dir.file("island_lizards.mp")), before);
    }
    {  // A model that fails the input check: not run, not saved.
        TempDir dir;
        std::string model = ReadAll(std::string(PV_EXAMPLES) + "/" + kModel);
        const std::string good = "Fen frogs,,,180,BH,1.12,";
        ASSERT_NE(model.find(good), std::string::npos);
        model.replace(model.find(good), good.size(), "Fen frogs,,,180,BH,,");
        WriteAll(dir.file(kModel), model);
        EXPECT_EQ(RunMonovara(dir, "/RUN=Y " + kModel), 1);
        const std::string log = ReadAll(dir.file(kLog));
        EXPECT_NE(log.find("      Invalid input parameter: \"R\"\r\n"), std::string::npos) << log;
        EXPECT_NE(log.find("      Error in input data\r\n"), std::string::npos) << log;
        EXPECT_NE(log.find("      Model not saved: the run gave no results\r\n"), std::string::npos) << log;
        EXPECT_EQ(log.find("Completed"), std::string::npos) << log;
        EXPECT_EQ(ReadAll(dir.file(kModel)), model);
    }
#ifndef MONOVARA_WINDOWS
    {  // Without the batch switch, in a build without windows: no log.
        TempDir dir;
        CopyExample(dir, kModel);
        EXPECT_EQ(RunMonovara(dir, kModel), 1);
        EXPECT_NE(ReadAll(dir.file("stderr.txt")).find("monovara /RUN=Y model.sp"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.file(kLog)));
    }
#endif
    {  // A bad configuration.
        TempDir dir;
        CopyExample(dir, kModel);
        EXPECT_EQ(RunMonovara(dir, "/RUN=Y /RAN=abc " + kModel), 2);
        EXPECT_NE(ReadAll(dir.file("stderr.txt")).find("Invalid initial random seed: RAN=abc"), std::string::npos)
            << ReadAll(dir.file("stderr.txt"));
    }
}

// Results saved by an earlier run stay in the file when the next run's
// inputs fail the check.
TEST(MonovaraBatch, InvalidInputsKeepTheStoredResults)
{
    TempDir dir;
    CopyExample(dir, kModel);
    ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=5 " + kModel), 0);
    std::string model = ReadAll(dir.file(kModel));
    ASSERT_NE(ResultsSection(model), "");
    const std::string survival = ",400,0.25,,,,0.45,";
    ASSERT_NE(model.find(survival), std::string::npos);
    model.replace(model.find(survival), survival.size(), ",400,0.25,,,,7,");
    WriteAll(dir.file(kModel), model);

    EXPECT_EQ(RunMonovara(dir, "/RUN=Y /RAN=5 " + kModel), 1);
    EXPECT_EQ(ReadAll(dir.file(kModel)), model);
    const std::vector<std::string> log = LogLines(dir, kLog);
    const std::vector<std::string> second = LinesAfterFirstRun(log);
    EXPECT_NE(std::find(second.begin(), second.end(), "      Invalid input parameter: \"Survival rate\""),
              second.end())
        << ReadAll(dir.file(kLog));
    ASSERT_GE(second.size(), 2u);
    EXPECT_EQ(second[second.size() - 2], "      Model not saved: the run gave no results");
}

TEST(MonovaraBatch, DamagedResultsAreLoggedThenRunAgain)
{
    TempDir dir;
    CopyExample(dir, kModel);
    ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=5 " + kModel), 0);
    std::string model = ReadAll(dir.file(kModel));
    const size_t occupancy = model.find("Occupancy\r\n");
    ASSERT_NE(occupancy, std::string::npos);
    model.replace(occupancy, 9, "Occupancy\r\nnot a number");
    WriteAll(dir.file(kModel), model);

    EXPECT_EQ(RunMonovara(dir, "/RUN=Y /RAN=5 " + kModel), 0);
    const std::vector<std::string> log = LogLines(dir, kLog);
    const std::vector<std::string> second = LinesAfterFirstRun(log);
    ASSERT_EQ(second.size(), 6u) << ReadAll(dir.file(kLog));
    EXPECT_EQ(second[1], "      Error in loading results from file: " + dir.file(kModel));
    EXPECT_EQ(second[2], "      Error 6");
    EXPECT_EQ(second[3], "      Running " + dir.file(kModel));
    EXPECT_TRUE(IsCompletedLine(second[4])) << second[4];
    EXPECT_NE(ResultsSection(ReadAll(dir.file(kModel))).find("500 replications\r\n"), std::string::npos);
}

// Runs started together in one folder share the one log: each waits for the
// one before, so every run's lines stay together.
TEST(MonovaraBatch, RunsAtTheSameTimeKeepTheirLinesTogether)
{
    TempDir dir;
    const std::vector<std::string> models = {"marsh_frogs.sp", "mountain_goats.sp", "meadow_orchid.sp"};
    std::string command = "cd '" + dir.path().string() + "' && (";
    for (const std::string& model : models) {
        CopyExample(dir, model);
        command += "env -u DISPLAY '" MONOVARA_EXE "' /RUN=Y " + model + " & ";
    }
    command += "wait) >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::vector<std::string> log = LogLines(dir, kLog);
    ASSERT_EQ(log.size(), 12u) << ReadAll(dir.file(kLog));
    std::vector<std::string> seen;
    for (size_t block = 0; block < 3; ++block) {
        const std::string& header = log[4 * block];
        const std::string name = header.substr(header.rfind('/') + 1, header.size() - header.rfind('/') - 2);
        seen.push_back(name);
        EXPECT_EQ(log[4 * block + 1], "      Running " + dir.file(name));
        EXPECT_TRUE(IsCompletedLine(log[4 * block + 2])) << log[4 * block + 2];
        EXPECT_EQ(log[4 * block + 3], "");
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"marsh_frogs.sp", "meadow_orchid.sp", "mountain_goats.sp"}));
}

// Scenarios named alike up to a later dot keep chart settings of their own:
// a title set for one is not shown on another's charts.
TEST(MonovaraBatch, ScenarioSweepKeepsOneChartSettingsFileEach)
{
    TempDir dir;
    const std::vector<std::string> scenarios = {"f_R1.1", "f_R1.3", "f_R1.5"};
    for (const std::string& s : scenarios) {
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + kModel, dir.file(s + ".sp"));
        ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=3 " + s + ".sp"), 0) << ReadAll(dir.file(kLog));
    }
    for (const std::string& s : scenarios) EXPECT_TRUE(std::filesystem::exists(dir.file(s + ".SCL"))) << s;
    EXPECT_FALSE(std::filesystem::exists(dir.file("f_R1.SCL")));

    std::string settings = ReadAll(dir.file("f_R1.1.SCL"));
    ASSERT_NE(settings.find("Title="), std::string::npos);
    settings.replace(settings.find("Title="), 6, "Title=Sweep at R 1.1 ");
    WriteAll(dir.file("f_R1.1.SCL"), settings);
    // Another scenario's run writes its own file and leaves this one alone.
    ASSERT_EQ(RunMonovara(dir, "/RUN=Y /RAN=3 f_R1.5.sp"), 0);
    EXPECT_NE(ReadAll(dir.file("f_R1.1.SCL")).find("Title=Sweep at R 1.1 "), std::string::npos);
    EXPECT_EQ(ReadAll(dir.file("f_R1.5.SCL")).find("Sweep at R"), std::string::npos);
}

// A model the user keeps read-only is not replaced, whoever runs the
// program; a linked model stays a link and its target gets the results.
TEST(MonovaraBatch, ReadOnlyModelsAreKeptAndLinksStayLinks)
{
    namespace fs = std::filesystem;
    {
        TempDir dir;
        CopyExample(dir, kModel);
        ::chmod(dir.file(kModel).c_str(), 0444);
        const std::string before = ReadAll(dir.file(kModel));
        EXPECT_EQ(RunMonovara(dir, "/RUN=Y " + kModel), 1);
        EXPECT_EQ(ReadAll(dir.file(kModel)), before);
        EXPECT_EQ(fs::status(dir.file(kModel)).permissions() & fs::perms::all, fs::perms(0444));
        const std::string log = ReadAll(dir.file(kLog));
        EXPECT_NE(log.find("      Cannot save to " + dir.file(kModel) +
                           ": the file is read-only. The model was not saved.\r\n"),
                  std::string::npos)
            << log;
        EXPECT_NE(log.find("      Error 2 in saving file " + dir.file(kModel) + "\r\n"), std::string::npos) << log;
        ::chmod(dir.file(kModel).c_str(), 0644);
    }
    {
        TempDir dir;
        fs::create_directory(dir.file("real"));
        fs::copy_file(std::string(PV_EXAMPLES) + "/" + kModel, dir.file("real/" + kModel));
        fs::create_symlink("real/" + kModel, dir.file(kModel));
        ASSERT_EQ(RunMonovara(dir, "/RUN=Y " + kModel), 0) << ReadAll(dir.file(kLog));
        EXPECT_TRUE(fs::is_symlink(dir.file(kModel)));
        EXPECT_NE(ResultsSection(ReadAll(dir.file("real/" + kModel))), "");
    }
}

// A writable model in a folder the user cannot write: the log says so.
// Root may write any folder, so there the run is made as "nobody".
TEST(MonovaraBatch, FolderThatCannotBeWrittenIsNamed)
{
    TempDir dir;
    CopyExample(dir, kModel);
    WriteAll(dir.file(kLog), "");
    ::chmod(dir.file(kModel).c_str(), 0666);
    ::chmod(dir.file(kLog).c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    const std::string before = ReadAll(dir.file(kModel));
    const std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = "cd '" + dir.path().string() + "' && " + as + "env -u DISPLAY '" MONOVARA_EXE
                                "' /RUN=Y " + kModel + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(ReadAll(dir.file(kModel)), before);
    const std::string log = ReadAll(dir.file(kLog));
    EXPECT_NE(log.find("      Cannot save to " + dir.file(kModel) + ": the folder " + dir.path().string() +
                       " cannot be written. The model was not saved.\r\n"),
              std::string::npos)
        << log;
}
