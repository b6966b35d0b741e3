#include "ui/range_message.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "ui/numeric_edit.h"

std::string RangeMessageText(double minValue, double maxValue)
{
    return RangeMessageText(RealToLocalText(minValue), RealToLocalText(maxValue));
}

std::string RangeMessageText(const std::string& minText, const std::string& maxText)
{
    return "This value must be between " + minText + " and " + maxText + ", inclusive.";
}

void ShowRangeMessage(const TFnpNumericEdit& edit)
{
    if (const std::string refusal = edit.RefusalMessage(); !refusal.empty()) {
        ErrorMessage(refusal);
        return;
    }
    ErrorMessage(RangeMessageText(edit.MinValue(), edit.MaxValue()));
}
