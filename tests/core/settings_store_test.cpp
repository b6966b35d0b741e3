#include "core/settings_store.h"

#include <gtest/gtest.h>

TEST(SettingsStore, KeyPathsIgnoreLeadingAndDoubledSeparators)
{
    EXPECT_EQ(SplitKeyPath("\\Software\\Maker\\Program"), SplitKeyPath("Software/Maker//Program/"));
    EXPECT_TRUE(SplitKeyPath("").empty());
    EXPECT_TRUE(SplitKeyPath("\\").empty());

    TMemorySettingsStore store;
    ASSERT_TRUE(store.WriteValue("\\Software\\Maker\\Program", "A", "1"));
    EXPECT_EQ(store.ReadValue("Software/Maker/Program", "A"), "1");
    // No key part: the root takes no values.
    EXPECT_FALSE(store.WriteValue("\\", "A", "1"));
    EXPECT_FALSE(store.ReadValue("", "A"));
}

TEST(SettingsStore, NumberedValuesAreListedByTheirNumber)
{
    TMemorySettingsStore store;
    for (const char* name : {"F10", "F2", "F0", "Other", "F1", "F007"})
        store.WriteValue("K", name, name);
    std::vector<std::string> names;
    for (const auto& [name, value] : store.ReadValues("K"))
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"F0", "F1", "F2", "F007", "F10", "Other"}));
    EXPECT_TRUE(NumberedNameLess("F9", "F123456789012345678901"));
}

TEST(SettingsStore, ErasingAKeyTakesItsSubKeysButNotItsNeighbours)
{
    TMemorySettingsStore store;
    store.WriteValue("P\\MRU Items", "F0", "a");
    store.WriteValue("P\\MRU Items\\Deeper", "X", "b");
    store.WriteValue("P", "ShowToolbar", "1");
    store.WriteValue("P\\MRU Items2", "F0", "c");
    ASSERT_TRUE(store.EraseKey("P\\MRU Items"));
    EXPECT_TRUE(store.ReadValues("P\\MRU Items").empty());
    EXPECT_FALSE(store.ReadValue("P\\MRU Items\\Deeper", "X"));
    EXPECT_EQ(store.ReadValue("P", "ShowToolbar"), "1");
    EXPECT_EQ(store.ReadValue("P\\MRU Items2", "F0"), "c");
}
