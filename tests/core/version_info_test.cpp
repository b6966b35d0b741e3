#include "core/version_info.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(VersionInfo, VersionNumbersAndTheirText)
{
    struct Case {
        const char* text;
        const char* expected;  // null: not a version
    } cases[] = {
        {"2.1", "2.1.0.0"}, {"1.0.0", "1.0.0.0"}, {"65535.4.3.2", "65535.4.3.2"},
        {"65536", nullptr}, {"1.2.3.4.5", nullptr}, {"1..2", nullptr}, {"", nullptr}, {"1.x", nullptr},
    };
    for (const Case& c : cases) {
        const auto version = VersionNumberFromText(c.text);
        ASSERT_EQ(version.has_value(), c.expected != nullptr) << c.text;
        if (version) {
            EXPECT_EQ(version->AsString(), c.expected);
        }
    }
    const TVersionNumberInformation invalid{false, 0x00020001, 0x00040003};
    EXPECT_EQ(invalid.AsString(), "");
    EXPECT_EQ(invalid.Part(0), 0);
    const TVersionNumberInformation valid{true, 0x00020001, 0x00040003};
    EXPECT_EQ(valid.AsString(), "2.1.4.3");
}

TEST(VersionInfo, FlagsAreNamedInTheirFixedOrder)
{
    EXPECT_EQ(FileFlagsText(ffPatched | ffDebug), "Debug, Patched");
    EXPECT_EQ(FileFlagsText(0), "");
    EXPECT_EQ(FileFlagsText(0x3F), "Debug, Info Inferred, Patched, Pre-Release, Private, Special");
}

TEST(VersionInfo, TheBuildGivesTheProjectVersion)
{
    TVersionInfo info;
    info.SetResource(BuildVersionResource({{"ProductName", "Herbs"}}));
    const std::string version = info.FileVersion().AsString();
    EXPECT_EQ(version.rfind(PV_VERSION, 0), 0u) << version;
    EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3);
    EXPECT_EQ(info.ProductVersion().AsString(), version);
    EXPECT_EQ(info.GetString(pdFileVersion), version);
    EXPECT_EQ(info.GetString(pdProductName), "Herbs");
    EXPECT_EQ(info.Translations(), std::vector<std::string>{"040904b0"});
#ifdef NDEBUG
    EXPECT_EQ(info.FileFlagsText(), "");
#else
    EXPECT_EQ(info.FileFlagsText(), "Debug");
#endif
}

TEST(VersionInfo, StringsComeFromTheFirstTranslation)
{
    TVersionResource resource;
    resource.fixed.fileVersion = *VersionNumberFromText("2.0.1.7");
    resource.translations = {{"040904e4", {{"LegalCopyright", "first"}}}, {"040704e4", {{"LegalCopyright", "second"}}}};
    TVersionInfo info;
    info.SetCurrentTranslation(1);  // no resource yet: stays at the first
    info.SetResource(resource);
    EXPECT_EQ(info.GetString(pdLegalCopyright), "first");
    info.SetCurrentTranslation(1);
    EXPECT_EQ(info.GetString(pdLegalCopyright), "second");
    // A resource with fewer translations starts again at the first.
    resource.translations.pop_back();
    info.SetResource(resource);
    EXPECT_EQ(info.CurrentTranslation(), 0u);
}

TEST(VersionInfo, ReportRowsFollowTheChosenEntries)
{
    TVersionResource resource;
    resource.fixed.fileVersion = *VersionNumberFromText("2.0.1.7");
    resource.fixed.productVersion = *VersionNumberFromText("2.0");
    resource.fixed.fileFlags = ffPreRelease;
    resource.translations = {{"040904e4", {{"ProductName", "Herbs"}, {"Comments", "never shown"}}}};
    TVersionInfo info;
    info.SetResource(resource);
    TPreDefSet show;
    show.set();
    using Rows = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(info.ReportRows(show), (Rows{{"ProductName", "Herbs"},
                                          {"ProductVersion", "2.0.0.0"},
                                          {"CompanyName", ""},
                                          {"LegalCopyright", ""},
                                          {"LegalTrademarks", ""},
                                          {"FileDescription", ""},
                                          {"FileVersion", "2.0.1.7"},
                                          {"InternalName", ""},
                                          {"OriginalFilename", ""},
                                          {"BuildFlags", "Pre-Release"}}));
    show.reset(pdProductName).reset(pdBuildFlags);
    EXPECT_EQ(info.ReportRows(show).front().first, "ProductVersion");
    EXPECT_EQ(info.ReportRows(show).size(), 8u);

    // No version information: key names with empty values.
    info.SetResource(std::nullopt);
    for (const auto& [key, value] : info.ReportRows(show))
        EXPECT_EQ(value, "") << key;
    EXPECT_EQ(info.GetString(pdProductName), "");
}
