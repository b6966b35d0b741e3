#pragma once
// The numeric edit of the dialogs: a right-aligned line edit for a number with
// a fixed number of decimals, typed like on a calculator. The typing rules
// live in core/numeric_edit_rules.h; this class feeds them every way text can
// come in (keys, Delete, Backspace, paste by key or by menu, cut, input
// methods, the middle-button paste of the selection clipboard) and refuses
// dropped text. Enter presses the dialog's default button when the value is
// in range, Esc presses its Cancel button. A comma is taken as the decimal
// separator too; an edit without decimals refuses either separator with a
// beep and a tip.

#include "core/numeric_edit_rules.h"
#include "ui/ruled_line_edit.h"

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

    // The text as a number. A text that is no number (only possible when set
    // from outside with setText) throws std::invalid_argument.
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

    // The longest text typing may produce; 0 means no limit. Kept apart from
    // QLineEdit's own limit, which would cut a longer value set by SetValue.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }

    // Select the whole text when the focus comes by keyboard.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // The decimal separator typed and shown: the locale's.
    char Separator() const { return separator_; }

    // True when the range is open or holds the value; otherwise raises
    // OnInvalidEntry and returns false. A text that is no number is invalid.
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
    bool ClickButton(bool cancel);

    int decimals_ = 2;
    int shownDecimals_ = 2;
    double minValue_ = 0;
    double maxValue_ = 0;
    int maxLength_ = 0;
    bool autoSelect_ = true;
    char separator_ = '.';
};
