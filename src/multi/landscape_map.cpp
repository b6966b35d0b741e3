#include "multi/landscape_map.h"

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/str_utilx.h"

#include <system_error>

namespace multi {

namespace {

// The folder part of a file name, drive included; empty when it has none.
std::string FolderOf(const std::string& fileName)
{
    const TPathParts parts = SplitPath(fileName);
    return parts.drive + parts.dir;
}

}  // namespace

std::string ResolveMapFileName(const std::string& mapName, const std::string& modelFileName)
{
    const std::string name = TrimBlanks(mapName);
    // The byte a model file holds in place of a missing name.
    if (name.empty() || name == "\xFF")
        return {};
    const std::string own = FolderOf(name);
    const std::string file = name.substr(own.size());
    if (file.empty())
        return {};
    std::string folder = own;
    if (folder.empty())
        folder = FolderOf(modelFileName);
    return FindFileNoCase(NativePath(folder), file);
}

std::string MapNameBesideModel(const std::string& mapName, const std::string& fromModelFileName,
                               const std::string& toModelFileName)
{
    const std::string name = TrimBlanks(mapName);
    if (name.empty() || name == "\xFF")
        return mapName;
    const std::string from = FolderOf(TrimBlanks(fromModelFileName));
    const std::string to = FolderOf(TrimBlanks(toModelFileName));
    std::string own = FolderOf(name);
    const std::string file = name.substr(own.size());
    if (file.empty())
        return mapName;
    if (own.empty()) {
        // A bare name means the old model folder; without one it stays bare.
        if (from.empty() || to.empty() || SameFileName(from, to))
            return mapName;
        own = from;
        if (own.back() != '/' && own.back() != '\\') own += '/';
        return own + file;
    }
    if (!to.empty() && SameFileName(own, to))
        return file;
    return mapName;
}

void TLandscapeCache::Clear()
{
    valid_ = false;
    calls_.clear();
    calls_.shrink_to_fit();
}

TLandscapeCache& ProgramLandscapeCache()
{
    static TLandscapeCache cache;
    return cache;
}

bool DrawLandscapeMap(TCanvas& canvas, const TLandscapeRequest& request, TLandscapeCache* cache,
                      TLandscapeOutcome* outcome)
{
    TLandscapeOutcome result;
    if (outcome)
        *outcome = result;
    const std::string path = ResolveMapFileName(request.MapName, request.ModelFileName);
    if (path.empty())
        return false;

    std::error_code ec;
    TLandscapeCache::TKey key;
    key.Path = path;
    key.Modified = std::filesystem::last_write_time(path, ec);
    if (!ec)
        key.Size = std::filesystem::file_size(path, ec);
    const bool keyed = !ec;
    key.Placement = request.Placement;
    key.Clip = request.Clip;
    key.DpiX = canvas.LogicalDpiX();
    key.DpiY = canvas.LogicalDpiY();
    key.Monochrome = canvas.IsMonochrome();
    key.Font = canvas.Font();

    TCanvasStateSaver saved(canvas);
    if (cache && keyed && cache->valid_ && cache->key_ == key) {
        ++cache->hits_;
        canvas.SetClipRect(request.Clip);
        ReplayCalls(cache->calls_, canvas);
        result = {true, true, cache->mapScale_, cache->backgroundIndex_};
        if (outcome)
            *outcome = result;
        return true;
    }
    if (cache)
        ++cache->misses_;

    std::vector<std::string> lines;
    if (!ReadTextLines(NativePath(path), lines))
        return false;
    const TMapFeatures features = ParseMapFeatures(lines);

    // Drawn through a recorder that measures text on the canvas, so the
    // same calls can be drawn again on the next paint.
    RecordingCanvas recorder(canvas);
    DrawMapFeatures(recorder, features, request.Placement, request.Populations);
    canvas.SetClipRect(request.Clip);
    ReplayCalls(recorder.Calls(), canvas);

    if (cache) {
        if (keyed && !features.FillsFromPopulations()) {
            cache->valid_ = true;
            cache->key_ = std::move(key);
            cache->calls_ = recorder.Calls();
            cache->mapScale_ = features.Scale;
            cache->backgroundIndex_ = features.BackgroundIndex;
        } else {
            cache->Clear();
        }
    }
    result = {true, false, features.Scale, features.BackgroundIndex};
    if (outcome)
        *outcome = result;
    return true;
}

}  // namespace multi
