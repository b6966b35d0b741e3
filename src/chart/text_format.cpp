#include "chart/text_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

[[noreturn]] void FormatError(std::string_view format, const char* why)
{
    throw std::invalid_argument("Format '" + std::string(format) + "' invalid or incompatible with argument (" +
                                why + ")");
}

std::string Printf(const char* fmt, int precision, double x)
{
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, fmt, precision, x);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buf)
        return std::string(buf, static_cast<std::size_t>(n));
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::snprintf(big.data(), big.size(), fmt, precision, x);
    return std::string(big.data(), static_cast<std::size_t>(n));
}

// True when x lies exactly half-way between two values of `decimals` decimals
// (C's printf rounds such values to even; reports round them away from 0).
bool IsFixedTie(double x, int decimals)
{
    const std::string t = Printf("%.*f", decimals + 30, std::fabs(x));
    const std::size_t point = t.find('.');
    if (point == std::string::npos)
        return false;
    const std::size_t at = point + 1 + static_cast<std::size_t>(decimals);
    if (at >= t.size() || t[at] != '5')
        return false;
    for (std::size_t i = at + 1; i < t.size(); ++i)
        if (t[i] != '0')
            return false;
    return true;
}

std::string FixedDigits(double x, int decimals)
{
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    if (decimals > 300)
        decimals = 300;
    if (IsFixedTie(x, decimals))
        x = std::nextafter(x, x < 0 ? -HUGE_VAL : HUGE_VAL);
    std::string s = Printf("%.*f", decimals, x);
    // "-0.00" reads as a negative number that is not there.
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

// Mantissa with `decimals` decimals and the exponent's sign and digits,
// padded to at least `expDigits` digits.
std::string ExponentDigits(double x, int decimals, int expDigits, bool plusSign)
{
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    std::string t = Printf("%.*E", decimals, x);
    const std::size_t e = t.find('E');
    if (e == std::string::npos || e + 2 > t.size())
        return t;
    const char sign = t[e + 1];
    std::string digits = t.substr(e + 2);
    while (digits.size() > 1 && digits[0] == '0' && static_cast<int>(digits.size()) > expDigits)
        digits.erase(0, 1);
    while (static_cast<int>(digits.size()) < expDigits)
        digits.insert(digits.begin(), '0');
    std::string out = t.substr(0, e + 1);
    if (sign == '-' || plusSign)
        out += sign;
    return out + digits;
}

std::string Align(std::string s, int width, bool left)
{
    if (width > 0 && static_cast<int>(s.size()) < width) {
        const std::string pad(static_cast<std::size_t>(width) - s.size(), ' ');
        s = left ? s + pad : pad + s;
    }
    return s;
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args)
{
    std::string out;
    const TFormatArg* arg = args.begin();
    const TFormatArg* const end = args.end();
    auto next = [&]() -> const TFormatArg& {
        if (arg == end)
            FormatError(format, "missing argument");
        return *arg++;
    };
    auto number = [&](std::size_t& i, int& value) {
        if (i < format.size() && format[i] == '*') {
            const auto& v = next().Value();
            if (!std::holds_alternative<long long>(v))
                FormatError(format, "width or precision must be an integer");
            value = static_cast<int>(std::get<long long>(v));
            ++i;
            return true;
        }
        bool any = false;
        value = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            value = value * 10 + (format[i] - '0');
            any = true;
            ++i;
        }
        return any;
    };

    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        ++i;
        if (i >= format.size())
            FormatError(format, "lone %");
        if (format[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false;
        if (format[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        number(i, width);
        if (width < 0) {
            left = true;
            width = -width;
        }
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            ++i;
            if (!number(i, precision))
                precision = 0;
        }
        if (i >= format.size())
            FormatError(format, "no type");
        const char type = static_cast<char>(format[i] | 0x20);
        const auto& v = next().Value();
        std::string field;
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            if (!std::holds_alternative<long long>(v))
                FormatError(format, "integer expected");
            long long n = std::get<long long>(v);
            if (type == 'u' && n < 0)
                n = static_cast<long long>(static_cast<std::uint32_t>(n));
            const bool negative = n < 0 && type == 'd';
            const unsigned long long magnitude =
                negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
            char buf[32];
            std::snprintf(buf, sizeof buf, type == 'x' ? "%llX" : "%llu", magnitude);
            std::string digits = buf;
            if (precision > 0 && static_cast<int>(digits.size()) < precision)
                digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
            field = negative ? "-" + digits : digits;
            break;
        }
        case 'f':
        case 'e': {
            double x = 0;
            if (std::holds_alternative<double>(v))
                x = std::get<double>(v);
            else if (std::holds_alternative<long long>(v))
                x = static_cast<double>(std::get<long long>(v));
            else
                FormatError(format, "number expected");
            if (type == 'f')
                field = FixedDigits(x, precision < 0 ? 2 : precision);
            else
                field = ExponentDigits(x, (precision < 1 ? 15 : precision) - 1, 3, true);
            break;
        }
        case 's': {
            if (!std::holds_alternative<std::string>(v))
                FormatError(format, "text expected");
            field = std::get<std::string>(v);
            if (precision >= 0 && field.size() > static_cast<std::size_t>(precision))
                field.resize(static_cast<std::size_t>(precision));
            break;
        }
        default:
            FormatError(format, "unknown type");
        }
        out += Align(std::move(field), width, left);
    }
    return out;
}

std::string StrFixed(double x, int width, int decimals)
{
    return Align(FixedDigits(x, decimals < 0 ? 0 : decimals), width, false);
}

std::string StrExponent(double x, int width)
{
    const int decimals = width - 9 < 1 ? 1 : width - 9;
    std::string s = ExponentDigits(x, decimals, 4, true);
    if (!(x < 0))
        s.insert(s.begin(), ' ');
    return Align(std::move(s), width, false);
}

std::string FloatToStrExponent(double x, int precision, int digits)
{
    if (precision < 1)
        precision = 1;
    if (digits < 0)
        digits = 0;
    if (digits > 4)
        digits = 4;
    return ExponentDigits(x, precision - 1, digits, true);
}

std::string FormatShortNumber(double x)
{
    std::string s;
    if (std::fabs(x) < 1e-6 || (x > 0.001 && x < 10000))
        s = StrFixed(x, 9, 3);
    else if (x > 1)
        s = StrExponent(x, 9);
    else
        s = " " + FloatToStrExponent(x, 3, 2);
    return CutText(s, 10);
}

std::string CutText(std::string_view text, std::size_t n)
{
    return std::string(text.substr(0, n));
}

std::string CutOrPad(std::string_view text, std::size_t n)
{
    std::string s = CutText(text, n);
    s.resize(n, ' ');
    return s;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    return CsvQuoted(text);
}

std::string CsvQuoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}
