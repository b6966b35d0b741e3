#pragma once
// How every number field reads what a person typed or pasted: the numeric
// edits of the dialogs, the number cells of the editors' grids and the spin
// edits. The text either is exactly one number that the field can hold, or
// it is refused for one reason that the field tells the user, with the text
// left as it was typed so that it can be mended. Nothing is ever dropped to
// make another number out of what is left: "1e-3" is 0.001 or a refusal,
// never 13, and "-0.3" in a field that starts at 0 is refused, never 0.3.

#include <optional>
#include <string>

enum class TNumberRefusal {
    None,
    NotANumber,       // letters, a second decimal mark, a lone sign, blank
    NotWhole,         // a fraction in a field for whole numbers
    OutOfRange,       // beyond the field's limits
    TooManyDecimals,  // more decimals than the field can show exactly
};

// What a field takes.
struct TNumberField {
    bool whole = false;
    // Equal limits mean no range.
    double minValue = 0;
    double maxValue = 0;
    // The most decimals the field can show of a value without rounding it;
    // negative: no such limit (the value is kept as a number).
    int maxDecimals = -1;
};

struct TTypedNumber {
    TNumberRefusal refusal = TNumberRefusal::NotANumber;
    // The number the text reads as, also when the field refuses it (not for
    // NotANumber).
    double value = 0;
    bool Accepted() const { return refusal == TNumberRefusal::None; }
};

// The text as a number: blanks around it are ignored; an optional sign,
// digits with at most one decimal mark ("." or ",", either one, since a
// comma is the decimal key of many keyboards), at least one digit, and an
// optional exponent ("1e-3", "2.5E+4"). Nothing else.
std::optional<double> ReadNumberText(const std::string& text);

// The text read for `field`: the number, or why the field refuses it.
TTypedNumber ReadTypedNumber(const std::string& text, const TNumberField& field);

// Pasted text as a field takes it in: without the blanks and line ends
// around it, and without digit grouping where the text can be read in one
// way only ("1,234.5" and "1.234,5" give "1234.5" and "1234,5": the mark
// that comes once, after groups of three digits, is the decimal one). Any
// other text comes back as it was, blanks taken off, for the field to
// refuse or take as it is.
std::string PastedNumberText(const std::string& text);

// What the user is told of a refusal other than OutOfRange (each field has
// its own range message): "<field> takes whole numbers only.",
// "<field>: \"<text>\" is not a number." or "<field> takes at most <n>
// decimals.".
std::string NumberRefusalMessage(TNumberRefusal refusal, const std::string& fieldName, const std::string& text,
                                 int maxDecimals = 9);
