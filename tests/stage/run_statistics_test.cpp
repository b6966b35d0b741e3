#include "stage/run_statistics.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// A model of P populations and S stages over T steps, its working state and
// accumulators, with helpers that play the run's part.
struct Harness {
    TCoravel model;
    TRunState run;
    TRunStatistics stats;

    Harness(int P, int S, int T, int replications = 100)
    {
        ModelLimits limits;
        limits.pops = 4;
        limits.stages = 3;
        limits.duration = 500;
        limits.replications = replications;
        model.Create(limits);
        model.pops = static_cast<std::uint8_t>(P);
        model.stages = static_cast<std::uint8_t>(S);
        model.duration = T;
        model.replications = replications;
        model.crossbin = CrossingBinWidth(T);
        run.Allocate(P, S);
    }

    void Initialize()
    {
        RecordingSink sink;
        InitializeRun(model, run, stats);
    }

    void BeginReplication()
    {
        ++run.ReplicationCount;
        run.Repl = TReplicationRecord{};
        for (int p = 1; p <= model.pops; ++p) {
            run.BelowThresholdRun[p] = run.LongestBelowThresholdRun[p] = run.StepsAboveThreshold[p] = 0;
        }
    }

    void SetStages(int p, std::initializer_list<int> counts)
    {
        int s = 1;
        int total = 0;
        for (int c : counts) {
            run.StageAbundance[p][s++] = c;
            total += c;
        }
        run.PopulationTotal[p] = total;
    }

    // One step with population p holding `one[p-1]` individuals in stage 1.
    void Step(int t, std::vector<int> one, double harvest = 0.0)
    {
        run.CurrentTimeStep = t;
        run.Repl.stepHarvest = harvest;
        for (int p = 1; p <= model.pops; ++p) SetStages(p, {one[p - 1]});
        TimeSumm(model, run, stats);
    }

    void Finish() { FinishRunStatistics(model, run, stats); }
};

TEST(RunStatistics, OneReplicationGivesTheValueWithSdZero)
{
    Harness h(2, 3, 2);
    h.model.stageprops[1].flag = true;          // stage 1 left out of totals
    h.model.populations[2].intotal = false;     // population 2 left out of totals
    h.Initialize();
    h.BeginReplication();
    for (int t = 1; t <= 2; ++t) {
        h.run.CurrentTimeStep = t;
        h.run.Repl.stepHarvest = 3.0 * t;
        h.SetStages(1, {100, 20 * t, 7});
        h.SetStages(2, {0, 50, 0});
        TimeSumm(h.model, h.run, h.stats);
    }
    ReplSumm(h.model, h.run, h.stats);
    h.Finish();

    const TCoravel& m = h.model;
    EXPECT_FLOAT_EQ(m.popsum[1][2], 47);  // 100 + 40 + 7 without stage 1
    EXPECT_FLOAT_EQ(m.popsum[2][2], 50);
    EXPECT_FLOAT_EQ(m.totalsum[2], 47);  // population 2 is not counted
    EXPECT_FLOAT_EQ(h.run.CurrentTotal, 47);
    EXPECT_FLOAT_EQ(m.harvestsum[2], 6);
    EXPECT_FLOAT_EQ(m.runstats[1], 9);
    EXPECT_FLOAT_EQ(m.finalsum[1][1], 100);  // final stages include excluded ones
    EXPECT_FLOAT_EQ(m.occupancysum[1], 1);
    EXPECT_FLOAT_EQ(m.localoccsum[2], 2);
    EXPECT_FLOAT_EQ(m.replmin[1], 27);
    EXPECT_FLOAT_EQ(m.replmax[1], 47);
    EXPECT_FLOAT_EQ(m.replterminal[1], 47);
    for (float sd : {m.popsumsq[1][2], m.totalsumsq[2], m.harvestsumsq[2], m.runstats[2],
                     m.finalsumsq[1][2], m.occupancysumsq[1], m.extdursumsq[1], m.localoccsumsq[1]})
        EXPECT_EQ(sd, 0.0f);
    EXPECT_EQ(m.popmin[1][2], 47);
    EXPECT_EQ(m.popmax[1][2], 47);
    EXPECT_EQ(m.finalmin[1][2], 40);
    EXPECT_EQ(m.finalmax[1][2], 40);
    EXPECT_FLOAT_EQ(m.totalmin[1], 27);
    EXPECT_FLOAT_EQ(m.totalmax[1], 27);
    EXPECT_FLOAT_EQ(m.runstats[3], 9);
    EXPECT_FLOAT_EQ(m.runstats[4], 9);
    EXPECT_FALSE(h.run.RoundOffFlag);
}

TEST(RunStatistics, MeanSdMinMaxOverReplications)
{
    Harness h(1, 1, 1);
    h.Initialize();
    for (int value : {10, 14, 30}) {
        h.BeginReplication();
        h.Step(1, {value}, value / 2.0);
        ReplSumm(h.model, h.run, h.stats);
    }
    h.Finish();
    // mean 18, variance ((8^2 + 4^2 + 12^2) / 2) = 112
    EXPECT_FLOAT_EQ(h.model.popsum[1][1], 18);
    EXPECT_FLOAT_EQ(h.model.popsumsq[1][1], std::sqrt(112.0f));
    EXPECT_FLOAT_EQ(h.model.totalsumsq[1], std::sqrt(112.0f));
    EXPECT_FLOAT_EQ(h.model.harvestsumsq[1], std::sqrt(28.0f));
    EXPECT_EQ(h.model.popmin[1][1], 10);
    EXPECT_EQ(h.model.popmax[1][1], 30);
    EXPECT_FLOAT_EQ(h.model.totalmin[1], 10);
    EXPECT_FLOAT_EQ(h.model.totalmax[1], 30);
}

// Extinct from step 10 of 50: the replication ends there; steps 10..50 are at
// or below a local threshold of 0, and the left-out steps count as zeros.
TEST(RunStatistics, EarlyExtinctionFillsTheRestOfTheReplication)
{
    Harness h(1, 1, 50);
    h.Initialize();
    h.BeginReplication();
    for (int t = 1; t <= 10; ++t) {
        h.Step(t, {t < 10 ? 8 : 0});
        EXPECT_EQ(h.run.Repl.allExtinct, t == 10) << t;
    }
    ReplSumm(h.model, h.run, h.stats);
    EXPECT_EQ(h.run.LongestBelowThresholdRun[1], 41);

    // A second replication that keeps 8 individuals throughout.
    h.BeginReplication();
    for (int t = 1; t <= 50; ++t) h.Step(t, {8});
    ReplSumm(h.model, h.run, h.stats);
    h.Finish();

    EXPECT_FLOAT_EQ(h.model.extdurmax[1], 41);
    EXPECT_FLOAT_EQ(h.model.extdurmin[1], 0);
    EXPECT_FLOAT_EQ(h.model.extdursum[1], 20.5f);
    for (int t : {10, 30, 50}) {
        EXPECT_FLOAT_EQ(h.model.totalsum[t], 4) << t;
        EXPECT_FLOAT_EQ(h.model.totalsumsq[t], std::sqrt(32.0f)) << t;
        EXPECT_FLOAT_EQ(h.model.totalmin[t], 0) << t;
        EXPECT_EQ(h.model.popmin[1][t], 0) << t;
        EXPECT_FLOAT_EQ(h.model.occupancymin[t], 0) << t;
        EXPECT_FLOAT_EQ(h.model.occupancysum[t], 0.5f) << t;
    }
    EXPECT_FLOAT_EQ(h.model.totalsum[9], 8);
    EXPECT_FLOAT_EQ(h.model.totalsumsq[9], 0);
}

TEST(RunStatistics, OneExtinctionReplicationGivesDurationOnlyFromItsLastRun)
{
    Harness h(1, 1, 50);
    h.Initialize();
    h.BeginReplication();
    for (int t = 1; t <= 10; ++t) h.Step(t, {t < 10 ? 8 : 0});
    ReplSumm(h.model, h.run, h.stats);
    h.Finish();
    EXPECT_FLOAT_EQ(h.model.extdursum[1], 41);
    EXPECT_FLOAT_EQ(h.model.extdurmin[1], 41);
    EXPECT_FLOAT_EQ(h.model.localoccsum[1], 9);
}

// A harvest takes the last 5 individuals at step 3 of replication 1, which
// ends there; replication 2 harvests 7 at every step. The harvest minimum of
// step 3 is the smallest harvest taken then (5), not 0: only the steps after
// the extinction count as harvests of 0.
TEST(RunStatistics, HarvestThatEmptiesThePopulationKeepsItsMinimum)
{
    Harness h(1, 1, 5);
    h.Initialize();
    h.BeginReplication();
    for (int t = 1; t <= 3; ++t) h.Step(t, {t < 3 ? 8 : 0}, t < 3 ? 2.0 : 5.0);
    ASSERT_TRUE(h.run.Repl.allExtinct);
    ReplSumm(h.model, h.run, h.stats);
    h.BeginReplication();
    for (int t = 1; t <= 5; ++t) h.Step(t, {8}, 7.0);
    ReplSumm(h.model, h.run, h.stats);
    h.Finish();

    const struct {
        int t;
        float mean, min, max;
    } steps[] = {{2, 4.5f, 2, 7}, {3, 6, 5, 7}, {4, 3.5f, 0, 7}, {5, 3.5f, 0, 7}};
    for (const auto& c : steps) {
        EXPECT_FLOAT_EQ(h.model.harvestsum[c.t], c.mean) << c.t;
        EXPECT_FLOAT_EQ(h.model.harvestmin[c.t], c.min) << c.t;
        EXPECT_FLOAT_EQ(h.model.harvestmax[c.t], c.max) << c.t;
    }
    EXPECT_FLOAT_EQ(h.model.totalmin[3], 0);
    EXPECT_FLOAT_EQ(h.model.runstats[3], 9);  // 2 + 2 + 5
}

// The total reaches the extinction threshold at steps 3 and 7 (and exceeds
// the explosion threshold at steps 2 and 8): one count each, in the bin of
// the first crossing.
TEST(RunStatistics, ThresholdCrossingsCountOnceInTheirBin)
{
    struct Case {
        int duration;
        int extinctionBin;
        int explosionBin;
    };
    for (const Case c : {Case{50, 3, 2}, Case{200, 1, 1}, Case{500, 1, 1}}) {
        Harness h(1, 1, c.duration);
        h.model.extthreshold = 10;
        h.model.explthreshold = 100;
        h.Initialize();
        h.BeginReplication();
        for (int t = 1; t <= c.duration; ++t) {
            const int n = (t == 3 || t == 7) ? 10 : (t == 2 || t == 8) ? 150 : 20;
            h.Step(t, {n});
        }
        ReplSumm(h.model, h.run, h.stats);
        int extinctions = 0, explosions = 0;
        for (int b = 1; b <= kCrossBins; ++b) {
            extinctions += h.model.extinctiontimes[b];
            explosions += h.model.explosiontimes[b];
        }
        EXPECT_EQ(extinctions, 1) << c.duration;
        EXPECT_EQ(explosions, 1) << c.duration;
        EXPECT_EQ(h.model.extinctiontimes[c.extinctionBin], 1) << c.duration;
        EXPECT_EQ(h.model.explosiontimes[c.explosionBin], 1) << c.duration;
    }
}

// Large abundances with a tiny spread, and a constant abundance near the
// count limit: the standard deviation comes out right and no round-off is
// reported.
TEST(RunStatistics, SmallSpreadOfLargeAbundancesKeepsItsSd)
{
    struct Case {
        int replications;
        int base;
        int step;  // value = base + (i mod 2) * step
        double sd;
        double tolerance;
    };
    for (const Case c : {Case{10000, 1000000, 2, 1.00005, 1e-4},
                         Case{1000, 2147479999, 0, 0.0, 0.0},
                         Case{1000, 1999999, 0, 0.0, 0.0}}) {
        Harness h(1, 1, 1, c.replications);
        h.Initialize();
        for (int i = 0; i < c.replications; ++i) {
            h.BeginReplication();
            h.Step(1, {c.base + (i % 2) * c.step});
            ReplSumm(h.model, h.run, h.stats);
        }
        h.Finish();
        EXPECT_NEAR(h.model.popsumsq[1][1], c.sd, c.tolerance) << c.base;
        EXPECT_NEAR(h.model.totalsumsq[1], c.sd, c.tolerance) << c.base;
        EXPECT_FLOAT_EQ(h.model.totalsum[1], static_cast<float>(c.base + c.step / 2.0)) << c.base;
        EXPECT_FALSE(h.run.RoundOffFlag) << c.base;
    }
}

// A population of 15 below a local threshold of 20, under each "when below"
// setting: what the statistics total, occupancy and the population keep.
TEST(RunStatistics, WhenBelowLocalThreshold)
{
    struct Case {
        std::uint8_t whenBelow;
        double statTotal;
        int populationAfter;
    };
    for (const Case c : {Case{0, 15, 15}, Case{1, 0, 15}, Case{2, 0, 0}}) {
        Harness h(1, 2, 5);
        h.model.whenbelow = c.whenBelow;
        h.model.populations[1].localthresholdtext = "20";
        h.Initialize();
        h.BeginReplication();
        h.run.CurrentTimeStep = 1;
        h.SetStages(1, {10, 5});
        TimeSumm(h.model, h.run, h.stats);

        const int kind = c.whenBelow;
        EXPECT_FLOAT_EQ(h.model.totalmax[1], c.statTotal) << kind;
        EXPECT_FLOAT_EQ(h.model.occupancymax[1], 0) << kind;
        EXPECT_EQ(h.run.PopulationTotal[1], c.populationAfter) << kind;
        EXPECT_EQ(h.run.StageAbundance[1][1] + h.run.StageAbundance[1][2], c.populationAfter) << kind;
        EXPECT_EQ(h.model.popmax[1][1], c.populationAfter) << kind;
        // The trajectory total and the extinction check follow at once.
        EXPECT_EQ(h.run.CurrentTotal, c.populationAfter) << kind;
        EXPECT_EQ(h.run.Repl.allExtinct, c.populationAfter == 0) << kind;
    }
}

TEST(RunStatistics, InitializeRunPreparesDispersalAndThresholds)
{
    Harness h(3, 2, 10);
    RecordingSink sink;
    h.model.populations[1].ddtype = 1;  // scramble
    h.model.populations[2].ddtype = 2;  // contest, no emigration
    h.model.populations[3].ddtype = 0;  // exponential
    h.model.dispersalslope[1] = 0.1f;
    h.model.dispersalslope[2] = 0.3f;
    h.model.dispersalslope[3] = 0.4f;
    h.model.migration[2][1] = 0.15f;
    h.model.migration[3][1] = 0.05f;
    h.model.migration[1][3] = 0.5f;
    h.model.stagedispersal[1][1] = 1.5f;
    h.model.stagedispersal[1][2] = -0.2f;
    h.model.populations[1].localthresholdtext = "12.4";
    h.model.populations[2].localthresholdtext = "x";
    InitializeRun(h.model, h.run, h.stats);

    EXPECT_EQ(sink.statuses, std::vector<std::string>{"Initializing..."});
    EXPECT_FLOAT_EQ(h.model.dispersalslope[1], 0.5f);
    EXPECT_FLOAT_EQ(h.model.dispersalslope[2], 0);
    EXPECT_FLOAT_EQ(h.model.dispersalslope[3], 0);
    EXPECT_FLOAT_EQ(h.model.stagedispersal[1][1], 1);
    EXPECT_FLOAT_EQ(h.model.stagedispersal[1][2], 0);
    EXPECT_EQ(h.run.LocalThreshold[1], 12);
    EXPECT_EQ(h.run.LocalThreshold[2], 0);
}

TEST(RunStatistics, ModelLargerThanTheWorkingStateIsRefused)
{
    Harness h(2, 2, 10);
    h.run.Allocate(1, 2);
    RecordingSink sink;
    EXPECT_THROW(InitializeRun(h.model, h.run, h.stats), std::length_error);
}

TEST(RunStatistics, LocalThresholdText)
{
    struct Case {
        const char* text;
        std::int32_t threshold;
    };
    for (const Case c : {Case{"20", 20}, Case{" 19.6 ", 20}, Case{"2.5", 2}, Case{"", 0},
                         Case{"abc", 0}, Case{"-5", 0}, Case{"0", 0}, Case{"3e9", 0},
                         Case{"2147483647", 2147483647}})
        EXPECT_EQ(LocalThresholdFromText(c.text), c.threshold) << c.text;
}

}  // namespace
