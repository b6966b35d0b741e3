#include "core/number_cell_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

TEST(NumberCellRules, KeysTypedIntoANumberCell)
{
    struct Case {
        char key;
        const char* kept;  // the text that stays beside the key
        std::size_t maxLength;
        bool accepted;
    };
    const Case cases[] = {
        {'7', "", 8, true},         {'.', "", 8, true},           {'-', "", 8, false},
        {'e', "1", 8, false},       {' ', "1", 8, false},         {'.', "1.5", 8, false},  // a second point
        {'.', "15", 8, true},       {'9', "12345678", 8, false},  // a ninth character
        {'9', "1234567", 8, true},  {'\b', "12345678", 8, true},  {'\r', "12345678", 8, true},
        {'1', "1234567890", 10, false}, {'1', "123456789", 10, true}, {'1', "12345678901", 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AcceptNumberCellKey(c.key, c.kept, c.maxLength), c.accepted)
            << "key '" << c.key << "' beside \"" << c.kept << "\"";
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberCellValue(c.text, c.maxValue), c.value) << '"' << c.text << "\" up to " << c.maxValue;
}

TEST(NumberCellRules, TheRefusalNamesTheMaximum)
{
    EXPECT_EQ(NumberCellRangeMessage(350), "Number must be between 0 and 350.");
    EXPECT_EQ(NumberCellRangeMessage(2147483647), "Number must be between 0 and 2147483647.");
}
