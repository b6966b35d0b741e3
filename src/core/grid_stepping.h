#pragma once
// Moving to the next cell of the text grid after Enter or Tab. A direction
// names the move and, second, where it wraps when the move leaves the
// non-fixed cells: nc_rightdown moves right and wraps to the start of the
// next row. Leaving the grid through the wrap is handled by the after-last
// rule: stop, go back to the direction's first cell, or add a new row or
// column and go to its first cell in traversal order.

#include "core/align_grid_data.h"

#include <functional>
#include <optional>

enum class T_nextcell {
    nc_rightdown,
    nc_downright,
    nc_leftdown,
    nc_downleft,
    nc_leftup,
    nc_upleft,
    nc_rightup,
    nc_upright
};

enum class t_lastcell { lc_newcolrow, lc_stop, lc_first };

// The direction Shift+Tab walks: the same path backwards.
T_nextcell OppositeDirection(T_nextcell direction);

// One step; none when it leaves the grid.
std::optional<TGridCell> StepCell(const TAlignGridData& grid, TGridCell from, T_nextcell direction);

// Where a walk in the direction begins (the after-last rule lc_first); none
// when the grid has no non-fixed cell.
std::optional<TGridCell> FirstCell(const TAlignGridData& grid, T_nextcell direction);

// Steps from `from` until a cell that `accept` takes or the starting cell
// is reached (which is then the answer). None means the caller keeps its
// cell: the walk left the grid under lc_stop, or found nothing. Under
// lc_newcolrow the walk adds at most one line to the grid, and takes it
// back again when no cell in it is taken, so a grid without any acceptable
// cell neither grows nor loops. A start outside the non-fixed cells gives
// none.
std::optional<TGridCell> FindNextCell(TAlignGridData& grid, TGridCell from, T_nextcell direction,
                                      t_lastcell afterLast, const std::function<bool(TGridCell)>& accept);
