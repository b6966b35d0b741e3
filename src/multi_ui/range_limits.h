#pragma once
// How this program's editors refuse a value outside a numeric edit's range:
// the limits written as their shortest texts ("0 and 20", "-999999999 and
// 999999999"), whatever the number-display options.

class TFnpNumericEdit;

namespace multi {

// Shows "This value must be between <min> and <max>, inclusive." as an error.
void ShowRangeLimits(const TFnpNumericEdit& edit);

}  // namespace multi
