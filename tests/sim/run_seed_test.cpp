#include "sim/run_seed.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(RunSeed, SeedTextGivesTheSeed)
{
    EXPECT_EQ(RunSeed("12345"), 12345u);
    EXPECT_EQ(RunSeed(" 7 "), 7u);
    EXPECT_EQ(RunSeed("-1"), 4294967295u);
    for (const char* bad : {"12a", "1.5", "x"})
        EXPECT_THROW(RunSeed(bad), std::invalid_argument) << bad;
}
