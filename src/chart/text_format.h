#pragma once
// Number and text formatting of the result tables and reports, in one place.
//
// The table and report layouts are written as format strings in the classic
// Pascal style, which differs from C's printf where it matters for reports:
// "%f" without a precision means 2 decimals (not 6), "%e" without a
// precision means 15 significant digits with at least 3 exponent digits, a
// negative precision given through "*" means the default, and a value exactly
// half-way between two roundings is rounded away from zero.
//
// Supported: "%%" and "%[-][width][.precision]type" with width and precision
// as digits or "*" (taken from the argument list, in order), types d, u, x
// (integers; a precision pads with zeros to that many digits), f and e
// (numbers; an integer argument is accepted), s (text; a precision cuts it).
// A type that does not match its argument, an unknown type or a missing
// argument throws std::invalid_argument: these are programming errors.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

class TFormatArg {
public:
    TFormatArg(int v) : value_(static_cast<long long>(v)) {}
    TFormatArg(long v) : value_(static_cast<long long>(v)) {}
    TFormatArg(long long v) : value_(v) {}
    TFormatArg(unsigned v) : value_(static_cast<long long>(v)) {}
    TFormatArg(unsigned long v) : value_(static_cast<long long>(v)) {}
    TFormatArg(unsigned long long v) : value_(static_cast<long long>(v)) {}
    TFormatArg(double v) : value_(v) {}
    TFormatArg(float v) : value_(static_cast<double>(v)) {}
    TFormatArg(const char* v) : value_(std::string(v)) {}
    TFormatArg(std::string v) : value_(std::move(v)) {}
    TFormatArg(std::string_view v) : value_(std::string(v)) {}

    const std::variant<long long, double, std::string>& Value() const { return value_; }

private:
    std::variant<long long, double, std::string> value_;
};

// Formats the arguments into the format string (rules above).
std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args);

// Fixed notation with the given decimals, right-aligned in width (a longer
// text is not cut): the classic Str(x:width:decimals).
std::string StrFixed(double x, int width, int decimals);

// Exponent notation right-aligned in width: a sign place (blank or "-"), one
// digit, the point, width - 9 decimals (at least 1), "E", the exponent's sign
// and four exponent digits, e.g. " 1.2E+0004": the classic Str(x:width).
std::string StrExponent(double x, int width);

// Exponent notation with `precision` significant digits and at least
// `digits` exponent digits (0..4); a minus sign only for a negative number,
// the exponent always signed: "1.23E-05", "-4.50E+03".
std::string FloatToStrExponent(double x, int precision, int digits);

// Text of at most 10 characters for the stage reports: fixed with 3 decimals
// in 9 columns when |x| < 1e-6 or 0.001 < x < 10000; otherwise StrExponent
// in 9 columns when x > 1; otherwise a blank and 3 significant digits with a
// two-digit exponent; cut to 10 characters.
std::string FormatShortNumber(double x);

// The first n characters of text.
std::string CutText(std::string_view text, std::size_t n);
// The first n characters of text, padded with blanks to exactly n.
std::string CutOrPad(std::string_view text, std::size_t n);

// A text field of a comma-separated line, as a spreadsheet reads it: text
// holding a comma, a double quote or a line break is enclosed in double
// quotes, with inner double quotes doubled; other text is unchanged.
std::string CsvField(std::string_view text);
// Text always enclosed in double quotes (inner double quotes doubled): the
// title and comment lines of comma-separated results.
std::string CsvQuoted(std::string_view text);

// The approximately-equal sign for texts the window layer shows (status line,
// UTF-8). Texts written into 8-bit reports use kApproxSign8Bit, which has no
// such sign: "~" is the nearest.
inline constexpr const char* kApproxSign = "\xE2\x89\x88";
inline constexpr const char* kApproxSign8Bit = "~";
