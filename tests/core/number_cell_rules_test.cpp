#include "core/number_cell_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

TEST(NumberCellRules, ACommaTypedIsTheDecimalPoint)
{
    EXPECT_EQ(NumberCellKey(','), '.');
    for (const char key : {'7', '.', '-', 'e', ' ', '\b', '\r'})
        EXPECT_EQ(NumberCellKey(key), key);
}

TEST(NumberCellRules, ValuesAndTheirRange)
{
    struct Case {
        const char* text;
        double maxValue;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"", 350, std::nullopt}, {"  ", 350, std::nullopt},      {"350", 350, 350.0}, {"350.5", 350, std::nullopt},
        {"0", 350, 0.0},         {".", 350, std::nullopt}, {"5.", 350, 5.0},   {"1000", 2147483647, 1000.0},
        {"2147483647", 2147483647, 2147483647.0},         {"2147483648", 2147483647, std::nullopt},
        {"-1", 350, std::nullopt}, {"abc", 350, std::nullopt},
        {"1e-3", 350, 0.001},      {"-0.3", 350, std::nullopt},  {"2.5.5", 350, std::nullopt},
        {"1.5.5", 350, std::nullopt}, {"-5abc1e3", 350, std::nullopt}, {"0.000000001", 350, 1e-9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberCellValue(c.text, c.maxValue), c.value) << '"' << c.text << "\" up to " << c.maxValue;
}

TEST(NumberCellRules, TheRefusalNamesTheMaximum)
{
    EXPECT_EQ(NumberCellRangeMessage(350), "Number must be between 0 and 350.");
    EXPECT_EQ(NumberCellRangeMessage(2147483647), "Number must be between 0 and 2147483647.");
    // A refused cell is told why: its range for a number beyond it or an
    // emptied cell, else that its text is no number, naming the grid.
    EXPECT_EQ(NumberCellRefusal("-0.3", 350, "Stage Matrix"), "Number must be between 0 and 350.");
    EXPECT_EQ(NumberCellRefusal("", 350, "Stage Matrix"), "Number must be between 0 and 350.");
    EXPECT_EQ(NumberCellRefusal("2.5.5", 350, "Stage Matrix"), "Stage Matrix: \"2.5.5\" is not a number.");
}
