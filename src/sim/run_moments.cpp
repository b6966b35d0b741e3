#include "sim/run_moments.h"

#include "core/model_records.h"

#include <algorithm>
#include <cmath>

namespace {

// With a single replication the count minimum and maximum are the value itself,
// kept below this limit.
constexpr double kSingleCountLimit = 2147480000.0;

// Writes mean and SD of one quadruple; returns whether the variance was lost.
bool StoreMeanSd(const TMoments& m, int replications, float& meanSlot, float& sdSlot)
{
    const TMeanSd r = MeanAndSd(m, replications);
    meanSlot = static_cast<float>(r.mean);
    sdSlot = static_cast<float>(r.sd);
    return r.roundOff;
}

}  // namespace

std::int32_t SingleReplicationCount(double value)
{
    if (!(value < kSingleCountLimit)) return static_cast<std::int32_t>(kSingleCountLimit);
    if (value <= -kSingleCountLimit) return -static_cast<std::int32_t>(kSingleCountLimit);
    return static_cast<std::int32_t>(std::nearbyint(value));
}

TMeanSd MeanAndSd(const TMoments& m, int replications)
{
    TMeanSd r;
    const double n = replications;
    if (replications < 2) {
        r.mean = n * m.ref + m.dsum;  // the value itself, or 0 without any
        return r;
    }
    const double m2 = m.dsum * m.dsum / n;
    if (m2 >= 0.0 && m.dsq >= m2)
        r.sd = std::sqrt((m.dsq - m2) / (n - 1.0));
    else
        r.roundOff = true;
    r.mean = m.ref + m.dsum / n;
    return r;
}

bool StoreCountStatistics(const TMoments& m, int replications, float& mean, float& sd, std::int32_t& min,
                          std::int32_t& max)
{
    const bool lost = StoreMeanSd(m, replications, mean, sd);
    if (replications < 2)
        min = max = SingleReplicationCount(MeanAndSd(m, replications).mean);
    return lost;
}

bool StoreSingleStatistics(const TMoments& m, int replications, float& mean, float& sd, float& min, float& max)
{
    const bool lost = StoreMeanSd(m, replications, mean, sd);
    if (replications < 2)
        min = max = mean;
    return lost;
}

std::uint8_t CrossingBinWidth(std::int32_t duration)
{
    if (duration <= kCrossBins) return 1;
    const std::int32_t width = (duration + kCrossBins - 1) / kCrossBins;
    return static_cast<std::uint8_t>(std::min<std::int32_t>(width, 255));
}

int CrossingBin(std::int32_t t, int width)
{
    const long long w = std::max(width, 1);
    const long long bin = (static_cast<long long>(t) + w - 1) / w;
    return static_cast<int>(std::clamp<long long>(bin, 1, kCrossBins));
}
