#include "ui/spin_edit_ex.h"

#include <QLineEdit>

#include <algorithm>
#include <climits>

TSpinEditEx::TSpinEditEx(QWidget* parent) : QSpinBox(parent) { ApplyRange(); }

void TSpinEditEx::SetMinValue(int value)
{
    minValue_ = value;
    ApplyRange();
}

void TSpinEditEx::SetMaxValue(int value)
{
    maxValue_ = value;
    ApplyRange();
}

void TSpinEditEx::ApplyRange()
{
    if (minValue_ == maxValue_)
        setRange(INT_MIN, INT_MAX);
    else
        setRange(std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEditEx::SetMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    lineEdit()->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}
