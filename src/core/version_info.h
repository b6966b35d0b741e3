#pragma once
// Version information for About boxes. Programs here carry no version
// resource, so the build supplies it: the version numbers come from the
// project's version, the flags from the build type, and the strings from the
// program (product name, description and the like). The reader offers the
// standard strings, the version numbers as text and the rows of a
// "Resource"/"Value" report.

#include <bitset>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The standard entries, in this order; their positions index the key names.
enum TPreDef {
    pdCompanyName,
    pdFileDescription,
    pdFileVersion,
    pdInternalName,
    pdLegalCopyright,
    pdLegalTrademarks,
    pdOriginalFilename,
    pdProductName,
    pdProductVersion,
    pdComments,
    pdBuildFlags,
    kPreDefCount
};
using TPreDefSet = std::bitset<kPreDefCount>;

// "CompanyName", "FileDescription", ...
const char* PreDefKeyName(TPreDef entry);

// A four-part version number held as two 32-bit words; every part is 0 and
// the text empty while it is not valid.
struct TVersionNumberInformation {
    bool valid = false;
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;

    // Index 0 is the high half of the first word, 3 the low half of the second.
    int Part(int index) const;
    // "%d.%d.%d.%d" of the four parts.
    std::string AsString() const;
};

// Up to four dot-separated numbers (missing ones are 0), each 0..65535.
std::optional<TVersionNumberInformation> VersionNumberFromText(const std::string& text);

// The flags of the fixed block.
enum TFileFlag : std::uint32_t {
    ffDebug = 0x01,
    ffPreRelease = 0x02,
    ffPatched = 0x04,
    ffPrivateBuild = 0x08,
    ffInfoInferred = 0x10,
    ffSpecialBuild = 0x20,
};
// The names of the set flags joined by ", ", in the order Debug, Info
// Inferred, Patched, Pre-Release, Private, Special.
std::string FileFlagsText(std::uint32_t flags);

struct TFixedFileVersionInfo {
    TVersionNumberInformation fileVersion;
    TVersionNumberInformation productVersion;
    std::uint32_t fileFlags = 0;
};

// One language and code page of the strings, with its code "%.4x%.4x".
struct TVersionTranslation {
    std::string code;
    std::map<std::string, std::string> strings;  // by key name
};

struct TVersionResource {
    TFixedFileVersionInfo fixed;
    std::vector<TVersionTranslation> translations;
};

// The running program's version information: the project version of the
// build, the Debug flag in debug builds, and the given strings (by key name)
// in one translation, US English in Unicode; "FileVersion" and
// "ProductVersion" default to the version text.
TVersionResource BuildVersionResource(const std::map<std::string, std::string>& strings);

// Reads one resource, or none for a file that carries no version information.
class TVersionInfo {
public:
    void SetResource(std::optional<TVersionResource> resource);
    const std::optional<TVersionResource>& Resource() const { return resource_; }

    // The translations' codes; the strings are read from the current one,
    // the first unless set otherwise.
    std::vector<std::string> Translations() const;
    std::size_t CurrentTranslation() const { return current_; }
    void SetCurrentTranslation(std::size_t index);

    // The entry's string, empty when there is none.
    std::string GetString(TPreDef entry) const;
    TVersionNumberInformation FileVersion() const;
    TVersionNumberInformation ProductVersion() const;
    std::string FileFlagsText() const;

    // The report rows (key name, value) of the entries in `show`, in report
    // order: product name and version, company, copyright, trademarks,
    // description, file version, internal and original file name, flags.
    std::vector<std::pair<std::string, std::string>> ReportRows(const TPreDefSet& show) const;

private:
    std::optional<TVersionResource> resource_;
    std::size_t current_ = 0;
};
