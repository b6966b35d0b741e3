#pragma once
// The summary statistics both engines keep of a run: each result quantity's
// running sums over the replications, taken about a reference value so that
// the variance of a large, nearly constant abundance does not vanish in
// cancellation, and their end as a mean and standard deviation; and the
// bins of the first-crossing histograms.

#include <cstdint>

// Running sums of one quantity about its reference value.
struct TMoments {
    double ref = 0.0;   // the quantity's value in the first replication
    double dsum = 0.0;  // sum of (value - ref)
    double dsq = 0.0;   // sum of (value - ref)^2

    void Add(double x, bool first)
    {
        if (first) ref = x;
        const double d = x - ref;
        dsum += d;
        dsq += d * d;
    }
};

// Mean and standard deviation of a quantity over `replications` values.
// With fewer than two values the mean is the value (or 0) and the SD 0. A
// negative or undefined variance gives SD 0 and roundOff = true.
struct TMeanSd {
    double mean = 0.0;
    double sd = 0.0;
    bool roundOff = false;
};
TMeanSd MeanAndSd(const TMoments& m, int replications);

// The end of a run for one stored quantity: mean and standard deviation over
// `replications` into its mean and SD slots; with fewer than two
// replications its minimum and maximum become the value itself (for counts
// rounded, and 2147480000 at most). True when round-off made the variance
// negative (the SD is then 0).
bool StoreCountStatistics(const TMoments& m, int replications, float& mean, float& sd, std::int32_t& min,
                          std::int32_t& max);
bool StoreSingleStatistics(const TMoments& m, int replications, float& mean, float& sd, float& min, float& max);

// A count as a single replication gives it: rounded, halves to even, and
// within +-2147480000.
std::int32_t SingleReplicationCount(double value);

// Time steps per bin of the first-crossing histograms: 1 up to 50 steps, else
// ceil(duration / 50), so that the last step of any duration falls in bin 50
// at the latest. Never more than 255 (the stored width is a byte).
std::uint8_t CrossingBinWidth(std::int32_t duration);

// The histogram bin (1..50) of a first crossing at step t; a width below 1
// counts as 1, and a step past the last bin goes into bin 50.
int CrossingBin(std::int32_t t, int width);
