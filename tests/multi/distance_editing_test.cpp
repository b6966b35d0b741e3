#include "multi/distance_editing.h"

#include "core/str_utilx.h"
#include "multi/distance_matrices.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace multi;

namespace {

// Three populations at the corners of a 3-4-5 triangle with both matrices
// made from their functions.
class DistanceEditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AllocateModel(m, TMultiLimits{});
        m.PopCount = 3;
        const char* places[][2] = {{"0", "0"}, {"30", "0"}, {"0", "40"}};
        for (int i = 1; i <= 3; ++i) {
            m.Populations[i].XText = places[i - 1][0];
            m.Populations[i].YText = places[i - 1][1];
        }
        m.DistanceFunctions = {"0.150", "20", "100", "0.5"};
        UpdateDistanceMatrices(m);
        m.InputsChanged = false;
        SaveDistanceSnapshot(m, snapshot);
        TrimTrailingZeros = true;
    }
    void TearDown() override { TrimTrailingZeros = false; }

    // The matrices as the functions give them for the model's texts.
    TMultiModel Expected() const
    {
        TMultiModel e = m;
        Calc_Matr(e, 'M');
        Calc_Matr(e, 'C');
        return e;
    }

    static std::vector<float> Entries(const TMultiModel& model)
    {
        std::vector<float> all;
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j) {
                all.push_back(model.DispersalMatrix[i][j]);
                if (j <= i) all.push_back(model.CorrelationMatrix[i][j]);
            }
        return all;
    }

    TMultiModel m;
    TDistanceSnapshot snapshot;
    RecordingSink sink;
};

}  // namespace

TEST_F(DistanceEditingTest, TheSnapshotPutsBackTextsMatricesAndFlags)
{
    const TMultiModel before = m;
    m.DistanceFunctions = {"1", "2", "3", "0.9"};
    m.DispersalMatrix.Fill(0.7f);
    m.CorrelationMatrix.Fill(0.2f);
    m.DispersalUpToDate = false;
    m.CorrelationFromFunction = false;
    RestoreDistanceSnapshot(m, snapshot);
    EXPECT_EQ(Entries(m), Entries(before));
    EXPECT_EQ(m.DistanceFunctions.MaxDispersalRateText, "0.150");
    EXPECT_EQ(m.DistanceFunctions.CorrelationAt100Text, "0.5");
    EXPECT_TRUE(m.DispersalUpToDate && m.CorrelationUpToDate && m.DispersalFromFunction &&
                m.CorrelationFromFunction);
}

TEST_F(DistanceEditingTest, EachChangedFunctionMarksTheResultsAndRefillsItsOwnMatrix)
{
    struct Case {
        const char* name;
        TDistanceValues edited;
        bool changed;
        bool dispersalRefilled;
        bool correlationRefilled;
    };
    const Case cases[] = {
        {"nothing", {20, 100, 0.15, 0.5}, false, false, false},
        {"the average distance", {10, 100, 0.15, 0.5}, true, true, false},
        {"the rate", {20, 100, 0.25, 0.5}, true, true, false},
        {"the correlation only", {20, 100, 0.15, 0.8}, true, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        // Entries that show whether a matrix was refilled.
        m.DispersalMatrix[2][1] = 0.99f;
        m.CorrelationMatrix[2][1] = 0.01f;
        // A view has written the edited values already: the comparison is
        // with the snapshot.
        StoreDistanceParameters(m, snapshot.Parameters, c.edited);
        MarkDistanceChanges(m, snapshot.Parameters, c.edited);
        StoreDistanceParameters(m, snapshot.Parameters, c.edited);
        EXPECT_EQ(m.InputsChanged, c.changed) << c.name;
        const TMultiModel e = Expected();
        EXPECT_EQ(m.DispersalMatrix[2][1] == e.DispersalMatrix[2][1], c.dispersalRefilled) << c.name;
        EXPECT_EQ(m.CorrelationMatrix[2][1] == e.CorrelationMatrix[2][1], c.correlationRefilled) << c.name;
        EXPECT_TRUE(m.DispersalUpToDate && m.CorrelationUpToDate) << c.name;
    }
}

TEST_F(DistanceEditingTest, TextsUseAPointInAnyLocaleAndUntouchedTextsStay)
{
    TLocaleFormat comma;
    comma.decimalPoint = ",";
    SetLocaleFormat(comma);
    StoreDistanceParameters(m, snapshot.Parameters, {12.5, 100, 0.15, 0.75});
    const DistanceFunctionsType stored = m.DistanceFunctions;
    const TDistanceValues read = DistanceValues(stored);
    SetLocaleFormat(TLocaleFormat{});
    EXPECT_EQ(stored.AvgDispersalDistanceText, "12.5");
    EXPECT_EQ(stored.CorrelationAt100Text, "0.75");
    // Values equal to the snapshot's keep their texts as typed.
    EXPECT_EQ(stored.MaxDispersalRateText, "0.150");
    EXPECT_EQ(stored.MaxDispersalDistanceText, "100");
    EXPECT_EQ(read.AvgDispersalDistance, 12.5);

    // Wide number formats still fit ten characters.
    TextDecimals = 9;
    TrimTrailingZeros = false;
    EXPECT_EQ(DistanceParameterText(32767.25), "32767.25");
    TextDecimals = 4;
}
