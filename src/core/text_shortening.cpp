#include "core/text_shortening.h"

#include "core/file_names.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

const std::string kEllipsisFolder = ".../";

bool StartsWithEllipsisFolder(const std::string& text)
{
    return text.size() >= 4 && text.compare(0, 3, "...") == 0 && IsPathSeparator(text[3]);
}

// The byte offset where each character of a UTF-8 text begins, and the end.
std::vector<std::size_t> CharacterEnds(const std::string& text)
{
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    return ends;
}

}  // namespace

std::string DropFirstFolder(const std::string& folders)
{
    if (folders.empty() || (folders.size() == 1 && IsPathSeparator(folders[0])))
        return folders;
    std::string rest = folders;
    std::string lead;
    if (IsPathSeparator(rest[0])) {
        lead = rest.substr(0, 1);
        rest.erase(0, 1);
    }
    const bool hadEllipsis = StartsWithEllipsisFolder(rest);
    if (hadEllipsis)
        rest.erase(0, kEllipsisFolder.size());
    // Nothing but the ellipsis: putting it back would never shorten the
    // path again, so it goes.
    if (rest.empty() && hadEllipsis && lead.empty())
        return std::string();
    const auto sep = std::find_if(rest.begin(), rest.end(), IsPathSeparator);
    rest.erase(rest.begin(), sep == rest.end() ? sep : sep + 1);
    return lead + kEllipsisFolder + rest;
}

std::string ShortenPath(const std::string& path, int width, const TTextWidth& textWidth)
{
    std::string drive = path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
    const std::string rest = path.substr(drive.size());
    const auto lastSep = std::find_if(rest.rbegin(), rest.rend(), IsPathSeparator);
    std::string folders(rest.begin(), lastSep.base());
    const std::string name(lastSep.base(), rest.end());
    std::string result = path;
    try {
        while (textWidth(result) > width && (!drive.empty() || !folders.empty())) {
            if (folders.size() == 5 && IsPathSeparator(folders[0]) && StartsWithEllipsisFolder(folders.substr(1)))
                folders.erase(0, 1);
            else if (!folders.empty())
                folders = DropFirstFolder(folders);
            else
                drive.clear();
            result = drive + folders + name;
        }
    } catch (const std::exception&) {
        // The text as far as it got.
    }
    return result;
}

std::string FitText(bool isPath, const std::string& text, int width, const TTextWidth& textWidth)
{
    if (isPath)
        return ShortenPath(text, width, textWidth);
    std::string result = text;
    try {
        if (textWidth(text) <= width)
            return result;
        const int average = std::max(textWidth("x"), 1);
        if (3 * average >= width)
            return ".";
        const std::vector<std::size_t> ends = CharacterEnds(text);
        const auto withEllipsis = [&](int count) {
            return (count > 0 ? text.substr(0, ends[count - 1]) : std::string()) + "...";
        };
        int count = std::min(width / average - 1, static_cast<int>(ends.size()));
        if (textWidth(withEllipsis(count)) > width) {
            while (count > 0 && textWidth(withEllipsis(count)) > width)
                --count;
        } else {
            while (count < static_cast<int>(ends.size()) && textWidth(withEllipsis(count + 1)) <= width)
                ++count;
        }
        result = withEllipsis(count);
    } catch (const std::exception&) {
        result = text;
    }
    return result;
}
