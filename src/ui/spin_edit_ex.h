#pragma once
// The dialogs' spin edit for whole numbers: a range (equal limits mean any
// number, as with the framework's spin edits) and a longest text. Typed
// text stays clear of the spin buttons.

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

private:
    void ApplyRange();

    int minValue_ = 0;
    int maxValue_ = 0;
    int maxLength_ = 0;
};
