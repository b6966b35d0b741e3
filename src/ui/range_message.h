#pragma once
// The message that refuses a value outside a numeric edit's range.

#include <string>

class TFnpNumericEdit;

// "This value must be between " + minimum + " and " + maximum + ", inclusive."
std::string RangeMessageText(double minValue, double maxValue);
// The same with the limits written as the caller's texts.
std::string RangeMessageText(const std::string& minText, const std::string& maxText);

// Shows the message for the edit's range as an error; for a text that is no
// number the field takes, why (TFnpNumericEdit::RefusalMessage).
void ShowRangeMessage(const TFnpNumericEdit& edit);
