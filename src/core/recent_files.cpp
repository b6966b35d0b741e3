#include "core/recent_files.h"

#include "core/file_names.h"

#include <algorithm>
#include <filesystem>

void TRecentFileList::SetMaximum(int maximum)
{
    maximum_ = std::clamp(maximum, 1, kMaximumLimit);
    DropUntil(static_cast<std::size_t>(maximum_));
}

void TRecentFileList::DropUntil(std::size_t count)
{
    while (items_.size() > count) {
        if (addToTop_)
            items_.pop_back();
        else
            items_.erase(items_.begin());
    }
}

void TRecentFileList::AddItem(std::size_t index, const std::string& name)
{
    const auto present = std::find_if(items_.begin(), items_.end(),
                                      [&](const std::string& item) { return SameFileName(item, name); });
    if (present != items_.end())
        items_.erase(present);
    else
        DropUntil(static_cast<std::size_t>(maximum_) - 1);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())), name);
}

void TRecentFileList::Delete(std::size_t index)
{
    if (index < items_.size())
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

namespace {

std::string SectionPath(const std::string& keyName, const std::string& section) { return keyName + "\\" + section; }

}  // namespace

bool TRecentFileList::Load(const TSettingsStore& store, const std::string& keyName, const std::string& section)
{
    if (keyName.empty() || section.empty())
        return false;
    items_.clear();
    for (const auto& [name, value] : store.ReadValues(SectionPath(keyName, section)))
        if (!value.empty())
            items_.push_back(value);
    return true;
}

bool TRecentFileList::Save(TSettingsStore& store, const std::string& keyName, const std::string& section) const
{
    if (keyName.empty() || section.empty())
        return false;
    const std::string path = SectionPath(keyName, section);
    bool written = store.EraseKey(path);
    for (std::size_t i = 0; i < items_.size(); ++i)
        written = store.WriteValue(path, "F" + std::to_string(i), items_[i]) && written;
    return written;
}

namespace {

std::string CleanPath(const std::string& name)
{
    std::filesystem::path path(NativePath(name));
    if (path.is_relative()) {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::current_path(ec);
        if (!ec)
            path = folder / path;
    }
    std::string clean = path.lexically_normal().string();
    if (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    return clean;
}

}  // namespace

bool SameFileName(const std::string& a, const std::string& b) { return a == b || CleanPath(a) == CleanPath(b); }

std::string RecentFileCaption(int number, const std::string& shownName)
{
    std::string caption = "&" + std::to_string(number) + " ";
    for (char ch : shownName) {
        caption += ch;
        if (ch == '&')
            caption += '&';
    }
    return caption;
}

namespace {

// One step of taking folders off the front of a folder part that ends in a
// separator: "/a/b/" -> "/.../b/" -> "/.../"; a lone ".../" goes entirely.
std::string DropLeadingFolder(const std::string& folders, char sep)
{
    const std::string ellipsis = std::string("...") + sep;
    const bool lead = !folders.empty() && IsPathSeparator(folders[0]);
    std::string body = lead ? folders.substr(1) : folders;
    if (body.compare(0, ellipsis.size(), ellipsis) == 0)
        body.erase(0, ellipsis.size());
    if (body.empty())
        return {};
    const std::size_t end = body.find_first_of("\\/");
    body.erase(0, end == std::string::npos ? body.size() : end + 1);
    return (lead ? std::string(1, sep) : std::string()) + ellipsis + body;
}

}  // namespace

std::string ShortenRecentFileName(const std::string& name, int width,
                                  const std::function<int(const std::string&)>& textWidth)
{
    if (width <= 0 || textWidth(name) <= width)
        return name;
    std::string drive;
    std::string rest = name;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::size_t last = rest.find_last_of("\\/");
    if (last == std::string::npos)
        return name;
    const char sep = rest[last];
    std::string folders = rest.substr(0, last + 1);
    const std::string file = rest.substr(last + 1);
    const std::string lastEllipsis = std::string(1, sep) + "..." + sep;

    std::string shown = name;
    while (textWidth(shown) > width && (!drive.empty() || !folders.empty())) {
        if (folders == lastEllipsis)
            folders = folders.substr(1);
        else if (!folders.empty())
            folders = DropLeadingFolder(folders, sep);
        else
            drive.clear();
        shown = drive + folders + file;
    }
    return shown;
}
