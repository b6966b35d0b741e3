#include "picture/text_measure.h"

#include <algorithm>
#include <cmath>

int FontPixelHeight(const TFont& font, int dpiY)
{
    const double h = std::nearbyint(static_cast<double>(font.Size) * dpiY / 72.0);
    return static_cast<int>(std::clamp(h, 1.0, 32767.0));
}

TSize TApproximateTextMeasure::Extent(const TFont& font, int dpiY, const std::string& text) const
{
    const int h = FontPixelHeight(font, dpiY);
    const int w = std::max(1, h * 11 / 20);
    return {static_cast<int>(std::min<size_t>(text.size(), 1000000)) * w, h};
}

TFontMetrics TApproximateTextMeasure::Metrics(const TFont& font, int dpiY) const
{
    const int h = FontPixelHeight(font, dpiY);
    return {h - h / 5, h / 5};
}
