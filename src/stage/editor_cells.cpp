#include "stage/editor_cells.h"

#include "core/number_cell_rules.h"
#include "core/str_utilx.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

// Changes smaller than this are rounding, not an edit of a vital rate.
constexpr double kMatrixChangeTolerance = 1e-6;

// The most significant digits a matrix cell shows of a single.
constexpr std::size_t kMatrixDigits = 7;

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
    // A single holds about seven significant digits; the shortest text that
    // reads back as the very same single may need an eighth, which is noise
    // of the storage (a repaired 4/13 would show as 0.30769232).
    const std::string full = FullText(value);
    const std::size_t first = full.find_first_not_of("0.");
    const std::size_t significant =
        first == std::string::npos ? 0 : full.size() - first - (full.find('.', first) != std::string::npos);
    if (significant <= kMatrixDigits)
        return full;
    const double magnitude = std::floor(std::log10(std::fabs(static_cast<double>(value))));
    const int decimals = std::max(0, static_cast<int>(kMatrixDigits) - 1 - static_cast<int>(magnitude));
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    std::string rounded = buffer;
    if (rounded.find('.') != std::string::npos) {
        rounded.erase(rounded.find_last_not_of('0') + 1);
        if (rounded.back() == '.')
            rounded.pop_back();
    }
    return rounded;
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
    // A cell left as it was shown keeps its element to the last bit, also
    // where the text shows fewer digits than the single holds.
    if (text == MatrixCellText(element))
        return false;
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
