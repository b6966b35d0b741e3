#include "core/recent_files.h"

#include "core/file_names.h"

#include <algorithm>

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

