#include "single/run_simulation.h"

#include "core/batch_log.h"
#include "single/live_chart.h"
#include "single/plot_buffer.h"
#include "single_model.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

using namespace multi;

namespace {

const TProgress kGoOn = [](std::int32_t, std::int32_t) { return true; };

class SingleRunTest : public SingleModelTest {
protected:
    bool Simulate(TRunOutcome* outcome = nullptr, const TProgress& progress = kGoOn)
    {
        return single::RunSimulation(m, progress, outcome);
    }
    std::vector<float> Means() const
    {
        std::vector<float> means;
        for (int t = 1; t <= m.Duration; ++t) means.push_back(m.TotalMean[t]);
        return means;
    }
};

}  // namespace

// Deterministic runs (no replications asked for): one replication, counts
// rounded to the nearest whole number with ties to even, the ceiling, and
// density dependence at K.
TEST_F(SingleRunTest, DeterministicTrajectories)
{
    const struct {
        const char* what;
        std::uint8_t type;
        const char *n0, *r, *k;
        int duration;
        std::vector<float> expected;  // the last values of the trajectory
    } cases[] = {
        {"doubling", kExponential, "1", "2", "", 10, {128, 256, 512, 1024}},
        {"halving, ties to even", kExponential, "3", "0.5", "", 3, {2, 1, 0}},
        {"ceiling", kCeiling, "10", "2", "100", 5, {20, 40, 80, 100, 100}},
        {"contest at K", kContest, "500", "1.8", "500", 4, {500, 500, 500, 500}},
        {"scramble at K", kScramble, "500", "1.8", "500", 4, {500, 500, 500, 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Population(c.type, c.n0, c.r, c.k, "0.3");  // the SD of R plays no part
        Counts(0, c.duration);
        warnings.clear();
        TRunOutcome outcome;
        ASSERT_TRUE(Simulate(&outcome)) << sink.BoxTexts();
        EXPECT_EQ(outcome.end, TRunEnd::Completed);
        EXPECT_EQ(m.ReplicationsDone, 1);
        const std::vector<float> means = Means();
        EXPECT_EQ(std::vector<float>(means.end() - static_cast<std::ptrdiff_t>(c.expected.size()), means.end()),
                  c.expected);
        EXPECT_EQ(m.TotalStdDev[c.duration], 0.0f);
        EXPECT_TRUE(warnings.empty());
    }

    // Doubling past the largest count: capped and reported.
    Population(kExponential, "1", "2");
    Counts(0, 31);
    ASSERT_TRUE(Simulate());
    EXPECT_EQ(m.TotalMean[30], 1073741824.0f);
    EXPECT_EQ(m.PopMax[1][31], 2147479999);
    EXPECT_EQ(warnings, std::vector<std::string>{"Overflow error."});
}

TEST_F(SingleRunTest, StatusTextsDescribeTheRunBeforeItsFirstReplication)
{
    m.Info.Title = "Island voles";
    m.Info.Comment1 = "first";
    m.Info.Comment4 = "fourth";
    Population(kExponential, "100", "1.1", "", "0.1");
    ModelFileName = "/data/voles.sp";
    const std::vector<std::string> description = {"Island voles", "first", "", "", "fourth"};
    const struct {
        std::int32_t replications;
        bool batch;
        std::vector<std::string> last;
    } cases[] = {
        {0, false, {"Deterministic simulation with 7 time steps"}},
        {12, true, {"Batch run... File: /data/voles.sp", "Stochastic simulation with 12 replications and 7 time steps"}},
    };
    for (const auto& c : cases) {
        Counts(c.replications, 7);
        BatchMode = c.batch;
        sink.statuses.clear();
        std::vector<std::string> atFirstStep;
        ASSERT_TRUE(Simulate(nullptr, [&](std::int32_t r, std::int32_t t) {
            if (r == 1 && t == 1) atFirstStep = sink.statuses;
            return true;
        }));
        ResetBatchLog();
        std::vector<std::string> expected = description;
        expected.insert(expected.end(), c.last.begin(), c.last.end());
        ASSERT_GE(atFirstStep.size(), expected.size());
        EXPECT_EQ(std::vector<std::string>(atFirstStep.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                           atFirstStep.end()),
                  expected);
        EXPECT_EQ(sink.statuses.back(), "");
    }
}

// Populations of this program are never linked: a dispersal matrix or
// correlations left in a file change nothing.
TEST_F(SingleRunTest, PopulationsAreNeitherDispersedNorCorrelated)
{
    m.PopCount = 2;
    for (int i = 1; i <= 2; ++i) {
        m.Populations[i].DDType = kExponential;
        m.Populations[i].InitialAbundanceText = "1000";
        m.Populations[i].GrowthRateText = "1.0";
        m.Populations[i].StdDevOfRText = "0.3";
    }
    m.DispersalMatrix[2][1] = 0.5f;
    m.CorrelationMatrix[1][1] = m.CorrelationMatrix[2][2] = 1.0f;
    m.CorrelationMatrix[2][1] = 1.0f;
    m.CorrelationFromFunction = true;

    Counts(0, 5);
    ASSERT_TRUE(Simulate());
    EXPECT_EQ(m.PopMean[1][5], 1000.0f);
    EXPECT_EQ(m.PopMean[2][5], 1000.0f);
    EXPECT_FALSE(m.DispersalPresent);

    Counts(20, 5);
    ASSERT_TRUE(Simulate());
    int differing = 0;
    for (int t = 1; t <= 5; ++t) differing += m.PopMax[1][t] != m.PopMax[2][t];
    EXPECT_GT(differing, 0) << "the two populations drew the same deviates";
    EXPECT_TRUE(warnings.empty());
}

// Lognormal growth: the mean follows N0 R^T and the median of the final
// abundances N0 e^(mu T), mu = ln R - s2 / 2, s2 = ln(1 + sd^2 / R^2).
TEST_F(SingleRunTest, LognormalGrowthAgainstTheory)
{
    const double n0 = 1e4, r = 1.05, sd = 0.2;
    const int T = 20, n = 1000;
    Population(kExponential, "10000", "1.05", "", "0.2");
    Counts(n, T);
    TRunOutcome outcome;
    ASSERT_TRUE(Simulate(&outcome));
    ASSERT_EQ(m.ReplicationsDone, n);

    const double mean = n0 * std::pow(r, T);
    const double variance = n0 * n0 * (std::pow(r * r + sd * sd, T) - std::pow(r, 2 * T));
    EXPECT_NEAR(m.TotalMean[T], mean, 4 * std::sqrt(variance / n));

    const double s2 = std::log(1 + sd * sd / (r * r));
    const double mu = std::log(r) - s2 / 2;
    // The finals are sorted; the median of ln N_T is normal with SE
    // sqrt(pi / 2) sd / sqrt(n).
    const double median = 0.5 * (m.ReplicationFinal[n / 2] + m.ReplicationFinal[n / 2 + 1]);
    const double medianSe = std::sqrt(std::acos(-1.0) / 2) * std::sqrt(T * s2) / std::sqrt(n);
    EXPECT_NEAR(std::log(median), std::log(n0) + mu * T, 4 * medianSe);
}

// Demographic stochasticity alone: each individual survives with s and has
// Poisson(R - s) offspring, so the extinction probability by T is G_T(0)^N0
// with G(z) = (1 - s + s z) e^((R - s)(z - 1)).
TEST_F(SingleRunTest, DemographicStochasticityAgainstTheory)
{
    const int n0 = 10, T = 20, n = 2000;
    const double r = 1.0, s = 0.5;
    Population(kExponential, "10", "1.0", "", "", "0.5");
    m.Info.DemographicStochasticity = true;
    Counts(n, T);
    ASSERT_TRUE(Simulate());

    double q = 0;
    for (int t = 0; t < T; ++t) q = (1 - s + s * q) * std::exp((r - s) * (q - 1));
    const double p = std::pow(q, n0);
    int extinct = 0;
    for (int k = 1; k <= n; ++k) extinct += m.ReplicationFinal[k] == 0.0f;
    EXPECT_NEAR(static_cast<double>(extinct) / n, p, 4 * std::sqrt(p * (1 - p) / n));
}

// Sums of squares in double precision: replications that all repeat the same
// large abundances have no spread and give no round-off warning.
TEST_F(SingleRunTest, LargeIdenticalReplicationsHaveNoSpread)
{
    Population(kExponential, "1500000000", "1.0", "", "0");
    Counts(500, 10);
    ASSERT_TRUE(Simulate());
    for (int t = 1; t <= 10; ++t) {
        EXPECT_EQ(m.TotalStdDev[t], 0.0f) << t;
        EXPECT_EQ(m.TotalMean[t], 1.5e9f) << t;
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SingleRunTest, TheRunPreparesTheLiveChartWithinThePlotBuffer)
{
    Population(kExponential, "100", "1.01");
    single::TrajectoryChart.SetUp = true;
    single::PlotBuffer.PlotMean.fill(5.0f);
    // A run longer than the buffer fills what the buffer holds, no more.
    Counts(0, 300);
    ASSERT_TRUE(Simulate());
    EXPECT_FALSE(single::TrajectoryChart.SetUp);
    for (int t = 0; t < TPlotBuffer::kPoints; ++t)
        EXPECT_EQ(single::PlotBuffer.PlotX[static_cast<std::size_t>(t)], static_cast<float>(t)) << t;
    EXPECT_EQ(single::PlotBuffer.PlotMean[0], 5.0f);
    EXPECT_EQ(single::PlotBuffer.PlotMean[1], 0.0f);
    EXPECT_EQ(single::PlotBuffer.PlotMean[TPlotBuffer::kPoints - 1], 0.0f);
}

TEST_F(SingleRunTest, InvalidInputAndFailuresLeaveNoResults)
{
    // Survival is checked only with demographic stochasticity.
    Population(kExponential, "100", "1.1", "", "", "1.5");
    Counts(10, 5);
    ASSERT_TRUE(Simulate());
    EXPECT_TRUE(sink.boxes.empty()) << sink.BoxTexts();
    const single::TRunEndTexts ended = single::LastRunEnd;
    EXPECT_EQ(ended.Date, m.ResultDate);
    EXPECT_EQ(ended.Time, m.ResultTime);

    m.Info.DemographicStochasticity = true;
    TRunOutcome outcome;
    EXPECT_FALSE(Simulate(&outcome));
    EXPECT_EQ(outcome.end, TRunEnd::InvalidInput);
    EXPECT_EQ(sink.BoxTexts(), "[Invalid input parameter: \"Survival rate\"][Error in input data]");
    EXPECT_EQ(m.ModelState, kStateEmpty);

    // An error inside the run: reported, no results, the run no longer active.
    m.Populations[1].SurvivalText = "0.5";
    sink.boxes.clear();
    single::LastRunEnd.Date = "before";
    EXPECT_FALSE(Simulate(&outcome, [](std::int32_t r, std::int32_t) -> bool {
        EXPECT_TRUE(single::RunActive());
        if (r == 3) throw std::runtime_error("boom");
        return true;
    }));
    EXPECT_EQ(outcome.end, TRunEnd::Failed);
    EXPECT_EQ(sink.BoxTexts(), "[Simulation: boom]");
    EXPECT_FALSE(single::RunActive());
    EXPECT_EQ(m.ModelState, kStateInputs);
    EXPECT_EQ(sink.statuses.back(), "");
    EXPECT_EQ(single::LastRunEnd.Date, "before");
    single::LastRunEnd = ended;
}
