#pragma once
// What the Stages, matrix and abundance editors do alike with their grids.

#include <QString>

#include <cstddef>

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

// The typing rules of a number cell (see AcceptNumberCellKey) for a key that
// the grid's editor is about to take into `text`; the editor's selected
// text is what the key replaces. `key` becomes what the cell takes ("," is
// taken as ".").
bool AcceptNumberKey(const TStringAlignGrid& grid, QChar& key, const QString& text, std::size_t maxLength);

// A key for a text cell of at most `maxLength` characters (a stage name):
// Backspace and Enter always, any other key while the text, less its
// selected part, is shorter.
bool AcceptTextKey(const TStringAlignGrid& grid, QChar key, const QString& text, std::size_t maxLength);
