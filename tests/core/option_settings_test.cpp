#include "core/option_settings.h"

#include <gtest/gtest.h>

namespace {

const char* const kKey = "Software\\Maker\\Program";

struct Settings : ::testing::Test {
    TMemorySettingsStore store;
    TRegistryComponent registry{store, kKey};
    TBoolSetting toolbar{registry, "ToolbarSetting", "ShowToolbar", true};
    TIntSetting viewMode{registry, "ViewModeSetting", "ViewMode", 3};
};

}  // namespace

TEST_F(Settings, MissingValuesReadAsTheDefaultAndWritesGoThroughAtOnce)
{
    EXPECT_TRUE(toolbar.Value());
    EXPECT_EQ(viewMode.Value(), 3);
    EXPECT_TRUE(store.ReadValues(kKey).empty());

    toolbar.SetValue(false);
    viewMode.SetValue(-7);
    EXPECT_EQ(store.ReadValue(kKey, "ShowToolbar"), "0");
    EXPECT_EQ(store.ReadValue(kKey, "ViewMode"), "-7");
    EXPECT_FALSE(toolbar.Value());
    EXPECT_EQ(viewMode.Value(), -7);

    // Nothing is cached: a value removed behind the setting's back reads as
    // the default again.
    store.DeleteValue(kKey, "ShowToolbar");
    store.DeleteValue(kKey, "ViewMode");
    EXPECT_TRUE(toolbar.Value());
    EXPECT_EQ(viewMode.Value(), 3);
}

TEST_F(Settings, BooleansReadFromIntegersAndWords)
{
    struct Case {
        const char* stored;
        bool expected;
    } cases[] = {{"1", true}, {"0", false}, {"2", true}, {"true", true}, {"FALSE", false}, {" 0 ", false},
                 // Not a Boolean at all: the default.
                 {"yes please", true}, {"", true}};
    for (const Case& c : cases) {
        store.WriteValue(kKey, "ShowToolbar", c.stored);
        EXPECT_EQ(toolbar.Value(), c.expected) << '"' << c.stored << '"';
    }
}

TEST_F(Settings, WithoutTheDefaultAMissingOrUnreadableValueRaises)
{
    viewMode.SetUseDefault(false);
    toolbar.SetUseDefault(false);
    EXPECT_THROW(viewMode.Value(), TSettingError);
    EXPECT_THROW(toolbar.Value(), TSettingError);
    store.WriteValue(kKey, "ViewMode", "two");
    EXPECT_THROW(viewMode.Value(), TSettingError);
    viewMode.SetValue(2);
    EXPECT_EQ(viewMode.Value(), 2);
}

TEST_F(Settings, ASettingWithoutValueNameRaisesAndWritesNothing)
{
    TIntSetting nameless(registry, "PrecisionSetting", "", 7);
    try {
        nameless.SetValue(5);
        FAIL() << "no exception";
    } catch (const TSettingError& error) {
        EXPECT_STREQ(error.what(), "Setting component PrecisionSetting:\r\n\r\nPlease define value name");
    }
    EXPECT_THROW(nameless.Value(), TSettingError);
    EXPECT_TRUE(store.ReadValues(kKey).empty());
}

TEST_F(Settings, AnEmptyKeyNameIsNoOpenKey)
{
    for (const char* name : {"", "\\", "//"}) {
        registry.SetKeyName(name);
        EXPECT_FALSE(registry.IsOpen()) << name;
        EXPECT_TRUE(toolbar.Value()) << name;
        EXPECT_THROW(toolbar.SetValue(false), TSettingError) << name;
    }
    registry.SetKeyName(kKey);
    EXPECT_TRUE(registry.IsOpen());
    toolbar.SetValue(false);
    EXPECT_FALSE(toolbar.Value());
    // Key names keep their case: another case is another key.
    registry.SetKeyName("software\\maker\\program");
    EXPECT_TRUE(toolbar.Value());
}

TEST(TextToIntDef, ReadsOnlyWholeIntegers)
{
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12},   {" 12", 12},   {"\t12", 12},   {"-3", -3},           {"+8", 8},
        {"2147483647", 2147483647},  {"-2147483648", -2147483647 - 1},
        {"12a", -1},  {"", -1},      {"1.5", -1},    {"99999999999", -1},  {"12 ", -1},
        {" ", -1},    {"-", -1},     {"2147483648", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToIntDef(c.text, -1), c.expected) << '"' << c.text << '"';
}
