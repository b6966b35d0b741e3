#include "ui/range_message.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "ui/numeric_edit.h"

std::string RangeMessageText(double minValue, double maxValue)
{
    return "This value must be between " + RealToLocalText(minValue) + " and " + RealToLocalText(maxValue) +
           ", inclusive.";
}

void ShowRangeMessage(const TFnpNumericEdit& edit)
{
    ErrorMessage(RangeMessageText(edit.MinValue(), edit.MaxValue()));
}
