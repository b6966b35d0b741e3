#pragma once
// The typing and range rules of the editors' number grids (matrices, initial
// abundances, stage weights), free of any window code. Such a cell holds a
// number of at least 0 written with digits and "." only; a "," typed or
// pasted is taken as the decimal point and goes into the cell as ".".

#include <cstddef>
#include <optional>
#include <string>

// The character a key puts into a number cell: "." for ",", else the key.
char NumberCellKey(char key);

// One key typed or pasted into a number cell: a digit, "." or ",", '\b'
// (Backspace) or '\r' (Enter); any other key is refused. `kept` is the
// cell's text less the part the key replaces: the selected text, which is
// all of it when the editor has just opened. A decimal point is refused when
// `kept` already holds one, and with maxLength > 0 a key other than
// Backspace and Enter is refused when `kept` already has maxLength
// characters.
bool AcceptNumberCellKey(char key, const std::string& kept, std::size_t maxLength);

// The number in a cell; none when the text is not a number (an emptied cell
// is none too: a blanked value must not silently become 0) or lies outside
// 0..maxValue.
std::optional<double> NumberCellValue(const std::string& text, double maxValue);

// "Number must be between 0 and " + the maximum + ".", the refusal of a cell
// whose number is out of range or not a number at all.
std::string NumberCellRangeMessage(double maxValue);
