#pragma once
// Byte-exact text files: model, side, log and map files are 8-bit text.
// Readers accept CRLF and LF line ends; writers use CRLF so files stay
// exchangeable with files made on Windows.

#include <string>
#include <vector>

// Reads every line of a file, without its line end (CR LF, LF or a lone CR at
// the end of a line). Returns false when the file cannot be opened or read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Joins lines with CR LF, one after every line.
std::string JoinCrlf(const std::vector<std::string>& lines);

// Replaces a file safely: the bytes go to a temporary file in the same folder,
// which is then renamed over the old one. On any failure the old file is left
// as it was, the temporary file is removed and false is returned.
bool WriteFileSafely(const std::string& path, const std::string& bytes);

// Looks for a file of a fixed name in a folder: the exact name first, then a
// case-insensitive match. Returns the full path found, or empty. An empty
// folder means the current directory.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// Whether a file of this name could be created or replaced: its folder
// exists and can be written to, and the name is not a folder.
bool CanCreateFile(const std::string& path);

// Whether `other`, or the file that a look-up ignoring case finds for it in
// its folder, is the file at `path` (so writing one would replace the other).
bool IsSameFile(const std::string& path, const std::string& other);
