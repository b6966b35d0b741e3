#include "multi/model_data.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace multi;

namespace {

TMultiLimits SmallLimits()
{
    TMultiLimits limits;
    limits.MaxPops = 4;
    limits.MaxDuration = 6;
    limits.MaxReplications = 8;
    return limits;
}

}  // namespace

TEST(MultiModelData, AllocationSizesEveryArrayFromTheLimits)
{
    TMultiModel m;
    AllocateModel(m, SmallLimits());
    EXPECT_EQ(m.MaxPops, 4);
    EXPECT_EQ(m.MaxDuration, 6);
    EXPECT_EQ(m.MaxReplications, 8);
    EXPECT_EQ(m.Populations.Count(), 4);
    EXPECT_EQ(m.DispersalMatrix.Rows(), 4);
    EXPECT_EQ(m.DispersalMatrix.Cols(), 4);
    EXPECT_EQ(m.CorrelationMatrix.RowLength(3), 3);
    EXPECT_EQ(m.PopMean.Cols(), 6);
    EXPECT_EQ(m.PopMax.Rows(), 4);
    EXPECT_EQ(m.TotalMean.Count(), 6);
    EXPECT_EQ(m.OccupancyMax.Count(), 6);
    EXPECT_EQ(m.LocalOccupancyMean.Count(), 4);
    EXPECT_EQ(m.ReplicationFinal.Count(), 8);
    EXPECT_EQ(m.SurvivalRate.Count(), 4);
    EXPECT_EQ(m.ModelState, kStateEmpty);
    EXPECT_FALSE(m.InputsChanged);
    EXPECT_FALSE(m.DispersalUpToDate || m.CorrelationUpToDate || m.DispersalFromFunction ||
                 m.CorrelationFromFunction || m.DispersalPresent);
    EXPECT_EQ(m.PopCount, 1);  // reset to the default model

    // The map program's limits are the defaults.
    TMultiModel defaults;
    AllocateModel(defaults, TMultiLimits{});
    EXPECT_EQ(defaults.MaxPops, 22);
    EXPECT_EQ(defaults.MaxDuration, 50);
    EXPECT_EQ(defaults.MaxReplications, 1000);

    for (auto change : {+[](TMultiLimits& l) { l.MaxPops = 0; }, +[](TMultiLimits& l) { l.MaxPops = 161; },
                        +[](TMultiLimits& l) { l.MaxDuration = 0; },
                        +[](TMultiLimits& l) { l.MaxReplications = 70000; }}) {
        TMultiLimits bad = SmallLimits();
        change(bad);
        EXPECT_THROW(AllocateModel(m, bad), std::invalid_argument);
    }
    EXPECT_EQ(m.MaxPops, 4);
}

TEST(MultiModelData, NewModelGivesOneEmptyPopulationAndClearsTheInputs)
{
    TMultiModel m;
    AllocateModel(m, SmallLimits());
    // Fill everything NewModel resets, and what it must leave alone.
    m.Info.Title = "Old";
    m.Info.Comment4 = "c";
    m.Info.ExtinctionThresholdText = "5";
    m.Info.DemographicStochasticity = true;
    m.Info.Fraction = 0.3;
    m.Info.StageFlag = true;
    m.Info.Extent = 0;
    m.MapName = "valley.map";
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    m.PopCount = 3;
    m.SelectedPopulation = 2;
    m.Duration = 30;
    m.Replications = 7;
    m.TimeBinWidth = 3;
    m.DispersalMatrix[2][3] = 0.4f;
    m.CorrelationMatrix[4][4] = 1.0f;
    for (int i = 0; i <= 4; ++i) {
        m.Populations[i].Name = "P";
        m.Populations[i].GrowthRateText = "2";
        m.Populations[i].DDType = kContest;
        m.Populations[i].IncludeInTotals = false;
    }
    m.ModelState = kStateResults;
    m.InputsChanged = true;
    m.TotalMean[2] = 55.0f;

    NewModel(m);

    EXPECT_EQ(m.PopCount, 1);
    EXPECT_EQ(m.SelectedPopulation, 1);
    EXPECT_EQ(m.StageCount, 1);
    EXPECT_EQ(m.Duration, 1);
    EXPECT_EQ(m.Replications, 0);
    EXPECT_EQ(m.TimeBinWidth, 1);
    EXPECT_EQ(m.Info.Title, "");
    EXPECT_EQ(m.Info.Comment4, "");
    EXPECT_EQ(m.Info.ExtinctionThresholdText, "");
    EXPECT_EQ(m.Info.StageCountText, "1");
    // The fixed settings are those every model read from a file has.
    EXPECT_EQ(m.Info.FractionText, "0");
    EXPECT_FALSE(m.Info.DemographicStochasticity);
    EXPECT_EQ(m.Info.Fraction, 0.0);
    EXPECT_FALSE(m.Info.StageFlag);
    EXPECT_EQ(m.Info.Extent, 1);
    EXPECT_EQ(m.MapName, "");
    EXPECT_EQ(m.DistanceFunctions.CorrelationAt100Text, "");
    EXPECT_EQ(m.DispersalMatrix[2][3], 0.0f);
    EXPECT_EQ(m.CorrelationMatrix[4][4], 0.0f);
    EXPECT_EQ(m.Populations[1].Name, "Pop 1");
    EXPECT_EQ(m.Populations[0].Name, "");
    EXPECT_FALSE(m.Populations[0].IncludeInTotals);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(m.Populations[i].GrowthRateText, "") << i;
        EXPECT_EQ(m.Populations[i].DDType, kExponential) << i;
        EXPECT_TRUE(m.Populations[i].IncludeInTotals) << i;
        EXPECT_EQ(m.Populations[i].ExtraText1, "1") << i;
    }
    EXPECT_EQ(m.Populations[2].Name, "");
    // The state, the inputs-changed flag and the results are the callers'.
    EXPECT_EQ(m.ModelState, kStateResults);
    EXPECT_TRUE(m.InputsChanged);
    EXPECT_EQ(m.TotalMean[2], 55.0f);
}

// File, New: the new model has no results, no map and unchanged inputs, and
// nothing of the old model's run and matrix flags.
TEST(MultiModelData, FileNewStartsAnEmptyModel)
{
    TMultiModel m;
    AllocateModel(m, SmallLimits());
    m.MapName = "valley.map";
    m.PopCount = 3;
    m.ModelState = kStateResults;
    for (bool* flag : {&m.InputsChanged, &m.OverflowFlag, &m.GrowthOverflowFlag, &m.DispersalUpToDate,
                       &m.CorrelationUpToDate, &m.DispersalFromFunction, &m.CorrelationFromFunction,
                       &m.DispersalPresent})
        *flag = true;

    StartNewModel(m);

    EXPECT_EQ(m.MapName, "");
    EXPECT_EQ(m.PopCount, 1);
    EXPECT_EQ(m.ModelState, kStateEmpty);
    for (bool flag : {m.InputsChanged, m.OverflowFlag, m.GrowthOverflowFlag, m.DispersalUpToDate,
                      m.CorrelationUpToDate, m.DispersalFromFunction, m.CorrelationFromFunction,
                      m.DispersalPresent})
        EXPECT_FALSE(flag);
}

TEST(MultiModelData, NewRecordArrayGivesCountPlusOneZeroedRecords)
{
    RecordTable<multi::PopulationRecord> table;
    EXPECT_EQ(NewRecordArray("populations", table, 5), 5);
    EXPECT_EQ(table.Count(), 5);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_EQ(table[i].Name, "");
        EXPECT_FALSE(table[i].IncludeInTotals);
    }
}

TEST(MultiModelData, WholeNumberTextIgnoresTheLocaleAndFitsTheText)
{
    EXPECT_EQ(WholeNumberText(0.0), "0");
    EXPECT_EQ(WholeNumberText(-0.2), "0");
    EXPECT_EQ(WholeNumberText(1.0), "1");
    EXPECT_EQ(WholeNumberText(149.6), "150");
    EXPECT_EQ(WholeNumberText(2147483647.0), "2147483647");
}
