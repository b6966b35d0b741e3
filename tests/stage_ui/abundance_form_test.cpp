#include "stage_ui/abundance_form.h"

#include "support/editor_fixture.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

#include "support/qt_gtest_print.h"

namespace {

// One population of 120, 12.5 and 0 in three stages, a Leslie matrix.
class AbundanceFormTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        UseLeslieMatrix();
        Info.initialabundance[1][1] = 120;
        Info.initialabundance[1][2] = 12.5;
        form.LoadFromModel();
        ShowActive(form);
    }

    TAbundanceForm form;
};

}  // namespace

TEST_F(AbundanceFormTest, OneRowPerPopulationOneColumnPerStage)
{
    TStringAlignGrid& grid = form.Grid();
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(0, 1), "Pop 1");
    EXPECT_EQ(grid.Cells(3, 0), "Stage 3");
    EXPECT_EQ(grid.Cells(1, 1), "120");
    EXPECT_EQ(grid.Cells(2, 1), "12.500000");
    EXPECT_EQ(grid.Cells(3, 1), "0");
}

// A number longer than a cell's ten characters is typed in full, never cut
// to another number, and refused by the range.
TEST_F(AbundanceFormTest, CellsHoldUpToTenCharactersWithinTheRange)
{
    TStringAlignGrid& grid = form.Grid();
    EditCell(grid, 3, 1);
    Type("21474836471");
    EXPECT_EQ(grid.Cells(3, 1), "21474836471");
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Number must be between 0 and 2147483647."});
    EXPECT_EQ(grid.InplaceEditor()->Col(), 3);
    Type("2147483647");  // the editor is open again, its text selected
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(grid.Cells(3, 1), "2147483647");
}

TEST_F(AbundanceFormTest, OkStoresAndChecksTheModelCancelLeavesIt)
{
    EditCell(form.Grid(), 3, 1);
    Type("40");
    Click(form.CancelButton());
    EXPECT_EQ(Info.initialabundance[1][3], 0);
    EXPECT_FALSE(InputsChanged);

    form.LoadFromModel();
    ShowActive(form);
    EditCell(form.Grid(), 3, 1);
    Type("40");
    form.Grid().SetCells(1, 1, "0");
    Click(form.OkButton());
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(Info.initialabundance[1][1], 0);
    EXPECT_EQ(Info.initialabundance[1][2], 12.5);
    EXPECT_EQ(Info.initialabundance[1][3], 40);
    EXPECT_TRUE(InputsChanged);
    EXPECT_EQ(Info.initialtotal[1], 52);  // the input check ran: 52.5 rounds to even
}

TEST_F(AbundanceFormTest, ScrollingBringsTheCurrentCellAlong)
{
    Info.pops = 40;
    form.LoadFromModel();
    form.resize(form.minimumSize());
    ShowActive(form);
    TStringAlignGrid& grid = form.Grid();
    ASSERT_EQ(grid.Row(), 1);
    QScrollBar& bar = *grid.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    // Down to the end: the current row comes along as the top row.
    bar.setValue(bar.maximum());
    Settle();
    EXPECT_GT(grid.Row(), 20);
    EXPECT_EQ(grid.Row() - 1, grid.rowAt(0));

    // Back to the top: it stays as the lowest row seen in full.
    bar.setValue(0);
    Settle();
    const int last = grid.Row() - 1;
    EXPECT_GT(last, 0);
    EXPECT_LE(grid.rowViewportPosition(last) + grid.rowHeight(last), grid.viewport()->height());
    EXPECT_GT(grid.rowViewportPosition(last + 1) + grid.rowHeight(last + 1), grid.viewport()->height());
}
