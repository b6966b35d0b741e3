#pragma once
// How the age/stage editors show model numbers in their grids and store the
// cells back. A grid shows fewer decimals than the model holds, so a cell
// whose text is still the one shown leaves its element as it is: pressing OK
// never rounds a value that nobody edited.

#include <string>

// A stage-matrix or standard-deviation element as its grid shows it: the
// program's number text (trailing zeros trimmed), without padding.
std::string MatrixCellText(double value);

// An initial abundance as its grid shows it: a whole number without
// decimals, any other number with six.
std::string AbundanceCellText(double value);

// Store a cell that passed NumberCellValue (empty is 0) into its element;
// `shown` is the text the cell showed when the dialog loaded. A matrix
// element counts as changed when it moves by 1e-6 or more (a smaller change
// is still stored), an abundance when it moves at all. A text that is not a
// number leaves the element alone.
bool StoreMatrixCell(float& element, const std::string& text, const std::string& shown);
bool StoreAbundanceCell(double& element, const std::string& text, const std::string& shown);
