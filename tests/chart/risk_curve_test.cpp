#include "chart/risk_curve.h"

#include <gtest/gtest.h>

// Both rules for a manual x range, on values 10 .. 50: limits outside the data
// are ignored; an inverted range covers the data again for one program and is
// widened to one unit for the others.
TEST(RiskCurve, ManualRangeNarrowing)
{
    const float values[] = {10, 20, 30, 50};
    struct Case {
        const char* what;
        double xMin, xMax;
        TInvertedRiskRange inverted;
        double low, high;
    };
    const Case cases[] = {
        {"inside the data", 15, 40, TInvertedRiskRange::CoverData, 15, 40},
        {"inside the data, other rule", 15, 40, TInvertedRiskRange::OneUnitWide, 15, 40},
        {"beyond the data", -1, 60, TInvertedRiskRange::CoverData, 10, 50},
        {"maximum of 0 is no limit", 0, 0, TInvertedRiskRange::OneUnitWide, 0, 50},
        {"minimum at the top is no limit", 50, 30, TInvertedRiskRange::CoverData, 10, 30},
        {"inverted covers the data", 40, 20, TInvertedRiskRange::CoverData, 10, 50},
        {"inverted widens to one", 40, 20, TInvertedRiskRange::OneUnitWide, 40, 41},
        {"one level kept", 20, 20, TInvertedRiskRange::CoverData, 20, 20},
        {"one level widened", 20, 20, TInvertedRiskRange::OneUnitWide, 20, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TRiskRange r = NarrowRiskRange(values, c.xMin, c.xMax, c.inverted);
        EXPECT_DOUBLE_EQ(r.Low, c.low);
        EXPECT_DOUBLE_EQ(r.High, c.high);
    }
}
