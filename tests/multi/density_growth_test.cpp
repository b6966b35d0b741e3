#include "multi/density_growth.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace multi;

namespace {

class MultiDensityGrowthTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMultiLimits limits;
        limits.MaxPops = 2;
        AllocateModel(m, limits);
    }

    double Grow(std::uint8_t code, double n, float k, float r, float allee = 0.0f)
    {
        m.Populations[1].DDType = code;
        m.GrowthRate[1] = r;
        return DensityDependentGrowth(m, 1, allee, k, r, n);
    }

    TMultiModel m;
};

}  // namespace

TEST_F(MultiDensityGrowthTest, OneStepByType)
{
    struct Case {
        const char* what;
        std::uint8_t code;
        double n;
        float k, r, allee;
        double expected;
    };
    const double ricker = 100 * std::pow(2.0, 1.0 - 100.0 / 400.0);
    const Case cases[] = {
        {"exponential", kExponential, 100, 50, 1.2f, 0, 120},
        {"contest", kContest, 100, 400, 2, 0, 100 * 2 * 400.0 / (400 + 100)},
        {"scramble", kScramble, 100, 400, 2, 0, ricker},
        {"contest at K", kContest, 400, 400, 3, 0, 400},
        {"scramble at K", kScramble, 400, 400, 3, 0, 400},
        {"contest with R below 1", kContest, 100, 50, 0.9f, 0, 90},
        {"scramble with R of 1", kScramble, 100, 50, 1, 0, 100},
        {"contest from nothing", kContest, 0, 50, 2, 0, 0},
        {"ceiling above K", kCeiling, 100, 150, 2, 0, 150},
        {"ceiling below K", kCeiling, 50, 150, 2, 0, 100},
        {"scramble without a carrying capacity", kScramble, 100, 0, 2, 0, 0},
        {"contest without a carrying capacity", kContest, 100, 0, 2, 0, 0},
        {"Allee of 0 changes nothing", kExponential + 4, 100, 50, 1.2f, 0, 120},
        {"Allee halves the rate at N = A", kExponential + 4, 100, 50, 1.2f, 100, 60},
        {"Allee on contest", kContest + 4, 100, 400, 2, 100, 100 * 2 * 400.0 / (400 + 100) / 2},
        {"Allee with nothing", kScramble + 4, 0, 400, 2, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Grow(c.code, c.n, c.k, c.r, c.allee), c.expected, 1e-6 * std::max(1.0, c.expected)) << c.what;
    EXPECT_FALSE(m.GrowthOverflowFlag);
}

TEST_F(MultiDensityGrowthTest, ContestFollowsBevertonHoltAndScrambleFollowsRicker)
{
    const double k = 1000, r = 2.5, n0 = 20;
    double contest = n0, scramble = n0;
    for (int t = 1; t <= 12; ++t) {
        contest = Grow(kContest, contest, static_cast<float>(k), static_cast<float>(r));
        const double rt = std::pow(r, t);
        EXPECT_NEAR(contest, k * n0 * rt / (k + n0 * (rt - 1)), 1e-6 * k) << t;

        const double before = scramble;
        scramble = Grow(kScramble, scramble, static_cast<float>(k), static_cast<float>(r));
        EXPECT_NEAR(scramble, before * std::pow(r, 1 - before / k), 1e-9 * k) << t;
    }
    EXPECT_NEAR(contest, k, 1.0);
}

TEST_F(MultiDensityGrowthTest, AbundanceBeyondTheCountRangeIsCappedAndFlagged)
{
    EXPECT_DOUBLE_EQ(Grow(kExponential, 3e9, 10, 1), 2147483647.0);
    EXPECT_TRUE(m.GrowthOverflowFlag);

    m.GrowthOverflowFlag = false;
    EXPECT_DOUBLE_EQ(Grow(kExponential, 2e9, 10, 1.5f), 2147483647.0);
    EXPECT_TRUE(m.GrowthOverflowFlag);
}
