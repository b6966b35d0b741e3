#include "multi/run_simulation.h"

#include "core/config.h"
#include "multi/distance_matrices.h"
#include "multi/messages.h"
#include "support/recording_sink.h"
#include "support/sample_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace multi;

namespace {

const TProgress kGoOn = [](std::int32_t, std::int32_t) { return true; };

// Result arrays of one run, copied out of the model.
struct TResults {
    std::vector<float> popMean, popStdDev, totalMean, totalStdDev, totalMin, totalMax, occupancyMean, final;
    std::vector<std::int32_t> popMin, popMax;
    std::vector<std::uint16_t> extinctions, explosions;
    bool operator==(const TResults&) const = default;
};

class MultiRunTest : public ::testing::Test {
public:
    void SetUp() override
    {
        TMultiLimits limits;
        limits.MaxDuration = 150;
        limits.MaxReplications = 2000;
        AllocateModel(m, limits);
        m.PopCount = 0;
        warnings.clear();
        SetWarningHandler([this](const std::string& text) { warnings.push_back(text); });
        Config.RandomSeed = "12345";
        Config.StepDelay = 0;
    }
    void TearDown() override { SetWarningHandler({}); }

    // Population i with its texts; the first population added resets the count.
    multi::PopulationRecord& Population(int i, std::uint8_t code, const char* n0, const char* r, const char* k = "",
                                        const char* sd = "")
    {
        m.PopCount = static_cast<std::uint8_t>(std::max<int>(m.PopCount, i));
        multi::PopulationRecord& pop = m.Populations[i];
        pop.Name = "Pop " + std::to_string(i);
        pop.DDType = code;
        pop.InitialAbundanceText = n0;
        pop.GrowthRateText = r;
        pop.CarryingCapacityText = k;
        pop.StdDevOfRText = sd;
        pop.SurvivalText = "0.5";
        pop.XText = pop.YText = "0";
        return pop;
    }

    void Run(std::int32_t replications, std::int32_t duration)
    {
        m.Replications = replications;
        m.Duration = duration;
    }

    bool Simulate(TRunOutcome& outcome, const TProgress& progress = kGoOn)
    {
        return RunSimulation(m, progress, &outcome);
    }

    TResults Results() const
    {
        TResults r;
        for (int t = 1; t <= m.Duration; ++t) {
            for (int i = 1; i <= m.PopCount; ++i) {
                r.popMean.push_back(m.PopMean[i][t]);
                r.popStdDev.push_back(m.PopStdDev[i][t]);
                r.popMin.push_back(m.PopMin[i][t]);
                r.popMax.push_back(m.PopMax[i][t]);
            }
            r.totalMean.push_back(m.TotalMean[t]);
            r.totalStdDev.push_back(m.TotalStdDev[t]);
            r.totalMin.push_back(m.TotalMin[t]);
            r.totalMax.push_back(m.TotalMax[t]);
            r.occupancyMean.push_back(m.OccupancyMean[t]);
        }
        for (int k = 1; k <= m.ReplicationsDone; ++k)
            r.final.push_back(m.ReplicationFinal[k]);
        for (int b = 1; b <= kTimeBins; ++b) {
            r.extinctions.push_back(m.ExtinctionTimes[b]);
            r.explosions.push_back(m.ExplosionTimes[b]);
        }
        return r;
    }

    TMultiModel m;
    RecordingSink sink;
    std::vector<std::string> warnings;
};

}  // namespace

TEST_F(MultiRunTest, ZeroReplicationsIsOneDeterministicBevertonHoltRun)
{
    Population(1, kContest, "500", "2", "1000", "0.5");  // the SD of R plays no part
    m.Info.DemographicStochasticity = true;              // nor does demographic stochasticity
    Run(0, 3);
    std::vector<std::pair<std::int32_t, std::int32_t>> calls;
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t r, std::int32_t t) {
        calls.emplace_back(r, t);
        EXPECT_TRUE(RunActive());
        EXPECT_EQ(ActiveRun()->Abundance[1], t == 1 ? 667 : t == 2 ? 800 : 889);
        return true;
    }));
    EXPECT_EQ(outcome.end, TRunEnd::Completed);
    EXPECT_EQ(outcome.replicationsDone, 1);
    EXPECT_EQ(calls, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 1}, {1, 2}, {1, 3}}));
    const float expected[] = {667, 800, 889};
    for (int t = 1; t <= 3; ++t) {
        EXPECT_EQ(m.PopMean[1][t], expected[t - 1]) << t;
        EXPECT_EQ(m.PopStdDev[1][t], 0.0f) << t;
        EXPECT_EQ(m.PopMin[1][t], static_cast<std::int32_t>(expected[t - 1])) << t;
        EXPECT_EQ(m.PopMax[1][t], static_cast<std::int32_t>(expected[t - 1])) << t;
        EXPECT_EQ(m.TotalMean[t], expected[t - 1]) << t;
        EXPECT_EQ(m.TotalMin[t], expected[t - 1]) << t;
        EXPECT_EQ(m.TotalMax[t], expected[t - 1]) << t;
        EXPECT_EQ(m.OccupancyMean[t], 1.0f) << t;
    }
    EXPECT_EQ(m.LocalOccupancyMean[1], 3.0f);
    EXPECT_EQ(m.ReplicationFinal[1], 889.0f);
    EXPECT_EQ(m.ReplicationMin[1], 667.0f);
    EXPECT_EQ(m.ReplicationMax[1], 889.0f);
    EXPECT_EQ(m.ModelState, kStateResults);
    EXPECT_EQ(m.ReplicationsDone, 1);
    EXPECT_FALSE(m.ResultDate.empty());
    EXPECT_EQ(m.ResultTime.size(), 8u);
    EXPECT_FALSE(RunActive());
    EXPECT_EQ(ActiveRun(), nullptr);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(sink.boxes.empty());
    ASSERT_FALSE(sink.statuses.empty());
    EXPECT_EQ(sink.statuses.back(), "");
}

TEST_F(MultiRunTest, DeterministicDispersalBetweenTwoPatches)
{
    Population(1, kExponential, "1000", "1");
    Population(2, kExponential, "0", "1");
    m.DispersalMatrix[2][1] = 0.1f;
    m.DispersalMatrix[1][2] = 0.1f;
    Run(0, 12);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(m.PopMean[1][1], 900.0f);
    EXPECT_EQ(m.PopMean[2][1], 100.0f);
    EXPECT_EQ(m.PopMean[1][2], 820.0f);
    EXPECT_EQ(m.PopMean[2][2], 180.0f);
    for (int t = 1; t <= 12; ++t) {
        EXPECT_EQ(m.TotalMean[t], 1000.0f) << t;
        const double difference = m.PopMean[1][t] - m.PopMean[2][t];
        // Each step rounds the two movements, by at most one individual each.
        EXPECT_NEAR(difference, 1000 * std::pow(0.8, t), t) << t;
    }
    EXPECT_TRUE(m.DispersalPresent);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MultiRunTest, LognormalGrowthHasTheMeanOfItsRate)
{
    // E N_t = N0 m^t; Var N_t = N0^2 ((m^2 + sd^2)^t - m^2t).
    const double n0 = 10000, mean = 1.05, sd = 0.1;
    const int replications = 1000;
    Population(1, kExponential, "10000", "1.05", "", "0.1");
    Run(replications, 10);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    for (int t = 1; t <= 10; ++t) {
        const double expected = n0 * std::pow(mean, t);
        const double variance = n0 * n0 * (std::pow(mean * mean + sd * sd, t) - std::pow(mean, 2 * t));
        EXPECT_NEAR(m.PopMean[1][t], expected, 4 * std::sqrt(variance / replications)) << t;
        EXPECT_NEAR(m.PopStdDev[1][t], std::sqrt(variance), 0.15 * std::sqrt(variance)) << t;
    }
}

TEST_F(MultiRunTest, DemographicStochasticityDrawsSurvivorsAndOffspring)
{
    // One step from N = 1000 with R = 1.2 and s = 0.5: f = 0.7,
    // E N' = N (s + f) = 1200, Var N' = N s (1 - s) + N f = 950.
    const int replications = 2000;
    Population(1, kExponential, "1000", "1.2").SurvivalText = "0.5";
    m.Info.DemographicStochasticity = true;
    Run(replications, 1);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    const double variance = 950;
    EXPECT_NEAR(m.PopMean[1][1], 1200, 4 * std::sqrt(variance / replications));
    const double sdVariance = variance * std::sqrt(2.0 / (replications - 1));
    EXPECT_NEAR(m.PopStdDev[1][1] * m.PopStdDev[1][1], variance, 4 * sdVariance);
}

TEST_F(MultiRunTest, DeviatesFollowTheCorrelationOfTheDistanceFunction)
{
    // Populations 0, 50 and 100 apart with a correlation of 0.5 at distance
    // 100: deviates correlated 0.5^(D/100). Large abundances make the one
    // step's growth a function of the deviate alone.
    const int replications = 2000;
    for (int i = 1; i <= 3; ++i)
        Population(i, kExponential, "1000000", "1", "", "0.2").XText = std::to_string(50 * (i - 1));
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    Calc_Matr(m, 'C');
    Run(replications, 1);
    std::vector<double> z[4];
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t, std::int32_t) {
        for (int i = 1; i <= 3; ++i)
            z[i].push_back(std::log(ActiveRun()->Abundance[i] / 1e6));
        return true;
    }));
    const double se = 4 * (1 - 0.5) / std::sqrt(replications);
    EXPECT_NEAR(SampleCorrelation(z[1], z[2]), std::sqrt(0.5), se);
    EXPECT_NEAR(SampleCorrelation(z[2], z[3]), std::sqrt(0.5), se);
    EXPECT_NEAR(SampleCorrelation(z[1], z[3]), 0.5, 4 * (1 - 0.25) / std::sqrt(replications));
}

TEST_F(MultiRunTest, CorrelationStructuresDrawOneSharedOrIndependentDeviates)
{
    struct Case {
        const char* what;
        const char* c100;
        const char* x2;
        bool same;
    };
    const Case cases[] = {
        // One place: a correlation of 1 is kept at 0.99999, fully correlated.
        {"same place", "0.5", "0", true},
        {"independent", "0", "50", false},
    };
    for (const Case& c : cases) {
        SetUp();
        Population(1, kExponential, "1000000", "1", "", "0.2");
        Population(2, kExponential, "1000000", "1", "", "0.2").XText = c.x2;
        m.DistanceFunctions.CorrelationAt100Text = c.c100;
        Calc_Matr(m, 'C');
        Run(500, 1);
        std::vector<double> a, b;
        TRunOutcome outcome;
        ASSERT_TRUE(Simulate(outcome, [&](std::int32_t, std::int32_t) {
            a.push_back(ActiveRun()->Abundance[1]);
            b.push_back(ActiveRun()->Abundance[2]);
            return true;
        })) << c.what;
        if (c.same)
            EXPECT_EQ(a, b) << c.what;
        else
            EXPECT_NEAR(SampleCorrelation(a, b), 0.0, 4 / std::sqrt(500.0)) << c.what;
        EXPECT_TRUE(warnings.empty()) << c.what;
    }
}

TEST_F(MultiRunTest, ACorrelationOfOneNeverReachesTheFactor)
{
    // A matrix marked as checked that still holds an exact 1 (populations 1
    // and 2 in one place): the run factors it with the 1 taken as 0.99999,
    // instead of failing and dropping every correlation.
    for (int i = 1; i <= 3; ++i)
        Population(i, kExponential, "1000000", "1", "", "0.2");
    m.CorrelationMatrix[1][1] = m.CorrelationMatrix[2][2] = m.CorrelationMatrix[3][3] = 1.0f;
    m.CorrelationMatrix[2][1] = 1.0f;
    m.CorrelationMatrix[3][1] = m.CorrelationMatrix[3][2] = 0.5f;
    m.CorrelationFromFunction = true;
    Run(300, 1);
    std::vector<double> a, b, c;
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t, std::int32_t) {
        a.push_back(std::log(ActiveRun()->Abundance[1] / 1e6));
        b.push_back(std::log(ActiveRun()->Abundance[2] / 1e6));
        c.push_back(std::log(ActiveRun()->Abundance[3] / 1e6));
        return true;
    }));
    EXPECT_TRUE(warnings.empty());
    EXPECT_GT(SampleCorrelation(a, b), 0.99);
    EXPECT_NEAR(SampleCorrelation(a, c), 0.5, 4 * 0.75 / std::sqrt(300.0));
    EXPECT_EQ(m.CorrelationMatrix[3][1], 0.5f);
}

TEST_F(MultiRunTest, SameSeedGivesIdenticalResults)
{
    Population(1, kScramble, "300", "1.3", "1000", "0.2").SurvivalText = "0.6";
    Population(2, kCeiling, "50", "1.1", "400", "0.1").XText = "30";
    Population(3, kContest, "20", "1.5", "200", "0.3").XText = "60";
    m.Info.DemographicStochasticity = true;
    m.DistanceFunctions.MaxDispersalRateText = "0.2";
    m.DistanceFunctions.AvgDispersalDistanceText = "40";
    m.DistanceFunctions.MaxDispersalDistanceText = "100";
    m.DistanceFunctions.CorrelationAt100Text = "0.3";
    UpdateDistanceMatrices(m);
    Run(50, 20);
    TRunOutcome outcome;
    Config.RandomSeed = "777";
    ASSERT_TRUE(Simulate(outcome));
    const TResults first = Results();
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_TRUE(Results() == first);
    Config.RandomSeed = "778";
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_FALSE(Results() == first);
}

TEST_F(MultiRunTest, StopDuringAReplicationFinishesIt)
{
    Population(1, kExponential, "100", "1.1", "", "0.1");
    Run(100, 10);
    std::int32_t lastReplication = 0, lastStep = 0;
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t r, std::int32_t t) {
        lastReplication = r;
        lastStep = t;
        return !(r == 5 && t == 3);
    }));
    EXPECT_EQ(outcome.end, TRunEnd::Stopped);
    EXPECT_EQ(outcome.replicationsDone, 5);
    EXPECT_EQ(m.ReplicationsDone, 5);
    EXPECT_EQ(lastReplication, 5);
    EXPECT_EQ(lastStep, 10);
    EXPECT_EQ(m.ModelState, kStateResults);
    // The statistics are those of the five replications.
    EXPECT_TRUE(std::is_sorted(m.ReplicationFinal.begin(), m.ReplicationFinal.begin() + 5));
    double sum = 0;
    for (int k = 1; k <= 5; ++k)
        sum += m.ReplicationFinal[k];
    EXPECT_NEAR(m.TotalMean[10], sum / 5, 1e-3 * sum);
}

TEST_F(MultiRunTest, ThresholdTextsThatAreNotNumbersBecomeShareOfTheIncludedTotal)
{
    Population(1, kExponential, "1000", "1");
    Population(2, kExponential, "42", "1");
    Population(3, kExponential, "500", "1").IncludeInTotals = false;
    Run(0, 5);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(m.Info.ExtinctionThresholdText, "104");
    EXPECT_EQ(m.Info.ExplosionThresholdText, "1563");
    EXPECT_EQ(m.ExtinctionThreshold, 104.0);
    EXPECT_EQ(m.ExplosionThreshold, 1563.0);

    m.Info.ExtinctionThresholdText = "2000";
    m.Info.ExplosionThresholdText = "1042";
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(m.ExtinctionThreshold, 2000.0);
    EXPECT_EQ(m.Info.ExtinctionThresholdText, "2000");
    EXPECT_EQ(m.ExtinctionTimes[1], 1);  // the included total of 1042 is below 2000 at once
    EXPECT_EQ(m.ExplosionTimes[1], 1);
    EXPECT_EQ(m.TotalMean[1], 1042.0f);
    EXPECT_EQ(m.OccupancyMean[1], 2.0f);
}

TEST_F(MultiRunTest, ExtinctionEndsTheReplicationWithMinimaZeroFromThen)
{
    // 100 -> 20 -> 4 -> 1 -> 0 (rounded) at step 4 of 10.
    Population(1, kExponential, "100", "0.2");
    Run(0, 10);
    int calls = 0;
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t, std::int32_t) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(m.TotalMin[3], 1.0f);
    for (int t = 4; t <= 10; ++t) {
        EXPECT_EQ(m.TotalMin[t], 0.0f) << t;
        EXPECT_EQ(m.PopMin[1][t], 0) << t;
        EXPECT_EQ(m.PopMean[1][t], 0.0f) << t;
        EXPECT_EQ(m.OccupancyMin[t], 0.0f) << t;
    }
    EXPECT_EQ(m.LocalOccupancyMean[1], 3.0f);
    EXPECT_EQ(m.ExtinctionTimes[2], 1);  // 10% of 100: crossed at step 2
}

TEST_F(MultiRunTest, ExtinctionInSomeReplicationsCountsAsZeroInTheMeans)
{
    // Small populations with demographic stochasticity die out in some
    // replications: the later steps of those count as 0, not as missing.
    Population(1, kExponential, "3", "1").SurvivalText = "0.6";
    m.Info.DemographicStochasticity = true;
    Run(400, 30);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    double sum = 0;
    for (int k = 1; k <= 400; ++k)
        sum += m.ReplicationFinal[k];
    EXPECT_NEAR(m.TotalMean[30], sum / 400, 1e-4 * std::max(sum, 1.0));
    EXPECT_EQ(m.TotalMin[30], 0.0f);
    EXPECT_EQ(m.ReplicationFinal[1], 0.0f);  // sorted: the extinct come first
}

TEST_F(MultiRunTest, CrossingBinsOfLongRuns)
{
    Population(1, kExponential, "100", "0.5");
    m.Info.ExtinctionThresholdText = "10";
    Run(0, 120);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(m.TimeBinWidth, 3);
    EXPECT_EQ(m.ExtinctionTimes[2], 1);  // 100 50 25 12 6: step 5 falls into bin 2
}

TEST_F(MultiRunTest, IdenticalReplicationsHaveNoSpreadAndNoRoundOff)
{
    // Large abundances that every replication repeats exactly: single
    // precision sums of squares would lose the variance to round-off.
    Population(1, kExponential, "123456789", "1.01");
    Population(2, kExponential, "98765432", "0.99");
    Run(1000, 20);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    for (int t = 1; t <= 20; ++t) {
        EXPECT_EQ(m.TotalStdDev[t], 0.0f) << t;
        EXPECT_EQ(m.PopStdDev[1][t], 0.0f) << t;
        EXPECT_EQ(m.TotalMin[t], m.TotalMax[t]) << t;
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MultiRunTest, AbundancesAtTheCountLimitAreCappedAndReported)
{
    Population(1, kExponential, "1000000000", "10");
    Run(0, 3);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(m.PopMax[1][1], 2147479999);
    EXPECT_TRUE(m.OverflowFlag);
    EXPECT_EQ(warnings, std::vector<std::string>{"Overflow error."});
}

TEST_F(MultiRunTest, RunsThatCannotBeMadeLeaveTheModelAlone)
{
    struct Case {
        const char* what;
        std::int32_t replications, duration;
        TRunEnd end;
        std::string message;
    };
    const Case cases[] = {
        {"no time steps", 10, 0, TRunEnd::Refused, "The duration must be from 1 to 150 time steps"},
        {"too many time steps", 10, 151, TRunEnd::Refused, "The duration must be from 1 to 150 time steps"},
        {"too many replications", 2001, 10, TRunEnd::Refused, "The number of replications must be from 0 to 2000"},
        {"negative replications", -1, 10, TRunEnd::Refused, "The number of replications must be from 0 to 2000"},
    };
    Population(1, kExponential, "100", "1.1");
    Run(3, 5);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    const TResults before = Results();
    for (const Case& c : cases) {
        sink.boxes.clear();
        Run(c.replications, c.duration);
        EXPECT_FALSE(Simulate(outcome)) << c.what;
        EXPECT_EQ(outcome.end, c.end) << c.what;
        ASSERT_EQ(sink.boxes.size(), 1u) << c.what;
        EXPECT_EQ(sink.boxes[0].text, c.message) << c.what;
        EXPECT_EQ(m.ModelState, kStateResults) << c.what;
        Run(3, 5);
        EXPECT_TRUE(Results() == before) << c.what;
    }

    sink.boxes.clear();
    m.Populations[1].GrowthRateText = "";
    EXPECT_FALSE(Simulate(outcome));
    EXPECT_EQ(outcome.end, TRunEnd::InvalidInput);
    ASSERT_EQ(sink.boxes.size(), 2u);
    EXPECT_EQ(sink.boxes[1].text, "Error in input data");
    EXPECT_EQ(m.ModelState, kStateEmpty);
}

TEST_F(MultiRunTest, AFailureLeavesInputsWithoutResults)
{
    Population(1, kExponential, "100", "1.1", "", "0.1");
    Run(5, 10);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    ASSERT_EQ(m.ModelState, kStateResults);
    sink.statuses.clear();
    bool activeAtBox = true;
    struct TSinkSeeingTheRun : RecordingSink {
        bool* active;
        void ShowBox(TBoxKind kind, const std::string& caption, const std::string& text) override
        {
            *active = ActiveRun() != nullptr;
            RecordingSink::ShowBox(kind, caption, text);
        }
    } seeing;
    seeing.active = &activeAtBox;
    EXPECT_FALSE(Simulate(outcome, [](std::int32_t r, std::int32_t t) -> bool {
        if (r == 2 && t == 3)
            throw std::runtime_error("boom");
        return true;
    }));
    EXPECT_EQ(outcome.end, TRunEnd::Failed);
    EXPECT_EQ(m.ModelState, kStateInputs);
    ASSERT_EQ(seeing.boxes.size(), 1u);
    EXPECT_EQ(seeing.boxes[0].text, "Simulation: boom");
    EXPECT_FALSE(activeAtBox);
    ASSERT_FALSE(seeing.statuses.empty());
    EXPECT_EQ(seeing.statuses.back(), "");
    EXPECT_FALSE(RunActive());

    // A run started from inside a run's callback is turned away.
    seeing.boxes.clear();
    ASSERT_TRUE(Simulate(outcome, [&](std::int32_t, std::int32_t) {
        TRunOutcome inner;
        EXPECT_FALSE(RunSimulation(m, kGoOn, &inner));
        EXPECT_EQ(inner.end, TRunEnd::Failed);
        return false;
    }));
    ASSERT_FALSE(seeing.boxes.empty());
    EXPECT_EQ(seeing.boxes[0].text, "Simulation: a run is already in progress");
}

// Every population linked to every other, at the population, duration and
// replication limits of the map program, with every source of randomness.
TEST_F(MultiRunTest, StressAtTheLimits)
{
    TMultiLimits limits;
    AllocateModel(m, limits);
    for (int i = 1; i <= limits.MaxPops; ++i) {
        multi::PopulationRecord& pop = Population(i, static_cast<std::uint8_t>(1 + i % 3), "30", "1.2", "50", "0.3");
        pop.XText = std::to_string(10 * (i % 5));
        pop.YText = std::to_string(10 * (i / 5));
        pop.TrendInKText = "0.5";
    }
    m.Info.DemographicStochasticity = true;
    m.DistanceFunctions.MaxDispersalRateText = "0.01";
    m.DistanceFunctions.AvgDispersalDistanceText = "1000";
    m.DistanceFunctions.MaxDispersalDistanceText = "1000";
    m.DistanceFunctions.CorrelationAt100Text = "0.4";
    UpdateDistanceMatrices(m);
    Run(limits.MaxReplications, limits.MaxDuration);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(outcome));
    EXPECT_EQ(outcome.end, TRunEnd::Completed);
    EXPECT_EQ(m.ReplicationsDone, 1000);
    for (int i = 1; i <= limits.MaxPops; ++i)
        for (int j = 1; j <= limits.MaxPops; ++j) {
            if (i != j) {
                ASSERT_GT(m.DispersalMatrix[i][j], 0.0f);
            }
        }
    for (int t = 1; t <= limits.MaxDuration; ++t) {
        EXPECT_LE(m.TotalMin[t], m.TotalMean[t]);
        EXPECT_LE(m.TotalMean[t], m.TotalMax[t]);
        EXPECT_GE(m.OccupancyMin[t], 0.0f);
        EXPECT_LE(m.OccupancyMax[t], 22.0f);
    }
}
