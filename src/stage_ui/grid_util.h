#pragma once
// What the Stages, matrix and abundance editors do alike with their grids.

#include <QString>

#include <cstddef>
#include <functional>

class TStringAlignGrid;

// (stages + 1) x (stages + 1) cells: the header of column i and the first
// cell of row i hold the name of stage i; column 0 is as wide as the widest
// stage name plus 10 pixels.
void SetupStageMatrixGrid(TStringAlignGrid& grid);

// Every column as wide as the widest text of any cell, plus 10 pixels.
void FitGridColumns(TStringAlignGrid& grid);

// From now on, scrolling the grid brings its current cell along into view,
// so that the cell in edit is one the user sees.
void KeepCellVisible(TStringAlignGrid& grid);

// A key for a number cell: every key is taken as it is (nothing typed is
// dropped; the cell is read when it is left), a "," as ".".
bool AcceptNumberKey(QChar& key);

// Text pasted into a number cell of `grid` (a column for which `isNumberCol`
// is true) comes in as a number field takes pasted text: blanks around it
// and unambiguous digit grouping taken off (PastedNumberText), so that
// "1,234.5" is 1234.5 in a cell as in a numeric edit.
void TakeNumbersAsTyped(TStringAlignGrid& grid, const std::function<bool(int col)>& isNumberCol);

// A key for a text cell of at most `maxLength` characters (a stage name):
// Backspace and Enter always, any other key while the text, less its
// selected part, is shorter.
bool AcceptTextKey(const TStringAlignGrid& grid, QChar key, const QString& text, std::size_t maxLength);
