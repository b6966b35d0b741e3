#include "core/file_io.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileIo, ReadsCrlfAndLfLinesByteForByte)
{
    TempDir dir;
    WriteAll(dir.file("a.txt"), "one\r\ntwo\nthree \xFF\r\n\r\nlast");
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir.file("a.txt"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three \xFF", "", "last"}));
    EXPECT_FALSE(ReadTextLines(dir.file("missing.txt"), lines));
}

TEST(FileIo, SafeWriteReplacesAndLeavesOldFileOnFailure)
{
    TempDir dir;
    const std::string path = dir.file("m.st");
    ASSERT_TRUE(WriteFileSafely(path, JoinCrlf({"a", "b"})));
    EXPECT_EQ(ReadAll(path), "a\r\nb\r\n");
    ASSERT_TRUE(WriteFileSafely(path, "new"));
    EXPECT_EQ(ReadAll(path), "new");

    // A folder that cannot be written: the save fails and the old file stays.
    if (::geteuid() != 0) {
        ::chmod(dir.path().c_str(), 0555);
        EXPECT_FALSE(WriteFileSafely(path, "lost?"));
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(ReadAll(path), "new");
    }
    EXPECT_FALSE(WriteFileSafely(dir.file("no/such/folder/x.st"), "x"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIo, FindsFixedNamesExactlyThenIgnoringCase)
{
    TempDir dir;
    WriteAll(dir.file("zerkanol.cfg"), "x");
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "ZERKANOL.CFG"), dir.file("zerkanol.cfg"));
    WriteAll(dir.file("ZERKANOL.CFG"), "y");
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "ZERKANOL.CFG"), dir.file("ZERKANOL.CFG"));
    EXPECT_EQ(FindFileNoCase(dir.path().string(), "OTHER.CFG"), "");
}
