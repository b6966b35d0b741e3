#include "chart/scale_file.h"

#include "chart/ini_text.h"
#include "core/file_io.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <map>

namespace {

std::string Trimmed(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool ParseInteger(const std::string& text, long long& value)
{
    std::string t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.erase(0, 1);
    if (t.empty())
        return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return ec == std::errc() && end == t.data() + t.size();
}

// Folder and name of a path; either separator is accepted.
void SplitPath(const std::string& path, std::string& folder, std::string& name)
{
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        folder.clear();
        name = path;
    } else {
        folder = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
}

// The existing file of that name (exact or ignoring case), else the name.
std::string ResolvePath(const std::string& fileName)
{
    std::string folder, name;
    SplitPath(fileName, folder, name);
    const std::string found = FindFileNoCase(folder, name);
    return found.empty() ? fileName : found;
}

class TSectionReader {
public:
    TSectionReader(const TIniText& ini, std::string section) : ini_(ini), section_(std::move(section)) {}

    std::string Text(const char* key, const char* def) const
    {
        const auto v = ini_.Value(section_, key);
        return v ? *v : def;
    }
    int Integer(const char* key, int def) const
    {
        long long n = 0;
        const auto v = ini_.Value(section_, key);
        return v && ParseInteger(*v, n) && n >= INT_MIN && n <= INT_MAX ? static_cast<int>(n) : def;
    }
    bool Boolean(const char* key, bool def) const
    {
        long long n = 0;
        const auto v = ini_.Value(section_, key);
        return v && ParseInteger(*v, n) ? n != 0 : def;
    }
    double Number(const char* key, double def) const
    {
        double d = 0;
        const auto v = ini_.Value(section_, key);
        return v && ParseScaleNumber(*v, d) ? d : def;
    }

private:
    const TIniText& ini_;
    std::string section_;
};

}  // namespace

std::string FormatScaleNumber(double value)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : "0";
}

bool ParseScaleNumber(const std::string& text, double& value)
{
    std::string t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.erase(0, 1);
    if (t.empty())
        return false;
    if (t.find('.') == std::string::npos && std::count(t.begin(), t.end(), ',') == 1)
        std::replace(t.begin(), t.end(), ',', '.');
    double d = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (ec != std::errc() || end != t.data() + t.size())
        return false;
    value = d;
    return true;
}

bool ReadScaleFile(const std::string& fileName, TKindTable table, std::vector<TScaleInfo>& rows)
{
    std::vector<std::string> lines;
    if (!ReadTextLines(ResolvePath(fileName), lines))
        return false;
    const TIniText ini = TIniText::FromLines(lines);
    const int records = TSectionReader(ini, "Header").Integer("NumberOfRecords", 0);
    if (records <= 0)
        return true;
    if (rows.size() < PlotKinds(table).size())
        rows.resize(PlotKinds(table).size());

    // Sections "1".."NumberOfRecords" in number order; section "0" is never
    // read. Walking the file's own sections keeps a huge record count cheap.
    std::map<long long, std::string> sections;
    for (const auto& name : ini.SectionNames()) {
        long long n = 0;
        if (ParseInteger(name, n) && n >= 1 && n <= records && !sections.count(n))
            sections.emplace(n, name);
    }
    for (const auto& [number, name] : sections) {
        const TSectionReader s(ini, name);
        const auto kindName = ini.Value(name, "PlotKind");
        TScaleInfo& info = rows[static_cast<size_t>(kindName ? PlotKindFromName(table, *kindName) : 0)];
        info.Title = s.Text("Title", "Title");
        info.Index = s.Integer("Index", 0);
        info.AutoScale = s.Boolean("AutoScale", true);
        info.ShowAll = s.Boolean("ShowAll", true);
        info.XLabel = s.Text("XLabel", "X Label");
        info.YLabel = s.Text("YLabel", "Y Label");
        info.XMinimum = s.Number("XMinimum", 0);
        info.YMinimum = s.Number("YMinimum", 0);
        info.XMaximum = s.Number("XMaximum", 1);
        info.YMaximum = s.Number("YMaximum", 1);
        info.XTicSpace = s.Number("XTicSpace", 0);
        info.YTicSpace = s.Number("YTicSpace", 0);
    }
    return true;
}

bool WriteScaleFile(const std::string& fileName, TKindTable table,
                    const std::vector<TScaleInfo>& rows)
{
    const auto& kinds = PlotKinds(table);
    const int highest = HighestPlotKind(table);
    TIniWriter w;
    w.Section("Header");
    w.Value("NumberOfRecords", std::to_string(highest));
    w.Value("Version", "1");
    for (int k = 0; k <= highest; ++k) {
        const size_t i = static_cast<size_t>(k);
        const TScaleInfo& s = i < rows.size() ? rows[i] : kinds[i].Default;
        w.Section(std::to_string(k));
        w.Value("PlotKind", kinds[i].Name);
        w.Value("Title", s.Title);
        w.Value("Index", std::to_string(s.Index));
        w.Value("AutoScale", s.AutoScale ? "1" : "0");
        w.Value("ShowAll", s.ShowAll ? "1" : "0");
        w.Value("XLabel", s.XLabel);
        w.Value("YLabel", s.YLabel);
        w.Value("XMinimum", FormatScaleNumber(s.XMinimum));
        w.Value("YMinimum", FormatScaleNumber(s.YMinimum));
        w.Value("XMaximum", FormatScaleNumber(s.XMaximum));
        w.Value("YMaximum", FormatScaleNumber(s.YMaximum));
        w.Value("XTicSpace", FormatScaleNumber(s.XTicSpace));
        w.Value("YTicSpace", FormatScaleNumber(s.YTicSpace));
    }
    return WriteFileSafely(ResolvePath(fileName), w.Bytes());
}

bool ReadScaleFile(const std::string& fileName)
{
    return ReadScaleFile(fileName, CurrentKindTable(), DefaultScaleInfo);
}

bool WriteScaleFile(const std::string& fileName)
{
    return WriteScaleFile(fileName, CurrentKindTable(), DefaultScaleInfo);
}
