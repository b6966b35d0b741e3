#include "stage/density_settings.h"

#include "core/str_utilx.h"
#include "fresh_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Population 1 a contest population with Rmax 1.5 and K 500, its multiplier
// up to date; numbers as the program writes them.
class DensitySettingsTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        PopulationRecord& pop = Info.populations[1];
        pop.ddtype = 2;
        pop.rmaxtext = "1.5";
        pop.ktext = "500";
        Info.popchanged[1] = false;
        TrimTrailingZeros = true;
    }
    void TearDown() override
    {
        TrimTrailingZeros = trim_;
        FreshModelTest::TearDown();
    }

private:
    // Saved once per test: SetUp may run again inside a test.
    const bool trim_ = TrimTrailingZeros;
};

}  // namespace

TEST_F(DensitySettingsTest, StoringMarksThePopulationForANewRateOnlyWhenTypeOrRmaxChanged)
{
    struct Case {
        const char* name;
        TDensitySettings settings;
        bool popchanged;
        bool inputsChanged;
        const char* rmaxtext;
        const char* ktext;
    } cases[] = {
        {"nothing", {2, 1.5, 500}, false, false, "1.5", "500"},
        {"Rmax lowered", {2, 1.2, 500}, true, true, "1.2", "500"},
        {"only K", {2, 1.5, 800}, false, true, "1.5", "800"},
        {"only the type", {1, 1.5, 500}, true, true, "1.5", "500"},
        // Too small a change to count, but stored with every digit given.
        {"Rmax within 1e-6", {2, 1.5000005, 500}, false, false, "1.5000005", "500"},
        {"values with more decimals than the program writes", {2, 1.23456, 500.25}, true, true, "1.23456",
         "500.25"},
        {"largest K", {3, 1.5, 2147483647}, true, true, "1.5", "2147483647"},
        {"Rmax of 20", {2, 20, 1}, true, true, "20", "1"},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DensitySettingsChanged(Info, 1, c.settings), c.inputsChanged) << c.name;
        StoreDensitySettings(Info, 1, c.settings);
        EXPECT_EQ(Info.popchanged[1], c.popchanged) << c.name;
        EXPECT_EQ(InputsChanged, c.inputsChanged) << c.name;
        EXPECT_EQ(Info.populations[1].ddtype, c.settings.type) << c.name;
        EXPECT_EQ(Info.populations[1].rmaxtext, c.rmaxtext) << c.name;
        EXPECT_EQ(Info.populations[1].ktext, c.ktext) << c.name;
        // What was stored reads back as no change.
        EXPECT_FALSE(DensitySettingsChanged(Info, 1, c.settings)) << c.name;
    }
}

TEST_F(DensitySettingsTest, EmptyOrUnreadableTextsReadAsOne)
{
    struct Case {
        const char* rmaxtext;
        const char* ktext;
        double rmax, k;
    } cases[] = {
        {"", "", 1, 1},
        {"lots", " 250 ", 1, 250},
        {"1.25", "1e3", 1.25, 1000},
    };
    for (const auto& c : cases) {
        Info.populations[1].rmaxtext = c.rmaxtext;
        Info.populations[1].ktext = c.ktext;
        const TDensitySettings s = LoadDensitySettings(Info, 1);
        EXPECT_EQ(s.type, 2);
        EXPECT_DOUBLE_EQ(s.rmax, c.rmax) << c.rmaxtext;
        EXPECT_DOUBLE_EQ(s.k, c.k) << c.ktext;
    }
    // An empty text stored as the 1 it showed is a change of the text only.
    Info.populations[1].rmaxtext = "";
    Info.populations[1].ktext = "";
    EXPECT_FALSE(DensitySettingsChanged(Info, 1, {2, 1, 1}));
}

TEST(DensityEditEnabling, EachTypeUsesItsValues)
{
    struct Case {
        int type;
        bool rmax, k;
    } cases[] = {{0, false, false}, {1, true, true}, {2, true, true}, {3, false, true}, {-1, false, false}};
    for (const Case& c : cases) {
        const TDensityEditEnabling e = DensityEditEnabling(c.type);
        EXPECT_EQ(e.rmax, c.rmax) << c.type;
        EXPECT_EQ(e.k, c.k) << c.type;
    }
}
