#include "sim/population_links.h"

#include <gtest/gtest.h>

TEST(SafePower, KeepsTheSignAndGuardsTheExponent)
{
    EXPECT_DOUBLE_EQ(SafePower(0.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(SafePower(0.0, 2.0), 0.0);
    EXPECT_NEAR(SafePower(4.0, 0.5), 2.0, 1e-12);
    EXPECT_NEAR(SafePower(-8.0, 1.0 / 3.0), -2.0, 1e-12);
    EXPECT_DOUBLE_EQ(SafePower(1e30, 3.0), 2.6e30);
    EXPECT_DOUBLE_EQ(SafePower(1e-30, 3.0), 0.0);
}
