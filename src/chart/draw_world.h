#pragma once
// Drawing in world coordinates (data units, y growing upward) onto a canvas in
// device pixels (y growing downward), through one world rectangle and one
// device rectangle.
//
// Every device coordinate is rounded to the nearest integer, halves to even,
// and clamped to the 16-bit range so that huge or tiny data never overflow a
// back end's drawing calls. A world of zero width (or height) maps one world
// unit to one device pixel instead of dividing by zero.

#include "chart/canvas.h"

#include <string>

// A device coordinate from a computed position: rounded to the nearest
// integer (halves to even) and held within -32768..32767; NaN gives -32768.
int DeviceCoordinate(double v);

class TDrawWorld {
public:
    static constexpr int kMaxPoints = 161;   // points per polyline

    double XMin = 0, YMin = 0, XMax = 1, YMax = 1;
    int DeviceLeft = 0, DeviceTop = 0, DeviceRight = 1, DeviceBottom = 1;
    TCanvas* Canvas = nullptr;   // not owned; drawing does nothing while unset

    void SetWorld(double xmin, double ymin, double xmax, double ymax);
    void SetViewport(int left, int top, int right, int bottom);

    // (x - XMin) / spanX x width + DeviceLeft, clamped to -32768..32767.
    int WorldToDevX(double x) const;
    // height x (YMax - y) / spanY + DeviceTop, raised to height - 32768 and
    // lowered to 32767.
    int WorldToDevY(double y) const;
    // World lengths in device pixels, keeping their sign: a positive y length
    // points down on the device. Clamped like the positions.
    int LengthToDevX(double dx) const;
    int LengthToDevY(double dy) const;

    // World coordinates, y first.
    void MoveTo(double y, double x);
    void LineTo(double y, double x);
    // Device coordinates; MoveToDevice first holds each coordinate within
    // plus or minus 2147483647.
    void MoveToDevice(double x, double y);
    void LineToDevice(int x, int y);
    // Moves the pen by device amounts, y first.
    void MoveRelative(int dy, int dx);

    // Text at the pen position with the canvas's current alignment.
    void TextOutAtPen(const std::string& text);

    // One polyline through count world points; a count above kMaxPoints is
    // cut to kMaxPoints, a count below 2 draws nothing.
    void Polyline(const float* xs, const float* ys, int count);
    // Points relative to the pen: the first is the pen position plus the
    // first offsets, each further one the previous plus the next offsets.
    // Offsets are world lengths. The pen does not move.
    void RelativePolyline(const float* dxs, const float* dys, int count);
    // Brush colour and style and pen colour from the palette, then the world
    // rectangle (left, base)..(left + width, base + height) filled and outlined.
    void Bar(int colourIndex, TBrushStyle brushStyle, double left, double base, double width,
             double height);
    // Clips the canvas to the device rectangle of the world corners; throws
    // std::runtime_error when the canvas refuses.
    void ClipToWorldRect(double xmin, double ymin, double xmax, double ymax);
};
