#include "stage/density_growth.h"

#include "stage/eigen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TStageMatrix Leslie()
{
    TStageMatrix m(3);
    m(1, 2) = 4;
    m(1, 3) = 3;
    m(2, 1) = 0.5;
    m(3, 2) = 0.25;
    return m;
}

TStageMatrix OneStage(double a)
{
    TStageMatrix m(1);
    m(1, 1) = a;
    return m;
}

TStageMatrix TwoStage(double fecundity, double survival)
{
    TStageMatrix m(2);
    m(1, 2) = fecundity;
    m(2, 1) = survival;
    return m;
}

TDensityGrowthInputs Inputs(DDType type, double g = 1.0, double m = 1.0, DDAffects affects = DDAffects::AllVitalRates,
                            bool ignoreConstraints = false)
{
    return {type, affects, ignoreConstraints, g, m};
}

} // namespace

TEST(DensityGrowth, FollowsTheStepMatrixRules)
{
    // The Leslie matrix has lambda 1.5; g gives it lambda 1, m gives 1.3.
    const TStageMatrix leslie = Leslie();
    const double g = FindRateMultiplier(leslie, 1.0, DDAffects::AllVitalRates, false);
    const double m = FindRateMultiplier(leslie, 1.3, DDAffects::AllVitalRates, false);
    const double gFec = FindRateMultiplier(leslie, 1.0, DDAffects::Fecundities, false);
    const double mFec = FindRateMultiplier(leslie, 1.3, DDAffects::Fecundities, false);
    struct Case {
        std::string name;
        TStageMatrix matrix;
        TDensityGrowthInputs inputs;
        double k, allee, n;
        double expected;
        double tolerance;
    };
    const Case cases[] = {
        {"contest at K", leslie, Inputs(DDType::BH, g, m), 500, 0, 500, 1.0, 2e-4},
        {"contest at 0", leslie, Inputs(DDType::BH, g, m), 500, 0, 0, 1.3, 2e-4},
        {"scramble at K", leslie, Inputs(DDType::LO, g, m), 500, 0, 500, 1.0, 2e-4},
        {"scramble at 0", leslie, Inputs(DDType::LO, g, m), 500, 0, 0, 1.3, 2e-4},
        {"contest on fecundities at K", leslie, Inputs(DDType::BH, gFec, mFec, DDAffects::Fecundities), 500, 0, 500,
         1.0, 2e-4},
        {"exponential ignores K", leslie, Inputs(DDType::EX, g, m), 500, 0, 5000, 1.5, 1e-6},
        {"ceiling at 2K", OneStage(1.2), Inputs(DDType::CE), 100, 0, 200, 0.5, 1e-7},
        {"ceiling below K", OneStage(1.2), Inputs(DDType::CE), 100, 0, 50, 1.2, 1e-7},
        {"contest without capacity", leslie, Inputs(DDType::BH, g, m), 0, 0, 10, 0.0, 0.0},
        {"scramble without capacity", leslie, Inputs(DDType::LO, g, m), 0, 0, 10, 0.0, 0.0},
        {"scramble with no multiplier", leslie, Inputs(DDType::LO, g, -1.0), 100, 0, 10, 0.0, 0.0},
        // Rmax below 1 far above K: the contest denominator is negative.
        {"contest denominator below 0", OneStage(1.0), Inputs(DDType::BH, 1.0, 0.5), 100, 0, 300, 0.0, 0.0},
        {"Allee at N = a", OneStage(1.2), Inputs(DDType::EA), 100, 40, 40, 0.6, 1e-7},
        {"Allee at N = 0", OneStage(1.2), Inputs(DDType::EA), 100, 40, 0, 0.0, 0.0},
        {"Allee at N = a = 0", leslie, Inputs(DDType::LA, g, m), 100, 0, 0, 0.0, 0.0},
        {"survival above 1 truncated", TwoStage(2.0, 1.5), Inputs(DDType::EX), 100, 0, 10, std::sqrt(2 * 0.9999),
         1e-6},
        {"constraints ignored", TwoStage(2.0, 1.5), Inputs(DDType::EX, 1, 1, DDAffects::AllVitalRates, true), 100, 0, 10,
         std::sqrt(3.0), 1e-6},
        {"negative rates dropped", TwoStage(-2.0, 0.5), Inputs(DDType::EX), 100, 0, 10, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool overflow = false;
        const float lambda = DensityDependentGrowth(c.matrix, c.inputs, c.k, c.allee, c.n, overflow);
        EXPECT_FALSE(std::isnan(lambda));
        EXPECT_NEAR(lambda, c.expected, c.tolerance + 1e-7 * c.expected);
        EXPECT_FALSE(overflow);
    }
}

TEST(DensityGrowth, LimitsAbundanceAndGrowthToTheCountRange)
{
    bool overflow = false;
    EXPECT_FLOAT_EQ(DensityDependentGrowth(OneStage(1.2), Inputs(DDType::EX), 100, 0, 3e9, overflow),
                    static_cast<float>(2147483646.0 / 2147483648.0));
    EXPECT_TRUE(overflow);
    overflow = false;
    EXPECT_FLOAT_EQ(DensityDependentGrowth(OneStage(2.0), Inputs(DDType::EX), 100, 0, 2e9, overflow),
                    static_cast<float>(2147483646.0 / 2e9));
    EXPECT_TRUE(overflow);
    overflow = false;
    EXPECT_FLOAT_EQ(DensityDependentGrowth(OneStage(1.0), Inputs(DDType::EX), 100, 0, 2e9, overflow), 1.0f);
    EXPECT_FALSE(overflow);
}
