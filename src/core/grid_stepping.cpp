#include "core/grid_stepping.h"

namespace {

// A direction as numbers: the move along a row (dc) or a column (dr), and
// the step of the wrap across the other way.
struct TWalk {
    int dc = 0;
    int dr = 0;
    int wrap = 0;
};

TWalk Walk(T_nextcell direction)
{
    switch (direction) {
    case T_nextcell::nc_rightdown: return {1, 0, 1};
    case T_nextcell::nc_downright: return {0, 1, 1};
    case T_nextcell::nc_leftdown: return {-1, 0, 1};
    case T_nextcell::nc_downleft: return {0, 1, -1};
    case T_nextcell::nc_leftup: return {-1, 0, -1};
    case T_nextcell::nc_upleft: return {0, -1, -1};
    case T_nextcell::nc_rightup: return {1, 0, -1};
    case T_nextcell::nc_upright: return {0, -1, 1};
    }
    return {1, 0, 1};
}

struct TArea {
    int firstCol, lastCol, firstRow, lastRow;
    bool Empty() const { return firstCol > lastCol || firstRow > lastRow; }
};

TArea Area(const TAlignGridData& grid)
{
    return {grid.FixedCols(), grid.ColCount() - 1, grid.FixedRows(), grid.RowCount() - 1};
}

// The column (row) where a move along a row (column) begins.
int StartCol(const TArea& a, int step) { return step > 0 ? a.firstCol : a.lastCol; }
int StartRow(const TArea& a, int step) { return step > 0 ? a.firstRow : a.lastRow; }

}  // namespace

T_nextcell OppositeDirection(T_nextcell direction)
{
    switch (direction) {
    case T_nextcell::nc_rightdown: return T_nextcell::nc_leftup;
    case T_nextcell::nc_leftup: return T_nextcell::nc_rightdown;
    case T_nextcell::nc_downright: return T_nextcell::nc_upleft;
    case T_nextcell::nc_upleft: return T_nextcell::nc_downright;
    case T_nextcell::nc_leftdown: return T_nextcell::nc_rightup;
    case T_nextcell::nc_rightup: return T_nextcell::nc_leftdown;
    case T_nextcell::nc_downleft: return T_nextcell::nc_upright;
    case T_nextcell::nc_upright: return T_nextcell::nc_downleft;
    }
    return direction;
}

std::optional<TGridCell> StepCell(const TAlignGridData& grid, TGridCell from, T_nextcell direction)
{
    const TArea a = Area(grid);
    const TWalk w = Walk(direction);
    TGridCell to = from;
    if (w.dc != 0) {
        to.col += w.dc;
        if (to.col < a.firstCol || to.col > a.lastCol) {
            to.col = StartCol(a, w.dc);
            to.row += w.wrap;
        }
    } else {
        to.row += w.dr;
        if (to.row < a.firstRow || to.row > a.lastRow) {
            to.row = StartRow(a, w.dr);
            to.col += w.wrap;
        }
    }
    if (a.Empty() || to.col < a.firstCol || to.col > a.lastCol || to.row < a.firstRow || to.row > a.lastRow)
        return std::nullopt;
    return to;
}

std::optional<TGridCell> FirstCell(const TAlignGridData& grid, T_nextcell direction)
{
    const TArea a = Area(grid);
    if (a.Empty())
        return std::nullopt;
    const TWalk w = Walk(direction);
    if (w.dc != 0)
        return TGridCell{StartCol(a, w.dc), StartRow(a, w.wrap)};
    return TGridCell{StartCol(a, w.wrap), StartRow(a, w.dr)};
}

namespace {

// Adds the line a walk goes on to after the last one, and gives its first
// cell in traversal order.
struct TNewLine {
    bool isRow = true;
    int index = 0;
};

TNewLine AddLine(TAlignGridData& grid, T_nextcell direction)
{
    const TWalk w = Walk(direction);
    if (w.dc != 0)
        return {true, grid.InsertRow(w.wrap > 0 ? grid.RowCount() : grid.FixedRows())};
    return {false, grid.InsertColumn(w.wrap > 0 ? grid.ColCount() : grid.FixedCols())};
}

std::optional<TGridCell> FirstCellOfLine(const TAlignGridData& grid, T_nextcell direction, const TNewLine& line)
{
    const TArea a = Area(grid);
    if (a.Empty())
        return std::nullopt;
    const TWalk w = Walk(direction);
    if (line.isRow)
        return TGridCell{StartCol(a, w.dc), line.index};
    return TGridCell{line.index, StartRow(a, w.dr)};
}

}  // namespace

std::optional<TGridCell> FindNextCell(TAlignGridData& grid, TGridCell from, T_nextcell direction,
                                      t_lastcell afterLast, const std::function<bool(TGridCell)>& accept)
{
    // Walks begin at a non-fixed cell, so that they come round to it again.
    if (!grid.Contains(from.col, from.row) || grid.IsFixed(from.col, from.row))
        return std::nullopt;
    TGridCell start = from;
    TGridCell cell = from;
    std::optional<TNewLine> added;
    const auto giveUp = [&]() -> std::optional<TGridCell> {
        if (added) {
            if (added->isRow)
                grid.DeleteRow(added->index);
            else
                grid.DeleteColumn(added->index);
        }
        return std::nullopt;
    };
    for (;;) {
        std::optional<TGridCell> next = StepCell(grid, cell, direction);
        if (!next) {
            if (afterLast == t_lastcell::lc_stop)
                return giveUp();
            if (afterLast == t_lastcell::lc_first) {
                next = FirstCell(grid, direction);
            } else {
                // A second new line would only repeat the first: nothing in
                // this walk is acceptable.
                if (added)
                    return giveUp();
                added = AddLine(grid, direction);
                if (added->isRow && added->index <= start.row)
                    ++start.row;
                if (!added->isRow && added->index <= start.col)
                    ++start.col;
                next = FirstCellOfLine(grid, direction, *added);
            }
            if (!next)
                return giveUp();
        }
        cell = *next;
        if (cell == start || accept(cell))
            return cell;
    }
}
