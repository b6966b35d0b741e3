#include "multi/population_editing.h"

#include "multi/distance_matrices.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace multi;

TEST(PopulationEditing, NamesCountEntriesAndCopiesFitSixteenCharacters)
{
    EXPECT_EQ(AddedPopulationName(3), "Pop 4");
    EXPECT_EQ(AddedPopulationName(0), "Pop 1");
    EXPECT_EQ(DuplicateName("Mill pond"), "Copy of Mill pon");
    EXPECT_EQ(DuplicateName("Sixteen letters!"), "Copy of Sixteen ");
    EXPECT_EQ(DuplicateName("A"), "Copy of A");

    const multi::PopulationRecord added = NewPopulationRecord(5);
    EXPECT_EQ(added.Name, "Pop 6");
    EXPECT_EQ(added.DDType, kExponential);
    EXPECT_TRUE(added.XText.empty() && added.GrowthRateText.empty() && added.TrendInKText.empty());
    // Counted in the totals like every population of a loaded model.
    EXPECT_TRUE(added.IncludeInTotals);

    EXPECT_EQ(WithoutRefusedNameChars("Weir, upper"), "Weir upper");
}

TEST(PopulationEditing, ValuesFitTheirTextsByRoundingNeverByCutting)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.5, "0.5"},
        {20, "20"},
        {-0.0, "0"},
        {12.3456, "12.3456"},
        {1.23456789012, "1.23456789"},
        {123456789.123, "123456789"},
        {-999999999, "-999999999"},
        {2147483647, "2147483647"},
        {-12345678.9876, "-12345679"},
        {1e-7, "1e-07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitFloatText(c.value), c.text) << c.value;

    // Too long for any fixed form: still the same value, within the rounding.
    for (double value : {-2147483647.0, -999999999.6, 98765432109.0}) {
        const std::string text = FitFloatText(value);
        EXPECT_LE(text.size(), kParameterTextLength) << text;
        EXPECT_NEAR(std::strtod(text.c_str(), nullptr) / value, 1.0, 1e-3) << text;
    }
    EXPECT_EQ(GeneralFloatText(2147483647), "2147483647");
    EXPECT_EQ(GeneralFloatText(-999999999), "-999999999");
}

TEST(PopulationEditing, ButtonsAndEditsFollowTheListAndTheType)
{
    struct Case {
        int count;
        int selected;
        std::vector<bool> buttons;  // add, delete, duplicate, up, down
    };
    const Case cases[] = {
        {1, 0, {true, false, true, false, false}},
        {3, 0, {true, true, true, false, true}},
        {3, 1, {true, true, true, true, true}},
        {3, 2, {true, true, true, true, false}},
        {3, -1, {true, false, false, false, false}},
        {21, 20, {true, true, true, true, false}},
        {22, 5, {false, true, false, true, true}},
    };
    for (const Case& c : cases) {
        const TPopulationListButtons b = PopulationListButtons(c.count, c.selected, 22);
        EXPECT_EQ((std::vector<bool>{b.add, b.remove, b.duplicate, b.moveUp, b.moveDown}), c.buttons)
            << c.count << " entries, selected " << c.selected;
    }

    EXPECT_FALSE(PopulationEditEnabling(0, kScramble).stochastic);
    EXPECT_TRUE(PopulationEditEnabling(10, kScramble).stochastic);
    EXPECT_FALSE(PopulationEditEnabling(10, kExponential).capacity);
    EXPECT_TRUE(PopulationEditEnabling(0, kCeiling).capacity);

    // Codes 4 to 7 are shown as 0 to 3 and kept while the entry is not changed.
    EXPECT_EQ(DensityDependenceIndex(6), 2);
    EXPECT_EQ(StoredDensityDependence(6, 2), 6);
    EXPECT_EQ(StoredDensityDependence(6, 1), 1);
    EXPECT_EQ(StoredDensityDependence(2, -1), 2);
}

namespace {

// Three populations on a line, 10 apart, with both distance functions.
class ValidatePopulationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AllocateModel(m, TMultiLimits{});
        m.PopCount = 3;
        const char* names[] = {"North", "Middle", "South"};
        for (int i = 1; i <= 3; ++i) {
            multi::PopulationRecord& p = m.Populations[i];
            p.Name = names[i - 1];
            p.XText = std::to_string(10 * i);
            p.YText = "0";
            p.InitialAbundanceText = std::to_string(100 * i);
            p.GrowthRateText = "1.2";
            p.CarryingCapacityText = "500";
            p.DDType = kScramble;
        }
        m.DistanceFunctions = {"0.3", "20", "100", "0.5"};
        UpdateDistanceMatrices(m);
        m.ModelState = kStateResults;
        m.InputsChanged = false;
    }

    std::vector<multi::PopulationRecord> List() const
    {
        std::vector<multi::PopulationRecord> list;
        for (int i = 1; i <= m.PopCount; ++i)
            list.push_back(m.Populations[i]);
        return list;
    }

    TMultiModel m;
    RecordingSink sink;
};

}  // namespace

TEST_F(ValidatePopulationsTest, OnlyAChangeOfInputsOrOfTheCountMarksTheResults)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<multi::PopulationRecord>&)> edit;
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [](auto&) {}, false},
        {"a rename", [](auto& l) { l[1].Name = "Centre"; }, false},
        {"a new R", [](auto& l) { l[0].GrowthRateText = "1.3"; }, true},
        {"a new type", [](auto& l) { l[2].DDType = kCeiling; }, true},
        {"the spare text", [](auto& l) { l[2].SpareText = "x"; }, true},
        {"two swapped", [](auto& l) { std::swap(l[0], l[1]); }, true},
        {"the last deleted", [](auto& l) { l.pop_back(); }, true},
        {"one added",
         [](auto& l) {
             l.push_back(NewPopulationRecord(3));
             l.back().InitialAbundanceText = "10";
             l.back().GrowthRateText = "1.1";
         },
         true},
    };
    for (const Case& c : cases) {
        SetUp();
        std::vector<multi::PopulationRecord> list = List();
        c.edit(list);
        ValidatePopulations(m, list);
        EXPECT_EQ(m.InputsChanged, c.changed) << c.name;
        ASSERT_EQ(m.PopCount, list.size()) << c.name;
        for (int i = 1; i <= m.PopCount; ++i)
            EXPECT_EQ(m.Populations[i].Name, list[static_cast<std::size_t>(i - 1)].Name) << c.name;
        EXPECT_EQ(m.ModelState, kStateResults) << c.name << sink.BoxTexts();
    }
}

TEST_F(ValidatePopulationsTest, BothMatricesAreComputedAfreshAndNothingOutlivesItsPosition)
{
    // Values that no distance function gives.
    m.DispersalMatrix[2][1] = 0.9f;
    m.CorrelationMatrix[2][1] = 0.01f;
    std::vector<multi::PopulationRecord> list = List();
    list[1].XText = "30";  // Middle moves next to South
    list.pop_back();
    ValidatePopulations(m, list);

    TMultiModel expected = m;
    Calc_Matr(expected, 'M');
    Calc_Matr(expected, 'C');
    EXPECT_EQ(m.DispersalMatrix[2][1], expected.DispersalMatrix[2][1]);
    EXPECT_EQ(m.CorrelationMatrix[2][1], expected.CorrelationMatrix[2][1]);
    EXPECT_NEAR(m.CorrelationMatrix[2][1], std::pow(0.5, 20.0 / 100), 1e-6);  // 20 apart
    EXPECT_TRUE(m.DispersalUpToDate && m.CorrelationUpToDate);
    // The deleted third population leaves nothing behind.
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(m.DispersalMatrix[3][j], 0.0f) << j;
        EXPECT_EQ(m.DispersalMatrix[j][3], 0.0f) << j;
        EXPECT_EQ(m.CorrelationMatrix[3][j], 0.0f) << j;
    }
    EXPECT_EQ(m.InitialAbundance[3], 0);
    EXPECT_EQ(m.InitialAbundance[2], 200);
}

// What a field shows is what its record holds: a text stays only while it is
// the number on show.
TEST(PopulationEditing, AFieldKeepsItsTextOnlyWhileItIsTheNumberShown)
{
    const struct {
        const char* own;
        double shown;
        bool emptyIsZero;
        const char* stored;
    } cases[] = {
        {"0.45", 0.45, false, "0.45"},
        {"1e3", 1000, false, "1e3"},
        {"1.5", 1.8, false, "1.8"},       // changed back after an Apply
        {"-0.5", 0, false, "0"},          // a 0 typed over a trend of -0.5
        {"", 0, false, "0"},              // a coordinate typed as the 0 shown
        {"abc", 0, false, "0"},
        {"", 0, true, ""},                // an empty deviation means 0
        {"  ", 0, true, "0"},             // blanks are no number
        {"", 123456789.123, false, "123456789"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(multi::EditedParameterText(c.own, c.shown, c.emptyIsZero), c.stored) << '"' << c.own << '"';
}
