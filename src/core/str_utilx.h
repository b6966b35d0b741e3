#pragma once
// Numbers to text for reports and grids, text to numbers and Booleans with
// defaults, words, dates and the system check at start-up.
//
// Numbers inside files always use "."; the locale applies only to what is
// shown and typed. The locale enters through TLocaleFormat, which the GUI
// fills from the system; the core defaults are ".", "," and MM/dd/yyyy.

#include <cstddef>
#include <stdexcept>
#include <string>

// The number-text switches. Strativa's start-up sets IntegersWithoutDecimals
// and TrimTrailingZeros to true; the other programs copy their options here.
extern bool TrimTrailingZeros;        // start false
extern bool IntegersWithoutDecimals;  // start true
extern int TextPrecision;             // field width, start 20
extern int TextDecimals;              // start 4

struct TLocaleFormat {
    std::string decimalPoint = ".";
    std::string listSeparator = ",";
    // Qt-style pattern: d, dd, M, MM, MMM, MMMM, yy, yyyy, text in '...'.
    std::string shortDateFormat = "MM/dd/yyyy";
};

// The locale in use, and the separators derived from it.
const TLocaleFormat& CurrentLocale();
// Installs a locale: ListSeparator becomes its list separator ("," when it
// gives none) and AlternativeSeparator a blank when that is ";", else ";".
void SetLocaleFormat(const TLocaleFormat& locale);
extern std::string ListSeparator;         // start ","
extern std::string AlternativeSeparator;  // start ";"

// Raised by StrToBoolean for a word it does not know.
class ConvertError : public std::invalid_argument {
public:
    explicit ConvertError(const std::string& message) : std::invalid_argument(message) {}
};

bool IsBlankChar(char ch);  // TAB, LF, CR, space

// Removes blank characters from the front of text, then moves the characters
// up to the next blank into word (empty when text holds only blanks).
void ExtractWord(std::string& text, std::string& word);

// Fixed notation in TextPrecision characters with TextDecimals decimals and
// "." (integral values without decimals when IntegersWithoutDecimals);
// trailing zeros trimmed, down to one decimal, when TrimTrailingZeros.
std::string RealToText(double x);
// The same rules with the locale's decimal point, without padding.
std::string RealToLocalText(double x);

// Strict conversion: optional sign, digits with "." and an optional exponent,
// no blanks. Anything else gives def.
double TextToRealDef(const std::string& text, double def);
// Surrounding blanks are ignored; empty text or a conversion error gives def.
// Uses the locale's decimal point.
double StrToFloatDefault(const std::string& text, double def);
// A number typed by the user or read from a model file: "." as decimal
// point, or the locale's; surrounding blanks ignored. False, leaving value
// alone, when the text does not convert to a finite number.
bool ConvertNumber(const std::string& text, double& value);
// As StrToFloatDefault, then the result (also def) is kept within [min, max].
double StrToFloatRange(const std::string& text, double def, double min, double max);
// "yes", "y", "true", "t" / "no", "n", "false", "f", in any case; anything
// else raises ConvertError "Cannot convert \"<lower-cased text>\" to Boolean".
bool StrToBoolean(const std::string& text);

// Strict decimal integer (optional sign, 32-bit range); false otherwise.
bool TextToInt(const std::string& text, long& value);

std::string TrimBlanks(const std::string& text);  // surrounding blank characters removed

char UpCaseChar(char ch);                  // ASCII letters only
std::string CharString(char ch, std::size_t n);  // n copies of ch

// Short text for a single value: 0 -> "0"; 1000 up to 1e9 without decimals;
// 1 up to 1000 in five characters with 3 - Trunc(ln(x) / 2.33) decimals;
// 0.001 up to 1 with four decimals; everything else (negative values too) in
// exponent form "d.dE+dddd".
std::string FloatToShortText(float x);

// A calendar date and a time of day, as the run's texts need them.
struct TDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};
TDateTime NowLocal();

// The short date format with a four-digit year: when the format has no
// "yyyy" but has "yy", its first "yy" becomes "yyyy".
std::string DateFormatY4(const std::string& format);
// Formats a date with a Qt-style date pattern.
std::string FormatDate(const std::string& format, const TDateTime& date);
// The date in the locale's short date format with a four-digit year.
std::string FormatDateY4(const TDateTime& date);
// The run's date and time as written into result sections, headers and the
// batch log; neither holds a blank, since readers split them at one: the
// locale's four-digit-year date when that has no blank, else MM/dd/yyyy; the
// time as HH:mm:ss.
std::string RunDateText(const TDateTime& date);
std::string RunTimeText(const TDateTime& time);

// The start-up check of the operating system; always passes here. Its texts
// stay for the check's contract: the warning when the version cannot be read,
// and the error shown before the program halts on an unsupported system.
inline constexpr const char* kVersionUnknownText = "Could not get version information";
inline constexpr const char* kVersionTooOldText =
    "This program requires Windows 95 or Windows NT 4.0 or greater.";
bool CheckWindowsVersion();
