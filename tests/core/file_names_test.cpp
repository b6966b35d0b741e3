#include "core/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(FileNames, ChangeExtOnWindowsAndLinuxNames)
{
    const std::string longDir = "/data/" + std::string(300, 'd') + "/";
    struct Case {
        std::string path, ext, expected;
    } cases[] = {
        {"D:\\DATA\\MODEL.ST", "SCL", "D:\\DATA\\MODEL.SCL"},
        {"MODEL", "SCL", "MODEL.SCL"},
        {"MODEL", ".SCL", "MODEL.SCL"},
        {"model.", "SCL", "model.SCL"},
        {"/home/me/model.st", "SCL", "/home/me/model.SCL"},
        {"/home/me.d/model", "SCL", "/home/me.d/model.SCL"},
        {"/data/run:1/m.st", "SCL", "/data/run:1/m.SCL"},
        {"\\\\server\\share\\m.st", "SCL", "\\\\server\\share\\m.SCL"},
        {"mixed\\dir/m.tar.st", "SCL", "mixed\\dir/m.tar.SCL"},
        {longDir + "model.st", "SCL", longDir + "model.SCL"},
        {"", "SCL", ".SCL"},
        {"a.st", "", "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeExt(c.path, c.ext), c.expected) << c.path;
}

TEST(FileNames, SplitAndMerge)
{
    TPathParts p = SplitPath("D:\\DATA\\MODEL.ST");
    EXPECT_EQ(p.drive, "D:");
    EXPECT_EQ(p.dir, "\\DATA\\");
    EXPECT_EQ(p.name, "MODEL");
    EXPECT_EQ(p.ext, "ST");
    p = SplitPath("/home/me/model.st");
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.dir, "/home/me/");
    EXPECT_EQ(p.name, "model");

    EXPECT_EQ(MergePath("", "/home/me", "m", "st"), "/home/me/m.st");
    EXPECT_EQ(MergePath("C:", "\\x\\", "m", "st"), "C:\\x\\m.st");
    EXPECT_EQ(MergePath("", "", "m.", "st"), "m.st");
    EXPECT_EQ(MergePath("", "", "", "st"), ".st");

    const std::string longPath = std::string(400, 'a') + "/b/c.st";
    EXPECT_EQ(LastPos("/", longPath), 403u);
    EXPECT_EQ(LastPos("ab", "abcab"), 4u);
    EXPECT_EQ(LastPos("x", "abc"), 0u);
    EXPECT_EQ(LastPos("", "abc"), 0u);
    EXPECT_EQ(NativePath("a\\b/c"), "a/b/c");
}

TEST(FileNames, SameFileNameComparesCleanAbsolutePaths)
{
    const std::string here = std::filesystem::current_path().string();
    EXPECT_TRUE(SameFileName("/d/a.st", "/d//b/../a.st"));
    EXPECT_TRUE(SameFileName("/d\\a.st", "/d/a.st"));
    EXPECT_TRUE(SameFileName("a.st", here + "/a.st"));
    EXPECT_TRUE(SameFileName("/d/maps/", "/d/maps"));
    EXPECT_FALSE(SameFileName("/d/A.st", "/d/a.st"));
    EXPECT_FALSE(SameFileName("/d/a.st", "/e/a.st"));
}
