#include "stage/editor_cells.h"

#include "core/number_cell_rules.h"
#include "core/str_utilx.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

// Changes smaller than this are rounding, not an edit of a vital rate.
constexpr double kMatrixChangeTolerance = 1e-6;

std::optional<double> EditedValue(const std::string& text, const std::string& shown)
{
    if (text == shown)
        return std::nullopt;
    return NumberCellValue(text, std::numeric_limits<double>::max());
}

}  // namespace

std::string MatrixCellText(double value) { return TrimBlanks(RealToText(value)); }

std::string AbundanceCellText(double value)
{
    char buffer[400];
    if (value == std::trunc(value)) {
        std::snprintf(buffer, sizeof buffer, "%.12g", value);
        return buffer;
    }
    // Twelve significant digits, then six decimals.
    std::snprintf(buffer, sizeof buffer, "%.11e", value);
    std::snprintf(buffer, sizeof buffer, "%.6f", std::strtod(buffer, nullptr));
    return buffer;
}

bool StoreMatrixCell(float& element, const std::string& text, const std::string& shown)
{
    const std::optional<double> value = EditedValue(text, shown);
    if (!value)
        return false;
    const bool changed = std::fabs(*value - static_cast<double>(element)) >= kMatrixChangeTolerance;
    element = static_cast<float>(*value);
    return changed;
}

bool StoreAbundanceCell(double& element, const std::string& text, const std::string& shown)
{
    const std::optional<double> value = EditedValue(text, shown);
    if (!value)
        return false;
    const bool changed = *value != element;
    element = *value;
    return changed;
}
