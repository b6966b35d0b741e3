#include "core/file_names.h"

#include <filesystem>
#include <system_error>

std::size_t LastPos(const std::string& sub, const std::string& text)
{
    if (sub.empty() || sub.size() > text.size())
        return 0;
    const std::size_t at = text.rfind(sub);
    return at == std::string::npos ? 0 : at + 1;
}

bool IsPathSeparator(char ch) { return ch == '\\' || ch == '/'; }

TPathParts SplitPath(const std::string& path)
{
    TPathParts parts;
    std::string rest = path;
    // A drive is "X:" at the front; a colon elsewhere is part of a Linux name.
    const bool letter = !rest.empty() && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'));
    if (rest.size() >= 2 && letter && rest[1] == ':') {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    } else if (const std::size_t pair = rest.find("\\\\"); pair != std::string::npos) {
        // A network name written with backslashes: the text before the second
        // backslash of the pair is the drive.
        parts.drive = rest.substr(0, pair + 1);
        rest.erase(0, pair + 1);
    }
    const std::size_t sep = rest.find_last_of("\\/");
    if (sep != std::string::npos) {
        parts.dir = rest.substr(0, sep + 1);
        rest.erase(0, sep + 1);
    }
    const std::size_t dot = rest.rfind('.');
    if (dot != std::string::npos) {
        parts.name = rest.substr(0, dot);
        parts.ext = rest.substr(dot + 1);
    } else {
        parts.name = rest;
    }
    return parts;
}

std::string MergePath(const std::string& drive, const std::string& dir, const std::string& name,
                      const std::string& ext)
{
    std::string path = drive;
    if (!dir.empty()) {
        path += dir;
        if (!IsPathSeparator(dir.back()))
            path += '/';
    }
    path += name;
    if (!ext.empty()) {
        if (ext[0] != '.' && (path.empty() || path.back() != '.'))
            path += '.';
        path += ext;
    }
    return path;
}

std::string ChangeExt(const std::string& path, const std::string& ext)
{
    const TPathParts p = SplitPath(path);
    return MergePath(p.drive, p.dir, p.name, ext);
}

std::string NativePath(const std::string& path)
{
    std::string s = path;
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

std::string WithTrailingSeparator(const std::string& dir)
{
    if (dir.empty() || IsPathSeparator(dir.back()) || dir.back() == ':')
        return dir;
    return dir + '/';
}

namespace {

// The name as an absolute, normalised path without a trailing separator.
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
