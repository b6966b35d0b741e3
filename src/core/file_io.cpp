#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string content;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok)
        return false;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos)
            end = content.size();
        size_t stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        lines.emplace_back(content, start, stop - start);
        start = next;
    }
    return true;
}

std::string JoinCrlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes)
{
    std::string folder = ".";
    if (auto slash = path.rfind('/'); slash != std::string::npos)
        folder = slash == 0 ? "/" : path.substr(0, slash);
    std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    std::string pattern = folder + "/." + name + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // Keep the old file's permissions where there is one; else the usual 0644.
    struct stat old{};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        done += static_cast<size_t>(w);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(temp.data(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        ::unlink(temp.data());
    return ok;
}

std::string FindFileNoCase(const std::string& folder, const std::string& name)
{
    std::string dir = folder.empty() ? std::string(".") : folder;
    std::string prefix = folder.empty() ? std::string() : folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    struct stat st{};
    if (::stat((prefix + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return prefix + name;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return {};
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            std::string candidate = prefix + e->d_name;
            if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                found = candidate;
                break;
            }
        }
    }
    ::closedir(d);
    return found;
}

bool CanCreateFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return false;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

bool IsSameFile(const std::string& path, const std::string& other)
{
    namespace fs = std::filesystem;
    const fs::path otherPath(other);
    std::string found = FindFileNoCase(otherPath.parent_path().string(), otherPath.filename().string());
    if (found.empty())
        found = other;
    std::error_code ec;
    return fs::equivalent(path, found, ec);
}
