// The batch run of Strativa, through the real executable, in a temporary
// folder and without a display.

#include "batch_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::string kModel = "meadow_herb.st";

int RunStrativa(const TempDir& folder, const std::string& arguments)
{
    return RunProgram(STRATIVA_EXE, folder, arguments);
}

void CopyExample(const TempDir& folder) { ::CopyExample(folder, kModel); }

std::vector<std::string> LogLines(const TempDir& folder) { return ::LogLines(folder, "VEREDUZ.REC"); }

}  // namespace

TEST(StrativaBatch, GoodRunLogsItsStepsAndSavesResults)
{
    TempDir dir;
    CopyExample(dir);
    ASSERT_EQ(RunStrativa(dir, "/RUN=Y /RAN=12345 " + kModel), 0) << ReadAll(dir.file("stderr.txt"));

    const std::vector<std::string> log = LogLines(dir);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log.front(), "***** Rivedarulation Model batch run (" + dir.file(kModel) + ")");
    EXPECT_EQ(log[1], "      Running " + dir.file(kModel));
    EXPECT_TRUE(std::regex_match(log[log.size() - 2],
                                 std::regex(R"(      Completed \S{10} \d\d:\d\d:\d\d)")))
        << log[log.size() - 2];
    EXPECT_EQ(log.back(), "");

    const std::string saved = ReadAll(dir.file(kModel));
    EXPECT_NE(ResultsSection(saved), "");
    EXPECT_NE(saved.find("500 replications\r\n"), std::string::npos);

    // A second run appends to the same log.
    ASSERT_EQ(RunStrativa(dir, "/RUN=Y /RAN=12345 " + kModel), 0);
    const std::vector<std::string> again = LogLines(dir);
    EXPECT_EQ(again.size(), 2 * log.size());
    EXPECT_EQ(again[log.size()], log.front());
}

TEST(StrativaBatch, SameSeedGivesIdenticalResults)
{
    TempDir first, second;
    CopyExample(first);
    CopyExample(second);
    ASSERT_EQ(RunStrativa(first, "/RUN=Y /RAN=12345 " + kModel), 0);
    ASSERT_EQ(RunStrativa(second, "/RUN=Y /RAN=12345 " + kModel), 0);
    const std::string a = ResultsWithoutDate(ReadAll(first.file(kModel)));
    ASSERT_NE(a, "");
    EXPECT_EQ(a, ResultsWithoutDate(ReadAll(second.file(kModel))));
}

TEST(StrativaBatch, FailuresAreLoggedAndGiveNonZeroStatus)
{
    {  // No model file named.
        TempDir dir;
        EXPECT_NE(RunStrativa(dir, "/RUN=Y"), 0);
        const std::vector<std::string> log = LogLines(dir);
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[0], "***** Rivedarulation Model batch run (Untitled.st)");
        EXPECT_EQ(log[1], "      Error 0");
        EXPECT_EQ(log[2], "");
    }
    {  // Not a model file: logged, not run, file unchanged.
        TempDir dir;
        const std::string junk = "Some other text file\r\nline two\r\n";
        WriteAll(dir.file("junk.st"), junk);
        EXPECT_NE(RunStrativa(dir, "/RUN=Y junk.st"), 0);
        const std::string log = ReadAll(dir.file("VEREDUZ.REC"));
        EXPECT_NE(log.find("      Error 3\r\n"), std::string::npos) << log;
        EXPECT_EQ(log.find("Running"), std::string::npos);
        EXPECT_EQ(ReadAll(dir.file("junk.st")), junk);
    }
    {  // A model that fails the input check: the log says why.
        TempDir dir;
        CopyExample(dir);
        std::string model = ReadAll(dir.file(kModel));
        // Make the stage matrix all zeros: its eigenvalue is 0.
        const std::regex row(R"(((?:[ 0-9.]+ ){3})\r\n)");
        std::string zeroed;
        size_t matrixAt = model.find("type(s) of stage matrix");
        ASSERT_NE(matrixAt, std::string::npos);
        // Name, two multipliers and the "0" line follow the count line.
        size_t pos = matrixAt;
        for (int i = 0; i < 5; ++i)
            pos = model.find("\r\n", pos) + 2;
        for (int r = 0; r < 3; ++r) {
            const size_t eol = model.find("\r\n", pos);
            model.replace(pos, eol - pos, "0.000000 0.000000 0.000000 ");
            pos = model.find("\r\n", pos) + 2;
        }
        WriteAll(dir.file(kModel), model);
        EXPECT_EQ(RunStrativa(dir, "/RUN=Y " + kModel), 1);
        const std::string log = ReadAll(dir.file("VEREDUZ.REC"));
        EXPECT_NE(log.find("Invalid input: Stage matrix (1)"), std::string::npos) << log;
    }
}

TEST(StrativaBatch, AbsoluteModelPathAndNoDisplay)
{
    TempDir dir, elsewhere;
    CopyExample(elsewhere);
    ASSERT_EQ(RunStrativa(dir, "/RUN=Y /RAN=7 " + elsewhere.file(kModel)), 0) << ReadAll(dir.file("stderr.txt"));
    EXPECT_NE(ResultsSection(ReadAll(elsewhere.file(kModel))), "");
    EXPECT_TRUE(std::filesystem::exists(dir.file("VEREDUZ.REC")));
}
