#include "stage/editor_cells.h"

#include "core/number_cell_rules.h"
#include "core/str_utilx.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

// Changes smaller than this are rounding, not an edit of a vital rate.
constexpr double kMatrixChangeTolerance = 1e-6;

std::optional<double> CellValue(const std::string& text)
{
    return NumberCellValue(text, std::numeric_limits<double>::max());
}

// The shortest text in plain decimals (digits and ".", as a cell is typed)
// that reads back as exactly `value`.
template <class T>
std::string FullText(T value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::to_string(value);
}

}  // namespace

std::string MatrixCellText(float value)
{
    const std::string text = TrimBlanks(RealToText(value));
    const std::optional<double> shown = CellValue(text);
    if (!std::isfinite(value) || (shown && static_cast<float>(*shown) == value))
        return text;
    return FullText(value);
}

std::string AbundanceCellText(double value)
{
    char buffer[400];
    if (value == std::trunc(value)) {
        std::snprintf(buffer, sizeof buffer, "%.12g", value);
    } else {
        // Twelve significant digits, then six decimals.
        std::snprintf(buffer, sizeof buffer, "%.11e", value);
        std::snprintf(buffer, sizeof buffer, "%.6f", std::strtod(buffer, nullptr));
    }
    const std::string text = buffer;
    const std::optional<double> shown = CellValue(text);
    if (!std::isfinite(value) || (shown && *shown == value))
        return text;
    return FullText(value);
}

bool StoreMatrixCell(float& element, const std::string& text)
{
    const std::optional<double> value = CellValue(text);
    if (!value)
        return false;
    const bool changed = std::fabs(*value - static_cast<double>(element)) >= kMatrixChangeTolerance;
    element = static_cast<float>(*value);
    return changed;
}

bool StoreAbundanceCell(double& element, const std::string& text)
{
    const std::optional<double> value = CellValue(text);
    if (!value)
        return false;
    const bool changed = *value != element;
    element = *value;
    return changed;
}
