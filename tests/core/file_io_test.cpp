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

// The new file keeps what the old one was: a file no one may write is kept
// (by root too), a link stays a link and its target gets the bytes, the mode
// stays; every refusal leaves the old bytes and says why.
TEST(FileIo, SafeWriteKeepsReadOnlyFilesLinksAndModes)
{
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string locked = dir.file("locked.sp");
    WriteAll(locked, "old");
    ::chmod(locked.c_str(), 0444);
    EXPECT_EQ(FindSaveBlock(locked), TSaveBlock::ReadOnlyFile);
    EXPECT_FALSE(WriteFileSafely(locked, "new"));
    EXPECT_EQ(ReadAll(locked), "old");
    EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all, fs::perms(0444));
    EXPECT_EQ(SaveFailureMessage(locked), "Cannot save to " + locked + ": the file is read-only.");

    const std::string kept = dir.file("kept.sp");
    WriteAll(kept, "old");
    ::chmod(kept.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(kept, "new"));
    EXPECT_EQ(ReadAll(kept), "new");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all, fs::perms(0640));

    fs::create_directory(dir.file("real"));
    WriteAll(dir.file("real/m.sp"), "old");
    fs::create_symlink("real/m.sp", dir.file("m.sp"));
    ASSERT_TRUE(WriteFileSafely(dir.file("m.sp"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.file("m.sp")));
    EXPECT_EQ(ReadAll(dir.file("real/m.sp")), "new");
    // The temporary file was made beside the target and is gone.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("real")), {}), 1);

    // A link to a read-only file is refused like the file.
    fs::create_symlink("locked.sp", dir.file("to_locked.sp"));
    EXPECT_FALSE(WriteFileSafely(dir.file("to_locked.sp"), "new"));
    EXPECT_EQ(ReadAll(locked), "old");

    EXPECT_EQ(FindSaveBlock(dir.file("real")), TSaveBlock::CannotOpen);
    EXPECT_EQ(FindSaveBlock(dir.file("none/x.sp")), TSaveBlock::CannotOpen);
    EXPECT_EQ(SaveBlockReason(TSaveBlock::FolderNotWritable, dir.file("real/m.sp")),
              "the folder " + dir.file("real") + " cannot be written");
    ::chmod(locked.c_str(), 0644);
}
