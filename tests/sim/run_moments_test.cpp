#include "sim/run_moments.h"

#include "core/model_records.h"

#include <gtest/gtest.h>

// Every step of every duration lands in one of the 50 bins, and the width is
// the plain "duration div 51 + 1" wherever that width keeps within them.
TEST(RunMoments, CrossingBinWidthKeepsWithinTheBins)
{
    for (int T = 1; T <= 2000; ++T) {
        const int width = CrossingBinWidth(T);
        ASSERT_LE((T + width - 1) / width, kCrossBins) << T;
        const int plain = T >= 51 ? T / 51 + 1 : 1;
        if ((T + plain - 1) / plain <= kCrossBins) {
            EXPECT_EQ(width, plain) << T;
        }
    }
    EXPECT_EQ(CrossingBinWidth(101), 3);
    EXPECT_EQ(CrossingBin(101, 3), 34);
    EXPECT_EQ(CrossingBin(60, 1), kCrossBins);  // a stored width too small for the duration
    EXPECT_EQ(CrossingBin(5, 0), 5);  // a width of 0 counts as 1
}

TEST(RunMoments, LostVarianceSetsTheRoundOffFlag)
{
    TMoments corrupted;
    corrupted.dsum = 10;
    corrupted.dsq = 1;  // less than dsum^2 / R: impossible for real data
    const TMeanSd r = MeanAndSd(corrupted, 2);
    EXPECT_TRUE(r.roundOff);
    EXPECT_EQ(r.sd, 0);
    EXPECT_FALSE(MeanAndSd(corrupted, 1).roundOff);
}
