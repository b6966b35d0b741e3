#include "stage/time_step.h"

#include "stage/density_types.h"
#include "step_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void RunSteps(StepFixture& f, int steps, std::vector<double>& totals)
{
    for (int t = 1; t <= steps; ++t) {
        f.run.CurrentTimeStep = t;
        for (int p = 1; p <= f.run.P; ++p) {
            ++f.run.StepsSinceCatastrophe[p];
            StepPopulation(f.model, f.run, p);
        }
        totals.push_back(f.run.PopulationTotal[1]);
    }
}

TEST(TimeStep, DeterministicProjectionIsTheExactMatrixPower)
{
    StepFixture f(1, 3, false);
    f.Matrix({0, 2, 4, 0.5, 0, 0, 0, 0.5, 0});
    f.Stages(1, {1 << 20, 1 << 20, 1 << 20});
    std::vector<double> totals;
    RunSteps(f, 10, totals);
    EXPECT_EQ(totals[0], 7340032);
    EXPECT_EQ(totals[1], 6553600);
    EXPECT_EQ(totals[2], 10485760);
    EXPECT_EQ(totals[9], 72351744);

    // 16777217 is the first count a single-precision intermediate loses,
    // with and without demographic stochasticity.
    for (bool demographic : {false, true}) {
        StepFixture g(1, 2, demographic);
        g.model.demogstoch = demographic;
        g.Matrix({0, 0, 0, 1});
        g.Stages(1, {0, 16777217});
        std::vector<double> kept;
        RunSteps(g, 3, kept);
        EXPECT_EQ(g.run.StageAbundance[1][2], 16777217) << demographic;
        EXPECT_EQ(g.run.PopulationTotal[1], 16777217) << demographic;
    }
}

TEST(TimeStep, DemographicProjectionKeepsSurvivorsWithinTheirSource)
{
    // Survivals of 0.5 into two stages: binomial draws can together exceed
    // the 100 individuals they come from, and are then scaled back.
    StepFixture f(1, 3, true, 7);
    f.model.demogstoch = true;
    TStepMatrix M(3);
    M(1, 1) = 2.0;
    M(2, 1) = 0.5;
    M(3, 1) = 0.5;
    double births = 0;
    const int draws = 2000;
    for (int k = 0; k < draws; ++k) {
        f.Stages(1, {100, 0, 0});
        ProjectStages(f.model, f.run, 1, M);
        EXPECT_LE(f.run.StageAbundance[1][2] + f.run.StageAbundance[1][3], 100);
        births += f.run.StageAbundance[1][1];
    }
    // Poisson births of mean 200: SE of the mean 0.32.
    EXPECT_NEAR(births / draws, 200.0, 1.5);

    // Ignoring constraints, a "survival" of 1.5 is a Poisson rate: 100
    // individuals give 150 on average and are not scaled back.
    f.model.ignoreconstraints = true;
    M(3, 1) = 1.5;
    double grown = 0;
    for (int k = 0; k < draws; ++k) {
        f.Stages(1, {100, 0, 0});
        ProjectStages(f.model, f.run, 1, M);
        grown += f.run.StageAbundance[1][3];
    }
    // SE of the mean 0.27.
    EXPECT_NEAR(grown / draws, 150.0, 1.5);
}

TEST(TimeStep, LognormalHighSurvivalIsSampledOnItsComplement)
{
    StepFixture f(1, 2, true, 12345);
    f.model.distribution = 1;
    f.Matrix({0, 0, 0.9, 0});
    f.StDev({0, 0, 0.05, 0});
    const int draws = 100000;
    double sum = 0, sumSq = 0, largest = 0;
    for (int k = 0; k < draws; ++k) {
        TStepMatrix M(2);
        M(2, 1) = 0.9;
        f.run.Deviates[1] = NormalDeviate(f.run.Random);
        EnvStoch(f.model, f.run, 1, M);
        const double s = M(2, 1);
        sum += s;
        sumSq += s * s;
        largest = std::max(largest, s);
    }
    const double mean = sum / draws;
    const double sd = std::sqrt((sumSq - sum * sum / draws) / (draws - 1));
    EXPECT_LT(largest, 1.0);
    EXPECT_NEAR(mean, 0.9, 0.001);
    EXPECT_NEAR(sd, 0.05, 0.001);
}

// A run keeps the logarithms of each lognormal rate from step to step; a
// rate whose mean changed (a trend, a catastrophe, density dependence), that
// moved to or from its complement, another population's rate and a pooled
// column must each be drawn exactly as in a fresh run.
TEST(TimeStep, LognormalRatesFollowTheirCurrentMean)
{
    struct Step {
        const char* what;
        int population;
        bool pooled;
        double fec, s21, s31, s32;
        float z;
    };
    const Step steps[] = {
        {"first step", 1, false, 1.5, 0.8, 0.1, 0.3, 1.0f},
        {"same means, other deviate", 1, false, 1.5, 0.8, 0.1, 0.3, -0.5f},
        {"means changed", 1, false, 0.9, 0.6, 0.1, 0.35, -0.5f},
        {"survival below one half now", 1, false, 0.9, 0.4, 0.1, 0.35, 0.3f},
        {"other population", 2, false, 2.5, 0.7, 0.2, 0.3, 0.3f},
        {"pooled columns", 1, true, 0.9, 0.4, 0.1, 0.35, 0.3f},
        {"pooled, sum changed", 1, true, 0.9, 0.5, 0.1, 0.35, 0.3f},
        {"back to the first step", 1, false, 1.5, 0.8, 0.1, 0.3, 1.0f},
    };
    auto configure = [](StepFixture& f) {
        f.model.distribution = 1;
        f.StDev({0.2, 0, 0, 0.05, 0, 0, 0.02, 0.04, 0});
    };
    auto draw = [](StepFixture& f, const Step& s) {
        f.model.poolvar = s.pooled;
        f.run.Deviates[s.population] = s.z;
        TStepMatrix M(3);
        M(1, 1) = s.fec;
        M(2, 1) = s.s21;
        M(3, 1) = s.s31;
        M(3, 2) = s.s32;
        EnvStoch(f.model, f.run, s.population, M);
        return M;
    };
    StepFixture run(2, 3, true);
    configure(run);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        StepFixture fresh(2, 3, true);
        configure(fresh);
        const TStepMatrix expected = draw(fresh, s);
        const TStepMatrix M = draw(run, s);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j)
                EXPECT_EQ(M(i, j), expected(i, j)) << i << "," << j;
    }
}

TEST(TimeStep, EnvironmentalDeviatesByCorrelationOption)
{
    // Normal distribution, deviates fixed: fecundity deviate 1, survival
    // deviate 1 (options 0 and 1 share the last draw; option 2 has its own).
    struct Case {
        const char* name;
        int corrwithin;
        bool negative;
        bool pooled;
        double fec, s21, s32;
    };
    const Case cases[] = {
        {"shared deviate", 0, false, false, 1.2, 0.9, 0.4},
        {"own survival deviate", 2, false, false, 1.2, 0.7, 0.2},
        {"negative survival correlation", 0, true, false, 1.2, 0.7, 0.4},
        // Column 1 survivals 0.8 (sd 0.1) alone; column 2 pools 0.3 only.
        {"pooled column", 0, false, true, 1.2, 0.9, 0.4},
    };
    for (const Case& c : cases) {
        StepFixture f(1, 3, true);
        f.model.distribution = 0;
        f.model.corrwithin = static_cast<std::uint8_t>(c.corrwithin);
        f.model.negsurvcorr = c.negative;
        f.model.poolvar = c.pooled;
        f.StDev({0.2, 0, 0, 0.1, 0, 0, 0, 0.1, 0});
        f.run.Deviates[1] = 1.0f;
        f.run.SurvivalDeviates[1] = -1.0f;
        TStepMatrix M(3);
        M(1, 1) = 1.0;
        M(2, 1) = 0.8;
        M(3, 2) = 0.3;
        EnvStoch(f.model, f.run, 1, M);
        EXPECT_NEAR(M(1, 1), c.fec, 1e-6) << c.name;
        EXPECT_NEAR(M(2, 1), c.s21, 1e-6) << c.name;
        EXPECT_NEAR(M(3, 2), c.s32, 1e-6) << c.name;
    }

    // Pooling varies a column's survivals together: sum 0.5, variance
    // (0.1 + 0.1)^2, deviate 1 gives 0.7, shared out as 0.42 and 0.28.
    StepFixture f(1, 3, true);
    f.model.distribution = 0;
    f.model.poolvar = true;
    f.StDev({0, 0, 0, 0.1, 0, 0, 0.1, 0, 0});
    f.run.Deviates[1] = 1.0f;
    TStepMatrix M(3);
    M(2, 1) = 0.3;
    M(3, 1) = 0.2;
    EnvStoch(f.model, f.run, 1, M);
    EXPECT_NEAR(M(2, 1), 0.42, 1e-6);
    EXPECT_NEAR(M(3, 1), 0.28, 1e-6);

    f.model.corrwithin = 3;
    EXPECT_THROW(
        {
            try {
                EnvStoch(f.model, f.run, 1, M);
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(std::string(e.what()), "EnvStoch: unknown Info.corrwithin");
                throw;
            }
        },
        std::runtime_error);
}

TEST(TimeStep, DensityFactorAndCarryingCapacity)
{
    // One stage of fecundity 1: the step matrix's element is the factor.
    // Rate multiplier m = 2, multiplier for a growth rate of 1 g = 1.25.
    struct Case {
        DDType type;
        std::int32_t n;
        double kt;
        double factor;
    };
    const Case cases[] = {
        {DDType::LO, 100, 100, 1.25}, {DDType::LO, 0, 100, 2.0}, {DDType::LO, 50, 0, 0.0},
        {DDType::BH, 100, 100, 1.25}, {DDType::BH, 0, 100, 2.0}, {DDType::BH, 50, 0, 0.0},
        {DDType::EX, 500, 100, 1.0},  {DDType::LA, 100, 100, 1.25 * 100 / 125.0},
    };
    for (const Case& c : cases) {
        StepFixture f(1, 1, false);
        f.model.populations[1].ddtype = static_cast<std::uint8_t>(c.type);
        f.model.rmax[1] = 2.0f;
        f.model.ddmultiplier[1] = 1.25;
        f.model.allee[1] = 25.0f;
        f.Matrix({1.0});
        f.Stages(1, {c.n});
        TStepMatrix M(1);
        StepMatrix(f.model, f.run, 1, c.kt, M);
        EXPECT_NEAR(M(1, 1), c.factor, 1e-9) << static_cast<int>(c.type) << " N=" << c.n << " Kt=" << c.kt;
    }

    // Kt = steps since catastrophe x trend + K + deviate x SD(K), never below 0.
    struct KCase {
        int steps;
        float deviate;
        double kt;
    };
    for (const KCase& c : {KCase{1, 0.0f, 105}, KCase{3, 1.0f, 135}, KCase{1, -20.0f, 0}}) {
        StepFixture f(1, 1, true);
        f.model.capacity[1] = 100;
        f.model.ktrend[1] = 5;
        f.model.ksd[1] = 20;
        f.run.StepsSinceCatastrophe[1] = static_cast<std::uint16_t>(c.steps);
        f.run.CarryingCapacityDeviates[1] = c.deviate;
        EXPECT_DOUBLE_EQ(StepCarryingCapacity(f.model, f.run, 1), c.kt) << c.steps << " " << c.deviate;
    }
}

TEST(TimeStep, CeilingScalesStagesDownToKt)
{
    StepFixture f(1, 2, false);
    f.model.populations[1].ddtype = static_cast<std::uint8_t>(DDType::CE);
    f.Stages(1, {90, 60});
    ApplyCeiling(f.model, f.run, 1, 100);
    EXPECT_EQ(f.run.StageAbundance[1][1], 60);
    EXPECT_EQ(f.run.StageAbundance[1][2], 40);
    EXPECT_EQ(f.run.PopulationTotal[1], 100);

    // Through a whole step with K = 100: 150 individuals stay 150 after a
    // projection by the identity, then the ceiling applies.
    f.Matrix({1, 0, 0, 1});
    f.Stages(1, {90, 60});
    f.model.capacity[1] = 100;
    f.run.StepsSinceCatastrophe[1] = 1;
    StepPopulation(f.model, f.run, 1);
    EXPECT_EQ(f.run.PopulationTotal[1], 100);
}

TEST(TimeStep, TruncationClampsAndCounts)
{
    StepFixture f(1, 3, false);
    TStepMatrix M(3);
    M(1, 1) = -0.5;  // below 0
    M(2, 1) = 1.5;   // above 1, then column sum 1.5
    M(3, 1) = 0.5;
    M(2, 2) = 0.2;
    M(3, 2) = 0.3;
    TruncateVitalRates(f.model, f.run, M);
    // The rates stay singles.
    EXPECT_EQ(M(1, 1), 0.0f);
    EXPECT_EQ(M(2, 1), static_cast<float>(1.0 / 1.5));
    EXPECT_EQ(M(3, 1), static_cast<float>(0.5 / 1.5));
    EXPECT_EQ(M(2, 2), 0.2f);
    EXPECT_EQ(f.run.TruncBelowZero, 1);
    EXPECT_EQ(f.run.TruncAboveOne, 1);
    EXPECT_EQ(f.run.TruncColumnSum, 1);

    f.model.ignoreconstraints = true;
    M(2, 1) = 1.5;
    TruncateVitalRates(f.model, f.run, M);
    EXPECT_EQ(M(2, 1), 1.5);
}

// A column whose survivals sum above 1 by single-precision rounding only is
// left as it is; one a little further above is divided by its sum.
TEST(TimeStep, TruncationLeavesColumnRoundingAlone)
{
    struct Case {
        float a, b;
        bool truncated;
    };
    for (const Case& c : {Case{0.6153846f, 0.3846154f, false}, Case{0.5f, 0.5000005f, false},
                          Case{0.5f, 0.500002f, true}}) {
        StepFixture f(1, 3, false);
        TStepMatrix M(3);
        M(2, 1) = c.a;
        M(3, 1) = c.b;
        TruncateVitalRates(f.model, f.run, M);
        EXPECT_EQ(f.run.TruncColumnSum, c.truncated ? 1 : 0) << c.a << " + " << c.b;
        EXPECT_EQ(M(2, 1) == c.a, !c.truncated) << c.a << " + " << c.b;
    }
}

TEST(TimeStep, TruncationReportTexts)
{
    // 2 stages, 1 population, 1 replication, 30 steps: the column-sum
    // denominator is 2 x 2 x 30 = 120, rates below 0 240, rates above 1 120.
    StepFixture f(1, 2, false);
    f.run.ReplicationCount = 1;
    f.run.TruncColumnSum = 30;
    f.run.TruncBelowZero = 1;  // 0.4 percent: not reported
    f.run.TruncAboveOne = 3000000000LL;
    const std::vector<std::string> lines = TruncationReport(f.model, f.run);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Truncations (col. sum >1) = 30  ( 25.0%)");
    EXPECT_EQ(lines[1], "Truncations (vital rate >1) = over 2 billion!");

    f.model.ignoreconstraints = true;
    EXPECT_EQ(TruncationReport(f.model, f.run).size(), 1u);
}

// Each stage starts rounded (halves to even) and never below 0; the
// population total starts from the initial total (the rounded sum of the
// unrounded stages) and the trajectory from it less the excluded stages.
TEST(TimeStep, ReplicationStartsFromRoundedStagesAndTheInitialTotal)
{
    const struct {
        double initial[3];
        bool stage3Excluded;
        bool counted;
        std::int32_t stages[3];
        std::int32_t total;
        double trajectory;
    } cases[] = {
        {{10.5, 10.5, 0.0}, false, true, {10, 10, 0}, 21, 21.0},
        {{-3.0, 2.5, 3.5}, false, true, {0, 2, 4}, 3, 3.0},
        {{10.5, 10.5, 4.25}, true, true, {10, 10, 4}, 25, 20.75},
        {{1.5, 0.4, 10.0}, true, false, {2, 0, 10}, 12, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initial[0] + c.initial[1] + c.initial[2]);
        StepFixture f(1, 3, false);
        f.model.stageprops[3].flag = c.stage3Excluded;
        double sum = 0;
        for (int s = 1; s <= 3; ++s) {
            f.model.initialabundance(1, s) = c.initial[s - 1];
            sum += c.initial[s - 1];
        }
        f.model.initialtotal[1] = static_cast<std::int32_t>(std::nearbyint(sum));  // as the input check
        f.model.populations[1].intotal = c.counted;
        f.run.StepsSinceCatastrophe[1] = 9;
        f.run.CurrentTotal = 99;
        StartReplicationAbundances(f.model, f.run);
        for (int s = 1; s <= 3; ++s) EXPECT_EQ(f.run.StageAbundance[1][s], c.stages[s - 1]) << s;
        EXPECT_EQ(f.run.PopulationTotal[1], c.total);
        EXPECT_DOUBLE_EQ(f.run.CurrentTotal, c.trajectory);
        EXPECT_EQ(f.run.StepsSinceCatastrophe[1], 0);
    }
}

TEST(TimeStep, Catastrophes)
{
    // A regional catastrophe on abundances with probability 1 halves stage 1
    // (population multiplier 0.5) and quarters stage 2 (stage multiplier 0.5).
    for (bool stochastic : {true, false}) {
        StepFixture f(2, 2, stochastic);
        f.model.cat1extent = 1;
        f.model.cat1affects = 0;
        f.model.cat1regprob = 1.0;
        f.model.catabund1(1, 2) = 0.5f;
        f.model.catmult1[1] = f.model.catmult1[2] = 0.5f;
        f.Stages(1, {10, 20});
        f.Stages(2, {4, 7});
        RegionalCatastrophes(f.model, f.run);
        if (stochastic) {
            EXPECT_EQ(f.run.StageAbundance[1][1], 5);
            EXPECT_EQ(f.run.StageAbundance[1][2], 5);
            EXPECT_EQ(f.run.PopulationTotal[1], 10);
            EXPECT_EQ(f.run.StageAbundance[2][2], 2);  // 1.75 rounds to 2
            EXPECT_EQ(f.run.PopulationTotal[2], 4);
        } else {
            EXPECT_EQ(f.run.PopulationTotal[1], 30) << "deterministic runs know no catastrophes";
        }
    }

    // A local catastrophe on carrying capacity with probability 1: K follows
    // its trend to the step, is multiplied, and the steps-since counter
    // restarts at 1.
    StepFixture f(1, 1, true);
    f.model.cat2affects = 2;
    f.model.catprob2[1] = 1.0f;
    f.model.catmult2[1] = 0.5f;
    f.model.capacity[1] = 100;
    f.model.ktrend[1] = 10;
    f.run.StepsSinceCatastrophe[1] = 3;
    f.Stages(1, {50});
    CapacityCatastrophes(f.model, f.run, 1);
    EXPECT_FLOAT_EQ(f.model.capacity[1], 60.0f);
    EXPECT_EQ(f.run.StepsSinceCatastrophe[1], 1);
    EXPECT_TRUE(f.run.CapacityChanged);
}

} // namespace
