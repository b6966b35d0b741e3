#include "core/settings_store.h"

#include "core/file_names.h"

#include <algorithm>
#include <cctype>
#include <tuple>

std::vector<std::string> SplitKeyPath(const std::string& keyPath)
{
    std::vector<std::string> parts;
    std::string part;
    for (char ch : keyPath) {
        if (IsPathSeparator(ch)) {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += ch;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

namespace {

// The name split into its lead text and a trailing number, when it has one.
struct NumberedName {
    std::string lead;
    bool numbered = false;
    std::string digits;  // without leading zeros
};

NumberedName SplitNumber(const std::string& name)
{
    std::size_t at = name.size();
    while (at > 0 && std::isdigit(static_cast<unsigned char>(name[at - 1])))
        --at;
    NumberedName split{name.substr(0, at), at < name.size(), name.substr(at)};
    const std::size_t first = split.digits.find_first_not_of('0');
    split.digits = first == std::string::npos ? std::string() : split.digits.substr(first);
    return split;
}

}  // namespace

bool NumberedNameLess(const std::string& a, const std::string& b)
{
    const NumberedName x = SplitNumber(a);
    const NumberedName y = SplitNumber(b);
    if (!x.numbered || !y.numbered || x.lead != y.lead)
        return a < b;
    // Digit strings without leading zeros compare as numbers by length first,
    // so numbers of any size are ordered right.
    return std::make_tuple(x.digits.size(), x.digits, a) < std::make_tuple(y.digits.size(), y.digits, b);
}

void SortSettingValues(TSettingValues& values)
{
    std::sort(values.begin(), values.end(),
              [](const auto& a, const auto& b) { return NumberedNameLess(a.first, b.first); });
}

std::optional<std::string> TMemorySettingsStore::ReadValue(const std::string& keyPath, const std::string& name) const
{
    const auto key = keys_.find(SplitKeyPath(keyPath));
    if (key == keys_.end())
        return std::nullopt;
    const auto value = key->second.find(name);
    if (value == key->second.end())
        return std::nullopt;
    return value->second;
}

bool TMemorySettingsStore::WriteValue(const std::string& keyPath, const std::string& name, const std::string& value)
{
    std::vector<std::string> parts = SplitKeyPath(keyPath);
    if (parts.empty() || name.empty())
        return false;
    keys_[std::move(parts)][name] = value;
    return true;
}

bool TMemorySettingsStore::DeleteValue(const std::string& keyPath, const std::string& name)
{
    const auto key = keys_.find(SplitKeyPath(keyPath));
    if (key != keys_.end())
        key->second.erase(name);
    return true;
}

TSettingValues TMemorySettingsStore::ReadValues(const std::string& keyPath) const
{
    TSettingValues values;
    const auto key = keys_.find(SplitKeyPath(keyPath));
    if (key != keys_.end())
        values.assign(key->second.begin(), key->second.end());
    SortSettingValues(values);
    return values;
}

bool TMemorySettingsStore::EraseKey(const std::string& keyPath)
{
    const std::vector<std::string> parts = SplitKeyPath(keyPath);
    if (parts.empty())
        return false;
    std::erase_if(keys_, [&](const auto& key) {
        return key.first.size() >= parts.size() && std::equal(parts.begin(), parts.end(), key.first.begin());
    });
    return true;
}
