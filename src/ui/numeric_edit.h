#pragma once
// The numeric edit of the dialogs: a right-aligned line edit for a number with
// a fixed number of decimals, typed like on a calculator. The typing rules
// live in core/numeric_edit_rules.h; this class feeds them every way text can
// come in (keys, Delete, Backspace, paste by key or by menu, cut, input
// methods, the middle-button paste of the selection clipboard) and refuses
// dropped text. Enter presses the dialog's default button when the value is
// in range, Esc presses its Cancel button. A comma is taken as the decimal
// separator too. Nothing typed is ever dropped: what the calculator layout
// cannot take ("1e-3", "12.7" without decimals, a second separator) stays as
// typed, and the text is read as a whole with the rule of every number field
// (core/typed_number.h) when the edit is left or Enter is pressed: a number
// the field can hold is shown in the layout, anything else is refused
// through OnInvalidEntry, the text left as typed.

#include "core/numeric_edit_rules.h"
#include "core/typed_number.h"
#include "ui/ruled_line_edit.h"

#include <string>

class QAbstractButton;

// Marks a button as the one Esc presses in a numeric edit's window (a
// button-box button with the reject role counts too).
void MarkAsCancelButton(QAbstractButton& button);
// A button so marked, or a button box's button with the reject role.
bool IsCancelButton(QAbstractButton& button);

class TFnpNumericEdit : public TRuledLineEdit {
    Q_OBJECT
public:
    explicit TFnpNumericEdit(QWidget* parent = nullptr);

    int Decimals() const { return decimals_; }
    // Clamps to 0..9 and shows the current value with the new decimals.
    void SetDecimals(int decimals);
    // The decimals of the text on show: Decimals(), or more while a value
    // set by SetValueExactly needs them.
    int ShownDecimals() const { return shownDecimals_; }

    // Equal limits mean no range check. Setting a limit checks nothing.
    double MinValue() const { return minValue_; }
    double MaxValue() const { return maxValue_; }
    void SetMinValue(double value) { minValue_ = value; }
    void SetMaxValue(double value) { maxValue_ = value; }

    // The text read with the field's rule: whole numbers only when no
    // decimals are shown, within the range, at most 9 decimals.
    TTypedNumber Reading() const;
    // What the user is told when the text is refused for a reason other
    // than the range (NumberRefusalMessage with the field's name); empty
    // for a text in the field's layout or out of range.
    std::string RefusalMessage() const;

    // The text as a number. A text that is no number throws
    // std::invalid_argument.
    double Value() const;
    // Shows the value with Decimals() decimals.
    void SetValue(double value);
    // Shows a stored value as it is: with more decimals than Decimals() (up
    // to 9) where it has them, so that what the edit shows is what the model
    // holds. Typing keeps those decimals until the next SetValue,
    // SetValueExactly or SetDecimals. A value that even 9 decimals cannot
    // show is shown as SetValue shows it.
    void SetValueExactly(double value);
    // The number the text shows, 0 for a text that is no number.
    double ShownValue() const;
    double AsFloat() const { return Value(); }
    void SetAsFloat(double value) { SetValue(value); }
    // The value truncated towards zero, held to the integer range.
    int AsInteger() const;
    void SetAsInteger(int value) { SetValue(value); }
    QString Version() const { return QStringLiteral("1.00.01"); }

    // The usual longest text of the field (its width). Typing is never cut
    // to it: a longer number is beyond the range, which refuses it.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }

    // Select the whole text when the focus comes by keyboard.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // The decimal separator typed and shown: the locale's.
    char Separator() const { return separator_; }

    // True when the text reads as a number the field takes; otherwise raises
    // OnInvalidEntry and returns false.
    bool IsValid();

    // Press the first visible default (Cancel) button of the window the edit
    // sits in. False when there is none; an edit outside any window also
    // reports "TFnpNumericEdit: could not find parent form".
    bool ClickDefaultButton();
    bool ClickCancelButton();

    // Text from the clipboard or elsewhere, through the typing rules.
    void PasteText(const QString& text) override;
    void Cut();

signals:
    // The value is outside MinValue..MaxValue (on Enter and on leaving).
    void OnInvalidEntry();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void TypeText(const QString& text) override;
    void CutSelection() override { Cut(); }
    void DeleteSelection() override;

private:
    TNumericEditState State() const;
    TNumericEditSettings Settings() const;
    void Show(const TNumericEditState& state);
    // A text kept as typed that reads as a number the field takes is shown
    // in the layout, with the decimals it needs.
    void ShowReadNumber();
    bool ClickButton(bool cancel);

    int decimals_ = 2;
    int shownDecimals_ = 2;
    double minValue_ = 0;
    double maxValue_ = 0;
    int maxLength_ = 0;
    bool autoSelect_ = true;
    char separator_ = '.';
};
