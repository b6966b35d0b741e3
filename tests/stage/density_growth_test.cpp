#include "stage/density_growth.h"

#include "stage/eigen.h"
#include "stage/time_step.h"
#include "step_fixture.h"

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
        {"survival above 1 truncated", TwoStage(2.0, 1.5), Inputs(DDType::EX), 100, 0, 10, std::sqrt(2.0), 1e-6},
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

TEST(DensityGrowth, CurveIsTheGrowthRateOfTheRunsStepMatrix)
{
    // Adult survival 0.9 is pushed above 1 by the low-density multiplier, so
    // the truncation of survivals decides the growth rate there.
    struct Case {
        DDType type;
        DDAffects affects;
        double n;
    };
    const Case cases[] = {
        {DDType::BH, DDAffects::AllVitalRates, 0},   {DDType::BH, DDAffects::AllVitalRates, 40},
        {DDType::BH, DDAffects::AllVitalRates, 100}, {DDType::LO, DDAffects::AllVitalRates, 0},
        {DDType::LO, DDAffects::AllVitalRates, 70},  {DDType::BA, DDAffects::Survivals, 20},
        {DDType::LA, DDAffects::Survivals, 150},     {DDType::EX, DDAffects::AllVitalRates, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.type)) + " N=" + std::to_string(c.n));
        StepFixture f(1, 2, false);
        f.Matrix({0, 1.0, 0.5, 0.9});
        TStageMatrix matrix(2);
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j)
                matrix(i, j) = f.model.stagematrix[1](i, j);
        const double g = FindRateMultiplier(matrix, 1.0, c.affects, false);
        const float m = static_cast<float>(FindRateMultiplier(matrix, 1.5, c.affects, false));
        ASSERT_GT(m, 1.0f);
        f.model.populations[1].ddtype = static_cast<std::uint8_t>(c.type);
        f.model.ddaffects = static_cast<std::uint8_t>(c.affects);
        f.model.rmax[1] = m;
        f.model.ddmultiplier[1] = g;
        f.model.allee[1] = 10.0f;
        const double k = 100.0;
        f.Stages(1, {static_cast<std::int32_t>(c.n), 0});
        TStageMatrix step(2);
        StepMatrix(f.model, f.run, 1, k, step);

        bool overflow = false;
        const float curve = DensityDependentGrowth(matrix, Inputs(c.type, g, m, c.affects), k, 10.0, c.n, overflow);
        EXPECT_NEAR(curve, DominantEigenvalue(step), 1e-6);
    }
}
