#pragma once
// Shortening a text or a file path with "..." so that it fits a width in
// pixels: the folder and recent-file captions of the windows use it. The
// caller measures: `textWidth` gives the width of a text in the font it will
// be shown in. Texts are UTF-8 and are never cut inside a character. Paths
// may use "/" or "\"; an ellipsis put in for dropped folders is ".../".

#include <functional>
#include <string>

using TTextWidth = std::function<int(const std::string& text)>;

// One step of shortening the folder part of a path (everything up to and
// including its last separator): the first folder is replaced by the
// ellipsis, so "/a/b/c/" becomes "/.../b/c/", then "/.../c/", then "/.../".
// An empty text or a lone separator stays; a folder part of nothing but
// ".../" becomes empty.
std::string DropFirstFolder(const std::string& folders);

// The path cut to `width`: folders are replaced by ".../" from the first
// on, then the ellipsis goes, then a drive prefix ("D:"); the file name is
// never shortened, so the result may still be wider than `width`. When
// `textWidth` throws, the result is the path as shortened so far.
std::string ShortenPath(const std::string& path, int width, const TTextWidth& textWidth);

// A path through ShortenPath; any other text too wide for `width` keeps as
// many leading characters as fit with "..." behind them. A width not above
// three average characters (the width of "x") gives ".". When `textWidth`
// throws, the text comes back as it was.
std::string FitText(bool isPath, const std::string& text, int width, const TTextWidth& textWidth);
