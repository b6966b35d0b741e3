#pragma once
// How the editors of Plurimod and Monovara refuse a value outside a numeric
// edit's range: the limits written as their shortest texts ("0 and 20",
// "-999999999 and 999999999"), whatever the number-display options.

class QWidget;
class TFnpNumericEdit;
class TInvalidEntryCheck;

namespace unstructured_ui {

// Shows "This value must be between <min> and <max>, inclusive." as an error.
void ShowRangeLimits(const TFnpNumericEdit& edit);

// A numeric edit of a population parameter on `parent`, named `name`: its
// decimals and range, and a value out of range refused by `check` with the
// message above (a minus sign typed where the range holds no negative value
// gives such a value: it is refused, never dropped).
TFnpNumericEdit* AddParameterEdit(QWidget& parent, TInvalidEntryCheck& check, const char* name, int decimals,
                                  double minValue, double maxValue);

}  // namespace unstructured_ui
