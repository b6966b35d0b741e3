#include "stage/results_writer.h"

#include "core/file_io.h"
#include "results_table_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Golden(const std::string& name)
{
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextLines(std::string(PV_TEST_DATA) + "/stage/" + name, lines)) << name;
    return lines;
}

struct ResultsWriter : ::testing::Test, TTableFixture {};

TEST_F(ResultsWriter, TablesOfAFixedBufferMatchTheirGoldenFiles)
{
    EXPECT_EQ(Golden("result_tables.txt"), Tables(false));
    EXPECT_EQ(Golden("result_tables.csv"), Tables(true));
    EXPECT_EQ(1, model->totalpops);   // the included count is kept in the store
}

TEST_F(ResultsWriter, ReplicationsLine)
{
    struct Case {
        const char* what;
        std::uint8_t state;
        int modelReplications;
        int completed;
        const char* line;
    };
    const Case cases[] = {
        {"stochastic run", kStateResults, 100, 100, "  100 replications;  Duration = 10"},
        // A deterministic run completes one replication of a 0-replication model.
        {"deterministic run", kStateResults, 0, 1, "Deterministic simulation;  Duration = 10"},
        {"before any run", kStateInputs, 100, 0, "Deterministic simulation;  Duration = 10"},
        {"one-replication stochastic run", kStateResults, 1, 1, "    1 replications;  Duration = 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model->state = c.state;
        model->replications = c.modelReplications;
        run.replicationCount = c.completed;
        std::vector<std::string> lines;
        ReportHeader(Settings(19), 19, lines, false, *model, run);
        EXPECT_EQ(c.line, lines.at(8));
    }
}

TEST_F(ResultsWriter, TitleSuffixes)
{
    struct Case {
        int kind;
        int index;
        const char* title;
    };
    const Case cases[] = {
        {19, 2, "Result (Population 2: Northern population)"},
        {19, 0, "Result (Rivedarulation)"},
        {19, 3, "Result (Rivedarulation)"},
        {21, 9, "Result (Time step=9)"},
        {21, 10, "Result (Final time step)"},
        {24, 0, "Result (Duration = 10 time steps)"},
        {33, 0, "Result (Threshold level = 2000.0)"},
        {26, 0, "Result"},
    };
    model->explthreshold = 2000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TScaleInfo s = Settings(c.kind);
        s.Index = c.index;
        std::vector<std::string> lines;
        ReportHeader(s, c.kind, lines, false, *model, run);
        ASSERT_EQ(13u, lines.size());
        EXPECT_EQ(c.title, lines[11]);
        EXPECT_EQ("", lines[12]);
    }
}

TEST_F(ResultsWriter, MedianTimeLine)
{
    const std::pair<float, const char*> cases[] = {
        {2.25f, "Median time = 2.3 timestep(s)"},
        {0.5f, "Median time < 1 timestep"},
        {0.0f, "Median time > 10 timesteps"},   // no replication crossed
    };
    for (const auto& [median, line] : cases) {
        buffer.PlotMin[1] = median;
        std::vector<std::string> lines;
        WriteResultTableText(Settings(32), 32, lines, *model, buffer, run, nullptr);
        EXPECT_EQ(line, lines.at(13));
    }
}

TEST_F(ResultsWriter, StageKindsWriteTheHeaderOnlyForTheReportThatFollows)
{
    std::vector<std::string> text, csv;
    WriteResultTableText(Settings(14), 14, text, *model, buffer, run, nullptr);
    WriteResultTableCsv(Settings(14), 14, csv, *model, buffer, run, nullptr);
    ASSERT_EQ(11u, text.size());
    EXPECT_EQ(std::string(57, '='), text[9]);
    EXPECT_EQ("", text[10]);
    ASSERT_EQ(11u, csv.size());
    EXPECT_EQ("\"" + std::string(57, '=') + "\"", csv[9]);
}

TEST_F(ResultsWriter, CatastropheKindWritesTheSummaryInBothForms)
{
    std::vector<std::string> text, csv;
    WriteResultTableText(Settings(10), 10, text, *model, buffer, run, nullptr);
    WriteResultTableCsv(Settings(10), 10, csv, *model, buffer, run, nullptr);
    EXPECT_EQ("Catastrophe Summary for Population 1: Smith, east", text.at(13));
    EXPECT_EQ("\"Catastrophe Summary for Population 1: Smith, east\"", csv.at(13));
    EXPECT_EQ("", text.back());
}

} // namespace
