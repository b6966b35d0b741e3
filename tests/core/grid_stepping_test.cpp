#include "core/grid_stepping.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const TGridCell& c) { return out << "(" << c.col << "," << c.row << ")"; }

namespace {

constexpr T_nextcell kDirections[] = {
    T_nextcell::nc_rightdown, T_nextcell::nc_downright, T_nextcell::nc_leftdown, T_nextcell::nc_downleft,
    T_nextcell::nc_leftup,    T_nextcell::nc_upleft,    T_nextcell::nc_rightup,  T_nextcell::nc_upright,
};

// 4 x 4 with one fixed line each way: the non-fixed cells are 1..3 x 1..3,
// each holding its own coordinates as text.
void Fill(TAlignGridData& grid)
{
    grid.SetColCount(4);
    grid.SetRowCount(4);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            grid.SetCell(c, r, std::to_string(c) + std::to_string(r));
}

bool AnyCell(TGridCell) { return true; }

}  // namespace

TEST(GridStepping, SingleStepsWrapAndTheOppositeDirectionWalksBack)
{
    TAlignGridData grid;
    Fill(grid);
    const struct {
        T_nextcell direction;
        TGridCell from;
        TGridCell to;
    } cases[] = {
        {T_nextcell::nc_rightdown, {1, 1}, {2, 1}},
        {T_nextcell::nc_rightdown, {3, 1}, {1, 2}},
        {T_nextcell::nc_downright, {1, 3}, {2, 1}},
        {T_nextcell::nc_leftdown, {1, 1}, {3, 2}},
        {T_nextcell::nc_downleft, {2, 3}, {1, 1}},
        {T_nextcell::nc_leftup, {1, 2}, {3, 1}},
        {T_nextcell::nc_upleft, {2, 1}, {1, 3}},
        {T_nextcell::nc_rightup, {3, 2}, {1, 1}},
        {T_nextcell::nc_upright, {1, 1}, {2, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepCell(grid, c.from, c.direction), std::optional<TGridCell>(c.to))
            << static_cast<int>(c.direction) << " from " << c.from;

    // Every direction walks all nine cells and Shift+Tab's direction retraces
    // each step.
    for (const T_nextcell d : kDirections) {
        int visited = 1;
        for (auto cell = FirstCell(grid, d); cell; ++visited) {
            const auto next = StepCell(grid, *cell, d);
            if (next) {
                EXPECT_EQ(StepCell(grid, *next, OppositeDirection(d)), cell) << static_cast<int>(d) << *cell;
            }
            cell = next;
        }
        EXPECT_EQ(visited, 10) << static_cast<int>(d);
    }
}

TEST(GridStepping, AfterTheLastCell)
{
    const struct {
        T_nextcell direction;
        TGridCell last;       // where a step leaves the grid
        TGridCell first;      // lc_first goes here
        TGridCell newCell;    // lc_newcolrow goes here
        int cols, rows;       // the shape after lc_newcolrow
    } cases[] = {
        {T_nextcell::nc_rightdown, {3, 3}, {1, 1}, {1, 4}, 4, 5},
        {T_nextcell::nc_downright, {3, 3}, {1, 1}, {4, 1}, 5, 4},
        {T_nextcell::nc_leftdown, {1, 3}, {3, 1}, {3, 4}, 4, 5},
        {T_nextcell::nc_downleft, {1, 3}, {3, 1}, {1, 1}, 5, 4},
        {T_nextcell::nc_leftup, {1, 1}, {3, 3}, {3, 1}, 4, 5},
        {T_nextcell::nc_upleft, {1, 1}, {3, 3}, {1, 3}, 5, 4},
        {T_nextcell::nc_rightup, {3, 1}, {1, 3}, {1, 1}, 4, 5},
        {T_nextcell::nc_upright, {3, 1}, {1, 3}, {4, 3}, 5, 4},
    };
    for (const auto& c : cases) {
        const int d = static_cast<int>(c.direction);
        TAlignGridData grid;
        Fill(grid);
        EXPECT_EQ(FindNextCell(grid, c.last, c.direction, t_lastcell::lc_stop, AnyCell), std::nullopt) << d;
        EXPECT_EQ(FindNextCell(grid, c.last, c.direction, t_lastcell::lc_first, AnyCell),
                  std::optional<TGridCell>(c.first))
            << d;
        EXPECT_EQ(grid.ColCount() * 10 + grid.RowCount(), 44) << d;

        EXPECT_EQ(FindNextCell(grid, c.last, c.direction, t_lastcell::lc_newcolrow, AnyCell),
                  std::optional<TGridCell>(c.newCell))
            << d;
        EXPECT_EQ(grid.ColCount(), c.cols) << d;
        EXPECT_EQ(grid.RowCount(), c.rows) << d;
        EXPECT_EQ(grid.Cell(c.newCell.col, c.newCell.row), "") << d;
        // The texts made room for the new line instead of being overwritten.
        int texts = 0;
        for (int col = 0; col < grid.ColCount(); ++col)
            for (int row = 0; row < grid.RowCount(); ++row)
                texts += !grid.Cell(col, row).empty();
        EXPECT_EQ(texts, 16) << d;
    }
}

TEST(GridStepping, AWalkWithNothingToFindEnds)
{
    for (const T_nextcell d : kDirections) {
        for (const t_lastcell rule : {t_lastcell::lc_newcolrow, t_lastcell::lc_stop, t_lastcell::lc_first}) {
            TAlignGridData grid;
            Fill(grid);
            const TGridCell start{2, 2};
            const auto found = FindNextCell(grid, start, d, rule, [](TGridCell) { return false; });
            // Coming round to the start gives the start; otherwise the
            // caller keeps its cell, and no line is left behind.
            const auto expected = rule == t_lastcell::lc_first ? std::optional<TGridCell>(start) : std::nullopt;
            EXPECT_EQ(found, expected) << static_cast<int>(d) << " rule " << static_cast<int>(rule);
            EXPECT_EQ(grid.ColCount(), 4);
            EXPECT_EQ(grid.RowCount(), 4);
            EXPECT_EQ(grid.Cell(2, 2), "22");
        }
    }

    // The walk goes on through the new line to a cell it takes.
    TAlignGridData grid;
    Fill(grid);
    EXPECT_EQ(FindNextCell(grid, {3, 3}, T_nextcell::nc_rightdown, t_lastcell::lc_newcolrow,
                           [](TGridCell c) { return c.col == 3; }),
              std::optional<TGridCell>({3, 4}));
    EXPECT_EQ(grid.RowCount(), 5);
    // A walk from a fixed cell would never come round: none.
    EXPECT_EQ(FindNextCell(grid, {0, 1}, T_nextcell::nc_rightdown, t_lastcell::lc_first, AnyCell), std::nullopt);
}
