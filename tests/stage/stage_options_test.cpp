#include "stage/stage_options.h"

#include <gtest/gtest.h>

TEST(StageOptions, ToolbarAndStatusBarShowUntilTheUserHidesThem)
{
    TMemorySettingsStore store;
    TStageOptions options(store);
    // A fresh account: both shown, nothing written.
    EXPECT_TRUE(options.ToolbarSetting.Value());
    EXPECT_TRUE(options.StatusBarSetting.Value());
    EXPECT_TRUE(store.ReadValues(kStageSettingsKey).empty());

    options.ToolbarSetting.SetValue(false);
    EXPECT_EQ(store.ReadValue("Software\\Varnholt\\Voran Pelivo: Age and Stage Structure", "ShowToolbar"), "0");
    EXPECT_FALSE(options.ToolbarSetting.Value());
    EXPECT_TRUE(options.StatusBarSetting.Value());
    options.StatusBarSetting.SetValue(false);
    EXPECT_EQ(store.ReadValue(kStageSettingsKey, "ShowStatusBar"), "0");

    // Read from the settings every time: another instance sees the values,
    // and a value removed behind its back reads as shown again.
    TStageOptions again(store);
    EXPECT_FALSE(again.StatusBarSetting.Value());
    store.DeleteValue(kStageSettingsKey, "ShowStatusBar");
    EXPECT_TRUE(options.StatusBarSetting.Value());
}
