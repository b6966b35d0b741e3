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

// What stops a file from being created or replaced, found before anything
// is written.
enum class TSaveBlock {
    None,
    CannotOpen,        // the name is a folder, or its folder does not exist
    ReadOnlyFile,      // the file may not be written: no write bit for anyone
                       // (whoever runs the program, root included), or none
                       // for this user
    FolderNotWritable  // the new file cannot be made in the file's folder
};

// The file that saving to `path` replaces: `path` itself, or for a symbolic
// link the file it points to (through a chain of links), so that the link
// stays a link.
std::string SaveTarget(const std::string& path);

// Whether the file at `path` (its target, for a link) can be created or
// replaced, and if not, why.
TSaveBlock FindSaveBlock(const std::string& path);

// Why a save to `path` is refused, as the end of "Cannot save to NAME: ":
// "the file is read-only", "the folder /data/runs cannot be written" (the
// target's folder as an absolute path). Empty for None and CannotOpen.
std::string SaveBlockReason(TSaveBlock block, const std::string& path);

// The message for a failed save of a file at `path` that is no model file
// (a chart-settings file, an exported text or picture): "Cannot save to " +
// path + ": " + the reason + "." when a block explains it, else "Cannot save
// to " + path + ".".
std::string SaveFailureMessage(const std::string& path);

// Replaces a file safely: the bytes go to a temporary file in the folder of
// the file replaced (the target of a link), which is then renamed over it.
// The new file keeps the old one's mode. A blocked save (FindSaveBlock)
// writes nothing. On any failure the old file is left as it was, the
// temporary file is removed and false is returned.
bool WriteFileSafely(const std::string& path, const std::string& bytes);

// Looks for a file of a fixed name in a folder: the exact name first, then a
// case-insensitive match. Returns the full path found, or empty. An empty
// folder means the current directory.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// Whether `other`, or the file that a look-up ignoring case finds for it in
// its folder, is the file at `path` (so writing one would replace the other).
bool IsSameFile(const std::string& path, const std::string& other);
