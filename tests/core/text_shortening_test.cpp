#include "core/text_shortening.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// One pixel per character (UTF-8 continuation bytes take none).
int OnePixelPerCharacter(const std::string& text)
{
    int width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return width;
}

// The different texts a path shows in ever narrower places, widest first;
// every width down to 0 must finish.
std::vector<std::string> ShorteningSteps(const std::string& path)
{
    std::vector<std::string> steps;
    for (int width = OnePixelPerCharacter(path); width >= 0; --width) {
        const std::string shown = ShortenPath(path, width, OnePixelPerCharacter);
        if (steps.empty() || steps.back() != shown)
            steps.push_back(shown);
    }
    return steps;
}

}  // namespace

TEST(TextShortening, DropFirstFolder)
{
    const struct {
        const char* folders;
        const char* expected;
    } cases[] = {
        {"/alpha/b/c/", "/.../b/c/"},
        {"/.../b/c/", "/.../c/"},
        {"/.../c/", "/.../"},
        {"alpha/b/", ".../b/"},
        {"\\alpha\\b\\", "\\.../b\\"},
        {"", ""},
        {"/", "/"},
        {"\\", "\\"},
        // Nothing but the ellipsis is left: it goes, so that shortening ends.
        {".../", ""},
        {"...\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropFirstFolder(c.folders), c.expected) << c.folders;
}

TEST(TextShortening, PathsLoseFoldersThenTheDriveButNeverTheFileName)
{
    const std::vector<std::string> drivePath = {
        "D:/alpha/beta/file.txt", "D:/.../beta/file.txt", "D:/.../file.txt",
        "D:.../file.txt",         "D:file.txt",           "file.txt",
    };
    EXPECT_EQ(ShorteningSteps("D:/alpha/beta/file.txt"), drivePath);

    const std::vector<std::string> homePath = {
        "/home/ecologist/models/owl.st", "/.../ecologist/models/owl.st", "/.../models/owl.st",
        "/.../owl.st", ".../owl.st", "owl.st",
    };
    EXPECT_EQ(ShorteningSteps("/home/ecologist/models/owl.st"), homePath);

    // A bare name, or one in a folder of its own, is never cut.
    EXPECT_EQ(ShorteningSteps("owl.st"), std::vector<std::string>{"owl.st"});
    EXPECT_EQ(ShorteningSteps("C:owl.st"), (std::vector<std::string>{"C:owl.st", "owl.st"}));
    // Through FitText as a path: the same rule.
    EXPECT_EQ(FitText(true, "D:/alpha/beta/file.txt", 15, OnePixelPerCharacter), "D:/.../file.txt");
}

TEST(TextShortening, PlainTextEndsInAnEllipsisOrBecomesADot)
{
    const struct {
        const char* text;
        int width;
        const char* expected;
    } cases[] = {
        {"abcdefghij", 10, "abcdefghij"},  // fits
        {"abcdefghij", 9, "abcdef..."},
        {"abcdefghij", 4, "a..."},
        {"abcdefghij", 3, "."},  // not above three average characters
        {"abcdefghij", 0, "."},
        {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F" "abcd", 6, "\xC3\xA4\xC3\xB6\xC3\xBC..."},  // whole characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitText(false, c.text, c.width, OnePixelPerCharacter), c.expected) << c.text << " in " << c.width;

    // A wide "x" makes the first guess short: characters are added while
    // they fit.
    const auto wideX = [](const std::string& text) {
        int width = 0;
        for (const char c : text)
            width += c == 'x' ? 2 : 1;
        return width;
    };
    EXPECT_EQ(FitText(false, std::string(16, 'i'), 10, wideX), "iiiiiii...");

    // A failing measurement leaves the text as it was.
    const auto failing = [](const std::string&) -> int { throw std::runtime_error("no font"); };
    EXPECT_EQ(FitText(false, "abcdefghij", 4, failing), "abcdefghij");
    EXPECT_EQ(ShortenPath("/a/b/c.st", 4, failing), "/a/b/c.st");
}
