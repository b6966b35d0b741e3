#include "core/recent_files.h"
#include "core/text_shortening.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TRecentFileList ListOf(int maximum, bool addToTop, const Names& added)
{
    TRecentFileList list;
    list.SetAddToTop(addToTop);
    list.SetMaximum(maximum);
    for (const std::string& name : added)
        list.AddItem(0, name);
    return list;
}

}  // namespace

TEST(RecentFileList, AddingKeepsTheNewestWithinTheMaximum)
{
    struct Case {
        int maximum;
        bool addToTop;
        Names added;  // each at index 0, in this order
        Names expected;
    } cases[] = {
        {3, true, {"/d/c", "/d/b", "/d/a", "/d/d"}, {"/d/d", "/d/a", "/d/b"}},
        // Present already: moves to the top, nothing is dropped.
        {3, true, {"/d/c", "/d/b", "/d/a", "/d/b"}, {"/d/b", "/d/a", "/d/c"}},
        // The same file by another spelling takes its place with the new one.
        {3, true, {"/d/c", "/d/b", "/d/./x/../c"}, {"/d/./x/../c", "/d/b"}},
        // Different case is a different file.
        {3, true, {"/d/A.st", "/d/a.st"}, {"/d/a.st", "/d/A.st"}},
        // Trimming from the start drops the newest at the top instead.
        {3, false, {"/d/c", "/d/b", "/d/a", "/d/d"}, {"/d/d", "/d/b", "/d/c"}},
        // A maximum of 0 is held at 1.
        {0, true, {"/d/a", "/d/b"}, {"/d/b"}},
        {300, true, {"/d/a"}, {"/d/a"}},
    };
    for (const Case& c : cases) {
        const TRecentFileList list = ListOf(c.maximum, c.addToTop, c.added);
        EXPECT_EQ(list.Items(), c.expected) << c.maximum << " " << c.addToTop << " " << c.added.back();
        EXPECT_GE(list.Maximum(), 1);
        EXPECT_LE(list.Maximum(), TRecentFileList::kMaximumLimit);
    }
}

TEST(RecentFileList, IndexesBeyondTheEndAppendAndLoweringTheMaximumDrops)
{
    TRecentFileList list = ListOf(5, true, {"/d/c", "/d/b", "/d/a"});
    list.AddItem(99, "/d/z");
    EXPECT_EQ(list.Items(), (Names{"/d/a", "/d/b", "/d/c", "/d/z"}));
    list.AddItem(1, "/d/z");
    EXPECT_EQ(list.Items(), (Names{"/d/a", "/d/z", "/d/b", "/d/c"}));
    list.SetMaximum(2);
    EXPECT_EQ(list.Items(), (Names{"/d/a", "/d/z"}));
    list.SetAddToTop(false);
    list.SetMaximum(1);
    EXPECT_EQ(list.Items(), (Names{"/d/z"}));
    list.Delete(5);
    list.Delete(0);
    EXPECT_TRUE(list.Items().empty());
}

TEST(RecentFileList, SavesAndLoadsInNumberOrder)
{
    TMemorySettingsStore store;
    const std::string key = "\\Software\\Maker\\Program";
    Names names;
    TRecentFileList list;
    list.SetMaximum(20);
    for (int i = 11; i >= 0; --i)
        list.AddItem(0, "/m/model" + std::to_string(i) + ".st");
    ASSERT_TRUE(list.Save(store, key, "MRU Items"));
    EXPECT_EQ(store.ReadValue(key + "\\MRU Items", "F11"), "/m/model11.st");

    TRecentFileList loaded;
    ASSERT_TRUE(loaded.Load(store, key, "MRU Items"));
    EXPECT_EQ(loaded.Items(), list.Items());

    // A shorter list leaves none of the old entries behind; empty values are
    // no file names.
    TRecentFileList shorter = ListOf(5, true, {"/m/b.st", "/m/a.st"});
    ASSERT_TRUE(shorter.Save(store, key, "MRU Items"));
    store.WriteValue(key + "\\MRU Items", "F5", "");
    ASSERT_TRUE(loaded.Load(store, key, "MRU Items"));
    EXPECT_EQ(loaded.Items(), (Names{"/m/a.st", "/m/b.st"}));

    EXPECT_FALSE(loaded.Load(store, "", "MRU Items"));
    EXPECT_FALSE(loaded.Save(store, key, ""));
    EXPECT_EQ(loaded.Items().size(), 2u);
}

TEST(RecentFileList, CaptionsNumberTheEntryAndShowAmpersands)
{
    EXPECT_EQ(RecentFileCaption(1, "/d/model.st"), "&1 /d/model.st");
    EXPECT_EQ(RecentFileCaption(12, "/d/R&D/a&&b.st"), "&12 /d/R&&D/a&&&&b.st");
}

TEST(RecentFileList, CaptionShorteningDropsFoldersThenTheDriveButNeverTheName)
{
    // One unit per character.
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()); };
    struct Case {
        const char* name;
        int width;
        const char* expected;
    } cases[] = {
        {"D:/alpha/beta/file.txt", 0, "D:/alpha/beta/file.txt"},
        {"D:/alpha/beta/file.txt", 22, "D:/alpha/beta/file.txt"},
        {"D:/alpha/beta/file.txt", 21, "D:/.../beta/file.txt"},
        {"D:/alpha/beta/file.txt", 19, "D:/.../file.txt"},
        {"D:/alpha/beta/file.txt", 14, "D:.../file.txt"},
        {"D:/alpha/beta/file.txt", 13, "D:file.txt"},
        {"D:/alpha/beta/file.txt", 3, "file.txt"},
        {"/home/me/models/herb.st", 22, "/.../me/models/herb.st"},
        {"/home/me/models/herb.st", 19, "/.../models/herb.st"},
        {"/home/me/models/herb.st", 18, "/.../herb.st"},
        {"/home/me/models/herb.st", 11, ".../herb.st"},
        {"/home/me/models/herb.st", 10, "herb.st"},
        {"/r&d/herb.st", 1, "herb.st"},
        {"herb.st", 3, "herb.st"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.width <= 0 ? std::string(c.name) : ShortenPath(c.name, c.width, width), c.expected) << c.name << " " << c.width;
}
