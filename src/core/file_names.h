#pragma once
// File names as text: splitting, joining and changing extensions. Both "\"
// and "/" count as separators on input; joins use "/". A drive prefix such as
// "D:" is kept as text. Paths of any length are handled.

#include <cstddef>
#include <string>

// 1-based position of the last occurrence of sub in text; 0 when absent or
// when sub is empty.
std::size_t LastPos(const std::string& sub, const std::string& text);

struct TPathParts {
    std::string drive;  // "D:" or the lead of a "\\server" name; else empty
    std::string dir;    // up to and including the last separator; else empty
    std::string name;   // before the last "."
    std::string ext;    // after the last ".", without the dot
};

TPathParts SplitPath(const std::string& path);
// drive + dir (with "/" appended unless it ends with a separator) + name,
// then "." (unless ext begins with "." or the text already ends with one) and
// ext when ext is not empty.
std::string MergePath(const std::string& drive, const std::string& dir, const std::string& name,
                      const std::string& ext);
std::string ChangeExt(const std::string& path, const std::string& ext);

bool IsPathSeparator(char ch);  // "\" or "/"
// The path with every "\" turned into "/", for handing to the file system.
std::string NativePath(const std::string& path);
// The directory with a trailing "/" unless it is empty or already ends with a
// separator or ":".
std::string WithTrailingSeparator(const std::string& dir);

// True when both names lead to the same file or folder: their absolute,
// cleaned paths (relative names taken from the working folder, "." and ".."
// resolved, "\" read as "/", a trailing separator dropped) are equal, letter
// case included, as file names are here.
bool SameFileName(const std::string& a, const std::string& b);
