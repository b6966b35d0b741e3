#include "sim/file_text.h"

#include "core/str_utilx.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

// A short text reads back as a value that is written as the same text, also
// where a layout boundary lies between the value and the text's plain number.
TEST(ShortTextReading, GivesAValueWrittenAsTheSameText)
{
    const struct {
        const char* text;
        double low, high;  // the value read lies in [low, high]
    } cases[] = {
        // Written just below a boundary: the plain number is on its far side.
        {"1000.0", 999.9999, 999.99995},
        {"105.6", 105.636, 105.6362},
        {"1.0000", 0.9999999, 0.99999995},
        {"1.0E-0003", 0.00099999, 0.000999999999},
        {"10.278", 10.2779, 10.27795},
        // Texts written away from a boundary, and the texts older files carry
        // for the same values, read as their plain numbers.
        {"1000", 1000, 1000},
        {"105.60", 105.59999, 105.60001},
        {"1.000", 1, 1},
        {"0.0010", 0.00099999999, 0.0010000001},
        {"4.6E-0004", 0.00045999, 0.00046001},
        {"-3.0E+0000", -3, -3},
        {"0", 0, 0},
        // No value is written as "5": its plain number.
        {"5", 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        float value = -1;
        ASSERT_TRUE(ParseShortText(c.text, value));
        EXPECT_GE(value, c.low);
        EXPECT_LE(value, c.high);
        if (std::string(c.text) != "5") {
            EXPECT_EQ(FloatToShortText(value), c.text);
        }
    }
    float value = 0;
    EXPECT_FALSE(ParseShortText("1.0x", value));
    EXPECT_FALSE(ParseShortText("", value));
}

// Writing, reading and writing again gives the first text for every single
// near a layout boundary and for values spread over the whole range.
TEST(ShortTextReading, WriteReadWriteIsAFixedPoint)
{
    auto check = [](float x) {
        const std::string text = FloatToShortText(x);
        float back = 0;
        ASSERT_TRUE(ParseShortText(text, back)) << text;
        ASSERT_EQ(FloatToShortText(back), text) << x;
    };
    for (double boundary : {0.001, 1.0, std::exp(2.33), std::exp(4.66), 1000.0, 1e9}) {
        float x = static_cast<float>(boundary);
        for (int k = 0; k < 2000; ++k) x = std::nextafter(x, 0.0f);
        for (int k = 0; k < 4000; ++k, x = std::nextafter(x, FLT_MAX)) check(x);
    }
    for (double x = 1e-7; x < 1e12; x *= 1.003) {
        check(static_cast<float>(x));
        check(static_cast<float>(-x));
    }
    for (float x : {0.99995f, 0.999951f, 9.9995f, 99.995f, 999.95f, 0.00099995f, 999999999.0f}) check(x);
}

TEST(ModelFileNames, ReplaceExtension)
{
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"model.st", "model.SCL"},
        {"model", "model.SCL"},
        // Scenarios named alike up to a later dot keep a side file each.
        {"model.backup.st", "model.backup.SCL"},
        {"f_R1.1.sp", "f_R1.1.SCL"},
        {"f_R1.5.sp", "f_R1.5.SCL"},
        {"model.", "model.SCL"},
        {".hidden.st", ".hidden.SCL"},
        {".st", "SCL"},
        {"/home/me/run.d/model.st", "/home/me/run.d/model.SCL"},
        {"C:\\data.v2\\bird.st", "C:\\data.v2\\bird.SCL"},
        {"/home/me/run.d/model", "/home/me/run.d/model.SCL"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReplaceExtension(c.name, "SCL"), c.expected) << c.name;
}

TEST(ModelFileParsers, BooleanAndDensityDependenceCodes)
{
    const struct {
        const char* text;
        bool ok, value;
    } booleans[] = {{"TRUE", true, true},   {"yes", true, true}, {"1", true, true},  {"t", true, true},
                    {"Y", true, true},      {"FALSE", true, false}, {"no", true, false}, {"0", true, false},
                    {"f", true, false},     {"N", true, false},  {"", false, false}, {" TRUE", false, false},
                    {"x", false, false}};
    for (const auto& c : booleans) {
        TReaderStatus status;
        const bool value = ParseBoolean(c.text, status);
        EXPECT_EQ(status.ok, c.ok) << c.text;
        EXPECT_EQ(status.reason, c.ok ? "" : "Boolean error") << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(ParseDensityDependenceType("CA"), 7);
    EXPECT_EQ(ParseDensityDependenceType("LO"), 1);
    EXPECT_EQ(ParseDensityDependenceType("lo"), 0);
    EXPECT_EQ(ParseDensityDependenceType("XX"), 0);
}
