#include "multi/result_tables.h"

#include "multi/result_kinds.h"
#include "result_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace multi;

namespace {

using TablesTest = ResultModel;

const std::string kRule(59, '=');

TEST_F(TablesTest, StructureTableAtATimeStep)
{
    FakeResults(10);
    settings = table[kStructure];
    settings.Index = 10;
    ASSERT_TRUE(Produce(kStructure, kModeText, true, false));
    const std::vector<std::string> expected = {
        "RIVEDARULATION MODEL results; Date=03/04/2024 Time=10:11:12",
        kRule,
        "Three ponds",
        "first comment",
        "",
        "",
        "",
        "    3 populations (2 included in summation)",
        "   10 replications;  Duration = 50",
        kRule,
        "",
        "Population structure (Time step=10)",
        "",
        "Population                        Abundance",
        "                   Minimum    -1 S.D.    Average    +1 S.D.    Maximum",
        " 1 North.......      90.00     100.00     110.00     120.00     130.00",
        " 2 Middle......     190.00     200.00     210.00     220.00     230.00",
        " 3 South.......     290.00     300.00     310.00     320.00     330.00",
    };
    EXPECT_EQ(lines, expected);

    // The comma-separated form quotes the texts, not the rules and counts,
    // and keeps the padding inside its fields.
    ASSERT_TRUE(Produce(kStructure, kModeCsv, true, false));
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines[0], "\"RIVEDARULATION MODEL results; Date=03/04/2024 Time=10:11:12\"");
    EXPECT_EQ(lines[1], kRule);
    EXPECT_EQ(lines[2], "\"Three ponds\"");
    EXPECT_EQ(lines[4], "\"\"");
    EXPECT_EQ(lines[7], "    3 populations (2 included in summation)");
    EXPECT_EQ(lines[8], "   10 replications;  Duration = 50");
    EXPECT_EQ(lines[11], "\"Population structure (Time step=10)\"");
    EXPECT_EQ(lines[13], "Population,,Abundance");
    EXPECT_EQ(lines[14], ",,Minimum,-1 S.D.,Average,+1 S.D.,Maximum");
    EXPECT_EQ(lines[15], " 1,North.......,     90.00,    100.00,    110.00,    120.00,    130.00");
}

TEST_F(TablesTest, TitleSuffixes)
{
    FakeResults(10);
    const struct {
        int kind;
        int index;
        const char* title;
    } cases[] = {
        {kTrajectory, 0, "Trajectory summary (Rivedarulation)"},
        {kTrajectory, 2, "Trajectory summary (Population 2: Middle)"},
        {kStructure, 50, "Population structure (Final time step)"},
        {kStructure, 0, "Population structure (Time step=0)"},
        {kOccupancy, 3, "Rivedarulation occupancy"},
    };
    for (const auto& c : cases) {
        settings = table[static_cast<std::size_t>(c.kind)];
        settings.Index = c.index;
        ASSERT_TRUE(Produce(c.kind, kModeText, true, false));
        EXPECT_EQ(lines[11], c.title);
    }
}

TEST_F(TablesTest, DecimalsFollowTheLargestValue)
{
    const struct {
        double largest;
        int decimals;
    } cases[] = {{0, 5}, {0.5, 5}, {0.999, 5}, {1, 4}, {10.2, 4}, {10.3, 3}, {1234, 1}, {1e9, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TableDecimals(c.largest), c.decimals) << c.largest;
}

TEST_F(TablesTest, ColumnsOfEachKindOfTable)
{
    // Before any run: a curve, in the fixed-point format's 2 decimals for x.
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeText));
    EXPECT_EQ(lines[8], "Deterministic simulation;  Duration = 50");
    EXPECT_EQ(lines[11], "Density dependence in R");
    EXPECT_EQ(lines[13], "Population Growth rate (R)");
    EXPECT_EQ(lines[14], "      0.10       1.9998");
    ASSERT_TRUE(Produce(kDensityDependenceInR, kModeCsv));
    EXPECT_EQ(lines[13], "Population,Growth rate (R)");
    EXPECT_EQ(lines[14], "      0.10,      1.9998");

    FakeResults(21);
    ASSERT_TRUE(Produce(kIntervalExtinctionRisk, kModeText));  // x up to 200: 2 decimals
    EXPECT_EQ(lines.back(), "    200.00       1.0000");
    ASSERT_TRUE(Produce(kOccupancy, kModeText));  // occupancy: 1 decimal, rows without names
    EXPECT_EQ(lines[13], "      Time     Number of Extant Populations");
    EXPECT_EQ(lines[14], "             Minimum    -1 S.D.    Average    +1 S.D.    Maximum");
    EXPECT_EQ(lines[16], "        1        1.0        1.5        2.0        2.5        2.0");
    ASSERT_TRUE(Produce(kOccupancy, kModeCsv));
    EXPECT_EQ(lines[13], "Time,Number of Extant Populations");
    EXPECT_EQ(lines[14], ",Minimum,-1 S.D.,Average,+1 S.D.,Maximum");
    EXPECT_EQ(lines[16], "1,       1.0,       1.5,       2.0,       2.5,       2.0");
}

TEST_F(TablesTest, CommasInNamesAndLabelsStayInTheirField)
{
    FakeResults(10);
    m.Populations[1].Name = "Lake, east";
    settings = table[kStructure];
    settings.YLabel = "Abundance, total";
    settings.Index = 10;
    ASSERT_TRUE(Produce(kStructure, kModeCsv, true, false));
    EXPECT_EQ(lines[13], "Population,,\"Abundance, total\"");
    EXPECT_EQ(lines[15], " 1,\"Lake, east..\",     90.00,    100.00,    110.00,    120.00,    130.00");
}

}  // namespace
