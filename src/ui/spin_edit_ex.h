#pragma once
// The dialogs' spin edit for whole numbers: a range (equal limits mean any
// number, as with the framework's spin edits) and a longest text. Typed
// text stays clear of the spin buttons.
//
// With SetCheckOnExit the edit takes whatever the user types or pastes, as
// it is, and reads it with the rule of every number field
// (core/typed_number.h) when the focus leaves it: a text that is no whole
// number in range is reported through OnInvalidEntry (the text stays, for
// the user to mend, also when Enter is pressed); the owner shows its message
// (RefusalMessage, or its range message) and moves the focus back.
// Without it, typing outside the range is refused key by key, a decimal
// separator with the warning beep and a tip that the field takes whole
// numbers only.

#include "core/typed_number.h"

#include <QSpinBox>

#include <functional>
#include <string>

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
    // The usual longest text (the field's width); typing is not cut to it.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

    void SetCheckOnExit(bool on) { checkOnExit_ = on; }
    // The text read as a whole number within the range.
    TTypedNumber Reading() const;
    bool TextInRange() const;
    // Why the text is refused when that is not the range (it is no whole
    // number): NumberRefusalMessage with the field's name; else empty.
    std::string RefusalMessage() const;
    // The message that refuses the text: RefusalMessage, or the range.
    std::string RefusalOrRangeMessage() const;
    // True for a whole number in range. Otherwise the user is told why, and
    // the edit gets the keyboard back with the text, as typed, selected.
    bool TellRefusal();
    // Checks on exit and tells the refusal once the focus has gone on,
    // unless `wanted` says the new focus needs no valid number (Cancel,
    // Help). A message that gives another edit the keyboard back is no
    // leaving by the user.
    void TellRefusalOnLeaving(std::function<bool(QWidget* now)> wanted);

signals:
    void OnInvalidEntry();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyRange();
    TTypedNumber ReadingOf(QString text) const;

    int minValue_ = 0;
    int maxValue_ = 0;
    int maxLength_ = 0;
    bool checkOnExit_ = false;
};
