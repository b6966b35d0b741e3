#include "core/version_info.h"

#include <charconv>

const char* PreDefKeyName(TPreDef entry)
{
    static const char* const names[kPreDefCount] = {
        "CompanyName",      "FileDescription", "FileVersion",    "InternalName", "LegalCopyright", "LegalTrademarks",
        "OriginalFilename", "ProductName",     "ProductVersion", "Comments",     "BuildFlags"};
    return entry >= 0 && entry < kPreDefCount ? names[entry] : "";
}

int TVersionNumberInformation::Part(int index) const
{
    if (!valid || index < 0 || index > 3)
        return 0;
    const std::uint32_t word = index < 2 ? mostSignificant : leastSignificant;
    return static_cast<int>(index % 2 == 0 ? word >> 16 : word & 0xFFFF);
}

std::string TVersionNumberInformation::AsString() const
{
    if (!valid)
        return {};
    return std::to_string(Part(0)) + "." + std::to_string(Part(1)) + "." + std::to_string(Part(2)) + "." +
           std::to_string(Part(3));
}

std::optional<TVersionNumberInformation> VersionNumberFromText(const std::string& text)
{
    std::uint32_t parts[4] = {0, 0, 0, 0};
    const char* at = text.data();
    const char* end = at + text.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, ec] = std::from_chars(at, end, parts[i]);
        if (ec != std::errc() || parts[i] > 0xFFFF)
            return std::nullopt;
        at = next;
        if (at == end)
            break;
        if (*at != '.' || i == 3)
            return std::nullopt;
        ++at;
    }
    if (at != end)
        return std::nullopt;
    return TVersionNumberInformation{true, parts[0] << 16 | parts[1], parts[2] << 16 | parts[3]};
}

std::string FileFlagsText(std::uint32_t flags)
{
    static const std::pair<TFileFlag, const char*> names[] = {
        {ffDebug, "Debug"},           {ffInfoInferred, "Info Inferred"}, {ffPatched, "Patched"},
        {ffPreRelease, "Pre-Release"}, {ffPrivateBuild, "Private"},       {ffSpecialBuild, "Special"},
    };
    std::string text;
    for (const auto& [flag, name] : names)
        if (flags & flag)
            text += std::string(name) + ", ";
    if (!text.empty())
        text.resize(text.size() - 2);
    return text;
}

TVersionResource BuildVersionResource(const std::map<std::string, std::string>& strings)
{
    TVersionResource resource;
    resource.fixed.fileVersion = VersionNumberFromText(PV_VERSION).value_or(TVersionNumberInformation{true, 0, 0});
    resource.fixed.productVersion = resource.fixed.fileVersion;
#ifndef NDEBUG
    resource.fixed.fileFlags |= ffDebug;
#endif
    // Language 0409 (US English), code page 04b0 (Unicode).
    TVersionTranslation translation{"040904b0", strings};
    translation.strings.try_emplace("FileVersion", resource.fixed.fileVersion.AsString());
    translation.strings.try_emplace("ProductVersion", resource.fixed.productVersion.AsString());
    resource.translations.push_back(std::move(translation));
    return resource;
}

void TVersionInfo::SetResource(std::optional<TVersionResource> resource)
{
    resource_ = std::move(resource);
    if (current_ >= Translations().size())
        current_ = 0;
}

std::vector<std::string> TVersionInfo::Translations() const
{
    std::vector<std::string> codes;
    if (resource_)
        for (const TVersionTranslation& translation : resource_->translations)
            codes.push_back(translation.code);
    return codes;
}

void TVersionInfo::SetCurrentTranslation(std::size_t index)
{
    if (index < Translations().size())
        current_ = index;
}

std::string TVersionInfo::GetString(TPreDef entry) const
{
    if (!resource_ || current_ >= resource_->translations.size())
        return {};
    const auto& strings = resource_->translations[current_].strings;
    const auto value = strings.find(PreDefKeyName(entry));
    return value == strings.end() ? std::string() : value->second;
}

TVersionNumberInformation TVersionInfo::FileVersion() const
{
    return resource_ ? resource_->fixed.fileVersion : TVersionNumberInformation{};
}

TVersionNumberInformation TVersionInfo::ProductVersion() const
{
    return resource_ ? resource_->fixed.productVersion : TVersionNumberInformation{};
}

std::string TVersionInfo::FileFlagsText() const { return resource_ ? ::FileFlagsText(resource_->fixed.fileFlags) : ""; }

std::vector<std::pair<std::string, std::string>> TVersionInfo::ReportRows(const TPreDefSet& show) const
{
    static const TPreDef order[] = {pdProductName,     pdProductVersion,  pdCompanyName,  pdLegalCopyright,
                                    pdLegalTrademarks, pdFileDescription, pdFileVersion,  pdInternalName,
                                    pdOriginalFilename, pdBuildFlags};
    std::vector<std::pair<std::string, std::string>> rows;
    for (TPreDef entry : order) {
        if (!show.test(entry))
            continue;
        std::string value;
        switch (entry) {
        case pdProductVersion: value = ProductVersion().AsString(); break;
        case pdFileVersion: value = FileVersion().AsString(); break;
        case pdBuildFlags: value = FileFlagsText(); break;
        default: value = GetString(entry);
        }
        rows.emplace_back(PreDefKeyName(entry), value);
    }
    return rows;
}
