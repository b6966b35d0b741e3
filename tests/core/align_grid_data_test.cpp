#include "core/align_grid_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* Name(TMyAlign a)
{
    return a == TMyAlign::alLeft ? "left" : a == TMyAlign::alRight ? "right" : "center";
}

// One text per non-fixed row: its column-1 text, its object, its row
// alignment entry, the alignment and edit flag that cell (1, row) resolves
// to, and the hint of cell (2, row).
std::vector<std::string> Rows(const TAlignGridData& grid)
{
    std::vector<std::string> rows;
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) {
        const std::any& object = *grid.Object(r);
        const TMyAlign* rowAlign = grid.Alignments().Row(r);
        rows.push_back(grid.Cell(1, r) + " " + (object.has_value() ? std::to_string(std::any_cast<int>(object)) : "-") +
                       " " + (rowAlign ? Name(*rowAlign) : "-") + " " + Name(grid.CellAlignment(1, r)) +
                       (grid.CellEditable(1, r) ? " edit" : " fixed") + " " + grid.CellHint(2, r));
    }
    return rows;
}

}  // namespace

TEST(AlignGridData, AttributeLookup)
{
    TAlignGridData grid;  // 5 x 5, column 0 and row 0 fixed
    auto& align = grid.Alignments();
    align.SetRow(2, TMyAlign::alRight);
    align.SetCol(2, TMyAlign::alCenter);
    align.SetCell(3, 3, TMyAlign::alCenter);
    align.SetRow(3, TMyAlign::alRight);
    align.SetFixedCol(2, TMyAlign::alRight);
    align.SetFixedRow(0, TMyAlign::alCenter);
    align.SetFixedRow(2, TMyAlign::alCenter);
    align.SetFixedCol(0, TMyAlign::alRight);

    auto& edit = grid.EditFlags();
    edit.SetRow(1, false);
    edit.SetCol(3, true);
    edit.SetCell(4, 4, false);
    edit.SetCol(4, true);

    const struct {
        int col, row;
        TMyAlign align;
        bool editable;
    } cases[] = {
        {2, 2, TMyAlign::alCenter, true},  // the column beats the row
        {1, 2, TMyAlign::alRight, true},   // the row alone
        {3, 3, TMyAlign::alCenter, true},  // the cell beats its row
        {1, 1, TMyAlign::alLeft, false},   // the default alignment; the row's edit flag
        {3, 1, TMyAlign::alLeft, true},    // the column's edit flag beats the row's
        {4, 4, TMyAlign::alLeft, false},   // the cell's edit flag beats the column's
        // Fixed cells take the fixed lists: column 2's centre and row 2's
        // right do not apply to them.
        {2, 0, TMyAlign::alRight, true},
        {1, 0, TMyAlign::alCenter, true},
        {0, 2, TMyAlign::alRight, true},
        {0, 0, TMyAlign::alRight, true},
        // The edit flag has no fixed lists: column 3 and row 1 apply.
        {3, 0, TMyAlign::alCenter, true},
        {0, 1, TMyAlign::alRight, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grid.CellAlignment(c.col, c.row), c.align) << c.col << "," << c.row;
        EXPECT_EQ(grid.CellEditable(c.col, c.row), c.editable) << c.col << "," << c.row;
    }

    // The grid-wide defaults come last.
    grid.SetAlignment(TMyAlign::alRight);
    grid.SetEditable(false);
    EXPECT_EQ(grid.CellAlignment(1, 1), TMyAlign::alRight);
    EXPECT_FALSE(grid.CellEditable(2, 2));
    EXPECT_TRUE(grid.CellEditable(3, 2));
    // Setting an entry far beyond the grid is kept for when it grows.
    align.SetCol(40, TMyAlign::alCenter);
    grid.SetColCount(41);
    EXPECT_EQ(grid.CellAlignment(40, 1), TMyAlign::alCenter);
    // The edit flag has no fixed lists to set.
    EXPECT_THROW(edit.SetFixedCol(1, true), std::logic_error);
}

TEST(AlignGridData, RowOperationsCarryTextsObjectsAndAttributes)
{
    const auto makeGrid = [](TAlignGridData& grid) {
        grid.SetRowCount(4);  // rows 1..3 hold a, b, c
        for (int r = 1; r <= 3; ++r) {
            grid.SetCell(1, r, std::string(1, static_cast<char>('a' + r - 1)));
            grid.SetObject(r, r * 10);
        }
        grid.Alignments().SetRow(2, TMyAlign::alRight);
        grid.Alignments().SetCell(1, 3, TMyAlign::alCenter);
        grid.EditFlags().SetRow(1, false);
        grid.Hints().SetCell(2, 3, "tip");
    };
    const std::vector<std::string> before = {
        "a 10 - left fixed ",
        "b 20 right right edit ",
        "c 30 - center edit tip",
    };
    const struct {
        const char* what;
        bool (*apply)(TAlignGridData&);
        std::vector<std::string> rows;
    } cases[] = {
        {"insert inside the fixed rows goes to the first row",
         [](TAlignGridData& g) { return g.InsertRow(0) == 1; },
         {" - - left edit ", before[0], before[1], before[2]}},
        {"insert in the middle",
         [](TAlignGridData& g) { return g.InsertRow(3) == 3; },
         {before[0], before[1], " - - left edit ", before[2]}},
        {"insert beyond the end appends",
         [](TAlignGridData& g) { return g.InsertRow(99) == 4; },
         {before[0], before[1], before[2], " - - left edit "}},
        {"delete", [](TAlignGridData& g) { return g.DeleteRow(2); }, {before[0], before[2]}},
        {"delete a fixed row", [](TAlignGridData& g) { return !g.DeleteRow(0); }, before},
        {"delete beyond the end", [](TAlignGridData& g) { return !g.DeleteRow(4); }, before},
        {"move down", [](TAlignGridData& g) { return g.MoveRow(1, 3); }, {before[1], before[2], before[0]}},
        {"move up", [](TAlignGridData& g) { return g.MoveRow(3, 1); }, {before[2], before[0], before[1]}},
        {"move onto a fixed row", [](TAlignGridData& g) { return !g.MoveRow(2, 0); }, before},
    };
    for (const auto& c : cases) {
        TAlignGridData grid;
        makeGrid(grid);
        ASSERT_EQ(Rows(grid), before);
        EXPECT_TRUE(c.apply(grid)) << c.what;
        EXPECT_EQ(Rows(grid), c.rows) << c.what;
    }

    // The last non-fixed row stays.
    TAlignGridData grid;
    grid.SetRowCount(2);
    EXPECT_FALSE(grid.DeleteRow(1));
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(AlignGridData, ColumnOperationsAndAttachedStores)
{
    TAlignGridData grid;
    TGridAttribute<int> colours(true);  // as the window layer's brushes
    grid.Attach(colours);
    grid.SetColCount(4);
    for (int c = 1; c <= 3; ++c) {
        grid.SetCell(c, 1, std::string(1, static_cast<char>('a' + c - 1)));
        colours.SetCol(c, c);
    }
    colours.SetFixedCol(2, 7);
    grid.Alignments().SetCol(3, TMyAlign::alRight);

    EXPECT_EQ(grid.InsertColumn(0), 1);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.Cell(1, 1), "");
    EXPECT_EQ(grid.Cell(2, 1), "a");
    EXPECT_EQ(colours.Col(1), nullptr);
    EXPECT_EQ(*colours.Col(2), 1);
    EXPECT_EQ(*colours.FixedCol(3), 7);
    EXPECT_EQ(grid.CellAlignment(4, 1), TMyAlign::alRight);

    EXPECT_TRUE(grid.MoveColumn(4, 1));  // c, -, a, b
    EXPECT_EQ(grid.Cell(1, 1), "c");
    EXPECT_EQ(grid.Cell(3, 1), "a");
    EXPECT_EQ(*colours.Col(1), 3);
    EXPECT_EQ(*colours.Col(4), 2);
    EXPECT_EQ(grid.CellAlignment(1, 1), TMyAlign::alRight);

    EXPECT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Cell(2, 1), "a");
    EXPECT_EQ(*colours.Col(2), 1);
    EXPECT_EQ(grid.CellAlignment(1, 1), TMyAlign::alLeft);
}

TEST(AlignGridData, CellTextLinesAndAlignment)
{
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one", {"one"}},
        {"one\r\ntwo", {"one", "two"}},
        {"one\rtwo\r", {"one", "two", ""}},
        {"one\ntwo", {"one\ntwo"}},  // a line feed alone is no break
        {"", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCellLines(c.text), c.lines) << c.text;

    // A cell from x = 10 to 110 and a text 20 wide.
    EXPECT_EQ(AlignedTextLeft(TMyAlign::alLeft, 10, 110, 20), 12);
    EXPECT_EQ(AlignedTextLeft(TMyAlign::alRight, 10, 110, 20), 88);
    EXPECT_EQ(AlignedTextLeft(TMyAlign::alCenter, 10, 110, 20), 50);
}
