#pragma once
// A model file's bytes as lines and back, for tests that edit files line by
// line.

#include <algorithm>
#include <string>
#include <vector>

// The lines without their LF or CR LF ends.
inline std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// CR LF after every line.
inline std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The index of the first line equal to `line`; the count when none is.
inline std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}
