#pragma once
// Every random quantity of a run: standard normal deviates for environmental
// stochasticity and dispersal variation, binomial and Poisson deviates for
// demographic stochasticity and dispersal, the factor that makes normal
// deviates correlated between populations, and the sort that turns
// per-replication results into cumulative distributions.
//
// All draws come from one TRandomSource that the run owns and passes by
// reference: a 64-bit Mersenne Twister seeded from the run's 32-bit seed, with
// uniform numbers built from 53 of its bits. The same seed reproduces a run
// exactly, on every platform and library version (no std:: distribution class
// is used, their output is not fixed by the standard).

#include <array>
#include <cstdint>
#include <span>

struct TBinomialRate;

class TRandomSource {
public:
    explicit TRandomSource(std::uint32_t seed = 0) { Seed(seed); }
    // One stream per run: a copy would repeat the run's draws.
    TRandomSource(const TRandomSource&) = delete;
    TRandomSource& operator=(const TRandomSource&) = delete;
    TRandomSource(TRandomSource&&) = default;
    TRandomSource& operator=(TRandomSource&&) = default;

    // Restarts the sequence; the run seeds once before its first replication.
    void Seed(std::uint32_t seed);

    // A uniform number in [0, 1), a multiple of 2^-53: the top 53 bits of
    // the generator's next word.
    double Uniform()
    {
        if (next_ == kStateWords)
            Refill();
        return uniforms_[next_++];
    }

    // Set when a binomial or Poisson deviate had to be limited to 2147483646;
    // the run reports it with its own overflow flag at the end.
    bool overflow = false;

private:
    friend std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, double p);
    friend std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, const TBinomialRate& rate);
    friend std::int32_t POIDEV(TRandomSource& random, double mean);
    friend void ReportRepeatedDeviateWarnings(TRandomSource& random);

    // The generator is std::mt19937_64 written out, so that a whole state's
    // worth of words is made and turned into uniform numbers in one pass
    // (the same words in the same order, seeded the same way).
    static constexpr int kStateWords = 312;
    void Refill();
    // How many of the next `count` uniform numbers are below `q`: the same
    // draws as `count` calls of Uniform, read straight from the buffer.
    int CountBelow(std::int32_t count, double q);
    // BNLDEV, with the logarithms of a prepared rate when there is one.
    std::int32_t Binomial(std::int32_t n, double p, const TBinomialRate* prepared);
    // The rejection method of the binomial and Poisson deviates, drawing
    // candidates from a Lorentzian of scale sq about mean (see the source);
    // w(e) is ln of the ratio that decides on the whole candidate e.
    template <class LogRatio>
    double LorentzRejection(double sq, double mean, double upper, double envelope, const LogRatio& w);
    // tan(pi u) for the uniform numbers from next_ on (see the source).
    void MakeTangents();
    std::array<std::uint64_t, kStateWords> state_{};
    std::array<double, kStateWords> uniforms_{};
    std::array<double, kStateWords> tangents_{};
    int next_ = kStateWords;
    // tangents_ holds the values from this index on.
    int tangentsFrom_ = kStateWords + 1;

    // Constants of the last argument, recomputed only when the argument
    // changes (demographic stochasticity calls these with the same rates over
    // and over within a time step).
    std::int32_t binomialN_ = -1;
    double binomialLogGammaN1_ = 0.0;
    double binomialQ_ = -1.0;
    double binomialLogQ_ = 0.0;
    double binomialLogQc_ = 0.0;
    double poissonSmallMean_ = -1.0;
    double poissonSmallG_ = 0.0;
    double poissonLargeMean_ = -1.0;
    double poissonSq_ = 0.0;
    double poissonLogMean_ = 0.0;
    double poissonG_ = 0.0;

    // A bad argument is reported the first time only; later ones are counted
    // so that a long run cannot flood the warnings list.
    std::int64_t badBinomialCalls_ = 0;
    std::int64_t negativePoissonCalls_ = 0;
    std::int64_t invalidPoissonCalls_ = 0;
};

// A standard normal deviate (composition method on two uniform numbers).
float NormalDeviate(TRandomSource& random);

// ln Gamma(x) for x > 0 (Lanczos series, about 1e-10 relative).
double LogGamma(double x);

// A binomial deviate: successes in n trials of probability p. A negative n, a
// p outside 0..1 or a p that is not a number gives the simulation warning
// "Invalid argument for BNLDEV" and 0 (n when p > 1).
std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, double p);

// A binomial probability with the logarithms its draws need, made once for a
// probability drawn with over and over against changing numbers of trials
// (a dispersal rate between two populations). BNLDEV with it draws exactly
// what BNLDEV with the plain probability draws.
struct TBinomialRate {
    double p = 0.0;
    double logQ = 0.0;   // ln q, q = min(p, 1 - p)
    double logQc = 0.0;  // ln(1 - q); both left 0 for a p outside 0..1, which BNLDEV refuses
};
TBinomialRate MakeBinomialRate(double p);
std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, const TBinomialRate& rate);

// A Poisson deviate of the given mean. A negative mean gives the simulation
// warning "Negative argument for POIDEV" and 0; a mean that is not a number
// gives "Invalid argument for POIDEV" and 0, an infinite one that warning and
// the overflow limit.
std::int32_t POIDEV(TRandomSource& random, double mean);

// Called once at the end of a run: for each kind of bad deviate argument that
// occurred more than once, one simulation warning with the number of repeats
// that were not shown, e.g. "Invalid argument for BNLDEV (12 more times)".
// Clears the counts.
void ReportRepeatedDeviateWarnings(TRandomSource& random);

// Ascending heapsort in place.
void HeapSortSingles(std::span<float> values);

// Factors the correlation matrix R of `populations` populations into the
// lower triangle L with R = L * L^T, so that independent normal deviates z
// give correlated ones as sum over q <= p of L[p][q] * z[q].
// Both matrices are row-major populations x populations (element (i, j) at
// i * populations + j, zero-based); only the lower triangle of R is read and
// the upper triangle of L is set to 0. When R is not positive definite the
// simulation warning "Error in Correlation Matrix... Defaulting" is given and
// both L and R become the identity, so populations fluctuate independently;
// the result is then false.
bool FactorCorrelationMatrix(std::span<float> r, std::span<double> l, int populations);

// One draw of the environmental deviates of the populations of a run, by the
// structure of their correlation matrix (the codes of CheckCorrelationMatrix):
// 0 independent, a NormalDeviate for each population in order; 1 fully
// correlated, one deviate shared by all; 2 general, an independent deviate z
// for each population, then deviate p := sum over q <= p of
// factor[p][q] z[q] (factor row-major populations x populations, from
// FactorCorrelationMatrix). `independent` and `deviates` hold one value per
// population, in population order.
void DrawCorrelatedDeviates(TRandomSource& random, int structure, std::span<const double> factor,
                            std::span<double> independent, std::span<float> deviates);
