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

namespace {

// The folder part of a path as the system takes it: "." for a bare name.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool MayWrite(const std::string& path, int mode)
{
    return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

}  // namespace

std::string SaveTarget(const std::string& path)
{
    // The same bound on a chain of links as the system's own look-up, so a
    // loop of links ends.
    constexpr int kMostLinks = 40;
    std::string target = path;
    for (int depth = 0; depth < kMostLinks; ++depth) {
        struct stat st{};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            break;
        const std::string link(buffer.data(), static_cast<std::size_t>(n));
        // A relative link is relative to the folder the link is in.
        target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
    }
    return target;
}

TSaveBlock FindSaveBlock(const std::string& path)
{
    const std::string target = SaveTarget(path);
    struct stat st{};
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return TSaveBlock::CannotOpen;
        // A file that no one may write is kept as it is, as editors do, even
        // by root, whom the system itself would let write it.
        if ((st.st_mode & 0222) == 0 || !MayWrite(target, W_OK))
            return TSaveBlock::ReadOnlyFile;
    } else if (errno != ENOENT) {
        return TSaveBlock::CannotOpen;
    }
    const std::string folder = FolderOf(target);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return TSaveBlock::CannotOpen;
    // The new file is made in the folder and renamed there.
    if (!MayWrite(folder, W_OK | X_OK))
        return TSaveBlock::FolderNotWritable;
    return TSaveBlock::None;
}

std::string SaveBlockReason(TSaveBlock block, const std::string& path)
{
    switch (block) {
    case TSaveBlock::None:
    case TSaveBlock::CannotOpen: return {};
    case TSaveBlock::ReadOnlyFile: return "the file is read-only";
    case TSaveBlock::FolderNotWritable: {
        std::error_code ec;
        const std::filesystem::path relative(FolderOf(SaveTarget(path)));
        std::filesystem::path folder = std::filesystem::absolute(relative, ec);
        if (ec)
            folder = relative;
        std::string text = folder.lexically_normal().string();
        if (text.size() > 1 && text.back() == '/')
            text.pop_back();
        return "the folder " + text + " cannot be written";
    }
    }
    return {};
}

std::string SaveFailureMessage(const std::string& path)
{
    const std::string reason = SaveBlockReason(FindSaveBlock(path), path);
    return reason.empty() ? "Cannot save to " + path + "." : "Cannot save to " + path + ": " + reason + ".";
}

bool WriteFileSafely(const std::string& path, const std::string& bytes)
{
    if (FindSaveBlock(path) != TSaveBlock::None)
        return false;
    // A link stays a link: the file it points to is the one replaced, by a
    // new file made beside it.
    const std::string target = SaveTarget(path);
    std::string pattern = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // The new file is what the old one was: its owner where the system lets
    // us keep it, and its mode; a new file gets the usual 0644.
    struct stat old{};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not the owner's to give away: the file becomes ours, as any
        // editor's new file would.
    }
    ::fchmod(fd, existed ? (old.st_mode & 07777) : 0644);
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
    if (ok && std::rename(temp.data(), target.c_str()) != 0)
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
