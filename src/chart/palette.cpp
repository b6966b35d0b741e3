#include "chart/palette.h"

#include <array>
#include <stdexcept>

namespace {
constexpr std::array<TColor, 16> kPalette = {
    Rgb(0, 0, 0),       Rgb(0, 0, 128),     Rgb(0, 128, 0),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128),   Rgb(128, 128, 0), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 255),     Rgb(0, 255, 0),   Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255),   Rgb(255, 255, 0), Rgb(255, 255, 255),
};
}  // namespace

TColor PaletteColor(int index) { return kPalette[static_cast<unsigned>(index) & 15u]; }

void ClipToRect(TCanvas& canvas, const TRect& rect)
{
    if (!canvas.SetClipRect(rect))
        throw std::runtime_error("ClipToRect: the clip region could not be set");
}

bool SameRect(const TRect& a, const TRect& b) { return a == b; }
