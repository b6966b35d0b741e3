#include "core/numeric_edit_rules.h"

#include <gtest/gtest.h>

namespace {

// States are written with "|" for the caret and "[...]" for a selection
// (the caret then stands at the selection's end).
TNumericEditState Parse(const std::string& marked)
{
    TNumericEditState st;
    int selFrom = -1;
    for (const char c : marked) {
        const int at = static_cast<int>(st.text.size());
        if (c == '|')
            st.caret = at;
        else if (c == '[')
            selFrom = at;
        else if (c == ']') {
            st.selStart = selFrom;
            st.selLength = at - selFrom;
            st.caret = at;
        } else
            st.text += c;
    }
    return st;
}

std::string Show(const TNumericEditState& st)
{
    std::string out = st.text;
    out.insert(st.caret, 1, '|');
    return out;
}

constexpr char kDel = '\x7f';  // the Delete key in the tables below

TNumericEditState Keys(TNumericEditState st, const std::string& keys, const TNumericEditSettings& s)
{
    for (const char k : keys)
        st = k == kDel ? NumericDeleteKey(st, s) : NumericKeyPress(st, k, s);
    return st;
}

struct KeyCase {
    const char* start;
    const char* keys;
    const char* expected;
    int decimals = 2;
};

TEST(NumericEditRules, KeysFollowTheLayoutRules)
{
    const KeyCase cases[] = {
        // Decimals: a deleted one lets the later ones move left.
        {"1.|25", "\x7f", "1.|50"},
        {"1.2|5", "\b", "1.|50"},
        // The only integer digit becomes zero; other integer digits go.
        {"|5.25", "\x7f", "0|.25"},
        {"5|.25", "\b", "0|.25"},
        {"-5|.25", "\b", "-0|.25"},
        {"12|3.25", "\b", "1|3.25"},
        // The separator is never deleted: the caret jumps over it.
        {"1|.25", "\x7f", "1.|25"},
        {"1.|25", "\b", "1|.25"},
        // Nothing at the ends.
        {"|1.25", "\b", "|1.25"},
        {"1.25|", "\x7f", "1.25|"},
        // The sign key toggles and the caret keeps its place among the digits.
        {"1|2.50", "-", "-1|2.50"},
        {"-1|2.50", "-", "1|2.50"},
        {"|-3.00", "\b", "|3.00"},
        // Digits: the leading zero is replaced, the integer part grows from the
        // right, decimals are overwritten, nothing after the last decimal.
        {"|0.00", "1", "1|.00"},
        {"-|0.00", "7", "-7|.00"},
        {"|-0.00", "7", "-7|.00"},
        {"1|.00", "23", "123|.00"},
        {"12.|00", "5", "12.5|0"},
        // A digit after the last decimal is a number with more decimals: the
        // text leaves the layout and keeps it.
        {"12.50|", "9", "12.509|"},
        {"|12.00", "9", "9|2.00"},
        // The separator jumps to the first decimal.
        {"12|3.45", ".", "123.|45"},
        {"12|3.45", ".9", "123.9|5"},
        // Characters the layout cannot take are kept as typed (the zeros the
        // mask padded behind the caret go): the text is read as a whole.
        {"1|.00", "a +", "1a +|"},
        {"|0.00", "1e-3", "1e-3|"},
        {"|0.00", "2.5.5", "2.5.5|"},
        {"|0.00", "-5abc", "-5abc|"},
        {"1.2|5", "x", "1.2x|5"},
        // Once out of the layout the text is edited as plain text: "-" is a
        // character, Backspace removes one, and back in the layout the
        // calculator rules hold again.
        {"1e|", "-\b\b5", "15|.00"},
        // A comma is the decimal separator too: it never joins the digits.
        {"|0.00", "0,5", "0.5|0"},
        {"12|3.45", ",9", "123.9|5"},
        {"1[2.3]4", ",", "12.|34"},
        // Selections: deleted and the layout rebuilt (integer at least "0",
        // separator kept, decimals padded).
        {"[1.25]", "\b", "0|.00"},
        {"[1.25]", "\x7f", "0|.00"},
        {"[-1.25]", "7", "7|.00"},
        {"1.[25]", "\b", "1.|00"},
        {"[5].25", "\x7f", "0|.25"},
        {"1[.2]5", "\b", "1|.50"},
        {"1[2.]50", "3", "13|.50"},
        {"1[2.3]4", ".", "12.|34"},
        // No decimals: either separator is kept as typed, for the field to
        // refuse the fraction; digits are inserted.
        {"1|2", ".", "1.|2", 0},
        {"1|2", ",5", "1,5|2", 0},
        {"[12]", ",7", "0,7|", 0},
        {"12|", ".7", "12.7|", 0},
        {"|0", "42", "42|", 0},
        {"1|2", "5", "15|2", 0},
        {"1|", "\b", "0|", 0},
        {"[123]", "\b", "0|", 0},
    };
    for (const auto& c : cases) {
        TNumericEditSettings s;
        s.decimals = c.decimals;
        EXPECT_EQ(Show(Keys(Parse(c.start), c.keys, s)), c.expected)
            << "start " << c.start << " keys \"" << c.keys << "\"";
    }
}

TEST(NumericEditRules, PasteGoesThroughTheKeyRules)
{
    const TNumericEditSettings s;
    const struct {
        const char* start;
        const char* pasted;
        const char* expected;
    } cases[] = {
        {"[0.00]", "12a.3x4", "12a.3x4|"},
        {"|0.00", "12a.3x4", "12a.3x4|"},
        {"[9.99]", "-5", "-5|.00"},
        {"[9.99]", "1,234.5", "1234.5|0"},  // commas group where a point is the separator
        {"[9.99]", "1.234,5", "1234,5|"},   // the same number the other way round
        {"[9.99]", " 42\r\n", "42|.00"},   // blanks and line ends around it go
        {"[9.99]", "0,25", "0,25|"},        // read as a whole by the edit
        {"[9.99]", "3.14159", "3.14159|"},
        {"[9.99]", "1e-3", "1e-3|"},
        // A number pasted into a field that shows 0 is that number, wherever
        // the caret stands.
        {"0.00|", "42", "42|.00"},
        {"1|.50", "2", "12|.50"},
        // A pasted Backspace or line end is not a key.
        {"5|.00", "\b\r\n1", "51|.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(NumericPaste(Parse(c.start), c.pasted, s)), c.expected) << c.pasted;

    // Without decimals a pasted fraction stays as pasted, for the field to
    // refuse, never run together into a whole number.
    TNumericEditSettings whole;
    whole.decimals = 0;
    for (const char* pasted : {"2.5", "0,5", "1,000"})
        EXPECT_EQ(Show(NumericPaste(Parse("[7]"), pasted, whole)), std::string(pasted) + "|") << pasted;
    EXPECT_EQ(Show(NumericPaste(Parse("[7]"), "25", whole)), "25|");
}

TEST(NumericEditRules, LimitsAndForeignTexts)
{
    TNumericEditSettings s;
    // The integer part grows without limit: a number too long for the field
    // is refused by its range, never cut.
    EXPECT_EQ(Show(Keys(Parse("|0.00"), "123456789012345", s)), "123456789012345|.00");

    // A text set from outside that breaks the layout is rebuilt before a key.
    EXPECT_EQ(Show(NumericKeyPress(Parse("|"), '4', s)), "4|.00");
    EXPECT_EQ(Show(NumericKeyPress(Parse("1.5|"), '\b', s)), "1.|00");

    // A locale that writes a comma.
    s.separator = ',';
    EXPECT_EQ(Show(Keys(Parse("|0,00"), "3,5.", s)), "3,5.|");  // "." is a second separator

    // Read-only: nothing changes.
    s.readOnly = true;
    EXPECT_EQ(Show(Keys(Parse("1|,00"), "5\b\x7f", s)), "1|,00");
    EXPECT_EQ(Show(NumericPaste(Parse("1|,00"), "7", s)), "1|,00");
}

TEST(NumericEditRules, FormatParseAndRange)
{
    EXPECT_EQ(FormatNumericValue(1.255, 2, '.'), "1.25");  // nearest binary value is below
    EXPECT_EQ(FormatNumericValue(-3.5, 0, '.'), "-4");
    EXPECT_EQ(FormatNumericValue(-0.001, 2, ','), "0,00");
    EXPECT_EQ(FormatNumericValue(2.5, 12, '.'), "2.500000000");  // at most 9 decimals
    EXPECT_EQ(ClampDecimals(-1), 0);

    EXPECT_EQ(ParseNumericText("-12,50", ','), -12.5);
    EXPECT_EQ(ParseNumericText("7", '.'), 7.0);
    for (const char* bad : {"", "-", ".", "1.2.3", "1-2", "1e5", " 1", "--1"})
        EXPECT_FALSE(ParseNumericText(bad, '.').has_value()) << bad;

    EXPECT_TRUE(NumericValueInRange(1e9, 0, 0));
    EXPECT_TRUE(NumericValueInRange(-1, -1, 1));
    EXPECT_FALSE(NumericValueInRange(1.01, -1, 1));
}

}  // namespace

TEST(NumericEditRules, ExactDecimalsShowAStoredValueAsItIs)
{
    const struct {
        double value;
        int decimals, exact;
    } cases[] = {
        {1.8, 4, 4}, {-0.5, 0, 1}, {0.12345, 3, 5}, {2.5, 0, 1}, {1e-12, 2, 2}, {0.1 + 0.2, 2, 2}, {7, 0, 0},
        {0.1234567891234, 3, 3},  // more than 9 decimals: left as given
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExactDecimals(c.value, c.decimals), c.exact) << c.value;
}
