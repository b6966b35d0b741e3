#include "core/str_utilx.h"

#include <gtest/gtest.h>

namespace {

// Keeps the number-text switches and the locale as a test found them.
class TextSwitches : public ::testing::Test {
protected:
    void SetUp() override
    {
        trim_ = TrimTrailingZeros;
        integers_ = IntegersWithoutDecimals;
        precision_ = TextPrecision;
        decimals_ = TextDecimals;
        locale_ = CurrentLocale();
    }
    void TearDown() override
    {
        TrimTrailingZeros = trim_;
        IntegersWithoutDecimals = integers_;
        TextPrecision = precision_;
        TextDecimals = decimals_;
        SetLocaleFormat(locale_);
    }

private:
    bool trim_ = false, integers_ = true;
    int precision_ = 20, decimals_ = 4;
    TLocaleFormat locale_;
};

std::string Pad(const std::string& s, std::size_t width) { return std::string(width - s.size(), ' ') + s; }

}  // namespace

TEST_F(TextSwitches, RealToTextFollowsTheSwitches)
{
    struct Case {
        bool integers, trim;
        double x;
        std::string expected;
    } cases[] = {
        // Trimming keeps the field's left part, so decimal points stay aligned.
        {true, true, 2.5, Pad("2.5000", 20).substr(0, 17)},
        {true, true, 2.0, Pad("2", 20)},
        {false, true, 2.0, Pad("2.0000", 20).substr(0, 17)},
        {false, false, 2.0, Pad("2.0000", 20)},
        {true, false, -0.125, Pad("-0.1250", 20)},
        {true, true, 1234.5678, Pad("1234.5678", 20)},
        {true, true, 100.25, Pad("100.2500", 20).substr(0, 18)},
        {true, true, 1e22, Pad("10000000000000000000000", 23)},
    };
    for (const Case& c : cases) {
        IntegersWithoutDecimals = c.integers;
        TrimTrailingZeros = c.trim;
        EXPECT_EQ(RealToText(c.x), c.expected) << c.x;
    }
}

TEST_F(TextSwitches, RealToLocalTextUsesTheLocaleDecimalPoint)
{
    TLocaleFormat de;
    de.decimalPoint = ",";
    de.listSeparator = ";";
    SetLocaleFormat(de);
    TrimTrailingZeros = true;
    EXPECT_EQ(RealToLocalText(2.5), "2,5");
    EXPECT_EQ(RealToLocalText(3.0), "3");
    EXPECT_EQ(ListSeparator, ";");
    EXPECT_EQ(AlternativeSeparator, " ");
    // Locale input: the comma is the decimal point, a "." is refused.
    EXPECT_DOUBLE_EQ(StrToFloatDefault(" 1,25 ", -1), 1.25);
    EXPECT_DOUBLE_EQ(StrToFloatDefault("1.25", -1), -1);
    // Numbers in files never follow the locale.
    EXPECT_DOUBLE_EQ(TextToRealDef("1.25", -1), 1.25);

    SetLocaleFormat(TLocaleFormat{".", "", "MM/dd/yyyy"});
    EXPECT_EQ(ListSeparator, ",");
    EXPECT_EQ(AlternativeSeparator, ";");
}

TEST(TextToNumber, StrictAndDefaultConversions)
{
    struct Case {
        const char* text;
        double expected;
    } strict[] = {
        {"12.5", 12.5}, {"-3", -3}, {"+4", 4}, {".5", 0.5}, {"5.", 5}, {"1e3", 1000}, {"2.5E-1", 0.25},
        {"", -9}, {" 1", -9}, {"1 ", -9}, {"1,5", -9}, {"abc", -9}, {"1e", -9}, {"--1", -9}, {"0x10", -9},
        {"inf", -9}, {"nan", -9}, {"1e999", -9}, {".", -9}, {"+", -9},
    };
    for (const Case& c : strict)
        EXPECT_DOUBLE_EQ(TextToRealDef(c.text, -9), c.expected) << '"' << c.text << '"';

    EXPECT_DOUBLE_EQ(StrToFloatDefault("   ", 7), 7);
    EXPECT_DOUBLE_EQ(StrToFloatDefault(" 2.5\t", 7), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloatDefault("x", 7), 7);
    EXPECT_DOUBLE_EQ(StrToFloatRange("50", 0, 1, 10), 10);
    EXPECT_DOUBLE_EQ(StrToFloatRange("-5", 0, 1, 10), 1);
    EXPECT_DOUBLE_EQ(StrToFloatRange("bad", 20, 1, 10), 10);  // the default is bounded too
    EXPECT_DOUBLE_EQ(StrToFloatRange("3.5", 0, 1, 10), 3.5);
}

TEST(TextToNumber, IntegersTakeOneSignAndStayIn32Bits)
{
    struct Case {
        const char* text;
        bool ok;
        long value;
    } cases[] = {
        {"42", true, 42},          {"+7", true, 7},          {"-2147483648", true, -2147483648L},
        {"2147483647", true, 2147483647L},                    {"2147483648", false, 0},
        {"+-5", false, 0},         {"-+5", false, 0},        {"--5", false, 0},
        {"+", false, 0},           {"-", false, 0},          {"", false, 0},
        {" 5", false, 0},          {"5 ", false, 0},         {"1.5", false, 0},
    };
    for (const Case& c : cases) {
        long value = 99;
        EXPECT_EQ(TextToInt(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 99) << '"' << c.text << '"';
    }
}

TEST(TextToBoolean, KnownWordsAndTheConversionMessage)
{
    for (const char* yes : {"Yes", "y", "TRUE", "t"})
        EXPECT_TRUE(StrToBoolean(yes)) << yes;
    for (const char* no : {"no", "N", "False", "f"})
        EXPECT_FALSE(StrToBoolean(no)) << no;
    for (const char* bad : {"maybe", "", "yes "}) {
        try {
            StrToBoolean(bad);
            ADD_FAILURE() << bad;
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.what(), "Cannot convert \"" + std::string(bad) + "\" to Boolean");
        }
    }
    try {
        StrToBoolean("MayBe");
        ADD_FAILURE();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot convert \"maybe\" to Boolean");
    }
}

TEST(Words, ExtractWordConsumesTheText)
{
    std::string text = " \t10  5\r\n4";
    std::string word;
    std::vector<std::string> words;
    for (ExtractWord(text, word); !word.empty(); ExtractWord(text, word))
        words.push_back(word);
    EXPECT_EQ(words, (std::vector<std::string>{"10", "5", "4"}));
    EXPECT_EQ(text, "");
    EXPECT_EQ(CharString('-', 3), "---");
    EXPECT_EQ(CharString('-', 0), "");
    EXPECT_EQ(CharString('=', 300).size(), 300u);
    EXPECT_EQ(UpCaseChar('a'), 'A');
    EXPECT_EQ(UpCaseChar('\xE4'), '\xE4');
}

TEST(ShortText, FollowsTheWidthAndDecimalFormula)
{
    struct Case {
        float x;
        const char* expected;
    } cases[] = {
        {0, "0"},           {5, "5.000"},      {50, "50.00"},     {500, "500.0"},   {999.9f, "999.9"},
        {1, "1.000"},       {5000, "5000"},    {123456789.0f, "123456792"},  // single precision
        {0.5f, "0.5000"},   {0.001f, "0.0010"}, {2e9f, "2.0E+0009"},      {-3, "-3.0E+0000"},
        {0.0001f, "1.0E-0004"}, {-2.5e12f, "-2.5E+0012"},
        // Just below a change of layout the text rounds up to the next one's
        // number but keeps its own layout.
        {999.96f, "1000.0"}, {105.637f, "105.6"}, {0.99996f, "1.0000"}, {0.00099996f, "1.0E-0003"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToShortText(c.x), c.expected) << c.x;
}

TEST_F(TextSwitches, DatesWithFourDigitYears)
{
    struct Case {
        const char* format;
        const char* y4;
    } formats[] = {{"yy-MM-dd", "yyyy-MM-dd"}, {"dd/MM/yy", "dd/MM/yyyy"}, {"d.M.yyyy", "d.M.yyyy"},
                   {"MM/dd/yy yy", "MM/dd/yyyy yy"}, {"MMM d", "MMM d"}};
    for (const Case& c : formats)
        EXPECT_EQ(DateFormatY4(c.format), c.y4) << c.format;

    const TDateTime date{2026, 3, 7, 9, 5, 2};
    EXPECT_EQ(FormatDate("dd/MM/yyyy", date), "07/03/2026");
    EXPECT_EQ(FormatDate("d.M.yy", date), "7.3.26");
    EXPECT_EQ(FormatDate("ddd d MMM yyyy 'at' x", date), "Sat 7 Mar 2026 at x");

    TLocaleFormat uk{".", ",", "dd/MM/yy"};
    SetLocaleFormat(uk);
    EXPECT_EQ(FormatDateY4(date), "07/03/2026");
    EXPECT_EQ(RunDateText(date), "07/03/2026");
    // A date with blanks, or without a year, would break the readers that split at a blank.
    for (const char* format : {"d MMM yyyy", "dd.MM."}) {
        SetLocaleFormat(TLocaleFormat{".", ",", format});
        EXPECT_EQ(RunDateText(date), "03/07/2026") << format;
    }
    EXPECT_EQ(RunTimeText(date), "09:05:02");
    EXPECT_TRUE(CheckWindowsVersion());
}
