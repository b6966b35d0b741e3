#include "sim/random_deviates.h"

#include "core/messages.h"
#include "sim/population_links.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

// Counts are 32-bit; a deviate this large is limited and flagged.
constexpr double kDeviateLimit = 2147483647.0;
constexpr std::int32_t kDeviateCap = 2147483646;

// The first bad call of a kind is reported, the rest only counted.
void WarnOnce(std::int64_t& count, const char* text)
{
    if (count++ == 0)
        SimulationWarning(text);
}

// The limit applies to the rounded value: 2147483646.5 rounds to the limit
// and is capped too.
std::int32_t RoundCount(TRandomSource& random, double x)
{
    if (!(x <= 0.0))
        x = std::round(x);
    if (!(x < kDeviateLimit)) {
        random.overflow = true;
        return kDeviateCap;
    }
    if (x <= 0.0)
        return 0;
    return static_cast<std::int32_t>(x);
}

double NormalDensity(double x) { return 0.3989423 * std::exp(-x * x / 2.0); }

// ln Gamma at the whole numbers 1..kWholeLogGammas. The rejection methods
// evaluate it at whole numbers only (counts + 1), over and over; the table is
// filled once by LogGamma itself, so a look-up gives exactly what the call
// would and no draw changes.
constexpr int kWholeLogGammas = 1 << 16;

const double* WholeLogGammas()
{
    static const std::vector<double> table = [] {
        std::vector<double> values(kWholeLogGammas + 1, 0.0);
        for (int k = 1; k <= kWholeLogGammas; ++k)
            values[static_cast<std::size_t>(k)] = LogGamma(k);
        return values;
    }();
    return table.data();
}

// LogGamma(k) for a whole number k >= 1.
double LogGammaOfWhole(const double* table, double k)
{
    return k <= kWholeLogGammas ? table[static_cast<int>(k)] : LogGamma(k);
}

// ln of a binomial or Poisson rejection ratio; tiny values count as 0.
double RatioExp(double w) { return w <= -60.0 ? 0.0 : std::exp(std::min(w, 60.0)); }

// Relative difference allowed between a value made from the fast tangent and
// the same value made from std::tan before a decision is taken on it; the
// two tangents differ by less than 1e-15 relative.
constexpr double kDecisionSlack = 1e-11;

} // namespace

#if defined(__GNUC__) && defined(__x86_64__)
// Four at a time where the processor can; the arithmetic is the same IEEE
// arithmetic either way (no fused multiply-add), so are the values.
__attribute__((target_clones("avx2", "default")))
#endif
void TRandomSource::MakeTangents()
{
    // tan(pi u) without branches, so that it runs two or four at a time. The
    // reduction subtracts the nearest multiple of pi/2 in two parts (the
    // first exact by Sterbenz's lemma), and tan of the remainder r, at most
    // pi/4 in size, is the eighth convergent of Lambert's continued
    // fraction, r P(r^2) / Q(r^2), whose truncation error there is below
    // 1e-18. The result is within 1e-15 relative of std::tan.
    constexpr double kHalfPiHigh = 1.5707963267948966;
    constexpr double kHalfPiLow = 6.123233995736766e-17;
    for (int i = next_; i < kStateWords; ++i) {
        const double a = std::numbers::pi * uniforms_[i];
        const double k = (a > 0.78539816339744831 ? 1.0 : 0.0) + (a > 2.3561944901923448 ? 1.0 : 0.0);
        const double r = (a - k * kHalfPiHigh) - k * kHalfPiLow;
        const double z = r * r;
        const double p = r * (34459425.0 + z * (-4729725.0 + z * (135135.0 + z * (-990.0 + z))));
        const double q = 34459425.0 + z * (-16216200.0 + z * (945945.0 + z * (-13860.0 + z * 45.0)));
        const bool odd = k == 1.0;
        tangents_[i] = (odd ? -q : p) / (odd ? p : q);
    }
    tangentsFrom_ = next_;
}

// The method: a Lorentzian deviate y = tan(pi u) from one uniform number
// gives the candidate e = sq y + mean; a candidate outside [0, upper) is
// dropped, else the next uniform number is compared with
// envelope (1 + y^2) exp(w(floor e)) and the candidate taken, as floor e,
// when it is not above.
//
// Written so, std::tan takes much of the time, and the branch on the
// comparison, a coin toss, waits for it. Here the tangent comes from the
// buffer's fast tangents, and each decision is taken on it only where the
// slack makes it certain: a candidate whose whole part, range or comparison
// could differ is redone as written. So the draws are exactly those of the
// method as written.
template <class LogRatio>
double TRandomSource::LorentzRejection(double sq, double mean, double upper, double envelope, const LogRatio& w)
{
    // One candidate as written; true when it is taken, as x.
    auto asWritten = [&](double& x) {
        const double y = std::tan(std::numbers::pi * Uniform());
        const double e = sq * y + mean;
        if (!(e >= 0.0 && e < upper))
            return false;
        x = std::floor(e);
        return Uniform() <= envelope * (1.0 + y * y) * RatioExp(w(x));
    };
    double x;
    for (;;) {
        // The last number of the buffer has no next one to compare with.
        if (next_ + 1 >= kStateWords) {
            if (asWritten(x))
                return x;
            continue;
        }
        if (tangentsFrom_ > next_)
            MakeTangents();
        const double y = tangents_[next_];
        const double e = sq * y + mean;
        const double slack = kDecisionSlack * (std::abs(e) + sq * std::abs(y));
        if (e + slack < 0.0 || e - slack >= upper) {
            ++next_;
            continue;
        }
        // e - floor(e) is exact for e >= 0; a tiny negative e is left to the
        // method as written.
        const double whole = std::floor(e);
        const double fraction = e - whole;
        if (fraction >= slack && fraction + slack < 1.0) {
            const double t = envelope * (1.0 + y * y) * RatioExp(w(whole));
            const double u = uniforms_[next_ + 1];
            if (u <= t * (1.0 - kDecisionSlack)) {
                next_ += 2;
                return whole;
            }
            if (u > t * (1.0 + kDecisionSlack)) {
                next_ += 2;
                continue;
            }
        }
        if (asWritten(x))
            return x;
    }
}

void TRandomSource::Seed(std::uint32_t seed)
{
    state_[0] = seed;
    for (int i = 1; i < kStateWords; ++i) {
        const std::uint64_t previous = state_[i - 1];
        state_[i] = 6364136223846793005ULL * (previous ^ (previous >> 62)) + static_cast<std::uint64_t>(i);
    }
    next_ = kStateWords;
}

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void TRandomSource::Refill()
{
    constexpr int kShift = 156;
    constexpr std::uint64_t kUpper = ~std::uint64_t{0} << 31;
    constexpr std::uint64_t kLower = ~kUpper;
    constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ULL;
    constexpr std::uint64_t kTwo52Bits = 0x4330000000000000ULL;
    // Without a branch on the low bit, which is a coin toss.
    auto twist = [](std::uint64_t high, std::uint64_t low, std::uint64_t far) {
        const std::uint64_t y = (high & kUpper) | (low & kLower);
        return far ^ (y >> 1) ^ ((std::uint64_t{0} - (y & 1)) & kMatrix);
    };
    for (int k = 0; k < kStateWords - kShift; ++k)
        state_[k] = twist(state_[k], state_[k + 1], state_[k + kShift]);
    for (int k = kStateWords - kShift; k < kStateWords - 1; ++k)
        state_[k] = twist(state_[k], state_[k + 1], state_[k + kShift - kStateWords]);
    state_[kStateWords - 1] = twist(state_[kStateWords - 1], state_[0], state_[kShift - 1]);

    for (int k = 0; k < kStateWords; ++k) {
        std::uint64_t z = state_[k];
        z ^= (z >> 29) & 0x5555555555555555ULL;
        z ^= (z << 17) & 0x71D67FFFEDA60000ULL;
        z ^= (z << 37) & 0xFFF7EEE000000000ULL;
        z ^= z >> 43;
        // static_cast<double>(z >> 11) * 2^-53, made from the two 32-bit
        // halves (each exact in the significand of 2^52), which runs
        // several at a time where a 64-bit conversion does not.
        const std::uint64_t top = z >> 11;
        const double high = std::bit_cast<double>(kTwo52Bits | (top >> 32)) - 0x1.0p52;
        const double low = std::bit_cast<double>(kTwo52Bits | (top & 0xFFFFFFFFULL)) - 0x1.0p52;
        uniforms_[k] = (high * 0x1.0p32 + low) * 0x1.0p-53;
    }
    next_ = 0;
    tangentsFrom_ = kStateWords + 1;
}

int TRandomSource::CountBelow(std::int32_t count, double q)
{
    int hits = 0;
    while (count > 0) {
        if (next_ == kStateWords)
            Refill();
        const int end = next_ + std::min(count, kStateWords - next_);
        count -= end - next_;
        for (; next_ < end; ++next_)
            hits += uniforms_[next_] < q;
    }
    return hits;
}

float NormalDeviate(TRandomSource& random)
{
    const double u1 = static_cast<float>(random.Uniform());
    const double u2 = static_cast<float>(random.Uniform());
    if (u1 < 0.919544405706926)
        return static_cast<float>((u2 + u1 * 0.825339282536923) * 2.40375765693742 - 2.11402808333742);

    double x;
    if (u1 >= 0.965487131213858) {
        // Tail beyond 2.114: a value of log(0) for u3 gives an infinite x,
        // which is rejected.
        for (;;) {
            const double u3 = random.Uniform();
            const double u4 = random.Uniform();
            x = std::sqrt(4.46911473713927 - 2.0 * std::log(u3));
            if (x * u4 <= 2.11402808333742)
                break;
        }
    } else if (u1 >= 0.949990708733028) {
        for (;;) {
            const double u3 = random.Uniform();
            const double u4 = random.Uniform();
            x = 1.84039874739771 + 0.273629335939706 * u3;
            if (NormalDensity(x) - 0.44329912582022 + 0.209694057195486 * x - 0.042702581590795 * u4 >= 0.0)
                break;
        }
    } else if (u1 < 0.925852333707704) {
        for (;;) {
            const double u3 = random.Uniform();
            const double u4 = random.Uniform();
            x = 0.2897295736 * u3;
            if (NormalDensity(x) - 0.382544556042518 - 0.016397724358915 * u4 >= 0.0)
                break;
        }
    } else {
        for (;;) {
            const double u3 = random.Uniform();
            const double u4 = random.Uniform();
            x = 0.2897295736 + 1.55066917379771 * u3;
            if (NormalDensity(x) - 0.44329912582022 + 0.209694057195486 * x - 0.015974522655238 * u4 >= 0.0)
                break;
        }
    }
    return static_cast<float>(u2 >= 0.5 ? -x : x);
}

double LogGamma(double x)
{
    static constexpr double kCoefficients[6] = {76.18009173,   -86.50532033,    24.01409822,
                                                -1.231739516,  0.00120858003,   -0.00000536382};
    double y = x - 1.0;
    double t = y + 5.5;
    t = (y + 0.5) * std::log(t) - t;
    double s = 1.0;
    for (double c : kCoefficients) {
        y += 1.0;
        s += c / y;
    }
    return t + std::log(2.50662827465 * s);
}

TBinomialRate MakeBinomialRate(double p)
{
    TBinomialRate rate;
    rate.p = p;
    if (std::isnan(p) || p < 0.0 || p > 1.0)
        return rate;
    const double q = std::min(p, 1.0 - p);
    rate.logQ = std::log(q);
    rate.logQc = std::log(1.0 - q);
    return rate;
}

std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, double p)
{
    return random.Binomial(n, p, nullptr);
}

std::int32_t BNLDEV(TRandomSource& random, std::int32_t n, const TBinomialRate& rate)
{
    return random.Binomial(n, rate.p, &rate);
}

std::int32_t TRandomSource::Binomial(std::int32_t n, double p, const TBinomialRate* prepared)
{
    if (std::isnan(p) || p < 0.0 || n < 0 || p > 1.0) {
        WarnOnce(badBinomialCalls_, "Invalid argument for BNLDEV");
        return (std::isnan(p) || p < 0.0 || n < 0) ? 0 : n;
    }
    const double q = std::min(p, 1.0 - p);
    const double trials = n;
    const double mean = trials * q;

    double x;
    if (mean > 10000.0) {
        // Normal approximation, decided on the rarer outcome so that a high
        // probability with few failures keeps its exact tail.
        const double variance = trials * p * (1.0 - p);
        const double sd = variance <= 1e-6 ? 0.0 : std::sqrt(variance);
        x = std::clamp(mean + NormalDeviate(*this) * sd, 0.0, trials);
    } else if (n < 25) {
        x = CountBelow(n, q);
    } else if (mean < 1.0) {
        const double g = std::exp(-mean);
        double t = 1.0;
        std::int64_t draws = 0;
        do {
            t *= Uniform();
            ++draws;
        } while (!(t < g) && draws <= n);
        x = static_cast<double>(std::min<std::int64_t>(draws - 1, n));
    } else {
        const double* logGammas = WholeLogGammas();
        if (n != binomialN_) {
            binomialN_ = n;
            binomialLogGammaN1_ = LogGammaOfWhole(logGammas, trials + 1.0);
        }
        if (prepared == nullptr && q != binomialQ_) {
            binomialQ_ = q;
            binomialLogQ_ = std::log(q);
            binomialLogQc_ = std::log(1.0 - q);
        }
        const double logGammaN1 = binomialLogGammaN1_;
        const double logQ = prepared != nullptr ? prepared->logQ : binomialLogQ_;
        const double logQc = prepared != nullptr ? prepared->logQc : binomialLogQc_;
        const double sq = std::sqrt(2.0 * mean * (1.0 - q));
        x = LorentzRejection(sq, mean, trials + 1.0, 1.2 * sq, [&](double e) {
            return logGammaN1 - LogGammaOfWhole(logGammas, e + 1.0) - LogGammaOfWhole(logGammas, trials - e + 1.0) +
                   e * logQ + (trials - e) * logQc;
        });
    }
    if (q != p)
        x = trials - x;
    return RoundCount(*this, x);
}

std::int32_t POIDEV(TRandomSource& random, double mean)
{
    if (std::isnan(mean) || std::isinf(mean)) {
        // Neither can come from valid rates; drawing would never end.
        WarnOnce(random.invalidPoissonCalls_, "Invalid argument for POIDEV");
        return mean > 0.0 ? RoundCount(random, mean) : 0;
    }
    if (mean < 0.0) {
        WarnOnce(random.negativePoissonCalls_, "Negative argument for POIDEV");
        return 0;
    }
    double x;
    if (mean > 10000.0) {
        x = std::max(0.0, mean + std::sqrt(mean) * NormalDeviate(random));
    } else if (mean >= 12.0) {
        if (mean != random.poissonLargeMean_) {
            random.poissonLargeMean_ = mean;
            random.poissonSq_ = std::sqrt(2.0 * mean);
            random.poissonLogMean_ = std::log(mean);
            random.poissonG_ = mean * random.poissonLogMean_ - LogGamma(mean + 1.0);
        }
        const double* logGammas = WholeLogGammas();
        const double sq = random.poissonSq_;
        const double logMean = random.poissonLogMean_;
        const double g = random.poissonG_;
        x = random.LorentzRejection(sq, mean, std::numeric_limits<double>::infinity(), 0.9, [&](double e) {
            return e * logMean - LogGammaOfWhole(logGammas, e + 1.0) - g;
        });
    } else {
        if (mean != random.poissonSmallMean_) {
            random.poissonSmallMean_ = mean;
            random.poissonSmallG_ = std::exp(-mean);
        }
        x = -1.0;
        double t = 1.0;
        do {
            x += 1.0;
            t *= random.Uniform();
        } while (t > random.poissonSmallG_);
    }
    return RoundCount(random, x);
}

void ReportRepeatedDeviateWarnings(TRandomSource& random)
{
    auto report = [](std::int64_t& count, const char* text) {
        if (count > 1)
            SimulationWarning(std::string(text) + " (" + std::to_string(count - 1) + " more times)");
        count = 0;
    };
    report(random.badBinomialCalls_, "Invalid argument for BNLDEV");
    report(random.negativePoissonCalls_, "Negative argument for POIDEV");
    report(random.invalidPoissonCalls_, "Invalid argument for POIDEV");
}

void HeapSortSingles(std::span<float> values)
{
    const std::size_t n = values.size();
    if (n < 2)
        return;
    auto siftDown = [&values](std::size_t root, std::size_t end) {
        const float item = values[root];
        std::size_t i = root;
        for (std::size_t child = 2 * i + 1; child < end; child = 2 * i + 1) {
            if (child + 1 < end && values[child] < values[child + 1])
                ++child;
            if (!(item < values[child]))
                break;
            values[i] = values[child];
            i = child;
        }
        values[i] = item;
    };
    for (std::size_t root = n / 2; root-- > 0;)
        siftDown(root, n);
    for (std::size_t end = n - 1; end > 0; --end) {
        std::swap(values[0], values[end]);
        siftDown(0, end);
    }
}

bool FactorCorrelationMatrix(std::span<float> r, std::span<double> l, int populations)
{
    const std::size_t p = populations > 0 ? static_cast<std::size_t>(populations) : 0;
    if (p == 0 || r.size() < p * p || l.size() < p * p)
        return p == 0;
    auto R = [&](std::size_t i, std::size_t j) -> double { return r[i * p + j]; };
    auto L = [&](std::size_t i, std::size_t j) -> double& { return l[i * p + j]; };

    std::fill(l.begin(), l.begin() + static_cast<std::ptrdiff_t>(p * p), 0.0);
    bool ok = true;
    for (std::size_t i = 0; i < p && ok; ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            double s = 0.0;
            for (std::size_t k = 0; k < j; ++k)
                s += L(i, k) * L(j, k);
            if (j == i) {
                // Written so that a value that is not a number fails too.
                if (!(R(i, i) - s > 0.0)) {
                    ok = false;
                    break;
                }
                L(i, i) = std::sqrt(R(i, i) - s);
            } else {
                if (L(j, j) == 0.0) {
                    ok = false;
                    break;
                }
                L(i, j) = (R(i, j) - s) / L(j, j);
            }
        }
    }
    if (ok)
        return true;

    SimulationWarning("Error in Correlation Matrix... Defaulting");
    for (std::size_t i = 0; i < p; ++i)
        for (std::size_t j = 0; j < p; ++j) {
            L(i, j) = i == j ? 1.0 : 0.0;
            r[i * p + j] = i == j ? 1.0f : 0.0f;
        }
    return false;
}

void DrawCorrelatedDeviates(TRandomSource& random, int structure, std::span<const double> factor,
                            std::span<double> independent, std::span<float> deviates)
{
    const std::size_t P = deviates.size();
    switch (structure) {
    case kCorrelationFull: {
        const float z = NormalDeviate(random);
        for (float& d : deviates)
            d = z;
        break;
    }
    case kCorrelationGeneral:
        for (double& z : independent)
            z = NormalDeviate(random);
        for (std::size_t p = 0; p < P; ++p) {
            const double* row = factor.data() + p * P;
            double sum = 0.0;
            for (std::size_t q = 0; q <= p; ++q)
                sum += row[q] * independent[q];
            deviates[p] = static_cast<float>(sum);
        }
        break;
    default:
        for (float& d : deviates)
            d = NormalDeviate(random);
        break;
    }
}
