#include "chart/text_format.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct FormatCase {
    std::string expected;
    std::string actual;
};

TEST(FormatText, PascalRulesDifferFromPrintfWhereReportsNeedIt)
{
    const FormatCase cases[] = {
        // "%f" without precision: two decimals, not six.
        {"3.14,-2.50", FormatText("%f,%f", {3.14159, -2.5})},
        // "*" takes width and precision from the arguments; a negative
        // precision is the default of two decimals.
        {"      1.50     0.1235", FormatText("%*.*f %*.*f", {10, -1, 1.5, 10, 4, 0.12345})},
        {"         3", FormatText("%*.*f", {10, 0, 2.5})},   // a tie rounds away from 0
        {"0.13 -0.13", FormatText("%.2f %.2f", {0.125, -0.125})},
        {"2.67", FormatText("%.2f", {2.675})},   // 2.675 is below the tie in binary
        {"0.00", FormatText("%.2f", {-0.001})},  // no negative zero
        {" 7|-3  |007", FormatText("%2d|%-4d|%.3d", {7, -3, 7})},
        {"  Time|ab", FormatText("%*s|%.2s", {6, "Time", "abc"})},
        {"50% done", FormatText("%d%% done", {50})},
        {"1.23E+004", FormatText("%.3e", {12345.0})},
        {"4.00", FormatText("%f", {4})},   // an integer where a number is wanted
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.actual);
}

TEST(FormatText, MismatchedOrMissingArgumentsAreProgrammingErrors)
{
    EXPECT_THROW(FormatText("%d", {1.5}), std::invalid_argument);
    EXPECT_THROW(FormatText("%s", {3}), std::invalid_argument);
    EXPECT_THROW(FormatText("%f %f", {1.0}), std::invalid_argument);
    EXPECT_THROW(FormatText("%q", {1}), std::invalid_argument);
}

TEST(FormatText, ClassicNumberTexts)
{
    const FormatCase cases[] = {
        {"    1.500", StrFixed(1.5, 9, 3)},
        {" 1.2E+0004", StrExponent(12345.0, 9)},
        {"-1.2E+0004", StrExponent(-12345.0, 10)},
        {" 1.23E+0004", StrExponent(12345.0, 11)},
        {"1.23E-05", FloatToStrExponent(1.234e-5, 3, 2)},
        {"-4.50E+03", FloatToStrExponent(-4500.0, 3, 2)},
        // The stage reports' short numbers: fixed inside the usual range...
        {"    0.720", FormatShortNumber(0.72)},
        {"    0.000", FormatShortNumber(5e-7)},
        {" 9999.000", FormatShortNumber(9999.0)},
        // ... exponent form outside it, never above 10 characters.
        {" 1.0E+0004", FormatShortNumber(10000.0)},
        {" 5.00E-04", FormatShortNumber(0.0005)},
        {" -2.50E-01", FormatShortNumber(-0.25)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.actual);
}

TEST(FormatText, CutPadAndCommaSeparatedFields)
{
    EXPECT_EQ("Northern pop", CutOrPad("Northern population", 12));
    EXPECT_EQ("North       ", CutOrPad("North", 12));
    EXPECT_EQ("North", CutText("North", 12));
    EXPECT_EQ("Abundance", CsvField("Abundance"));
    EXPECT_EQ("\"Smith, east\"", CsvField("Smith, east"));
    EXPECT_EQ("\"the \"\"big\"\" one\"", CsvField("the \"big\" one"));
    EXPECT_EQ("\"Title\"", CsvQuoted("Title"));
}

} // namespace
