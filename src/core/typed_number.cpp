#include "core/typed_number.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDecimalMark(char c) { return c == '.' || c == ','; }

std::string Trimmed(const std::string& text)
{
    std::size_t from = 0, to = text.size();
    while (from < to && IsBlank(text[from]))
        ++from;
    while (to > from && IsBlank(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

// True when `integer` (digits and `group` marks, no sign) is grouped in
// threes: 1 to 3 digits, then groups of exactly 3, at least one mark.
bool GroupedInThrees(const std::string& integer, char group)
{
    int digits = 0;
    bool first = true, marks = false;
    for (const char c : integer) {
        if (IsDigit(c)) {
            ++digits;
        } else if (c == group) {
            if (digits == 0 || digits > 3 || (!first && digits != 3))
                return false;
            first = false;
            marks = true;
            digits = 0;
        } else {
            return false;
        }
    }
    return marks && digits == 3;
}

}  // namespace

std::optional<double> ReadNumberText(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    int digits = 0;
    bool mark = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            plain += c;
        } else if (IsDecimalMark(c) && !mark) {
            mark = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            plain += text[i++];
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            plain += text[i];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too large for any field: it is out of every range. Too small to
        // be held at all is no number that could be stored as typed.
        const double magnitude = std::strtod(plain.c_str(), nullptr);
        if (std::fabs(magnitude) < 1)
            return std::nullopt;
        return plain[0] == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (error != std::errc())
        return std::nullopt;
    return value;
}

TTypedNumber ReadTypedNumber(const std::string& text, const TNumberField& field)
{
    TTypedNumber out;
    const std::optional<double> value = ReadNumberText(text);
    if (!value)
        return out;
    out.value = *value;
    if (!std::isfinite(*value)) {
        out.refusal = TNumberRefusal::OutOfRange;
        return out;
    }
    // A decimal mark in a field for whole numbers is refused even before a
    // zero fraction: "1,000" is one, not a thousand, and must not pass.
    const std::string mantissa = Trimmed(text).substr(0, Trimmed(text).find_first_of("eE"));
    if (field.whole && (std::trunc(*value) != *value || mantissa.find_first_of(".,") != std::string::npos)) {
        out.refusal = TNumberRefusal::NotWhole;
        return out;
    }
    if (field.minValue != field.maxValue && (*value < field.minValue || *value > field.maxValue)) {
        out.refusal = TNumberRefusal::OutOfRange;
        return out;
    }
    if (field.maxDecimals >= 0) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.*f", field.maxDecimals, *value);
        if (std::strtod(buffer, nullptr) != *value) {
            out.refusal = TNumberRefusal::TooManyDecimals;
            return out;
        }
    }
    out.refusal = TNumberRefusal::None;
    return out;
}

std::string PastedNumberText(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    const std::size_t point = text.find('.'), comma = text.find(',');
    if (point == std::string::npos || comma == std::string::npos)
        return text;
    // The last mark is the decimal one; it must come once, the other mark
    // only before it, grouping the integer part in threes.
    const std::size_t decimalAt = text.find_last_of(".,");
    const char decimal = text[decimalAt];
    const char group = decimal == '.' ? ',' : '.';
    if (text.find(decimal) != decimalAt)
        return text;
    const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (!GroupedInThrees(text.substr(sign, decimalAt - sign), group))
        return text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != group)
            out += text[i];
    return out;
}

std::string NumberRefusalMessage(TNumberRefusal refusal, const std::string& fieldName, const std::string& text,
                                 int maxDecimals)
{
    switch (refusal) {
    case TNumberRefusal::NotWhole:
        return fieldName + " takes whole numbers only.";
    case TNumberRefusal::TooManyDecimals:
        return fieldName + " takes at most " + std::to_string(maxDecimals) + " decimals.";
    case TNumberRefusal::NotANumber:
    case TNumberRefusal::OutOfRange:
    case TNumberRefusal::None:
        break;
    }
    return fieldName + ": \"" + Trimmed(text) + "\" is not a number.";
}
