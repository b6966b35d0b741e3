#include "multi/validate_input.h"

#include "multi/messages.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace multi;

namespace {

class MultiValidateInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWarningHandler({});
        TMultiLimits limits;
        limits.MaxPops = 4;
        AllocateModel(m, limits);
        m.PopCount = 3;
        for (int i = 1; i <= 3; ++i)
            Set(i, kContest, "100", "1.5", "500");
    }

    void Set(int i, std::uint8_t code, const char* n0, const char* r, const char* k)
    {
        multi::PopulationRecord& pop = m.Populations[i];
        pop.DDType = code;
        pop.InitialAbundanceText = n0;
        pop.GrowthRateText = r;
        pop.CarryingCapacityText = k;
        pop.SurvivalText = "0.5";
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : sink.boxes)
            texts.push_back(box.text);
        return texts;
    }

    static std::string Invalid(const char* name, int population)
    {
        return std::string("Invalid input parameter: \"") + name + "\" for population " + std::to_string(population);
    }

    TMultiModel m;
    RecordingSink sink;
};

}  // namespace

TEST_F(MultiValidateInputTest, ValidInputIsConvertedAndRepaired)
{
    m.Populations[2].DDType = kExponential;
    m.Populations[2].CarryingCapacityText = "not used";
    m.Populations[2].TrendInKText = "not used";
    m.Populations[3].DDType = kExponential;
    m.Populations[3].InitialAbundanceText = "0";
    m.Populations[1].StdDevOfRText = " 0.25 ";
    m.Populations[1].TrendInKText = "-2";
    m.Populations[1].InitialAbundanceText = "99.6";
    m.Populations[1].SurvivalText = "1.5";  // not checked without demographic stochasticity
    m.GrowthRate[4] = 9.0f;
    m.SelectedPopulation = 3;

    ValidateInput(m);

    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(m.ModelState, kStateInputs);
    EXPECT_EQ(m.SelectedPopulation, 1);
    EXPECT_EQ(m.InitialAbundance[1], 100);
    EXPECT_FLOAT_EQ(m.GrowthRate[1], 1.5f);
    EXPECT_FLOAT_EQ(m.SurvivalRate[1], 1.5f);
    EXPECT_FLOAT_EQ(m.CarryingCapacity[1], 500.0f);
    EXPECT_FLOAT_EQ(m.StdDevOfR[1], 0.25f);
    EXPECT_FLOAT_EQ(m.TrendInK[1], -2.0f);
    // Exponential populations have their initial abundance as K, at least 1.
    EXPECT_FLOAT_EQ(m.CarryingCapacity[2], 100.0f);
    EXPECT_FLOAT_EQ(m.TrendInK[2], 0.0f);
    EXPECT_FLOAT_EQ(m.CarryingCapacity[3], 1.0f);
    // Populations beyond the count are reset.
    EXPECT_FLOAT_EQ(m.GrowthRate[4], 1.0f);
    EXPECT_FLOAT_EQ(m.CarryingCapacity[4], 0.0f);

    m.ModelState = kStateResults;
    ValidateInput(m);
    EXPECT_EQ(m.ModelState, kStateResults);
}

TEST_F(MultiValidateInputTest, EveryFaultIsReportedWithItsNameAndPopulation)
{
    struct Case {
        const char* what;
        std::function<void(TMultiModel&)> change;
        bool demographic;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"empty R of population 3", [](TMultiModel& x) { x.Populations[3].GrowthRateText = ""; }, false,
         {Invalid("R", 3)}},
        {"R of 0", [](TMultiModel& x) { x.Populations[1].GrowthRateText = "0"; }, false, {Invalid("R", 1)}},
        {"initial abundance negative", [](TMultiModel& x) { x.Populations[2].InitialAbundanceText = "-1"; }, false,
         {Invalid("Initial abundance", 2)}},
        {"initial abundance too large",
         [](TMultiModel& x) { x.Populations[2].InitialAbundanceText = "2147483648"; }, false,
         {Invalid("Initial abundance", 2)}},
        {"initial abundance empty", [](TMultiModel& x) { x.Populations[2].InitialAbundanceText = ""; }, false,
         {Invalid("Initial abundance", 2)}},
        {"survival 1.5 with demographic stochasticity",
         [](TMultiModel& x) { x.Populations[1].SurvivalText = "1.5"; }, true, {Invalid("Survival rate", 1)}},
        {"survival empty with demographic stochasticity",
         [](TMultiModel& x) { x.Populations[1].SurvivalText = ""; }, true, {Invalid("Survival rate", 1)}},
        {"K of 0 under contest", [](TMultiModel& x) { x.Populations[1].CarryingCapacityText = "0"; }, false,
         {Invalid("K", 1)}},
        {"K too large under the ceiling",
         [](TMultiModel& x) {
             x.Populations[1].DDType = kCeiling;
             x.Populations[1].CarryingCapacityText = "3e9";
         },
         false, {Invalid("K", 1)}},
        {"K not a number with an Allee code",
         [](TMultiModel& x) {
             x.Populations[1].DDType = kScramble + 4;
             x.Populations[1].CarryingCapacityText = "x";
         },
         false, {Invalid("K", 1)}},
        {"negative standard deviation", [](TMultiModel& x) { x.Populations[2].StdDevOfRText = "-0.1"; }, false,
         {Invalid("St.Dev of K", 2)}},
        {"trend not a number under contest", [](TMultiModel& x) { x.Populations[3].TrendInKText = "abc"; }, false,
         {Invalid("Change in K", 3)}},
        // Blanks are not an empty text: they are no number.
        {"standard deviation of blanks", [](TMultiModel& x) { x.Populations[2].StdDevOfRText = "   "; }, false,
         {Invalid("St.Dev of K", 2)}},
        {"trend of blanks under contest", [](TMultiModel& x) { x.Populations[3].TrendInKText = " "; }, false,
         {Invalid("Change in K", 3)}},
        {"every fault of a population, in order",
         [](TMultiModel& x) {
             multi::PopulationRecord& p = x.Populations[2];
             p.InitialAbundanceText = "a";
             p.GrowthRateText = "b";
             p.SurvivalText = "c";
             p.CarryingCapacityText = "d";
             p.StdDevOfRText = "e";
             p.TrendInKText = "f";
         },
         true,
         {Invalid("Initial abundance", 2), Invalid("R", 2), Invalid("Survival rate", 2), Invalid("K", 2),
          Invalid("St.Dev of K", 2), Invalid("Change in K", 2)}},
        {"faults of two populations",
         [](TMultiModel& x) {
             x.Populations[1].GrowthRateText = "-1";
             x.Populations[3].InitialAbundanceText = "-5";
         },
         false, {Invalid("R", 1), Invalid("Initial abundance", 3)}},
    };
    for (const Case& c : cases) {
        SetUp();
        sink.boxes.clear();
        m.Info.DemographicStochasticity = c.demographic;
        c.change(m);
        ValidateInput(m);
        EXPECT_EQ(Texts(), c.expected) << c.what;
        EXPECT_EQ(m.ModelState, kStateEmpty) << c.what;
        for (const RecordedBox& box : sink.boxes)
            EXPECT_EQ(box.kind, TBoxKind::Warning) << c.what;
    }
}

TEST_F(MultiValidateInputTest, RepairsFollowTheChecks)
{
    m.Populations[1].StdDevOfRText = "-0.5";
    m.Populations[2].DDType = kExponential;
    m.Populations[2].InitialAbundanceText = "-3";
    ValidateInput(m);
    EXPECT_EQ(m.ModelState, kStateEmpty);
    EXPECT_FLOAT_EQ(m.StdDevOfR[1], 0.0f);
    EXPECT_EQ(m.InitialAbundance[2], 0);
    EXPECT_FLOAT_EQ(m.CarryingCapacity[2], 1.0f);
}

TEST_F(MultiValidateInputTest, PopulationCountOutsideTheTableIsInvalidPopulationData)
{
    for (int count : {0, 5}) {
        SetUp();
        sink.boxes.clear();
        m.PopCount = static_cast<std::uint8_t>(count);
        ValidateInput(m);
        EXPECT_EQ(Texts(), std::vector<std::string>{"Invalid population data"}) << count;
        EXPECT_EQ(m.PopCount, 0) << count;
        EXPECT_EQ(m.ModelState, kStateEmpty) << count;
    }
}

TEST_F(MultiValidateInputTest, FractionIsClampedIntoZeroToOne)
{
    const std::pair<const char*, double> cases[] = {{"0.0", 0.0}, {"0.25", 0.25}, {"2", 1.0}, {"-1", 0.0}, {"x", 0.0}};
    for (const auto& [text, expected] : cases) {
        m.Info.FractionText = text;
        ValidateInput(m);
        EXPECT_DOUBLE_EQ(m.Info.Fraction, expected) << text;
    }
}

TEST_F(MultiValidateInputTest, CheckMigrationRescalesAColumnThatSendsTooMany)
{
    // Population 2 sends 0.6 to each of populations 1 and 3.
    m.DispersalMatrix[1][2] = 0.6f;
    m.DispersalMatrix[3][2] = 0.6f;
    m.DispersalMatrix[2][2] = 0.3f;
    CheckMigration(m, 2, true);
    EXPECT_NEAR(m.DispersalMatrix[1][2], 0.499f, 1e-6);
    EXPECT_NEAR(m.DispersalMatrix[3][2], 0.499f, 1e-6);
    EXPECT_EQ(m.DispersalMatrix[2][2], 0.0f);
    EXPECT_TRUE(m.DispersalPresent);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Pop.2: WARNING: Total migration is more than 90%"});

    sink.boxes.clear();
    CheckMigration(m, 2, false);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(MultiValidateInputTest, CheckMigrationDropsNegativeRatesBeforeTheTotal)
{
    m.DispersalMatrix[1][1] = 0.95f;  // to itself: ignored, then 0
    m.DispersalMatrix[2][1] = -0.5f;
    m.DispersalMatrix[3][1] = 0.2f;
    CheckMigration(m, 1, true);
    EXPECT_EQ(m.DispersalMatrix[1][1], 0.0f);
    EXPECT_EQ(m.DispersalMatrix[2][1], 0.0f);
    EXPECT_FLOAT_EQ(m.DispersalMatrix[3][1], 0.2f);
    EXPECT_TRUE(m.DispersalPresent);
    EXPECT_TRUE(sink.boxes.empty());

    m.DispersalPresent = false;
    CheckMigration(m, 2, true);  // sends nothing
    EXPECT_FALSE(m.DispersalPresent);
}
