#include "core/numeric_edit_rules.h"

#include "core/typed_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int SignLength(const std::string& text) { return !text.empty() && text[0] == '-' ? 1 : 0; }

// Where the integer part ends: the separator, or the end of the text.
int IntegerEnd(const std::string& text, const TNumericEditSettings& s)
{
    if (s.decimals > 0) {
        const auto pos = text.find(s.separator);
        if (pos != std::string::npos)
            return static_cast<int>(pos);
    }
    return static_cast<int>(text.size());
}

void ClampState(TNumericEditState& st)
{
    const int size = static_cast<int>(st.text.size());
    st.caret = std::clamp(st.caret, 0, size);
    st.selStart = std::clamp(st.selStart, 0, size);
    st.selLength = std::clamp(st.selLength, 0, size - st.selStart);
}

// Rebuilds the layout from what is left of `text` once [from, to) is removed:
// each remaining digit keeps its role (integer or decimal), the integer part
// is at least "0", the decimals are padded with zeros to their number. The
// caret goes where the removed range began.
TNumericEditState Rebuild(const std::string& text, int from, int to, const TNumericEditSettings& s)
{
    const int intEnd = IntegerEnd(text, s);
    const bool negative = SignLength(text) == 1 && !(from == 0 && to > 0);
    std::string integer, decimals;
    int integerBefore = 0, decimalsBefore = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if ((i >= from && i < to) || !IsDigit(text[i]))
            continue;
        if (i < intEnd) {
            integer += text[i];
            integerBefore += i < from;
        } else if (static_cast<int>(decimals.size()) < s.decimals) {
            decimals += text[i];
            decimalsBefore += i < from;
        }
    }
    const int sign = negative ? 1 : 0;
    if (integer.empty()) {
        integer = "0";
        integerBefore = 1;  // after the zero, so a typed digit replaces it
    }
    TNumericEditState out;
    out.text = negative ? "-" : "";
    out.text += integer;
    if (s.decimals > 0) {
        decimals.resize(s.decimals, '0');
        out.text += s.separator;
        out.text += decimals;
    }
    out.caret = from <= intEnd ? sign + integerBefore
                               : sign + static_cast<int>(integer.size()) + 1 + decimalsBefore;
    return out;
}

bool InLayout(const std::string& text, const TNumericEditSettings& s)
{
    const int sign = SignLength(text);
    const int intEnd = IntegerEnd(text, s);
    if (intEnd == sign)
        return false;
    for (int i = sign; i < intEnd; ++i)
        if (!IsDigit(text[i]))
            return false;
    if (s.decimals == 0)
        return intEnd == static_cast<int>(text.size());
    if (static_cast<int>(text.size()) != intEnd + 1 + s.decimals)
        return false;
    return std::all_of(text.begin() + intEnd + 1, text.end(), IsDigit);
}

// A text set from outside that is not in layout but reads as a plain number
// the layout can show without losing a digit (empty, "1.5" with two
// decimals) is rebuilt before a key. Any other text is one the user typed
// as it stands ("1e-3", "12.7" in a field for whole numbers): it is edited
// as plain text, so that nothing of it is lost, until it is read.
bool Rebuildable(const std::string& text, const TNumericEditSettings& s)
{
    if (text.empty())
        return true;
    if (!ParseNumericText(text, s.separator))
        return false;
    const auto pos = text.find(s.separator);
    if (pos == std::string::npos)
        return true;
    return s.decimals > 0 && static_cast<int>(text.size() - pos - 1) <= s.decimals;
}

bool PlainText(const TNumericEditState& st, const TNumericEditSettings& s)
{
    return !InLayout(st.text, s) && !Rebuildable(st.text, s);
}

TNumericEditState Normalized(TNumericEditState st, const TNumericEditSettings& s)
{
    ClampState(st);
    if (InLayout(st.text, s) || !Rebuildable(st.text, s))
        return st;
    return Rebuild(st.text, st.caret, st.caret, s);
}

// Plain-text editing, for a text that left the layout: the selection or one
// character goes, a key is inserted at the caret.
TNumericEditState PlainDelete(TNumericEditState st, bool backward)
{
    if (st.selLength > 0) {
        st.text.erase(st.selStart, st.selLength);
        st.caret = st.selStart;
    } else if (backward && st.caret > 0) {
        st.text.erase(--st.caret, 1);
    } else if (!backward && st.caret < static_cast<int>(st.text.size())) {
        st.text.erase(st.caret, 1);
    }
    st.selStart = st.caret;
    st.selLength = 0;
    return st;
}

TNumericEditState PlainKey(TNumericEditState st, char key)
{
    if (key == kBackspaceKey)
        return PlainDelete(st, true);
    if (st.selLength > 0)
        st = PlainDelete(st, false);
    st.text.insert(st.caret, 1, key);
    st.caret += 1;
    return st;
}

// A key the calculator layout cannot take without changing the number (a
// letter, an exponent, a second decimal separator, a separator in a text
// without decimals, a digit after the last decimal): the text leaves the
// layout and the key goes in as typed. The zeros the mask padded behind the
// caret were never typed and go, so that "1e-3" reads as typed.
TNumericEditState LeaveLayout(TNumericEditState st, char key, const TNumericEditSettings& s)
{
    const int intEnd = IntegerEnd(st.text, s);
    if (s.decimals > 0 && st.caret >= intEnd) {
        const int from = st.caret == intEnd ? intEnd : st.caret;
        const int tail = st.caret == intEnd ? intEnd + 1 : st.caret;
        if (std::all_of(st.text.begin() + std::min<int>(tail, st.text.size()), st.text.end(),
                        [](char c) { return c == '0'; }))
            st.text.erase(from);
    }
    st.caret = std::min<int>(st.caret, st.text.size());
    st.selStart = st.caret;
    st.selLength = 0;
    return PlainKey(st, key);
}

// Deletes one character under the layout rules: the character left of the
// caret (backward) or right of it.
TNumericEditState DeleteOne(TNumericEditState st, bool backward, const TNumericEditSettings& s)
{
    const int i = backward ? st.caret - 1 : st.caret;
    if (i < 0 || i >= static_cast<int>(st.text.size()))
        return st;
    const int sign = SignLength(st.text);
    const int intEnd = IntegerEnd(st.text, s);
    if (i < sign) {  // the minus sign: the number becomes positive
        st.text.erase(0, 1);
        st.caret = 0;
    } else if (s.decimals > 0 && i == intEnd) {  // the separator stays
        st.caret = backward ? intEnd : intEnd + 1;
    } else if (i > intEnd) {  // a decimal: the later ones move left, a zero comes in
        st.text.erase(i, 1);
        st.text += '0';
        st.caret = i;
    } else if (intEnd - sign == 1) {  // the only integer digit
        st.text[i] = '0';
        st.caret = sign + 1;
    } else {
        st.text.erase(i, 1);
        st.caret = i;
    }
    return st;
}

}  // namespace

int ClampDecimals(int decimals) { return std::clamp(decimals, 0, 9); }

std::string FormatNumericValue(double value, int decimals, char separator)
{
    decimals = ClampDecimals(decimals);
    if (!std::isfinite(value))
        value = 0;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    // A value that rounds to zero is shown without a sign.
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    if (decimals > 0)
        std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

int ExactDecimals(double value, int decimals)
{
    decimals = ClampDecimals(decimals);
    if (!std::isfinite(value))
        return decimals;
    for (int d = decimals; d <= 9; ++d)
        if (ParseNumericText(FormatNumericValue(value, d, '.'), '.') == value)
            return d;
    return decimals;
}

std::optional<double> ParseNumericText(const std::string& text, char separator)
{
    std::string plain;
    int digits = 0, separators = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            plain += c;
        } else if (c == separator && ++separators == 1) {
            plain += '.';
        } else if (c == '-' && i == 0) {
            plain += c;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

bool NumericValueInRange(double value, double minValue, double maxValue)
{
    return minValue == maxValue || (minValue <= value && value <= maxValue);
}

bool NumericTextInLayout(const std::string& text, const TNumericEditSettings& s) { return InLayout(text, s); }

TNumericEditState NumericDeleteSelection(TNumericEditState st, const TNumericEditSettings& s)
{
    st = Normalized(st, s);
    if (st.selLength == 0)
        return st;
    if (PlainText(st, s))
        return PlainDelete(st, false);
    return Rebuild(st.text, st.selStart, st.selStart + st.selLength, s);
}

TNumericEditState NumericDeleteKey(TNumericEditState st, const TNumericEditSettings& s)
{
    if (s.readOnly)
        return st;
    st = Normalized(st, s);
    if (PlainText(st, s))
        return PlainDelete(st, false);
    if (st.selLength > 0)
        return NumericDeleteSelection(st, s);
    return DeleteOne(st, false, s);
}

TNumericEditState NumericKeyPress(TNumericEditState st, char key, const TNumericEditSettings& s)
{
    if (s.readOnly || key == '\r' || key == '\n')
        return st;
    st = Normalized(st, s);
    if (PlainText(st, s))
        return PlainKey(st, key);
    const bool separatorKey = key == s.separator || key == kDecimalComma || key == '.';
    const bool isSeparator = separatorKey && s.decimals > 0;
    const bool hadSelection = st.selLength > 0;
    if (hadSelection) {
        if (isSeparator) {
            st.caret = st.selStart;
            st.selLength = 0;
        } else {
            st = NumericDeleteSelection(st, s);
        }
    }

    const int size = static_cast<int>(st.text.size());
    if (key == '-') {
        if (SignLength(st.text) == 1) {
            st.text.erase(0, 1);
            st.caret = std::max(st.caret - 1, 0);
        } else {
            st.text.insert(0, 1, '-');
            st.caret += 1;
        }
        return st;
    }
    const int intEnd = IntegerEnd(st.text, s);
    if (isSeparator) {
        // The separator of the number moves the caret to the decimals; one
        // typed while the caret is already there is a second separator.
        if (st.caret > intEnd)
            return LeaveLayout(st, key, s);
        st.caret = intEnd + 1;
        return st;
    }
    const int sign = SignLength(st.text);
    if (key == kBackspaceKey) {
        st.caret = std::max(st.caret, sign);
        return hadSelection ? st : DeleteOne(st, true, s);
    }
    if (!IsDigit(key))
        return LeaveLayout(st, key, s);
    // A digit after the last decimal makes a number with more decimals.
    if (st.caret == size && s.decimals > 0)
        return LeaveLayout(st, key, s);
    st.caret = std::max(st.caret, sign);
    if (intEnd - sign == 1 && st.text[sign] == '0' && st.caret <= intEnd) {
        st.text[sign] = key;
        st.caret = sign + 1;
    } else if (s.decimals > 0 && st.caret != intEnd) {
        st.text[st.caret] = key;
        st.caret += 1;
    } else {
        // The integer part grows without limit: a number longer than the
        // field is the range check's to refuse, never cut to fewer digits.
        st.text.insert(st.caret, 1, key);
        st.caret += 1;
    }
    return st;
}

TNumericEditState NumericPaste(TNumericEditState st, const std::string& pasted, const TNumericEditSettings& s)
{
    if (s.readOnly)
        return st;
    const std::string text = PastedNumberText(pasted);
    st = Normalized(st, s);
    // A whole number pasted over the whole text, or into a field that shows
    // 0, is that number: pasting 42 at a click into 0.0000 means 42.
    const bool replacesAll = st.selLength == static_cast<int>(st.text.size()) ||
                             (!PlainText(st, s) && ParseNumericText(st.text, s.separator) == 0.0);
    if (replacesAll && ReadNumberText(text)) {
        st.text = text;
        st.caret = static_cast<int>(text.size());
        st.selStart = st.caret;
        st.selLength = 0;
        if (Rebuildable(st.text, s))
            st = Normalized(st, s);
        return st;
    }
    st = NumericDeleteSelection(st, s);
    for (const char c : text) {
        // Control characters in pasted text are not keys (a pasted Backspace
        // must not delete anything).
        if (static_cast<unsigned char>(c) < 0x20)
            continue;
        st = NumericKeyPress(st, c, s);
    }
    return st;
}
