#pragma once
// How a canvas without a font engine of its own learns the size of text.
// The metafile writers take one: the window layer passes one that asks the
// installed fonts, batch code and tests can use the approximate one.

#include "chart/canvas.h"

#include <string>

class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    // Unrotated advance width and height (ascent + descent) of the text.
    virtual TSize Extent(const TFont& font, int dpiY, const std::string& text) const = 0;
    virtual TFontMetrics Metrics(const TFont& font, int dpiY) const = 0;
};

// The em height of a font in pixels: Round(size x dpi / 72), at least 1.
int FontPixelHeight(const TFont& font, int dpiY);

// Fixed proportions of the em height h: ascent h - h / 5, descent h / 5,
// every character 11/20 h wide (at least one pixel).
class TApproximateTextMeasure : public TTextMeasure {
public:
    TSize Extent(const TFont& font, int dpiY, const std::string& text) const override;
    TFontMetrics Metrics(const TFont& font, int dpiY) const override;
};
