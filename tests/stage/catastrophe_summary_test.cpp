#include "stage/catastrophe_summary.h"

#include "core/file_io.h"
#include "core/str_utilx.h"
#include "report_model.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The texts are already numbers in these models: the check has nothing to do.
void NoCheck(TCoravel&) {}

struct Catastrophes : ::testing::Test {
    std::unique_ptr<TCoravel> model = MakeReportModel();
    RecordingSink sink;

    bool trim = TrimTrailingZeros;
    bool integers = IntegersWithoutDecimals;

    void TearDown() override
    {
        TrimTrailingZeros = trim;
        IntegersWithoutDecimals = integers;
    }
    void SetUp() override
    {
        // The age/stage program's number texts.
        TrimTrailingZeros = true;
        IntegersWithoutDecimals = true;
        TCoravel& m = *model;
        m.cat1name = "Fire";
        m.cat1extent = 0;
        m.cat1affects = 0;
        const float stageMultipliers[] = {0.5f, 1, 0};
        for (int s = 1; s <= 3; ++s)
            m.catabund1[1][s] = stageMultipliers[s - 1];
        const double initial[] = {101, 40, 7};
        for (int s = 1; s <= 3; ++s)
            m.initialabundance[1][s] = initial[s - 1];
        m.populations[1].cat1probtext = "0.05";
        m.populations[2].cat1probtext = "";
        m.cat2name = "2";
        m.cat2extent = 1;
        m.cat2regprob = 0.1;
        m.cat2affects = 2;
        m.catmult2[1] = 1.25f;
        m.populations[1].cat2multtext = "1.25";
        m.catmult2[2] = 0.8f;
        m.populations[2].cat2multtext = "0.8";
        for (int p = 1; p <= 2; ++p) {
            m.populations[p].kchange = "5";
            m.populations[p].ktext = "1000";
        }
    }
    std::vector<std::string> Describe(int p, int c, TInputCheck check = NoCheck)
    {
        std::vector<std::string> lines;
        DescribeCatastrophe(lines, *model, p, c, check);
        return lines;
    }
};

TEST_F(Catastrophes, SummaryOfTwoPopulationsMatchesItsGoldenFile)
{
    std::vector<std::string> lines, golden;
    CatastropheSummary(lines, *model, NoCheck);
    ASSERT_TRUE(ReadTextLines(std::string(PV_TEST_DATA) + "/stage/catastrophe_summary.txt", golden));
    EXPECT_EQ(golden, lines);
}

TEST_F(Catastrophes, RegionalCatastropheWithoutProbability)
{
    model->cat2regprob = 0;
    EXPECT_EQ((std::vector<std::string>{"Catastrophe 2 extent : Regional", "Catastrophe 2 probability = 0.0"}),
              Describe(1, 2));
    model->populations[1].cat1probtext = "often";   // not a number: probability 0
    EXPECT_EQ("Catastrophe 1 (Fire) probability = 0.0", Describe(1, 1).back());
}

TEST_F(Catastrophes, VitalRatesGiveTheMatrixAfterTheCatastrophe)
{
    model->cat1affects = 1;
    model->catmult1[1] = 0.5f;
    for (int j = 1; j <= 3; ++j)
        model->catmatrix1[1][j] = 0.5f;   // fecundities halved again: a quarter in all
    const auto lines = Describe(1, 1);
    ASSERT_EQ(8u, lines.size());
    EXPECT_EQ("Catastrophe 1 (Fire) affects vital rates", lines[2]);
    EXPECT_EQ("Transition Matrix Following Catastrophe 1 (Fire)              Lamda=0.542", lines[4]);
    EXPECT_EQ(" 0.000  1.000  0.750 ", lines[5]);
    EXPECT_EQ(" 0.250  0.000  0.000 ", lines[6]);
    EXPECT_EQ(" 0.000  0.125  0.000 ", lines[7]);
}

TEST_F(Catastrophes, FailedInputCheckGivesAnErrorAndNoLines)
{
    model->selectedpop = 2;
    const auto lines = Describe(1, 1, [](TCoravel& m) {
        m.state = kStateEmpty;
        m.selectedpop = 0;
    });
    EXPECT_TRUE(lines.empty());
    ASSERT_EQ(1u, sink.boxes.size());
    EXPECT_EQ("Information not available (error in input data)", sink.boxes[0].text);
    EXPECT_EQ(2, model->selectedpop);   // the current population is kept
}

TEST_F(Catastrophes, CommaSeparatedLinesKeepANameWithACommaInOneField)
{
    model->populations[1].name = "Smith, east";
    std::vector<std::string> lines;
    CatastropheSummary(lines, *model, NoCheck, true);
    EXPECT_EQ("\"Catastrophe Summary for Population 1: Smith, east\"", lines.at(0));
}

} // namespace
