#pragma once
// Setting the limits of a numeric or spin edit together with a maximum text
// length that fits them.

class QSpinBox;
class TFnpNumericEdit;

// The longer of the two limits written without decimals (a minus sign
// counts), plus the decimals and the separator when the edit has decimals.
void SetNumericEditRange(TFnpNumericEdit& edit, double minValue, double maxValue);

// The longer of the two limits written as integers (a minus sign counts).
void SetSpinEditRange(QSpinBox& spinEdit, int minValue, int maxValue);
