#include "core/typed_number.h"

#include "core/number_cell_rules.h"
#include "core/numeric_edit_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// The kinds of number field the editors have, as the windows set them up.
enum class TFieldKind { Cell, Edit, Spin };

struct TFieldSetup {
    TFieldKind kind;
    int decimals = 0;  // for an edit
    double minValue = 0;
    double maxValue = 0;
};

const TFieldSetup kMatrixCell{TFieldKind::Cell, 0, 0, 2147483647};
const TFieldSetup kWholeCount{TFieldKind::Edit, 0, 0, 2147483647};  // K, initial abundance
const TFieldSetup kSurvival{TFieldKind::Edit, 3, 0, 1};
const TFieldSetup kMapK{TFieldKind::Edit, 2, 0, 2147483647};
const TFieldSetup kFreeEdit{TFieldKind::Edit, 2, 0, 0};
const TFieldSetup kProportion{TFieldKind::Edit, 4, 0, 1};
const TFieldSetup kNumberSpin{TFieldKind::Spin, 0, 0, 2147483647};

// What a field holds once the person leaves it: the number, or the refusal.
struct TOutcome {
    std::optional<double> value;
    TNumberRefusal refusal = TNumberRefusal::None;
};

TOutcome Stored(double value) { return {value, TNumberRefusal::None}; }
TOutcome Refused(TNumberRefusal refusal) { return {std::nullopt, refusal}; }

bool operator==(const TOutcome& a, const TOutcome& b) { return a.value == b.value && a.refusal == b.refusal; }

std::ostream& operator<<(std::ostream& out, const TOutcome& o)
{
    if (o.value)
        return out << "stored " << *o.value;
    return out << "refused (" << static_cast<int>(o.refusal) << ")";
}

TOutcome Read(const std::string& text, const TFieldSetup& f)
{
    TTypedNumber reading;
    if (f.kind == TFieldKind::Cell) {
        reading = NumberCellReading(text, f.maxValue);
    } else {
        TNumberField field;
        field.whole = f.decimals == 0;
        field.minValue = f.minValue;
        field.maxValue = f.maxValue;
        field.maxDecimals = f.kind == TFieldKind::Edit ? 9 : -1;
        reading = ReadTypedNumber(text, field);
    }
    if (reading.Accepted())
        return Stored(reading.value);
    return Refused(reading.refusal);
}

TNumericEditSettings EditSettings(const TFieldSetup& f)
{
    TNumericEditSettings s;
    s.decimals = f.decimals;
    return s;
}

// The field as it opens with the keyboard: a 0 in its mask, all selected
// (a cell's editor and a spin edit select their text in the same way).
TNumericEditState Opened(const TFieldSetup& f)
{
    TNumericEditState st;
    st.text = FormatNumericValue(0, f.decimals, '.');
    st.selLength = static_cast<int>(st.text.size());
    st.caret = st.selLength;
    return st;
}

// Typed key by key, then left.
TOutcome Typed(const std::string& keys, const TFieldSetup& f)
{
    if (f.kind == TFieldKind::Edit) {
        TNumericEditState st = Opened(f);
        for (const char k : keys)
            st = NumericKeyPress(st, k, EditSettings(f));
        return Read(st.text, f);
    }
    // A cell's editor and a spin edit keep every key as typed (a cell takes
    // "," as ".").
    std::string text;
    for (const char k : keys)
        text += f.kind == TFieldKind::Cell ? NumberCellKey(k) : k;
    return Read(text, f);
}

// Pasted into the opened field (an edit also at a click: caret at the end,
// nothing selected), then left.
TOutcome Pasted(const std::string& pasted, const TFieldSetup& f, bool atClick = false)
{
    if (f.kind == TFieldKind::Edit) {
        TNumericEditState st = Opened(f);
        if (atClick)
            st.selLength = 0;
        return Read(NumericPaste(st, pasted, EditSettings(f)).text, f);
    }
    std::string text;
    for (const char k : PastedNumberText(pasted))
        text += f.kind == TFieldKind::Cell ? NumberCellKey(k) : k;
    return Read(text, f);
}

constexpr TNumberRefusal kNotANumber = TNumberRefusal::NotANumber;
constexpr TNumberRefusal kNotWhole = TNumberRefusal::NotWhole;
constexpr TNumberRefusal kOutOfRange = TNumberRefusal::OutOfRange;

}  // namespace

// Each case: what a person typed or pasted into which field, and what the
// field then holds, typed key by key and pasted. Never a third way: no
// character dropped, no sign lost, no digits cut so that another number
// remains.
TEST(TypedNumber, WhatAPersonTypesIsTheNumberOrARefusal)
{
    const std::string hundredThousandDigits(100000, '7');
    const struct {
        const char* where;
        std::string input;
        TFieldSetup field;
        TOutcome typed;
        TOutcome pasted;
    } cases[] = {
        {"matrix cell", "1e-3", kMatrixCell, Stored(0.001), Stored(0.001)},
        {"matrix cell", "-0.3", kMatrixCell, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"matrix cell", "2.5.5", kMatrixCell, Refused(kNotANumber), Refused(kNotANumber)},
        {"matrix cell", "1,5,5", kMatrixCell, Refused(kNotANumber), Refused(kNotANumber)},
        {"abundance cell", "-5abc1e3", kMatrixCell, Refused(kNotANumber), Refused(kNotANumber)},
        {"Strativa K", "123456789012345", kWholeCount, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"whole K", "100,5", kWholeCount, Refused(kNotWhole), Refused(kNotWhole)},
        {"initial abundance", "12.7", kWholeCount, Refused(kNotWhole), Refused(kNotWhole)},
        {"Monovara K", "500,5", kWholeCount, Refused(kNotWhole), Refused(kNotWhole)},
        {"survival", "-0.3", kSurvival, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"map K", "1e5", kMapK, Stored(100000), Stored(100000)},
        {"whole K", "1e5", kWholeCount, Stored(100000), Stored(100000)},
        {"whole K", "1e-3", kWholeCount, Refused(kNotWhole), Refused(kNotWhole)},
        // Typed, "1.234,5" has a second decimal mark; pasted, it reads one
        // way only, as "1,234.5" does.
        {"numeric edit", "1.234,5", kFreeEdit, Refused(kNotANumber), Stored(1234.5)},
        {"numeric edit", "1,234.5", kFreeEdit, Refused(kNotANumber), Stored(1234.5)},
        {"grid cell", "1,234.5", kMatrixCell, Refused(kNotANumber), Stored(1234.5)},
        {"grid cell", "1.234,5", kMatrixCell, Refused(kNotANumber), Stored(1234.5)},
        {"numeric edit", "1.2345", kFreeEdit, Stored(1.2345), Stored(1.2345)},
        {"numeric edit", "2.5.5", kFreeEdit, Refused(kNotANumber), Refused(kNotANumber)},
        {"numeric edit", "1e-12", kFreeEdit, Refused(TNumberRefusal::TooManyDecimals),
         Refused(TNumberRefusal::TooManyDecimals)},
        {"numeric edit", "12,34.5", kFreeEdit, Refused(kNotANumber), Refused(kNotANumber)},
        {"spin edit", "2.5", kNumberSpin, Refused(kNotWhole), Refused(kNotWhole)},
        {"spin edit", "-5", kNumberSpin, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"spin edit", "1e3", kNumberSpin, Stored(1000), Stored(1000)},
        {"management number", hundredThousandDigits, kNumberSpin, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"proportion", "42", kProportion, Refused(kOutOfRange), Refused(kOutOfRange)},
        {"proportion", "0.25", kProportion, Stored(0.25), Stored(0.25)},
    };
    for (const auto& c : cases) {
        const std::string shown = c.input.size() > 20 ? c.input.substr(0, 20) + "..." : c.input;
        EXPECT_EQ(Typed(c.input, c.field), c.typed) << c.where << " typed " << shown;
        EXPECT_EQ(Pasted(c.input, c.field), c.pasted) << c.where << " pasted " << shown;
    }
    // Pasted at a click into a proportion that shows 0: 42, refused by the
    // range, not 4.0000.
    EXPECT_EQ(Pasted("42", kProportion, true), Refused(kOutOfRange));
}

TEST(TypedNumber, TheTextsANumberIsWrittenIn)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"7", 7.0},          {" -12.5\r\n", -12.5}, {"+3", 3.0},       {"0,25", 0.25},   {".5", 0.5},
        {"5.", 5.0},         {"2.5E+2", 250.0},     {"1e-3", 0.001},   {"", std::nullopt},
        {"-", std::nullopt}, {".", std::nullopt},   {"1e", std::nullopt}, {"1 000", std::nullopt},
        {"--1", std::nullopt}, {"1.2.3", std::nullopt}, {"1,2.3", std::nullopt}, {"0x10", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e-400", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumberText(c.text), c.value) << '"' << c.text << '"';

    EXPECT_EQ(PastedNumberText(" 1,234,567.5\n"), "1234567.5");
    EXPECT_EQ(PastedNumberText("-1.234,5"), "-1234,5");
    EXPECT_EQ(PastedNumberText("12,34.5"), "12,34.5");  // not grouped in threes: left to be refused
    EXPECT_EQ(PastedNumberText("1,234.5.6"), "1,234.5.6");
    EXPECT_EQ(PastedNumberText("1,5"), "1,5");  // a lone comma is the decimal one
}

TEST(TypedNumber, TheRefusalSaysWhy)
{
    EXPECT_EQ(NumberRefusalMessage(TNumberRefusal::NotWhole, "Initial abundance", "12.7"),
              "Initial abundance takes whole numbers only.");
    EXPECT_EQ(NumberRefusalMessage(TNumberRefusal::NotANumber, "Survival rate (s)", " 2.5.5 "),
              "Survival rate (s): \"2.5.5\" is not a number.");
    EXPECT_EQ(NumberRefusalMessage(TNumberRefusal::TooManyDecimals, "Proportion", "1e-12"),
              "Proportion takes at most 9 decimals.");

    TNumberField whole;
    whole.whole = true;
    EXPECT_EQ(ReadTypedNumber("1,000", whole).refusal, TNumberRefusal::NotWhole);  // one, not a thousand
    EXPECT_EQ(ReadTypedNumber("1e999", whole).refusal, TNumberRefusal::OutOfRange);
    EXPECT_TRUE(ReadTypedNumber("-7", whole).Accepted());  // no range: any whole number
}
