#pragma once
// The landscape under the population map: the map-features file a model
// names, found beside the model file, read and drawn on a canvas.
//
// Repaints come often and seldom change anything, so the drawing is cached:
// the calls of the last drawing are kept and drawn again while everything
// the drawing depends on is unchanged (the file found, its modification time
// and size, the placement, the clip rectangle, the canvas's resolution,
// colour depth and starting font). A file with polygons filled after the
// populations is read and drawn afresh every time, since its fills follow the
// abundances.
//
//     TLandscapeRequest request{model.MapName, modelFileName, placement, clip, populations};
//     DrawLandscapeMap(canvas, request, &ProgramLandscapeCache());

#include "chart/canvas.h"
#include "chart/recording_canvas.h"
#include "multi/map_features.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace multi {

// The file a map name means: a name with a folder part as it stands, else
// the name in the model file's folder (or the current folder when the model
// file has none). Either separator may be used. The file is looked for by
// its exact name first, then by a case-insensitive match in that folder.
// Empty when the model names no map or no such file exists.
std::string ResolveMapFileName(const std::string& mapName, const std::string& modelFileName);

// The map name a model saved as `toModelFileName` keeps, for a map named
// `mapName` in a model whose file was `fromModelFileName`: a map in the
// model's own folder by its bare name, so that the folder can be moved or
// sent on whole; a map elsewhere by its full path (a bare name of the old
// folder gets that folder's path when the model leaves it). A model file
// without a folder part changes nothing. An empty name or the byte 0xFF
// (no map) stays as it is.
std::string MapNameBesideModel(const std::string& mapName, const std::string& fromModelFileName,
                               const std::string& toModelFileName);

struct TLandscapeRequest {
    std::string MapName;        // as the model names it; empty: no map
    std::string ModelFileName;  // the model's own file, beside which the map is looked for
    TMapPlacement Placement;
    TRect Clip;                 // the device rectangle the map is drawn within
    TMapPopulations Populations;
};

// What the drawing found in the file (or, on a cache hit, what it found when
// it was read).
struct TLandscapeOutcome {
    bool Drawn = false;
    bool FromCache = false;
    double MapScale = 1;       // the file's SCALE, 1 without one
    int BackgroundIndex = -1;  // the file's BACKG, -1 without one
};

class TLandscapeCache {
public:
    int Hits() const { return hits_; }
    int Misses() const { return misses_; }
    void Clear();

private:
    friend bool DrawLandscapeMap(TCanvas&, const TLandscapeRequest&, TLandscapeCache*, TLandscapeOutcome*);

    struct TKey {
        std::string Path;
        std::filesystem::file_time_type Modified;
        std::uintmax_t Size = 0;
        TMapPlacement Placement;
        TRect Clip;
        int DpiX = 0, DpiY = 0;
        bool Monochrome = false;
        TFont Font;
        bool operator==(const TKey&) const = default;
    };

    bool valid_ = false;
    TKey key_;
    std::vector<TCanvasCall> calls_;
    double mapScale_ = 1;
    int backgroundIndex_ = -1;
    int hits_ = 0;
    int misses_ = 0;
};

// The program's one cache, made on first use and freed at exit.
TLandscapeCache& ProgramLandscapeCache();

// Draws the model's map-features file on the canvas within the clip
// rectangle. True when a map was drawn, from the file or from the cache;
// false when the model names no map or its file cannot be found or read
// (nothing is drawn then). The canvas's state is left as it was. `cache`
// may be null: the file is then read every time.
bool DrawLandscapeMap(TCanvas& canvas, const TLandscapeRequest& request, TLandscapeCache* cache,
                      TLandscapeOutcome* outcome = nullptr);

}  // namespace multi
