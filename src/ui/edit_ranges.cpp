#include "ui/edit_ranges.h"

#include "ui/numeric_edit.h"
#include "ui/spin_edit_ex.h"

#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

int FixedLength(double value)
{
    char buffer[400];
    return std::snprintf(buffer, sizeof buffer, "%.0f", value);
}

}  // namespace

void SetNumericEditRange(TFnpNumericEdit& edit, double minValue, double maxValue)
{
    edit.SetMinValue(minValue);
    edit.SetMaxValue(maxValue);
    int length = std::max(FixedLength(minValue), FixedLength(maxValue));
    if (edit.Decimals() > 0)
        length += edit.Decimals() + 1;
    edit.SetMaxLength(length);
}

void SetSpinEditRange(QSpinBox& spinEdit, int minValue, int maxValue)
{
    spinEdit.setRange(minValue, maxValue);
    const auto length = std::max(std::to_string(minValue).size(), std::to_string(maxValue).size());
    // A spin edit of ours types a longer number in full, for its range to
    // refuse: cut to the width it would read as another number.
    if (auto* ours = qobject_cast<TSpinEditEx*>(&spinEdit))
        ours->SetMaxLength(static_cast<int>(length));
    else if (auto* line = spinEdit.findChild<QLineEdit*>())
        line->setMaxLength(static_cast<int>(length));
}
