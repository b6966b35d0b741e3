#pragma once
// The message that refuses a value outside a numeric edit's range.

#include <string>

class TFnpNumericEdit;

// "This value must be between " + minimum + " and " + maximum + ", inclusive."
std::string RangeMessageText(double minValue, double maxValue);

// Shows the message for the edit's range as an error.
void ShowRangeMessage(const TFnpNumericEdit& edit);
