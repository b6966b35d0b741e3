#pragma once
// The typing and range rules of the editors' number grids (matrices, initial
// abundances), free of any window code. A cell takes every key typed or
// pasted, as it is: nothing is dropped to make another number of what is
// left. A "," typed is the decimal point and goes into the cell as ".". The
// cell is read with the rule of every number field (core/typed_number.h)
// when it is left: a number from 0 to the grid's maximum, or a refusal that
// says why.

#include "core/typed_number.h"

#include <optional>
#include <string>

// The character a key puts into a number cell: "." for ",", else the key.
char NumberCellKey(char key);

// The cell's text read as a number of 0..maxValue, or why it is refused.
TTypedNumber NumberCellReading(const std::string& text, double maxValue);

// The number in a cell; none when the text is refused (an emptied cell is
// none too: a blanked value must not silently become 0).
std::optional<double> NumberCellValue(const std::string& text, double maxValue);

// "Number must be between 0 and " + the maximum + ".", the refusal of a cell
// whose number is out of range or that was emptied.
std::string NumberCellRangeMessage(double maxValue);

// What the user is told of a refused cell of the grid `fieldName`: the range
// message above for a number out of range or an empty cell, else why the
// text is no number (NumberRefusalMessage).
std::string NumberCellRefusal(const std::string& text, double maxValue, const std::string& fieldName);
