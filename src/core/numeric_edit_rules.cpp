#include "core/numeric_edit_rules.h"

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

// Every operation starts from a text in layout; a text set from outside that
// is not (empty, stray characters) is rebuilt first.
TNumericEditState Normalized(TNumericEditState st, const TNumericEditSettings& s)
{
    ClampState(st);
    if (InLayout(st.text, s))
        return st;
    return Rebuild(st.text, st.caret, st.caret, s);
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

bool IsRefusedSeparatorKey(char key, const TNumericEditSettings& s)
{
    return s.decimals == 0 && (key == '.' || key == kDecimalComma || key == s.separator);
}

bool IsRefusedPaste(const std::string& text, const TNumericEditSettings& s)
{
    return std::any_of(text.begin(), text.end(), [&s](char c) { return IsRefusedSeparatorKey(c, s); });
}

bool NumericValueInRange(double value, double minValue, double maxValue)
{
    return minValue == maxValue || (minValue <= value && value <= maxValue);
}

TNumericEditState NumericDeleteSelection(TNumericEditState st, const TNumericEditSettings& s)
{
    st = Normalized(st, s);
    if (st.selLength == 0)
        return st;
    return Rebuild(st.text, st.selStart, st.selStart + st.selLength, s);
}

TNumericEditState NumericDeleteKey(TNumericEditState st, const TNumericEditSettings& s)
{
    if (s.readOnly)
        return st;
    st = Normalized(st, s);
    if (st.selLength > 0)
        return NumericDeleteSelection(st, s);
    return DeleteOne(st, false, s);
}

TNumericEditState NumericKeyPress(TNumericEditState st, char key, const TNumericEditSettings& s)
{
    if (s.readOnly || key == '\r' || key == '\n')
        return st;
    if (IsRefusedSeparatorKey(key, s))
        return st;
    st = Normalized(st, s);
    const bool separatorKey = key == s.separator || key == kDecimalComma;
    const bool isSeparator = separatorKey && s.decimals > 0;
    const bool hadSelection = st.selLength > 0;
    if (hadSelection) {
        if (separatorKey) {
            st.caret = st.selStart;
            st.selLength = 0;
        } else {
            st = NumericDeleteSelection(st, s);
        }
    }
    if (!(key == kBackspaceKey || key == '-' || IsDigit(key) || isSeparator))
        return st;

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
    // No digits after the last decimal.
    if (st.caret == size && s.decimals > 0 && key != kBackspaceKey && !isSeparator)
        return st;
    const int intEnd = IntegerEnd(st.text, s);
    if (isSeparator) {
        st.caret = intEnd + 1;
        return st;
    }
    const int sign = SignLength(st.text);
    st.caret = std::max(st.caret, sign);
    if (key == kBackspaceKey)
        return hadSelection ? st : DeleteOne(st, true, s);

    // A digit.
    if (intEnd - sign == 1 && st.text[sign] == '0' && st.caret <= intEnd) {
        st.text[sign] = key;
        st.caret = sign + 1;
    } else if (s.decimals > 0 && st.caret != intEnd) {
        st.text[st.caret] = key;
        st.caret += 1;
    } else if (s.maxLength <= 0 || size < s.maxLength) {
        st.text.insert(st.caret, 1, key);
        st.caret += 1;
    }
    return st;
}

TNumericEditState NumericPaste(TNumericEditState st, const std::string& text, const TNumericEditSettings& s)
{
    if (s.readOnly || IsRefusedPaste(text, s))
        return st;
    st = NumericDeleteSelection(st, s);
    // Text that holds the edit's own separator as well uses its commas to
    // group digits ("1,234.5"): those are dropped.
    const bool commasGroup = s.separator != kDecimalComma && text.find(s.separator) != std::string::npos;
    for (const char c : text) {
        // Control characters in pasted text are not keys (a pasted Backspace
        // must not delete anything).
        if (static_cast<unsigned char>(c) < 0x20 || (commasGroup && c == kDecimalComma))
            continue;
        st = NumericKeyPress(st, c, s);
    }
    return st;
}
