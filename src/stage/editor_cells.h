#pragma once
// How the age/stage editors show model numbers in their grids and store the
// cells back. A cell always shows what the model holds: the usual short text
// where that reads back as the very same number, else as many digits as it
// takes (a matrix element at most seven significant ones, all that a single
// holds). So every cell can be stored as it stands: one that nobody edited
// keeps the value it already had, and a value typed is stored as typed.

#include <string>

// A stage-matrix or standard-deviation element as its grid shows it: the
// program's number text (trailing zeros trimmed), without padding; an element
// that text would round is written with the digits that represent it, at
// most seven significant ones.
std::string MatrixCellText(float value);

// An initial abundance as its grid shows it: a whole number without
// decimals, any other number with six, or in full when six would round it.
std::string AbundanceCellText(double value);

// Store a cell that passed NumberCellValue into its element. A matrix cell
// whose text is still MatrixCellText of its element leaves the element as
// it is; otherwise a matrix element counts as changed when it moves by 1e-6
// or more (a smaller change is still stored), an abundance when it moves at
// all. A text that is not a number leaves the element alone.
bool StoreMatrixCell(float& element, const std::string& text);
bool StoreAbundanceCell(double& element, const std::string& text);
