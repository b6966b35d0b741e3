#pragma once
// The fixed 16-colour palette of the charts and canvas clipping helpers.

#include "chart/canvas.h"

// palette[index and 15]: colour indexes everywhere in the charts wrap at 16.
TColor PaletteColor(int index);

// Makes the rectangle the canvas's clip region, replacing the old one.
// Throws std::runtime_error when the canvas cannot set it.
void ClipToRect(TCanvas& canvas, const TRect& rect);

// True when all four edges are equal.
bool SameRect(const TRect& a, const TRect& b);
