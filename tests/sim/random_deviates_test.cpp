#include "sim/random_deviates.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace {

// Upper critical value of chi-square with k degrees of freedom at about five
// standard normal deviations (Wilson-Hilferty), so a sound generator never
// fails by chance while a wrong distribution fails by orders of magnitude.
double ChiSquareLimit(int k)
{
    const double z = 5.0;
    const double a = 2.0 / (9.0 * k);
    return k * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

struct ChiSquare {
    double statistic = 0.0;
    int freedom = 0;
};

// Goodness of fit of observed counts over 0..counts.size()-1 (the last bin
// holds everything above) against pmf, merging bins until each expects 5.
ChiSquare Fit(const std::vector<long>& counts, long draws, const std::vector<double>& pmf)
{
    ChiSquare result;
    double expected = 0.0, observed = 0.0, cumulative = 0.0;
    int bins = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const double pk = k + 1 < counts.size() ? pmf[k] : 1.0 - cumulative;
        cumulative += pk;
        expected += pk * draws;
        observed += counts[k];
        if (expected >= 5.0 && 1.0 - cumulative >= 5.0 / draws) {
            result.statistic += (observed - expected) * (observed - expected) / expected;
            ++bins;
            expected = observed = 0.0;
        }
    }
    if (expected > 0.0) {
        result.statistic += (observed - expected) * (observed - expected) / expected;
        ++bins;
    }
    result.freedom = bins - 1;
    return result;
}

double NormalCdf(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

} // namespace

TEST(RandomDeviates, SameSeedRepeatsAndOtherSeedDiffers)
{
    TRandomSource a(12345), b(12345), c(12346);
    int differences = 0;
    for (int i = 0; i < 1000000; ++i) {
        const float x = NormalDeviate(a);
        ASSERT_EQ(x, NormalDeviate(b)) << "draw " << i;
        differences += x != NormalDeviate(c);
    }
    EXPECT_GT(differences, 990000);

    // Reseeding restarts the sequence.
    a.Seed(7);
    std::vector<double> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(a.Uniform());
    a.Seed(7);
    for (double u : first)
        EXPECT_EQ(u, a.Uniform());
}

// Runs saved by earlier versions are reproduced from their seed only if the
// uniform numbers stay the top 53 bits of std::mt19937_64's words, seeded the
// same way, across every refill of the generator's state and after a reseed.
TEST(RandomDeviates, UniformsAreTheTopBitsOfTheStandardGenerator)
{
    for (std::uint32_t seed : {0u, 1u, 12345u, 4294967295u}) {
        SCOPED_TRACE(seed);
        TRandomSource random(seed);
        std::mt19937_64 reference(seed);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(random.Uniform(), static_cast<double>(reference() >> 11) * 0x1.0p-53) << "draw " << i;
        random.Seed(seed);
        reference.seed(seed);
        for (int i = 0; i < 400; ++i)
            ASSERT_EQ(random.Uniform(), static_cast<double>(reference() >> 11) * 0x1.0p-53) << "reseeded, draw " << i;
    }
}

// Fewer than 25 trials: the successes are the uniform numbers below the rarer
// outcome's probability, one per trial, taken in order; the stream goes on
// right after them, also where a call's trials span a refill of the state.
TEST(RandomDeviates, FewTrialsTakeOneUniformEach)
{
    TRandomSource random(31), reference(31);
    for (int call = 0; call < 3000; ++call) {
        const std::int32_t n = call % 25;
        const double p = (call % 7 + 0.5) / 7.0;
        const double q = std::min(p, 1.0 - p);
        int hits = 0;
        for (std::int32_t k = 0; k < n; ++k)
            hits += reference.Uniform() < q;
        ASSERT_EQ(BNLDEV(random, n, p), p > 0.5 ? n - hits : hits) << "call " << call;
    }
    EXPECT_EQ(random.Uniform(), reference.Uniform());
}

TEST(RandomDeviates, NormalDeviateHasStandardNormalDistribution)
{
    TRandomSource random(2024);
    const int draws = 1000000;
    constexpr int kBins = 32; // width 0.25 over -4..4, outer bins open
    std::vector<long> counts(kBins, 0);
    double sum = 0.0, sumSq = 0.0;
    long beyondTail = 0;
    for (int i = 0; i < draws; ++i) {
        const double x = NormalDeviate(random);
        sum += x;
        sumSq += x * x;
        beyondTail += std::abs(x) > 2.11403;
        const int bin = std::clamp(static_cast<int>(std::floor((x + 4.0) / 0.25)), 0, kBins - 1);
        ++counts[bin];
    }
    const double mean = sum / draws;
    const double variance = sumSq / draws - mean * mean;
    EXPECT_NEAR(mean, 0.0, 5 * std::sqrt(1.0 / draws));
    EXPECT_NEAR(variance, 1.0, 5 * std::sqrt(2.0 / draws));
    const double tail = 0.03451;
    EXPECT_NEAR(static_cast<double>(beyondTail) / draws, tail, 5 * std::sqrt(tail * (1 - tail) / draws));

    double chi = 0.0;
    for (int b = 0; b < kBins; ++b) {
        const double lo = b == 0 ? -INFINITY : -4.0 + 0.25 * b;
        const double hi = b == kBins - 1 ? INFINITY : -4.0 + 0.25 * (b + 1);
        const double expected = (NormalCdf(hi) - NormalCdf(lo)) * draws;
        chi += (counts[b] - expected) * (counts[b] - expected) / expected;
    }
    EXPECT_LT(chi, ChiSquareLimit(kBins - 1));
}

TEST(RandomDeviates, LogGammaKnownValues)
{
    EXPECT_NEAR(LogGamma(0.5), 0.5723649429, 1e-9);
    EXPECT_NEAR(LogGamma(10.0), 12.80182748, 1e-8);
    EXPECT_NEAR(LogGamma(1.0), 0.0, 1e-9);
    EXPECT_NEAR(LogGamma(1001.0), std::lgamma(1001.0), 1e-7);
}

TEST(RandomDeviates, PoissonMatchesExactDistribution)
{
    const int draws = 200000;
    for (double mean : {0.5, 5.0, 11.9, 12.0, 300.0}) {
        SCOPED_TRACE(mean);
        TRandomSource random(99);
        const int top = static_cast<int>(mean + 12 * std::sqrt(mean) + 20);
        std::vector<long> counts(top + 1, 0);
        for (int i = 0; i < draws; ++i)
            ++counts[std::min(POIDEV(random, mean), top)];
        std::vector<double> pmf(top + 1);
        for (int k = 0; k <= top; ++k)
            pmf[k] = std::exp(k * std::log(mean) - mean - std::lgamma(k + 1.0));
        const ChiSquare fit = Fit(counts, draws, pmf);
        EXPECT_LT(fit.statistic, ChiSquareLimit(fit.freedom)) << "freedom " << fit.freedom;
    }
    TRandomSource random(1);
    EXPECT_EQ(POIDEV(random, 0.0), 0);
}

TEST(RandomDeviates, BinomialMatchesExactDistribution)
{
    // (20000, 0.9995) expects 10 failures: deciding the normal approximation
    // on n*p alone would make "no failure" about 30 times too likely.
    struct Case {
        int n;
        double p;
    };
    const Case cases[] = {{20, 0.3}, {100, 0.4}, {500, 0.9}, {1000, 0.0005}, {20000, 0.9995}};
    const int draws = 200000;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << ", " << c.p);
        TRandomSource random(4242);
        // Count the rarer outcome so the table stays small.
        const bool failures = c.p > 0.5;
        const double q = failures ? 1.0 - c.p : c.p;
        const int top = std::min(c.n, static_cast<int>(c.n * q + 12 * std::sqrt(c.n * q) + 20));
        std::vector<long> counts(top + 1, 0);
        for (int i = 0; i < draws; ++i) {
            const int x = BNLDEV(random, c.n, c.p);
            ASSERT_GE(x, 0);
            ASSERT_LE(x, c.n);
            ++counts[std::min(failures ? c.n - x : x, top)];
        }
        std::vector<double> pmf(top + 1);
        for (int k = 0; k <= top; ++k)
            pmf[k] = std::exp(std::lgamma(c.n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(c.n - k + 1.0) +
                              k * std::log(q) + (c.n - k) * std::log1p(-q));
        const ChiSquare fit = Fit(counts, draws, pmf);
        EXPECT_LT(fit.statistic, ChiSquareLimit(fit.freedom)) << "freedom " << fit.freedom;
    }
}

namespace {

// The Lorentzian rejection of the binomial (1 <= n q <= 10000, n >= 25) and
// Poisson (12 <= mean <= 10000) deviates written out plainly, with std::tan
// and std::exp at every candidate.
double RejectionAsWritten(TRandomSource& random, double sq, double mean, double upper, double envelope,
                          const std::function<double(double)>& w)
{
    for (;;) {
        double y, e;
        do {
            y = std::tan(std::numbers::pi * random.Uniform());
            e = sq * y + mean;
        } while (!(e >= 0.0 && e < upper));
        e = std::floor(e);
        const double ratio = w(e) <= -60.0 ? 0.0 : std::exp(std::min(w(e), 60.0));
        if (random.Uniform() <= envelope * (1.0 + y * y) * ratio)
            return e;
    }
}

std::int32_t BinomialAsWritten(TRandomSource& random, std::int32_t n, double p)
{
    const double q = std::min(p, 1.0 - p);
    const double trials = n, mean = trials * q;
    const double sq = std::sqrt(2.0 * mean * (1.0 - q));
    const double x = RejectionAsWritten(random, sq, mean, trials + 1.0, 1.2 * sq, [&](double e) {
        return LogGamma(trials + 1.0) - LogGamma(e + 1.0) - LogGamma(trials - e + 1.0) + e * std::log(q) +
               (trials - e) * std::log(1.0 - q);
    });
    return static_cast<std::int32_t>(q != p ? trials - x : x);
}

std::int32_t PoissonAsWritten(TRandomSource& random, double mean)
{
    const double g = mean * std::log(mean) - LogGamma(mean + 1.0);
    return static_cast<std::int32_t>(RejectionAsWritten(random, std::sqrt(2.0 * mean), mean,
                                                        std::numeric_limits<double>::infinity(), 0.9, [&](double e) {
                                                            return e * std::log(mean) - LogGamma(e + 1.0) - g;
                                                        }));
}

} // namespace

// The rejection methods take their decisions on a fast tangent and check
// each against a slack: the draws, and where the stream goes on, must be
// exactly those of the method written with the library functions, for plain
// and prepared probabilities, over the means where the candidates fall on
// both sides of whole numbers and of the ends of the range.
TEST(RandomDeviates, RejectionDrawsAreThoseOfTheMethodAsWritten)
{
    struct Case {
        std::int32_t n;
        double p;
    };
    const Case binomials[] = {{26, 0.04},  {26, 0.96},  {40, 0.5},     {520, 0.019}, {520, 0.981},
                              {1000, 0.3}, {5000, 0.7}, {65535, 0.01}, {100000, 0.09}};
    const double poissons[] = {12.0, 12.5, 40.0, 300.0, 9990.0};
    TRandomSource random(2718), reference(2718);
    for (int round = 0; round < 4000; ++round) {
        for (const Case& c : binomials) {
            // Vary n and p a little so that the constants' caches change.
            const std::int32_t n = c.n + round % 3;
            const double p = c.p * (1.0 + 1e-4 * (round % 5));
            const TBinomialRate prepared = MakeBinomialRate(p);
            const std::int32_t expected = BinomialAsWritten(reference, n, p);
            ASSERT_EQ(round % 2 == 0 ? BNLDEV(random, n, p) : BNLDEV(random, n, prepared), expected)
                << "round " << round << ", n " << n << ", p " << p;
        }
        for (double mean : poissons) {
            const double m = mean * (1.0 + 1e-4 * (round % 7));
            ASSERT_EQ(POIDEV(random, m), PoissonAsWritten(reference, m)) << "round " << round << ", mean " << m;
        }
    }
    EXPECT_EQ(random.Uniform(), reference.Uniform());
}

// A prepared rate of 0 or 1, or one outside 0..1, draws and warns as the
// plain probability does.
TEST(RandomDeviates, PreparedRatesAtAndPastTheEndsActAsThePlainOnes)
{
    const RecordingSink sink;
    for (double p : {0.0, 1.0, -0.5, 1.5, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(p);
        TRandomSource plain(3), prepared(3);
        for (std::int32_t n : {0, 10, 30, 500})
            EXPECT_EQ(BNLDEV(prepared, n, MakeBinomialRate(p)), BNLDEV(plain, n, p));
        EXPECT_EQ(prepared.Uniform(), plain.Uniform());
    }
}

TEST(RandomDeviates, LargeMeansUseNormalApproximation)
{
    TRandomSource random(5);
    const int draws = 20000;
    struct Case {
        const char* what;
        double mean, variance;
    };
    double poissonSum = 0, poissonSq = 0, binomialSum = 0, binomialSq = 0;
    for (int i = 0; i < draws; ++i) {
        const double x = POIDEV(random, 40000.0);
        poissonSum += x;
        poissonSq += x * x;
        const double y = BNLDEV(random, 100000, 0.3);
        binomialSum += y;
        binomialSq += y * y;
    }
    const Case results[] = {{"poisson", poissonSum / draws, poissonSq / draws - std::pow(poissonSum / draws, 2)},
                            {"binomial", binomialSum / draws, binomialSq / draws - std::pow(binomialSum / draws, 2)}};
    const double expectedMean[] = {40000.0, 30000.0};
    const double expectedVariance[] = {40000.0, 21000.0};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(results[k].what);
        EXPECT_NEAR(results[k].mean, expectedMean[k], 5 * std::sqrt(expectedVariance[k] / draws));
        EXPECT_NEAR(results[k].variance, expectedVariance[k], 5 * expectedVariance[k] * std::sqrt(2.0 / draws));
    }
    EXPECT_FALSE(random.overflow);
}

TEST(RandomDeviates, BadArgumentsWarnOnceAndNeverHang)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        bool binomial;
        int n;
        double argument;
        int expected;
        const char* warning;
    };
    const Case cases[] = {
        {true, 10, 1.2, 10, "Invalid argument for BNLDEV"},
        {true, -1, 0.5, 0, "Invalid argument for BNLDEV"},
        {true, 10, -0.1, 0, "Invalid argument for BNLDEV"},
        {true, 100, nan, 0, "Invalid argument for BNLDEV"},
        {false, 0, -1.0, 0, "Negative argument for POIDEV"},
        {false, 0, nan, 0, "Invalid argument for POIDEV"},
        {false, 0, -inf, 0, "Invalid argument for POIDEV"},
        {false, 0, inf, 2147483646, "Invalid argument for POIDEV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        RecordingSink sink;
        TRandomSource random(3);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(c.binomial ? BNLDEV(random, c.n, c.argument) : POIDEV(random, c.argument), c.expected);
        EXPECT_EQ(sink.warnings, std::vector<std::string>{c.warning});
        ReportRepeatedDeviateWarnings(random);
        EXPECT_EQ(sink.warnings.back(), std::string(c.warning) + " (999 more times)");
        // The counts start again after the report.
        ReportRepeatedDeviateWarnings(random);
        EXPECT_EQ(sink.warnings.size(), 2u);
    }
}

TEST(RandomDeviates, CountsAtTheLimitAreCappedAndFlagged)
{
    TRandomSource random(8);
    EXPECT_EQ(BNLDEV(random, 2147483647, 1.0), 2147483646);
    EXPECT_TRUE(random.overflow);
    random.overflow = false;
    EXPECT_EQ(POIDEV(random, 1e12), 2147483646);
    EXPECT_TRUE(random.overflow);
    random.overflow = false;
    EXPECT_EQ(BNLDEV(random, 2000000000, 1.0), 2000000000);
    EXPECT_FALSE(random.overflow);

    // A normal-approximation value just below the limit that rounds up to it
    // is capped as well: the mean is chosen so that seed 9's first deviate
    // gives 2147483646.75.
    TRandomSource probe(9);
    const double z = NormalDeviate(probe);
    double mean = 2147483646.75;
    for (int i = 0; i < 5; ++i)
        mean = 2147483646.75 - std::sqrt(mean) * z;
    TRandomSource nearLimit(9);
    EXPECT_EQ(POIDEV(nearLimit, mean), 2147483646);
    EXPECT_TRUE(nearLimit.overflow);
}

TEST(RandomDeviates, HeapSortSortsAscending)
{
    TRandomSource random(11);
    std::vector<float> shuffled(1001);
    for (float& x : shuffled)
        x = static_cast<float>(std::floor(random.Uniform() * 50.0)); // many ties
    const std::vector<std::vector<float>> cases = {
        {}, {3.0f}, {2.0f, 1.0f}, {5, 4, 3, 2, 1, 0}, {1, 1, 1, 0, 0}, {-2.5f, 7.0f, -2.5f, 0.0f, 3.0f}, shuffled};
    for (std::vector<float> values : cases) {
        std::vector<float> expected = values;
        std::sort(expected.begin(), expected.end());
        HeapSortSingles(values);
        EXPECT_EQ(values, expected);
    }
}

TEST(RandomDeviates, CorrelationFactorReproducesMatrix)
{
    struct Case {
        int populations;
        std::vector<float> r; // full symmetric matrix, row-major
    };
    const Case cases[] = {
        {1, {1.0f}},
        {2, {1.0f, 0.99999f, 0.99999f, 1.0f}},
        {3, {1.0f, 0.5f, 0.2f, 0.5f, 1.0f, 0.3f, 0.2f, 0.3f, 1.0f}},
        {4, {1.0f, 0.6f, 0.4f, 0.2f, 0.6f, 1.0f, 0.6f, 0.4f, 0.4f, 0.6f, 1.0f, 0.6f, 0.2f, 0.4f, 0.6f, 1.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.populations);
        RecordingSink sink;
        const int p = c.populations;
        std::vector<float> r = c.r;
        std::vector<double> l(p * p, -7.0);
        ASSERT_TRUE(FactorCorrelationMatrix(r, l, p));
        EXPECT_TRUE(sink.warnings.empty());
        EXPECT_EQ(r, c.r);
        for (int i = 0; i < p; ++i)
            for (int j = 0; j < p; ++j) {
                double s = 0.0;
                for (int k = 0; k < p; ++k)
                    s += l[i * p + k] * l[j * p + k];
                EXPECT_NEAR(s, c.r[i * p + j], 1e-9) << i << "," << j;
                if (j > i) {
                    EXPECT_EQ(l[i * p + j], 0.0);
                }
            }
    }
}

TEST(RandomDeviates, ImpossibleCorrelationsFallBackToIndependence)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::vector<float>> cases = {
        {1.0f, 0.9f, 0.9f, 0.9f, 1.0f, -0.9f, 0.9f, -0.9f, 1.0f},
        {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f},
        {1.0f, nan, 0.0f, nan, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f},
    };
    const std::vector<float> identity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (std::vector<float> r : cases) {
        RecordingSink sink;
        std::vector<double> l(9, 0.5);
        EXPECT_FALSE(FactorCorrelationMatrix(r, l, 3));
        EXPECT_EQ(sink.warnings, std::vector<std::string>{"Error in Correlation Matrix... Defaulting"});
        EXPECT_EQ(r, identity);
        EXPECT_EQ(l, std::vector<double>(identity.begin(), identity.end()));
    }
}
