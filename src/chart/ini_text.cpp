#include "chart/ini_text.h"

#include <strings.h>

namespace {

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool Quoted(std::string_view s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }

}  // namespace

TIniText TIniText::FromLines(const std::vector<std::string>& lines)
{
    TIniText ini;
    Section* current = nullptr;
    for (const auto& raw : lines) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            ini.sections_.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            current = &ini.sections_.back();
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (Quoted(value))
            value = value.substr(1, value.size() - 2);
        current->Entries.emplace_back(std::string(Trim(line.substr(0, eq))), std::string(value));
    }
    return ini;
}

const TIniText::Section* TIniText::Find(std::string_view section) const
{
    for (const auto& s : sections_)
        if (SameName(s.Name, section))
            return &s;
    return nullptr;
}

bool TIniText::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> TIniText::SectionNames() const
{
    std::vector<std::string> names;
    for (const auto& s : sections_)
        names.push_back(s.Name);
    return names;
}

std::optional<std::string> TIniText::Value(std::string_view section, std::string_view key) const
{
    if (const Section* s = Find(section))
        for (const auto& [k, v] : s->Entries)
            if (SameName(k, key))
                return v;
    return std::nullopt;
}

void TIniWriter::Section(std::string_view name)
{
    if (!text_.empty())
        text_ += "\r\n";
    text_ += '[';
    text_ += name;
    text_ += "]\r\n";
}

void TIniWriter::Value(std::string_view key, std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool quote = !v.empty() && (v.front() == ' ' || v.front() == '\t' || v.back() == ' ' ||
                                      v.back() == '\t' || Quoted(v));
    text_ += key;
    text_ += '=';
    if (quote)
        text_ += '"';
    text_ += v;
    if (quote)
        text_ += '"';
    text_ += "\r\n";
}
