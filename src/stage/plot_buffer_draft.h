#pragma once
// Stand-in for the shared plot buffer until the writers' buffer is merged.

#include <array>
#include <cstdint>

inline constexpr int kPlotPoints = 161;

struct TPlotBuffer {
    std::uint16_t PlotPointCount = 50;
    std::array<float, kPlotPoints> PlotX{}, PlotMean{}, PlotMax{}, PlotMin{}, PlotUpper{}, PlotLower{};
    bool ShowRange = false;
    std::uint8_t CurveVariant = 0;
    std::uint8_t LastPlotKind = 0;
};
