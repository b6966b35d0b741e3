// The batch run of Strativa, through the real executable, in a temporary
// folder and without a display.

#include "batch_program.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
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

// Results saved by an earlier run stay in the file when the next run's
// inputs fail the check.
TEST(StrativaBatch, InvalidInputsKeepTheStoredResults)
{
    TempDir dir;
    const std::string turtles = "pond_turtle.st";
    ::CopyExample(dir, turtles);
    ASSERT_EQ(RunStrativa(dir, "/RUN=Y /RAN=5 " + turtles), 0);
    std::string model = ReadAll(dir.file(turtles));
    ASSERT_NE(ResultsSection(model), "");
    const std::string k = ",CE,1.0,600,";
    ASSERT_NE(model.find(k), std::string::npos);
    model.replace(model.find(k), k.size(), ",CE,1.0,abc,");
    WriteAll(dir.file(turtles), model);

    EXPECT_EQ(RunStrativa(dir, "/RUN=Y /RAN=5 " + turtles), 1);
    EXPECT_EQ(ReadAll(dir.file(turtles)), model);
    const std::string log = ReadAll(dir.file("VEREDUZ.REC"));
    const std::string second = log.substr(log.rfind("***** "));
    EXPECT_NE(second.find("Invalid input: K (1)"), std::string::npos) << second;
    EXPECT_NE(second.find("      Model not saved: the run gave no results\r\n\r\n"), std::string::npos) << second;
    EXPECT_EQ(second.find("Completed"), std::string::npos) << second;
}

TEST(StrativaBatch, AbsoluteModelPathAndNoDisplay)
{
    TempDir dir, elsewhere;
    CopyExample(elsewhere);
    ASSERT_EQ(RunStrativa(dir, "/RUN=Y /RAN=7 " + elsewhere.file(kModel)), 0) << ReadAll(dir.file("stderr.txt"));
    EXPECT_NE(ResultsSection(ReadAll(elsewhere.file(kModel))), "");
    EXPECT_TRUE(std::filesystem::exists(dir.file("VEREDUZ.REC")));
}

namespace {

// A three-stage model file with no stochasticity: one line per population
// (density-dependence code, Rmax and K texts), the stage matrix rows, the
// initial abundances of each population and the management action lines.
struct TSmallModel {
    int replications = 0;
    int duration = 1;
    std::vector<std::string> populations;  // "BH,1.8,374"
    std::vector<std::string> matrix;       // three rows
    std::vector<std::string> initial;      // one row per population
    std::vector<std::string> actions;

    std::string Text() const
    {
        std::vector<std::string> lines = {"Voran/Pelivo: age and stage structure (3.0) map=\xff", "Small model", "",
                                          "", "", "", std::to_string(replications), std::to_string(duration),
                                          "FALSE", "3 FALSE", "", "0.000000", "Local", "abundances", "",
                                          "0.000000", "Local", "abundances", "all vital rates", "Lognormal,0",
                                          "0.000000", "count in total", "1 (F, S, K correlated)"};
        for (const std::string& p : populations)
            lines.push_back(",0.000,0.000,," + p + ",0.0,0.0,0.0,0.0,1,0.0,TRUE,1,1.0,1.0,0.0,1,0.0,1");
        const std::size_t P = populations.size();
        for (const char* block : {"Migration", "Correlation"}) {
            lines.push_back(block);
            lines.push_back("FALSE");
            lines.push_back(std::string(block) == "Migration" ? "0.000,0.00000,0.00000,0.00000" : "0.000,0.00000,0.00000");
            for (std::size_t i = 1; i <= P; ++i) {
                std::string row;
                for (std::size_t j = 1; j <= (std::string(block) == "Migration" ? P : i); ++j)
                    row += " 0,";
                lines.push_back(row);
            }
        }
        for (const char* line : {"1 type(s) of stage matrix", "default", "1.000000", "1.000000", "0"})
            lines.push_back(line);
        for (const std::string& row : matrix)
            lines.push_back(row + " ");
        lines.push_back("1 type(s) of st.dev. matrix");
        lines.push_back("default");
        for (int k = 0; k < 3; ++k)
            lines.push_back("0 0 0 ");
        for (int k = 0; k < 1 + 2 * 4; ++k)  // stage dispersal, both catastrophes' multipliers
            lines.push_back("1 1 1 ");
        for (const std::string& row : initial)
            lines.push_back(row + " ");
        for (int s = 1; s <= 3; ++s) {
            lines.push_back("Stage" + std::to_string(s));
            lines.push_back("1");
            lines.push_back("FALSE");
        }
        lines.push_back(std::to_string(actions.size()) + " (pop mgmnt)");
        for (const std::string& a : actions)
            lines.push_back(a);
        for (const char* line : {"0", "0", "1", "-End of file-"})
            lines.push_back(line);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }
};

// The lines of a saved model's results section that follow its line `heading`.
std::vector<std::string> LinesAfter(const std::vector<std::string>& section, const std::string& heading,
                                    std::size_t count)
{
    const auto at = std::find(section.begin(), section.end(), heading);
    if (at == section.end())
        return {};
    const auto available = static_cast<std::size_t>(section.end() - at - 1);
    return std::vector<std::string>(at + 1, at + 1 + static_cast<std::ptrdiff_t>(std::min(count, available)));
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

// Deterministic runs whose figures depend on the engine's arithmetic: the
// step matrix and growth rate in single precision, the rate multiplier that
// steps up to its target, extinction ending a replication, count extremes of
// one replication from the stored single, management switched on by any
// action, and an initial total that rounds halves to even.
TEST(StrativaBatch, SmallModelsGiveTheirExactFigures)
{
    struct Case {
        const char* what;
        TSmallModel model;
        int status;
        // Lines after a heading of the results section, or "log" and lines
        // the batch log must hold.
        std::vector<std::pair<std::string, std::vector<std::string>>> expected;
    };
    const std::string introduce = "1 1   1   1   1   2   1 0 0 1 0.0000  1  1 0  0 ";
    const std::string harvest = "1 0   1   1   1   2   1 0 0 5 0.0000  1  3 0  0 ";
    const Case cases[] = {
        // 354 x M21 x f is 129.5000024 with the rates held as singles.
        {"single-precision step matrix",
         {0, 2, {"BH,1.8,374"}, {"0 1.24 3.84", "0.822909 0.368391 0", "0 0.636084 0.503838"}, {"284 271 142"}, {}},
         0,
         {{"Pop. ALL", {"586.0 0 586 586", "453.0 0 453 453"}},
          {"Final stage abundances", {"241.0 0 241 241", "152.0 0 152 152", "60.00 0 60 60"}}}},
        // Lambda 0.99992 at multiplier 1: the multiplier for a growth rate
        // of 1 is 1.000488, not 1.
        {"rate multiplier steps up to the target",
         {0, 1, {"BH,1.2,28"}, {"0 0 0.99975", "1 0 0", "0 1 0"}, {"21 8 8"}, {}},
         0,
         {{"Pop. ALL", {"33.00 0 33 33"}},
          {"Final stage abundances", {"7.000 0 7 7", "19.00 0 19 19", "7.000 0 7 7"}}}},
        // One individual introduced and harvested at step 1: nothing is left
        // and the replication ends, introductions to come or not.
        {"extinction ends the replication",
         {0, 2, {"EX,1.0,"}, {"0 0 1", "0.5 0 0", "0 0.5 0"}, {"0 0 0"}, {introduce, harvest}},
         0,
         {{"Harvest", {"1.000 0 1.000 1.000 ", "1 t", "1 1.000 0 1.000 1.000"}},
          {"Pop. ALL", {"0 0 0 0", "0 0 0 0"}}}},
        {"one replication above 16777216",
         {0, 1, {"EX,1.0,"}, {"1 0 0", "0 1 0", "0 0 1"}, {"16777217 0 0"}, {}},
         0,
         {{"Pop. 1", {"16777216 0 16777216 16777216"}},
          {"Final stage abundances", {"16777216 0 16777216 16777216", "0 0 0 0", "0 0 0 0"}}}},
        // Loading leaves population 1 without a name; population 2 has none.
        {"an inactive action turns management on",
         {0, 2, {"EX,1.0,", "EX,1.0,"}, {"0 0 1", "0.5 0 0", "0 0.5 0"}, {"10 10 10", "10 10 10"},
          {"0 1   1   1   1   2   1 0 0 1 0.0000  1  1 0  0 "}},
         1,
         {{"log", {"      Invalid input: Please supply a unique name for population (1)", "      Error in input data"}}}},
        // 2.5 + 3.0 + 1.0 is 6 individuals.
        {"initial total rounds halves to even",
         {0, 1, {"BH,2.8,91"}, {"0 0.3 2.4", "0.9 0.2 0", "0 0.4 0.1"}, {"2.5 3.0 1.0"}, {}},
         0,
         {{"Pop. ALL", {"21.00 0 21 21"}},
          {"Final stage abundances", {"16.00 0 16 16", "3.000 0 3 3", "2.000 0 2 2"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteAll(dir.file("small.st"), c.model.Text());
        ASSERT_EQ(RunStrativa(dir, "/RUN=Y small.st"), c.status) << ReadAll(dir.file("VEREDUZ.REC"));
        const std::vector<std::string> log = LogLines(dir);
        const std::vector<std::string> section = SplitLines(ResultsSection(ReadAll(dir.file("small.st"))));
        for (const auto& [heading, lines] : c.expected) {
            if (heading == "log") {
                for (const std::string& line : lines)
                    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
                EXPECT_TRUE(section.empty());
            } else {
                EXPECT_EQ(LinesAfter(section, heading, lines.size()), lines) << heading;
            }
        }
    }
}

// Strativa keeps the user's files as Monovara does: a read-only model is not
// replaced, a link stays a link, and models named alike up to a later dot
// keep a side file each.
TEST(StrativaBatch, KeptFilesStayWhatTheyWere)
{
    namespace fs = std::filesystem;
    {
        TempDir dir;
        CopyExample(dir);
        ::chmod(dir.file(kModel).c_str(), 0444);
        const std::string before = ReadAll(dir.file(kModel));
        EXPECT_EQ(RunStrativa(dir, "/RUN=Y " + kModel), 1);
        EXPECT_EQ(ReadAll(dir.file(kModel)), before);
        const std::string log = ReadAll(dir.file("VEREDUZ.REC"));
        EXPECT_NE(log.find("      Cannot save to " + dir.file(kModel) +
                           ": the file is read-only. The model was not saved.\r\n"),
                  std::string::npos)
            << log;
        ::chmod(dir.file(kModel).c_str(), 0644);
    }
    {
        TempDir dir;
        fs::create_directory(dir.file("real"));
        fs::copy_file(std::string(PV_EXAMPLES) + "/" + kModel, dir.file("real/herb.1.st"));
        fs::create_symlink("real/herb.1.st", dir.file("herb.1.st"));
        ASSERT_EQ(RunStrativa(dir, "/RUN=Y herb.1.st"), 0) << ReadAll(dir.file("VEREDUZ.REC"));
        EXPECT_TRUE(fs::is_symlink(dir.file("herb.1.st")));
        EXPECT_NE(ResultsSection(ReadAll(dir.file("real/herb.1.st"))), "");
        EXPECT_TRUE(fs::exists(dir.file("herb.1.SCL")));
        EXPECT_FALSE(fs::exists(dir.file("herb.SCL")));
    }
}
