#pragma once
// The dialogs' spin edit for whole numbers: a range (equal limits mean any
// number, as with the framework's spin edits) and a longest text. Typed
// text stays clear of the spin buttons.
//
// With SetCheckOnExit the edit takes any whole number the user types within
// the longest text, also one outside the range, and reports such a text
// through OnInvalidEntry when the focus leaves it (the text stays, for the
// user to mend, also when Enter is pressed); the owner shows its message and
// moves the focus back.
// Without it, typing outside the range is refused key by key.
//
// A decimal separator typed ("." or ",") is refused with the warning beep
// and a tip that the field takes whole numbers only.

#include <QSpinBox>

class TSpinEditEx : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEditEx(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Held to the range.
    int Value() const { return value(); }
    void SetValue(int value) { setValue(value); }
    // The most characters typing may give; 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

    void SetCheckOnExit(bool on) { checkOnExit_ = on; }
    // The text is a whole number within the range.
    bool TextInRange() const;

signals:
    void OnInvalidEntry();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyRange();

    int minValue_ = 0;
    int maxValue_ = 0;
    int maxLength_ = 0;
    bool checkOnExit_ = false;
};
