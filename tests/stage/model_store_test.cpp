#include "stage/model_store.h"

#include "core/batch_log.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ModelLimits Limits(int pops, int stages)
{
    ModelLimits limits;
    limits.pops = pops;
    limits.stages = stages;
    limits.duration = 20;
    limits.replications = 100;
    return limits;
}

class ModelStore : public ::testing::Test {
protected:
    void TearDown() override { FreeModelStore(); }
    RecordingSink sink;
};

}  // namespace

TEST_F(ModelStore, SizedFromTheLimitsWithSpareRecordZero)
{
    CreateModelStore(Limits(50, 7));
    EXPECT_EQ(Info.populations.Count(), 50);
    EXPECT_EQ(Info.stageprops.Count(), 7);
    EXPECT_EQ(Info.actions.Count(), 100);
    EXPECT_EQ(Info.matrixheaders.Count(), 1);
    EXPECT_EQ(Info.stdevheaders.Count(), 1);
    Info.populations[0].name = "spare";  // record 0 exists
    Info.actions[100].number = 1;

    EXPECT_EQ(Info.migration.Rows(), 50);
    EXPECT_EQ(Info.migration.Cols(), 50);
    EXPECT_EQ(Info.correlation.RowLength(50), 50);
    EXPECT_EQ(Info.correlation.RowLength(1), 1);
    EXPECT_EQ(Info.popsum.Rows(), 50);
    EXPECT_EQ(Info.popmax.Cols(), 20);
    EXPECT_EQ(Info.initialabundance.Cols(), 7);
    EXPECT_EQ(Info.finalmin.Rows(), 50);
    EXPECT_EQ(Info.stagedispersal.Rows(), 1);
    EXPECT_EQ(Info.catabund2.Cols(), 7);
    EXPECT_EQ(Info.workmatrix.Rows(), 7);
    EXPECT_EQ(Info.totalsum.Count(), 20);
    EXPECT_EQ(Info.replterminal.Count(), 100);
    EXPECT_EQ(Info.capacity.Count(), 50);
    EXPECT_EQ(Info.kchangeindex.Count(), 50);
    EXPECT_EQ(Info.stageweight.Count(), 7);

    // One stage matrix, one deviation matrix and one series of each change
    // kind: exactly as many as allocated, each of full size.
    ASSERT_EQ(Info.stagematrix.Count(), 1);
    ASSERT_EQ(Info.stdevmatrix.Count(), 1);
    EXPECT_EQ(Info.stagematrix[1].Rows(), 7);
    EXPECT_EQ(Info.stdevmatrix[1].Cols(), 7);
    for (auto* series : {&Info.kchange, &Info.fchange, &Info.schange}) {
        ASSERT_EQ(series->Count(), 1);
        EXPECT_EQ((*series)[1].Count(), 20);
    }
    if (kBoundsCheck) {
        EXPECT_THROW(Info.populations[51], std::out_of_range);
        EXPECT_THROW(Info.stagematrix[2], std::out_of_range);
        EXPECT_THROW(Info.kchange[2], std::out_of_range);
    }
}

TEST_F(ModelStore, ClearGivesTheDefaultModel)
{
    CreateModelStore(Limits(50, 7));
    // Leave traces of an earlier model everywhere Clear must reach.
    Info.title = "old";
    Info.comments[4] = "old";
    Info.duration = 80;
    Info.replications = 500;
    Info.pops = 12;
    Info.populations[50].name = "far";
    Info.populations[3].kchange = "k.txt";
    Info.actioncount = 4;
    Info.actions[2].active = true;
    Info.stagematrix[1][2][1] = 0.4f;
    Info.migration[3][2] = 0.1f;
    Info.correlation[4][2] = 0.7f;
    Info.initialabundance[2][2] = 30;
    Info.catmatrix2[1][3] = 0.2f;
    Info.migparams[4] = 9;
    Info.distflags[2] = true;
    Info.stageprops[5].flag = true;
    Info.matrixheaders[1].name = "other";
    Info.distribution = 0;
    Info.corrwithin = 2;
    Info.resultsdate = "12/10/2026";
    Info.resultstime = "09:30:00";
    Info.replicationsdone = 6;
    Info.state = kStateResults;
    InputsChanged = true;

    Info.Clear();

    EXPECT_EQ(Info.title, "");
    EXPECT_EQ(Info.comments[4], "");
    EXPECT_EQ(Info.duration, 1);
    EXPECT_EQ(Info.replications, 1);
    EXPECT_EQ(Info.pops, 1);
    EXPECT_EQ(Info.selectedpop, 1);
    EXPECT_EQ(Info.populations[1].name, "Pop 1");
    EXPECT_EQ(Info.stages, 3);
    for (int p : {1, 2, 50}) {
        const PopulationRecord& pop = Info.populations[p];
        EXPECT_TRUE(pop.intotal) << p;
        EXPECT_EQ(pop.cat1multtext, "1");
        EXPECT_EQ(pop.cat2multtext, "1");
        EXPECT_EQ(pop.kchange, "");
        EXPECT_EQ(pop.fchange, "1");
        EXPECT_EQ(pop.schange, "1");
        EXPECT_EQ(pop.matrixindex, 1);
        EXPECT_EQ(pop.stdevindex, 1);
        EXPECT_TRUE(Info.popchanged[p]);
    }
    EXPECT_EQ(Info.populations[50].name, "");
    EXPECT_EQ(Info.populations[0].name, "");
    for (int s = 1; s <= 7; ++s) {
        EXPECT_EQ(Info.stageprops[s].name, "Stage " + std::to_string(s));
        EXPECT_EQ(Info.stageprops[s].value1text, "1.0");
        EXPECT_EQ(Info.stageprops[s].value2text, "1.0");
        EXPECT_FALSE(Info.stageprops[s].flag);
        EXPECT_EQ(Info.stageweight[s], 1.0f);
        EXPECT_EQ(Info.stagedispersal[1][s], 1.0f);
        EXPECT_EQ(Info.catabund1[1][s], 1.0f);
        EXPECT_EQ(Info.catabund2[1][s], 1.0f);
        for (int t = 1; t <= 7; ++t) {
            EXPECT_EQ(Info.catmatrix1[s][t], 1.0f);
            EXPECT_EQ(Info.catmatrix2[s][t], 1.0f);
        }
    }
    EXPECT_EQ(Info.matrixheaders[1].name, "default");
    EXPECT_EQ(Info.matrixheaders[1].value1, 1.0f);
    EXPECT_EQ(Info.matrixheaders[1].value2, 1.0f);
    EXPECT_EQ(Info.stdevheaders[1].name, "default");
    EXPECT_EQ(Info.stagematrices, 1);
    EXPECT_EQ(Info.currentmatrix, 1);
    EXPECT_EQ(Info.stdevmatrices, 1);
    EXPECT_EQ(Info.currentstdev, 1);
    EXPECT_EQ(Info.actioncount, 0);
    EXPECT_FALSE(Info.actions[2].active);
    EXPECT_FALSE(Info.mgmtactive);
    EXPECT_EQ(Info.crossbin, 1);
    EXPECT_EQ(Info.stagematrix[1][2][1], 0.0f);
    EXPECT_EQ(Info.migration[3][2], 0.0f);
    EXPECT_EQ(Info.correlation[4][2], 0.0f);
    EXPECT_EQ(Info.initialabundance[2][2], 0.0);
    EXPECT_EQ(Info.migparams[4], 0.0f);
    EXPECT_FALSE(Info.distflags[2]);
    EXPECT_TRUE(Info.matrixchanged[1]);
    // Lognormal variation, as a model read from a file has it.
    EXPECT_EQ(Info.distribution, 1);
    EXPECT_EQ(Info.corrwithin, 0);
    // Nothing of the run of the model before.
    EXPECT_EQ(Info.resultsdate, "00/00/0000");
    EXPECT_EQ(Info.resultstime, "00:00:00");
    EXPECT_EQ(Info.replicationsdone, 0);
    // The state and the inputs-changed flag belong to NewModel, not Clear.
    EXPECT_EQ(Info.state, kStateResults);
    EXPECT_TRUE(InputsChanged);
    InputsChanged = false;
}

TEST_F(ModelStore, DefaultStagesNeverExceedTheAllocatedStages)
{
    const int cases[][2] = {{1, 1}, {2, 2}, {3, 3}, {7, 3}};
    for (const auto& c : cases) {
        CreateModelStore(Limits(5, c[0]));
        EXPECT_EQ(Info.stages, c[1]) << "allocated " << c[0];
        EXPECT_EQ(Info.stageprops[c[0]].name, "Stage " + std::to_string(c[0]));
    }
}

TEST_F(ModelStore, StartUpStateAndBadLimits)
{
    InputsChanged = true;
    ResultMemoryKind = kMainMemory;
    CreateModelStore(Limits(3, 2));
    EXPECT_EQ(Info.state, kStateEmpty);
    EXPECT_FALSE(InputsChanged);
    EXPECT_TRUE(Info.matrixchanged[0]);
    EXPECT_TRUE(Info.matrixchanged[1]);
    EXPECT_FALSE(Info.extlevelchanged);
    EXPECT_EQ(ResultMemoryKind, 0);
    EXPECT_EQ(Info.Limits().pops, 3);

    for (ModelLimits bad : {Limits(0, 3), Limits(161, 3), Limits(5, 8), Limits(5, 0)}) {
        EXPECT_THROW(CreateModelStore(bad), ProgramStopped) << bad.pops << " " << bad.stages;
    }
    ModelLimits longRun = Limits(5, 3);
    longRun.duration = 10001;  // a P x T matrix beyond the column limit
    try {
        CreateModelStore(longRun);
        ADD_FAILURE() << "no stop";
    } catch (const ProgramStopped& stop) {
        EXPECT_STREQ(stop.what(), "Heap error 2: Too many columns");
    }
}

TEST_F(ModelStore, FileReferencesAreTextsThatAreNotNumbers)
{
    CreateModelStore(Limits(5, 3));
    struct Case {
        const char* text;
        bool reference;
    };
    const Case cases[] = {
        {"", false},     {"1", false},      {"0.5", false}, {" 2.5 ", false},
        {"   ", false},  {"cut.txt", true}, {"-1", true},   {"1x", true},
        // Names that some number readers take for infinity or not-a-number.
        {"inf", true},   {"nan", true},     {"1e999", true},
    };
    for (const Case& c : cases) {
        for (std::string PopulationRecord::*field :
             {&PopulationRecord::kchange, &PopulationRecord::fchange, &PopulationRecord::schange}) {
            Info.Clear();
            Info.pops = 2;
            Info.populations[2].*field = c.text;
            EXPECT_EQ(Info.HasFileReferences(), c.reference) << '"' << c.text << '"';
        }
    }
    // Populations beyond those in use are not looked at.
    Info.Clear();
    Info.populations[3].kchange = "cut.txt";
    EXPECT_FALSE(Info.HasFileReferences());
}
