#include "stage/management.h"

#include "step_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

ManagementRecord Action(std::uint8_t kind, std::int32_t number, std::uint8_t from = 1, std::uint8_t to = 1)
{
    ManagementRecord a;
    a.active = true;
    a.kind = kind;
    a.number = number;
    a.firststage = 1;
    a.laststage = 1;
    a.frompop = from;
    a.topop = to;
    a.begintime = 1;
    a.endtime = 100;
    a.period = 1;
    return a;
}

TEST(Management, ActsAtBeginAndEveryPeriodInsideItsWindow)
{
    struct Case {
        bool active;
        std::int32_t period;
        std::vector<int> steps;
    };
    const Case cases[] = {
        {true, 5, {5, 10, 15, 20}},
        {true, 0, {5}},  // no period: the first step only
        {true, 7, {5, 12, 19}},
        {false, 5, {}},
    };
    for (const Case& c : cases) {
        ManagementRecord a = Action(1, 1);
        a.active = c.active;
        a.begintime = 5;
        a.endtime = 20;
        a.period = c.period;
        std::vector<int> acted;
        for (int t = 1; t <= 25; ++t)
            if (ActsAtStep(a, t))
                acted.push_back(t);
        EXPECT_EQ(acted, c.steps) << "period " << c.period;
    }
}

TEST(Management, HarvestTakesWhatIsThereAndRecordsItsWeight)
{
    struct Case {
        std::uint8_t amountkind;
        std::int32_t number;
        float proportion;
        std::int32_t threshold;
        std::int32_t n, left;
    };
    const Case cases[] = {
        {1, 0, 0.3f, 0, 10, 7},   // round(10 x 0.3)
        {0, 50, 0, 0, 20, 0},     // more than there is
        {0, 5, 0, 10, 10, 10},    // only above the threshold
        {0, -4, 0, 0, 10, 10},    // a negative amount takes nothing
    };
    for (const Case& c : cases) {
        StepFixture f(1, 1, false);
        f.model.stageweight[1] = 2.5f;
        f.model.actions[1] = Action(0, c.number);
        f.model.actions[1].amountkind = c.amountkind;
        f.model.actions[1].proportion = c.proportion;
        f.model.actions[1].thresholdn = c.threshold;
        f.Stages(1, {c.n});
        Management(f.model, f.run, 1);
        EXPECT_EQ(f.run.StageAbundance[1][1], c.left) << c.n << " " << c.number;
        EXPECT_DOUBLE_EQ(f.run.Repl.stepHarvest, (c.n - c.left) * 2.5);
    }

    StepFixture f(1, 1, false);
    f.model.actions[1] = Action(0, 1);
    f.model.actions[1].amountkind = 2;
    f.Stages(1, {10});
    EXPECT_THROW(Management(f.model, f.run, 1), std::runtime_error);
}

TEST(Management, IntroductionAndTranslocationConditions)
{
    // Introduction "If N <" 5 into two populations of 3 and 8.
    StepFixture f(2, 1, false);
    f.model.actions[1] = Action(1, 4, 1, 2);
    f.model.actions[1].condition = 1;
    f.model.actions[1].thresholdn = 5;
    f.Stages(1, {3});
    f.Stages(2, {8});
    Management(f.model, f.run, 1);
    EXPECT_EQ(f.run.StageAbundance[1][1], 7);
    EXPECT_EQ(f.run.StageAbundance[2][1], 8);

    // Translocation of 3 from population 1 to 2 while the target is below 10.
    StepFixture g(2, 1, false);
    g.model.actions[1] = Action(2, 3, 1, 2);
    g.model.actions[1].condition = 1;
    g.model.actions[1].thresholdn = 10;
    g.Stages(1, {20});
    g.Stages(2, {5});
    std::vector<std::int32_t> target;
    for (int t = 1; t <= 4; ++t) {
        g.run.CurrentTimeStep = t;
        Management(g.model, g.run, 1);
        target.push_back(g.run.StageAbundance[2][1]);
    }
    EXPECT_EQ(target, (std::vector<std::int32_t>{8, 11, 11, 11}));
    EXPECT_EQ(g.run.StageAbundance[1][1], 14);
    EXPECT_EQ(g.run.Repl.stepHarvest, 0.0) << "translocations are no harvest";
}

// Source population P (the last) with `available` individuals in its one
// stage and the given migration rates to populations 1..P-1, which are empty.
StepFixture DispersalFrom(std::int32_t available, const std::vector<float>& rates)
{
    const int P = static_cast<int>(rates.size()) + 1;
    StepFixture f(P, 1, false);
    for (int d = 1; d < P; ++d)
        f.model.migration(d, P) = rates[static_cast<size_t>(d - 1)];
    f.Stages(P, {available});
    return f;
}

TEST(Dispersal, ExcessMoversAreRemoved)
{
    struct Case {
        std::int32_t available;
        std::vector<float> rates;
        std::vector<std::int32_t> arrived;
    };
    const Case cases[] = {
        // 2 + 3 + 2 = 7 movers from 5: one each from the largest, then from
        // the lowest-numbered of the equal rest.
        {5, {0.4f, 0.6f, 0.4f}, {1, 2, 2}},
        {5, {0.6f, 0.6f, 0.2f}, {2, 2, 1}},
        // 20 + 15 + 10 = 45 movers from 30: scaled by 30/45 and truncated.
        {30, {20.0f / 30, 0.5f, 10.0f / 30}, {13, 10, 6}},
    };
    for (const Case& c : cases) {
        StepFixture f = DispersalFrom(c.available, c.rates);
        DisperseIndividuals(f.model, f.run);
        std::vector<std::int32_t> arrived;
        std::int32_t moved = 0;
        for (int d = 1; d < f.run.P; ++d) {
            arrived.push_back(f.run.StageAbundance[d][1]);
            moved += f.run.StageAbundance[d][1];
        }
        EXPECT_EQ(arrived, c.arrived) << c.available;
        EXPECT_EQ(f.run.StageAbundance[f.run.P][1], c.available - moved);
        EXPECT_EQ(f.run.PopulationTotal[f.run.P], c.available - moved);
    }
}

TEST(Dispersal, MovementIsSimultaneousAndMoversDoNotCarryOver)
{
    // 1 -> 3 and 2 -> 4, half each: the movers of source 1 must not arrive
    // again from source 2; and 3 -> 1 moves what 3 held before the step.
    StepFixture f(4, 1, false);
    f.model.migration(3, 1) = 0.5f;
    f.model.migration(4, 2) = 0.5f;
    f.model.migration(1, 3) = 0.5f;
    f.Stages(1, {10});
    f.Stages(2, {10});
    f.Stages(3, {4});
    f.Stages(4, {0});
    DisperseIndividuals(f.model, f.run);
    EXPECT_EQ(f.run.StageAbundance[1][1], 7);
    EXPECT_EQ(f.run.StageAbundance[2][1], 5);
    EXPECT_EQ(f.run.StageAbundance[3][1], 7);
    EXPECT_EQ(f.run.StageAbundance[4][1], 5);
}

TEST(Dispersal, CrowdingDrivesTheProportionWithinZeroAndOne)
{
    // Rate 0.5; the proportion is ((N - K) x slope + 1) x rate.
    struct Case {
        float capacity;
        float slope;
        std::int32_t left;
    };
    const Case cases[] = {{100, 0, 50}, {0, 1, 0}, {1000, 1, 100}};
    for (const Case& c : cases) {
        StepFixture f = DispersalFrom(100, {0.5f});
        f.model.capacity[2] = c.capacity;
        f.model.dispersalslope[2] = c.slope;
        DisperseIndividuals(f.model, f.run);
        EXPECT_EQ(f.run.StageAbundance[2][1], c.left) << c.capacity << " " << c.slope;
        EXPECT_EQ(f.run.StageAbundance[1][1], 100 - c.left);
    }
}

TEST(Dispersal, StochasticDispersalKeepsEveryIndividual)
{
    // Binomial movers with varied rates from three stages into many
    // destinations: excesses of both kinds occur, nobody is lost or doubled.
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        StepFixture f(6, 3, true, seed);
        f.model.demogstoch = true;
        f.model.dispersalcv = 0.5;
        for (int s = 1; s <= 6; ++s)
            for (int d = 1; d <= 6; ++d)
                if (d != s)
                    f.model.migration(d, s) = 0.35f;
        double before = 0;
        for (int p = 1; p <= 6; ++p) {
            f.Stages(p, {3 * p, 40 * p, 7});
            before += f.run.PopulationTotal[p];
        }
        DisperseIndividuals(f.model, f.run);
        double after = 0;
        for (int p = 1; p <= 6; ++p) {
            for (int s = 1; s <= 3; ++s)
                EXPECT_GE(f.run.StageAbundance[p][s], 0);
            after += f.run.PopulationTotal[p];
        }
        EXPECT_EQ(after, before) << "seed " << seed;
    }
}

} // namespace
