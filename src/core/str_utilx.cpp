#include "core/str_utilx.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

bool TrimTrailingZeros = false;
bool IntegersWithoutDecimals = true;
int TextPrecision = 20;
int TextDecimals = 4;
std::string ListSeparator = ",";
std::string AlternativeSeparator = ";";

namespace {

TLocaleFormat g_locale;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the strict number grammar and converts; no blanks, "." only.
bool ParseStrictReal(const std::string& text, double& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    // from_chars takes no leading "+"; it is independent of the C locale.
    std::string body = text.substr(mantissaStart);
    double v = 0;
    auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v);
    if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(v))
        return false;
    value = (text[0] == '-') ? -v : v;
    return true;
}

// The locale conversion: the locale's decimal point in place of ".".
bool ParseLocalReal(const std::string& text, double& value)
{
    std::string t = TrimBlanks(text);
    const std::string& dp = g_locale.decimalPoint;
    if (!dp.empty() && dp != ".") {
        if (t.find('.') != std::string::npos)
            return false;
        const std::size_t at = t.find(dp);
        if (at != std::string::npos)
            t.replace(at, dp.size(), ".");
    }
    return ParseStrictReal(t, value);
}

std::string Fixed(double x, int width, int decimals)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f", std::clamp(width, 0, 100), std::clamp(decimals, 0, 100), x);
    return buf;
}

bool HasFraction(double x) { return std::isfinite(x) && x != std::trunc(x); }

// Trailing "0" characters go while the character before the last is not ".".
void TrimZeros(std::string& s)
{
    if (s.find('.') == std::string::npos || s.find_first_of("eE") != std::string::npos)
        return;
    while (s.size() >= 2 && s.back() == '0' && s[s.size() - 2] != '.')
        s.pop_back();
}

}  // namespace

const TLocaleFormat& CurrentLocale() { return g_locale; }

void SetLocaleFormat(const TLocaleFormat& locale)
{
    g_locale = locale;
    if (g_locale.decimalPoint.empty())
        g_locale.decimalPoint = ".";
    ListSeparator = locale.listSeparator.empty() ? std::string(",") : locale.listSeparator;
    AlternativeSeparator = ListSeparator == ";" ? " " : ";";
}

bool IsBlankChar(char ch) { return ch == '\t' || ch == '\n' || ch == '\r' || ch == ' '; }

void ExtractWord(std::string& text, std::string& word)
{
    std::size_t start = 0;
    while (start < text.size() && IsBlankChar(text[start]))
        ++start;
    std::size_t end = start;
    while (end < text.size() && !IsBlankChar(text[end]))
        ++end;
    word = text.substr(start, end - start);
    text.erase(0, end);
}

std::string TrimBlanks(const std::string& text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlankChar(text[b]))
        ++b;
    while (e > b && IsBlankChar(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

std::string RealToText(double x)
{
    if (!IntegersWithoutDecimals || HasFraction(x)) {
        std::string s = Fixed(x, TextPrecision, TextDecimals);
        if (TrimTrailingZeros)
            TrimZeros(s);
        return s;
    }
    return Fixed(x, TextPrecision, 0);
}

std::string RealToLocalText(double x)
{
    std::string s;
    if (!IntegersWithoutDecimals || HasFraction(x)) {
        s = Fixed(x, 0, TextDecimals);
        if (TrimTrailingZeros)
            TrimZeros(s);
    } else {
        s = Fixed(x, 0, 0);
    }
    const std::size_t at = s.find('.');
    if (at != std::string::npos)
        s.replace(at, 1, g_locale.decimalPoint);
    return s;
}

double TextToRealDef(const std::string& text, double def)
{
    double v;
    return ParseStrictReal(text, v) ? v : def;
}

double StrToFloatDefault(const std::string& text, double def)
{
    if (TrimBlanks(text).empty())
        return def;
    double v;
    return ParseLocalReal(text, v) ? v : def;
}

bool ConvertNumber(const std::string& text, double& value)
{
    const std::string trimmed = TrimBlanks(text);
    double v;
    if (!ParseStrictReal(trimmed, v) && !ParseLocalReal(trimmed, v))
        return false;
    value = v;
    return true;
}

double StrToFloatRange(const std::string& text, double def, double min, double max)
{
    double v;
    if (!ParseLocalReal(text, v))
        v = def;
    if (v < min)
        v = min;
    if (v > max)
        v = max;
    return v;
}

bool StrToBoolean(const std::string& text)
{
    std::string t = text;
    for (char& c : t)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (t == "yes" || t == "y" || t == "true" || t == "t")
        return true;
    if (t == "no" || t == "n" || t == "false" || t == "f")
        return false;
    throw ConvertError("Cannot convert \"" + t + "\" to Boolean");
}

bool TextToInt(const std::string& text, long& value)
{
    if (text.empty())
        return false;
    const char* b = text.data();
    const char* e = b + text.size();
    // One sign at most: "+-5" is no integer.
    if (*b == '+') {
        ++b;
        if (b != e && *b == '-')
            return false;
    }
    if (b == e || (*b == '-' && b + 1 == e))
        return false;
    long v = 0;
    auto [end, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || end != e)
        return false;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = v;
    return true;
}

char UpCaseChar(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

std::string CharString(char ch, std::size_t n) { return std::string(n, ch); }

std::string FloatToShortText(float value)
{
    const double x = value;
    std::string s;
    if (x == 0) {
        s = "0";
    } else if (!(x < 1e9) || x < 0.001) {
        // Mantissa with one decimal, "E", sign, four exponent digits, in 10.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1E", x);
        std::string t = buf;
        const std::size_t e = t.find('E');
        if (e != std::string::npos && e + 2 < t.size()) {
            std::string digits = t.substr(e + 2);
            while (digits.size() < 4)
                digits.insert(digits.begin(), '0');
            t = t.substr(0, e + 2) + digits;
        }
        s = t.size() < 10 ? std::string(10 - t.size(), ' ') + t : t;
    } else if (x >= 1000) {
        s = Fixed(x, 1, 0);
    } else if (x >= 1) {
        s = Fixed(x, 5, 3 - static_cast<int>(std::trunc(std::log(x) / 2.33)));
    } else {
        s = Fixed(x, 6, 4);
    }
    if (s.size() > 20)
        s.resize(20);
    if (!s.empty() && s[0] == ' ')
        s.erase(0, 1);
    return s;
}

TDateTime NowLocal()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    TDateTime d;
    d.year = tm.tm_year + 1900;
    d.month = tm.tm_mon + 1;
    d.day = tm.tm_mday;
    d.hour = tm.tm_hour;
    d.minute = tm.tm_min;
    d.second = tm.tm_sec;
    return d;
}

std::string DateFormatY4(const std::string& format)
{
    if (format.find("yyyy") != std::string::npos)
        return format;
    const std::size_t at = format.find("yy");
    if (at == std::string::npos)
        return format;
    return format.substr(0, at) + "yyyy" + format.substr(at + 2);
}

std::string FormatDate(const std::string& format, const TDateTime& date)
{
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    auto two = [](int v) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    auto weekday = [&]() {
        std::tm tm{};
        tm.tm_year = date.year - 1900;
        tm.tm_mon = date.month - 1;
        tm.tm_mday = date.day;
        tm.tm_hour = 12;
        std::time_t t = timegm(&tm);
        std::tm out{};
        gmtime_r(&t, &out);
        return out.tm_wday;
    };
    const int month = std::clamp(date.month, 1, 12) - 1;
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            const std::size_t close = format.find('\'', i + 1);
            if (close == i + 1)
                out += '\'';
            else
                out += format.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            i = close == std::string::npos ? format.size() : close + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (c == 'd') {
            run = std::min<std::size_t>(run, 4);
            if (run == 1)
                out += std::to_string(date.day);
            else if (run == 2)
                out += two(date.day);
            else
                out += std::string(kDays[weekday()]).substr(0, run == 3 ? 3 : std::string::npos);
        } else if (c == 'M') {
            run = std::min<std::size_t>(run, 4);
            if (run == 1)
                out += std::to_string(date.month);
            else if (run == 2)
                out += two(date.month);
            else
                out += std::string(kMonths[month]).substr(0, run == 3 ? 3 : std::string::npos);
        } else if (c == 'y' && run >= 4) {
            run = 4;
            char b[16];
            std::snprintf(b, sizeof b, "%04d", date.year);
            out += b;
        } else if (c == 'y' && run >= 2) {
            run = 2;
            out += two(((date.year % 100) + 100) % 100);
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

std::string FormatDateY4(const TDateTime& date) { return FormatDate(DateFormatY4(g_locale.shortDateFormat), date); }

std::string RunDateText(const TDateTime& date)
{
    std::string text = FormatDateY4(date);
    if (text.empty() || text.find_first_of(" \t\r\n") != std::string::npos ||
        DateFormatY4(g_locale.shortDateFormat).find("yyyy") == std::string::npos)
        text = FormatDate("MM/dd/yyyy", date);
    return text;
}

std::string RunTimeText(const TDateTime& time)
{
    char b[32];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return b;
}

bool CheckWindowsVersion() { return true; }
