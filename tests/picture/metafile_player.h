#pragma once
// Reads an enhanced or Windows metafile back the way a player would: checks
// its structure (header counts and sizes, record sizes, object handles) and
// replays its records into the drawing calls, each with the device-context
// state in force, in the terms of the recording canvas so the two can be
// compared call by call.

#include "chart/canvas.h"
#include "chart/recording_canvas.h"

#include <optional>
#include <string>
#include <vector>

struct TPlayedCall {
    TCanvasCall::Kind Op = TCanvasCall::Kind::Line;
    std::vector<TPoint> Points;   // Line: from, to; Polyline, Polygon: all; TextOut: anchor
    TRect Rect;                   // Rectangle, FillRect, Ellipse
    std::string Text;
    TPen Pen;
    TBrush Brush;
    TColor TextColor = kBlack;
    TColor Background = kWhite;
    bool Transparent = false;
    int Align = 0;
    int Angle = 0;                // font escapement, tenths of a degree
    int FontHeight = 0;           // as stored (negative: em height)
    bool Underline = false, StrikeOut = false;
    std::string Face;
    std::optional<TRect> Clip;
};

struct TPlayedPicture {
    TRect Bounds;        // EMF: header bounds (inclusive); WMF: placeable bounding box
    TRect Frame;         // EMF: header frame in 0.01 mm
    int Dpi = 0;         // WMF: units per inch of the placeable header
    int Handles = 0;     // EMF: handle table size; WMF: number of objects
    int Records = 0;     // records read, header and end of file included
    std::vector<std::string> Description;   // EMF: the header's description strings
    std::vector<TPlayedCall> Calls;
    std::vector<std::string> Errors;   // structural faults, empty when sound

    std::vector<TPlayedCall> CallsOf(TCanvasCall::Kind kind) const;
    std::vector<std::string> Texts() const;
};

TPlayedPicture PlayEmf(const std::string& bytes);
TPlayedPicture PlayWmf(const std::string& bytes);
