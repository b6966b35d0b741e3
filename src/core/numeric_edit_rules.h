#pragma once
// The typing rules of the numeric edit, free of any window code: the edit
// hands over its text, caret and selection with each key and shows what comes
// back. The text always keeps the layout [-]integer[separator decimals]: the
// integer part has at least one digit and there are exactly `decimals` digits
// after the separator (no separator when `decimals` is 0). Keys work like on a
// calculator: digits overwrite, the integer part grows from the right, the
// number of decimals never changes. A key the layout cannot take without
// changing the number (a letter, an exponent, a second separator, a
// separator where there are no decimals, a digit after the last decimal)
// is never dropped: the text leaves the layout and keeps what was typed, as
// plain text, for the field to read with the rule of core/typed_number.h
// and to take or refuse as a whole.

#include <optional>
#include <string>

struct TNumericEditState {
    std::string text;
    int caret = 0;       // 0..text.size()
    int selStart = 0;    // the selection is [selStart, selStart + selLength)
    int selLength = 0;
};

struct TNumericEditSettings {
    int decimals = 2;      // 0..9
    char separator = '.';  // the locale's decimal separator
    bool readOnly = false;
};

// Characters the edit reacts to besides printable ones.
inline constexpr char kBackspaceKey = '\b';
// A comma typed or pasted is a decimal separator too, whatever the edit
// shows: on many keyboards it is the decimal key, and dropping it would run
// the digits together into a number ten or a hundred times too large.
inline constexpr char kDecimalComma = ',';

// Clamps a number of decimals to 0..9.
int ClampDecimals(int decimals);

// The number in the display mask: "0." and `decimals` zeros, or "0".
std::string FormatNumericValue(double value, int decimals, char separator);

// The fewest decimals, from `decimals` up to 9, with which the mask shows
// `value` exactly (its text reads back as the same number), so that a stored
// value with more digits than a field usually shows is seen as it is;
// `decimals` when even 9 do not show it.
int ExactDecimals(double value, int decimals);

// The text as a number: an optional "-", digits, and when decimals are
// allowed the separator and digits. Anything else gives no value.
std::optional<double> ParseNumericText(const std::string& text, char separator);

// True when min = max (no range) or min <= value <= max.
bool NumericValueInRange(double value, double minValue, double maxValue);

// True when the text is in the calculator layout; false for a text kept
// as typed.
bool NumericTextInLayout(const std::string& text, const TNumericEditSettings& settings);

// One typed character (digit, "-", the separator, "." or a comma, Backspace
// or any other character, which takes the text out of the layout). Returns
// the state to show.
TNumericEditState NumericKeyPress(TNumericEditState state, char key, const TNumericEditSettings& settings);

// The Delete key: the selection, or the character right of the caret.
TNumericEditState NumericDeleteKey(TNumericEditState state, const TNumericEditSettings& settings);

// Removes the selection and rebuilds the layout: the integer part is at least
// "0", the separator stays, the decimals are padded with zeros.
TNumericEditState NumericDeleteSelection(TNumericEditState state, const TNumericEditSettings& settings);

// Pasted text, blanks around it and unambiguous digit grouping taken off
// (PastedNumberText). A number pasted over the whole text, or into a text
// that shows 0, becomes the text; otherwise the selection is deleted and
// every character goes through the key rules. Nothing is dropped.
TNumericEditState NumericPaste(TNumericEditState state, const std::string& text, const TNumericEditSettings& settings);
