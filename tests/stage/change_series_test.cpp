#include "stage/change_series.h"

#include <gtest/gtest.h>

TEST(ChangeSeries, StepIsHeldInsideTheSeries)
{
    SingleVector series(3);
    series[1] = 10;
    series[2] = 20;
    series[3] = 30;
    const struct {
        int step;
        double value;
    } cases[] = {{-5, 10}, {0, 10}, {1, 10}, {2, 20}, {3, 30}, {4, 30}, {1000, 30}};
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ChangeSeriesAt(series, c.step)) << "step " << c.step;
    EXPECT_EQ(0.0, ChangeSeriesAt(SingleVector(), 5));
}
