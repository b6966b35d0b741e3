#include "multi/distance_matrices.h"

#include "core/str_utilx.h"
#include "sim/population_links.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace multi;

namespace {

class MultiDistanceMatricesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMultiLimits limits;
        limits.MaxPops = 5;
        AllocateModel(m, limits);
    }

    void Place(int i, const char* x, const char* y)
    {
        m.PopCount = static_cast<std::uint8_t>(std::max<int>(m.PopCount, i));
        m.Populations[i].XText = x;
        m.Populations[i].YText = y;
    }

    void Dispersal(const char* rate, const char* average, const char* maximum)
    {
        m.DistanceFunctions.MaxDispersalRateText = rate;
        m.DistanceFunctions.AvgDispersalDistanceText = average;
        m.DistanceFunctions.MaxDispersalDistanceText = maximum;
    }

    TMultiModel m;
    RecordingSink sink;
};

}  // namespace

TEST_F(MultiDistanceMatricesTest, CorrelationHasItsValueAtDistanceOneHundred)
{
    Place(1, "0", "0");
    Place(2, "100", "0");
    Place(3, "0", "200");
    Place(4, "0", "50");
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    EXPECT_TRUE(Calc_Matr(m, 'C'));
    EXPECT_NEAR(m.CorrelationMatrix[2][1], 0.5, 1e-6);
    EXPECT_NEAR(m.CorrelationMatrix[3][1], 0.25, 1e-6);
    EXPECT_NEAR(m.CorrelationMatrix[3][2], std::pow(0.5, std::sqrt(5.0)), 1e-6);
    EXPECT_NEAR(m.CorrelationMatrix[4][1], std::sqrt(0.5), 1e-6);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(m.CorrelationMatrix[i][i], 1.0f);
    EXPECT_TRUE(m.CorrelationUpToDate);
    EXPECT_TRUE(m.CorrelationFromFunction);
    EXPECT_FALSE(m.DispersalUpToDate);
}

TEST_F(MultiDistanceMatricesTest, DispersalFallsOffWithinTheMaximumDistanceAndIsSymmetric)
{
    Place(1, "0", "0");
    Place(2, "10", "0");
    Place(3, "0", "30");
    Dispersal("0.5", "5", "20");
    Calc_Matr(m, 'm');
    EXPECT_NEAR(m.DispersalMatrix[2][1], 0.5 * std::exp(-2.0), 1e-7);
    EXPECT_EQ(m.DispersalMatrix[1][2], m.DispersalMatrix[2][1]);
    EXPECT_EQ(m.DispersalMatrix[3][1], 0.0f);  // 30 is beyond 20
    EXPECT_EQ(m.DispersalMatrix[2][3], m.DispersalMatrix[3][2]);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(m.DispersalMatrix[i][i], 0.0f);
    EXPECT_TRUE(m.DispersalUpToDate);
    EXPECT_TRUE(m.DispersalFromFunction);

    Dispersal("0.5", "5", "8");
    Calc_Matr(m, 'M');
    EXPECT_EQ(m.DispersalMatrix[2][1], 0.0f);
    EXPECT_EQ(m.DispersalMatrix[1][2], 0.0f);
}

TEST_F(MultiDistanceMatricesTest, PopulationsInOnePlaceAreNeverPerfectlyCorrelated)
{
    Place(1, "5", "5");
    Place(2, "5", "5");
    Place(3, "6", "5");
    Dispersal("0.3", "10", "100");
    for (const char* c100 : {"0.5", "1"}) {
        m.DistanceFunctions.CorrelationAt100Text = c100;
        Calc_Matr(m, 'C');
        EXPECT_EQ(m.CorrelationMatrix[2][1], kLargestCorrelation) << c100;
        EXPECT_LT(m.CorrelationMatrix[3][1], 1.0f) << c100;
    }
    Calc_Matr(m, 'M');
    EXPECT_FLOAT_EQ(m.DispersalMatrix[2][1], 0.3f);
}

TEST_F(MultiDistanceMatricesTest, ParametersOutsideTheirRangeAreRepairedAndRewritten)
{
    Place(1, "0", "0");
    Place(2, "3", "4");
    struct Case {
        const char *rate, *average, *maximum, *c100;
        const char *rateAfter, *averageAfter, *maximumAfter, *c100After;
    };
    const Case cases[] = {
        {"1.7", "5", "20", "0.5", "1", "5", "20", "0.5"},
        {"0.5", "", "20", " ", "0.5", "0", "20", "0"},
        {"abc", "-2", "1e12", "3", "0", "0", "2147483647", "1"},
        {"0.25", "7.5", "", "-0.1", "0.25", "7.5", "1", "0"},
    };
    for (const Case& c : cases) {
        Dispersal(c.rate, c.average, c.maximum);
        m.DistanceFunctions.CorrelationAt100Text = c.c100;
        Calc_Matr(m, 'M');
        EXPECT_EQ(m.DistanceFunctions.MaxDispersalRateText, c.rateAfter) << c.rate;
        EXPECT_EQ(m.DistanceFunctions.AvgDispersalDistanceText, c.averageAfter) << c.rate;
        EXPECT_EQ(m.DistanceFunctions.MaxDispersalDistanceText, c.maximumAfter) << c.rate;
        EXPECT_EQ(m.DistanceFunctions.CorrelationAt100Text, c.c100After) << c.rate;
    }
    // A rate of 1.7 is used as 1.
    Dispersal("1.7", "5", "20");
    Calc_Matr(m, 'M');
    EXPECT_NEAR(m.DispersalMatrix[2][1], std::exp(-1.0), 1e-7);
    // An average distance of 0 means no dispersal at all.
    Dispersal("0.5", "", "20");
    Calc_Matr(m, 'M');
    EXPECT_EQ(m.DispersalMatrix[2][1], 0.0f);
}

TEST_F(MultiDistanceMatricesTest, TextsTypedWithTheLocaleDecimalPointAreRead)
{
    TLocaleFormat comma;
    comma.decimalPoint = ",";
    SetLocaleFormat(comma);
    Place(1, "0", "0");
    Place(2, "2,5", "0");
    Dispersal("0,5", "2,5", "20");
    Calc_Matr(m, 'M');
    SetLocaleFormat(TLocaleFormat{});
    EXPECT_NEAR(m.DispersalMatrix[2][1], 0.5 * std::exp(-1.0), 1e-7);
    EXPECT_EQ(m.DistanceFunctions.MaxDispersalRateText, "0,5");
}

TEST_F(MultiDistanceMatricesTest, APopulationWithoutAPlaceIsLinkedToNone)
{
    Place(1, "0", "0");
    Place(2, "x", "0");
    Place(3, "1", "0");
    Dispersal("0.5", "5", "20");
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    Calc_Matr(m, 'M');
    Calc_Matr(m, 'C');
    EXPECT_EQ(m.DispersalMatrix[2][1], 0.0f);
    EXPECT_EQ(m.DispersalMatrix[3][2], 0.0f);
    EXPECT_EQ(m.DispersalMatrix[2][3], 0.0f);
    EXPECT_EQ(m.CorrelationMatrix[2][1], 0.0f);
    EXPECT_EQ(m.CorrelationMatrix[3][2], 0.0f);
    EXPECT_EQ(m.CorrelationMatrix[2][2], 1.0f);
    EXPECT_GT(m.DispersalMatrix[3][1], 0.0f);
}

TEST_F(MultiDistanceMatricesTest, DistancesWhoseExponentReachesTwentyFourGiveZero)
{
    Place(1, "0", "0");
    Place(2, "23.9", "0");
    Place(3, "0", "24");
    Dispersal("1", "1", "1000");
    Calc_Matr(m, 'M');
    EXPECT_NEAR(m.DispersalMatrix[2][1], std::exp(-23.9), 1e-15);
    EXPECT_EQ(m.DispersalMatrix[3][1], 0.0f);
}

TEST_F(MultiDistanceMatricesTest, UnknownKindIsAnError)
{
    try {
        Calc_Matr(m, 'X');
        FAIL() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Calc_Matr: unknown matrix type \"X\"");
    }
}

TEST_F(MultiDistanceMatricesTest, UpdateRefillsOnlyMatricesThatAreOutOfDate)
{
    Place(1, "0", "0");
    Place(2, "10", "0");
    Dispersal("0.5", "5", "20");
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    m.DispersalMatrix[2][1] = 0.123f;  // typed by hand, up to date
    m.DispersalUpToDate = true;
    UpdateDistanceMatrices(m);
    EXPECT_EQ(m.DispersalMatrix[2][1], 0.123f);
    EXPECT_NEAR(m.CorrelationMatrix[2][1], std::pow(0.5, 0.1), 1e-6);
    EXPECT_TRUE(m.DispersalUpToDate && m.CorrelationUpToDate);

    m.DispersalUpToDate = false;
    UpdateDistanceMatrices(m);
    EXPECT_NEAR(m.DispersalMatrix[2][1], 0.5 * std::exp(-2.0), 1e-7);
    EXPECT_TRUE(sink.boxes.empty());
}
