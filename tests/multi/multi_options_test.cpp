#include "multi/multi_options.h"

#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "support/number_switches.h"

#include <gtest/gtest.h>

using namespace multi;

namespace {

class MultiOptionsTest : public ::testing::Test {
protected:
    KeptNumberSwitches switches;
    TMemorySettingsStore store;
};

}  // namespace

// A user without settings gets the defaults; what is stored is read back
// under the program's key, and the number options reach the switches.
TEST_F(MultiOptionsTest, DefaultsStoredValuesAndTheNumberSwitches)
{
    TMultiOptions options(store);
    EXPECT_TRUE(options.ToolbarSetting.Value());
    EXPECT_TRUE(options.StatusBarSetting.Value());
    EXPECT_EQ(options.ViewModeSetting.Value(), kViewAuto);
    options.ApplyNumberFormat();
    EXPECT_EQ(TextPrecision, 7);
    EXPECT_EQ(TextDecimals, 6);
    EXPECT_TRUE(TrimTrailingZeros);
    EXPECT_FALSE(IntegersWithoutDecimals);
    EXPECT_EQ(RealToLocalText(2.5), "2.5");
    EXPECT_EQ(RealToLocalText(3), "3.0");

    options.ViewModeSetting.SetValue(kViewMap);
    options.PrecisionSetting.SetValue(5);
    options.DecimalsSetting.SetValue(2);
    options.MinimizeDecimalsSetting.SetValue(false);
    options.MinimizeDecimalPointSetting.SetValue(true);
    const std::string key = "Software\\Varnholt\\Voran Pelivo: Multiple Populations";
    EXPECT_EQ(store.ReadValue(key, "ViewMode"), "1");
    EXPECT_EQ(store.ReadValue(key, "Precision"), "5");
    EXPECT_EQ(store.ReadValue(key, "Decimals"), "2");
    EXPECT_EQ(store.ReadValue(key, "MinimizeDecimals"), "0");
    EXPECT_EQ(store.ReadValue(key, "MinimizeDecimalPoint"), "1");

    const TMultiOptions again(store);
    again.ApplyNumberFormat();
    EXPECT_EQ(again.ViewModeSetting.Value(), kViewMap);
    EXPECT_EQ(TextPrecision, 5);
    EXPECT_EQ(TextDecimals, 2);
    EXPECT_FALSE(TrimTrailingZeros);
    EXPECT_TRUE(IntegersWithoutDecimals);
    EXPECT_EQ(RealToLocalText(2.5), "2.50");
    EXPECT_EQ(RealToLocalText(3), "3");

    // Another program's key keeps options of its own.
    TMultiOptions other(store, "Software\\Varnholt\\Other");
    EXPECT_EQ(other.ViewModeSetting.Value(), kViewAuto);
}
