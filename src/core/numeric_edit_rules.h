#pragma once
// The typing rules of the numeric edit, free of any window code: the edit
// hands over its text, caret and selection with each key and shows what comes
// back. The text always keeps the layout [-]integer[separator decimals]: the
// integer part has at least one digit and there are exactly `decimals` digits
// after the separator (no separator when `decimals` is 0). Keys work like on a
// calculator: digits overwrite, the integer part grows from the right, the
// number of decimals never changes.

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
    int maxLength = 0;     // longest text typing may produce; 0 means no limit
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

// True for a key that means a decimal separator (".", "," or the edit's own)
// in a text without decimals: such a key is refused, and the edit tells the
// user so, rather than letting the next digits join the whole number.
bool IsRefusedSeparatorKey(char key, const TNumericEditSettings& settings);

// True when pasted text holds such a separator: the paste is refused whole
// (nothing changes), since "2.5" must not become 25.
bool IsRefusedPaste(const std::string& text, const TNumericEditSettings& settings);

// One typed character (digit, "-", the separator or a comma, Backspace or
// anything else, which is dropped). Returns the state to show.
TNumericEditState NumericKeyPress(TNumericEditState state, char key, const TNumericEditSettings& settings);

// The Delete key: the selection, or the character right of the caret.
TNumericEditState NumericDeleteKey(TNumericEditState state, const TNumericEditSettings& settings);

// Removes the selection and rebuilds the layout: the integer part is at least
// "0", the separator stays, the decimals are padded with zeros.
TNumericEditState NumericDeleteSelection(TNumericEditState state, const TNumericEditSettings& settings);

// Pasted or committed text: the selection is deleted, then every character
// goes through the key rules, so that invalid characters are dropped. In
// text that also holds the edit's own separator, commas group digits and are
// dropped. A refused paste (IsRefusedPaste) leaves the state as it is.
TNumericEditState NumericPaste(TNumericEditState state, const std::string& text, const TNumericEditSettings& settings);
