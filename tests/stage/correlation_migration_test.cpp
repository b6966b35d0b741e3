#include "stage/correlation_migration.h"

#include "sim/random_deviates.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class MatrixTest : public testing::Test {
protected:
    void SetUp() override { Reset(3); }
    void Reset(int pops)
    {
        CreateModelStore(ModelLimits{});
        Info.pops = static_cast<std::uint8_t>(pops);
        Info.duration = 10;
        for (int p = 1; p <= pops; ++p) Info.capacity[p] = 100;
        sink_.warnings.clear();
    }
    RecordingSink sink_;
};

} // namespace

TEST_F(MatrixTest, DistanceFunction)
{
    struct Case {
        float a, b, c, dmax;
        double expected;
    };
    const Case cases[] = {
        {0.5f, 5, 1, 20, 0.5 * std::exp(-2.0)},  // 0.0676676
        {0.5f, 5, 1, 8, 0.0},                    // beyond Dmax
        {0.5f, 5, 0, 20, 0.5 * std::exp(-0.2)},  // D^0 = 1
        {0.5f, 0.1f, 2, 20, 0.0},                // exponent 1000 >= 24
        {0.0f, 5, 1, 20, 0.0},                   // a = 0
    };
    Reset(2);
    Info.populations[2].x = 6;
    Info.populations[2].y = 8;  // distance 10
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.c) + " " + std::to_string(c.dmax));
        Info.migparams[1] = c.a;
        Info.migparams[2] = c.b;
        Info.migparams[3] = c.c;
        Info.migparams[4] = c.dmax;
        EXPECT_TRUE(Calc_Matr(Info, 'M'));
        EXPECT_NEAR(Info.migration[2][1], c.expected, 1e-7);
        EXPECT_EQ(Info.migration[1][2], Info.migration[2][1]);
        EXPECT_EQ(Info.migration[1][1], 0.0f);
    }
    EXPECT_TRUE(Info.distflags[kMigrationFromDistances] && Info.distflags[kMigrationFromDistances2]);

    // Parameters are repaired in the model.
    Info.corrparams[1] = -1;
    Info.corrparams[2] = 0;
    Info.corrparams[3] = -2;
    Info.corrparams[4] = -5;
    Calc_Matr(Info, 'c');
    EXPECT_EQ(Info.corrparams[1], 0.0f);
    EXPECT_FLOAT_EQ(Info.corrparams[2], 0.1f);
    EXPECT_EQ(Info.corrparams[3], 0.0f);
    EXPECT_EQ(Info.corrparams[4], 0.0f);
    EXPECT_EQ(Info.correlation[2][2], 1.0f);

    try {
        Calc_Matr(Info, 'x');
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "Calc_Matr: unknown matrix (name=\"x\")");
    }
}

TEST_F(MatrixTest, PopulationsAtOnePlaceStayFactorable)
{
    Info.corrparams[1] = 1;
    Info.corrparams[2] = 5;
    Info.corrparams[3] = 1;
    Info.corrparams[4] = 999999;
    Info.populations[3].x = 50;
    Calc_Matr(Info, 'C');  // populations 1 and 2 at one point
    EXPECT_FLOAT_EQ(Info.correlation[2][1], kLargestCorrelation);
    EXPECT_EQ(CheckCorrelationMatrix(Info), kCorrelationGeneral);
    EXPECT_TRUE(sink_.warnings.empty());

    std::vector<float> r(9);
    std::vector<double> l(9);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= i; ++j) r[(i - 1) * 3 + (j - 1)] = Info.correlation[i][j];
    EXPECT_TRUE(FactorCorrelationMatrix(r, l, 3));
    EXPECT_TRUE(sink_.warnings.empty());
}

TEST_F(MatrixTest, CorrelationClassifiedAndClampedOnce)
{
    struct Case {
        std::string name;
        std::vector<float> lower;  // [2][1], [3][1], [3][2]
        int structure;
        bool corrected;
    };
    const std::vector<Case> cases = {
        {"all 0.00001", {0.00001f, 0.00001f, 0.00001f}, kCorrelationIndependent, false},
        {"all 0.99999", {0.99999f, 0.99999f, 0.99999f}, kCorrelationFull, false},
        {"above one", {1.5f, 1.0f, 0.99999f}, kCorrelationFull, true},
        {"mixed", {0.5f, 0.0f, 0.99999f}, kCorrelationGeneral, false},
        {"below minus one", {-2.0f, 0.0f, 0.0f}, kCorrelationGeneral, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(3);
        Info.correlation[2][1] = c.lower[0];
        Info.correlation[3][1] = c.lower[1];
        Info.correlation[3][2] = c.lower[2];
        EXPECT_EQ(CheckCorrelationMatrix(Info), c.structure);
        EXPECT_EQ(Info.correlation[1][1], 1.0f);
        EXPECT_EQ(sink_.warnings.size(), c.corrected ? 1u : 0u);
        if (c.corrected) {
            EXPECT_EQ(sink_.warnings[0], "Correcting the correlation matrix");
            EXPECT_LE(std::abs(Info.correlation[2][1]), kLargestCorrelation);
        }
        // Checked once per model.
        Info.correlation[2][1] = 3.0f;
        CheckCorrelationMatrix(Info);
        EXPECT_EQ(Info.correlation[2][1], 3.0f);
    }
    Reset(1);
    EXPECT_EQ(CheckCorrelationMatrix(Info), kCorrelationIndependent);
}

TEST_F(MatrixTest, MigrationRescaleAndWarnings)
{
    const std::string excess = "Pop.1: WARNING: Total migration is more than 95% of a stage abundance";
    struct Case {
        std::string name;
        float to2, to3;
        double expect2, expect3;
        std::vector<std::string> warnings;
        bool dispersal;
    };
    const std::vector<Case> cases = {
        {"shares above one", 0.8f, 0.4f, 0.8 / 1.2 - 0.001, 0.4 / 1.2 - 0.001, {excess}, true},
        {"negative share", 0.3f, -0.2f, 0.3, 0.0, {}, true},
        {"just below one", 0.6f, 0.36f, 0.6, 0.36, {excess}, true},
        {"no dispersal", 0.0f, 0.0f, 0.0, 0.0, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(3);
        Info.migration[1][1] = 0.2f;
        Info.migration[2][1] = c.to2;
        Info.migration[3][1] = c.to3;
        Info.migchecked = false;
        CheckMigration(Info, 1);
        EXPECT_NEAR(Info.migration[2][1], c.expect2, 1e-6);
        EXPECT_NEAR(Info.migration[3][1], c.expect3, 1e-6);
        EXPECT_EQ(Info.migration[1][1], 0.0f);
        EXPECT_EQ(sink_.warnings, c.warnings);
        EXPECT_EQ(Info.migchecked, c.dispersal);
    }

    // Density dependence of dispersal that would give shares above 100% at
    // low density is corrected and its text rewritten.
    Reset(2);
    Info.migration[2][1] = 0.5f;
    Info.dispersalslope[1] = 0.01f;  // 0.5 - 0.01 x 100 < 0
    CheckMigration(Info, 1);
    EXPECT_NEAR(Info.dispersalslope[1], 0.5 / 100 * 0.99, 1e-7);
    EXPECT_NEAR(std::stod(Info.populations[1].dispersalslopetext), 0.00495, 1e-7);
}
