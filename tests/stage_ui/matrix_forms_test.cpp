#include "stage_ui/stage_matrix_form.h"
#include "stage_ui/std_dev_matrix_form.h"

#include "support/editor_fixture.h"

#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <functional>
#include <memory>

namespace {

// Three stages and a Leslie matrix.
class MatrixFormTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        UseLeslieMatrix();
    }

    bool Accepted(const QDialog& dialog) const { return dialog.isHidden() && dialog.result() == QDialog::Accepted; }
};

}  // namespace

TEST_F(MatrixFormTest, CellsKeepToTheRangeAndLengthOfTheirMatrix)
{
    struct Case {
        std::function<std::unique_ptr<TMatrixEditForm>()> make;
        const char* accepted;
        const char* refused;
        const char* message;
        const char* longest;  // the longest text; one character more is refused
        const char* shown;    // element (2, 1) as shown
    };
    const Case cases[] = {
        {[] { return std::make_unique<TStageMatrixForm>(TShowStageDisplayMenu()); }, "350", "350.5",
         "Number must be between 0 and 350.", "12345678", "0.5"},
        {[] { return std::make_unique<TStdDevMatrixForm>(); }, "1000", "2147483648",
         "Number must be between 0 and 2147483647.", "1234567890", "0.05"},
    };
    for (const Case& c : cases) {
        const auto form = c.make();
        SCOPED_TRACE(form->windowTitle().toStdString());
        sink.boxes.clear();
        form->LoadFromModel();
        ShowActive(*form);
        TStringAlignGrid& grid = form->Grid();
        EXPECT_EQ(grid.Cells(1, 2), c.shown);

        EditCell(grid, 1, 1);
        Type(c.accepted);
        Press(Qt::Key_Return);
        EXPECT_TRUE(sink.boxes.empty());
        EXPECT_EQ(grid.Cells(1, 1), c.accepted);

        // Refused when left: the message, and the user stays in the cell.
        ClickCell(grid, 2, 1);
        EditCell(grid, 2, 1);
        Type(c.refused);
        ClickCell(grid, 3, 3);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
        ASSERT_NE(grid.InplaceEditor(), nullptr);
        EXPECT_EQ(grid.InplaceEditor()->Col() * 10 + grid.InplaceEditor()->Row(), 21);
        EXPECT_EQ(grid.InplaceEditor()->text(), c.refused);
        Press(Qt::Key_Escape);  // the text as it was, and free to go
        EXPECT_EQ(grid.Cells(2, 1), form->Setup().maxValue == 350 ? "4" : "0.4");

        // A cell takes every key as typed, beyond its usual length and a
        // second point too: nothing is cut or dropped into another number.
        EditCell(grid, 3, 2);
        Type(QString(c.longest) + "9");
        EXPECT_EQ(grid.Cells(3, 2), QString(c.longest) + "9");
        Type("\b\b..");
        EXPECT_EQ(grid.Cells(3, 2), QString(c.longest).chopped(1) + "..");
        form->hide();
    }
}

TEST_F(MatrixFormTest, OkChecksEveryCellBeforeStoringAny)
{
    TStdDevMatrixForm form;
    form.LoadFromModel();
    ShowActive(form);
    form.Grid().SetCells(1, 1, "7");
    form.Grid().SetCells(2, 2, "abc");
    Click(form.OkButton());
    EXPECT_FALSE(Accepted(form));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Standard Deviation Matrix: \"abc\" is not a number."});
    EXPECT_EQ(Info.stdevmatrix[1][1][1], 0.0f);  // nothing stored
    EXPECT_EQ(form.Grid().Col() * 10 + form.Grid().Row(), 22);
    EXPECT_FALSE(InputsChanged);

    form.Grid().SetCells(2, 2, "");  // an emptied cell is no 0
    Click(form.OkButton());
    EXPECT_FALSE(Accepted(form));
    EXPECT_EQ(BoxTexts().size(), 2u);
    EXPECT_EQ(Info.stdevmatrix[1][1][1], 0.0f);

    form.Grid().SetCells(2, 2, "0");
    form.Grid().SetCells(2, 1, "0");
    Click(form.OkButton());
    EXPECT_TRUE(Accepted(form));
    EXPECT_EQ(Info.stdevmatrix[1][1][1], 7.0f);
    EXPECT_EQ(Info.stdevmatrix[1][1][2], 0.0f);
    EXPECT_EQ(Info.stdevmatrix[1][3][2], 0.025f);
    EXPECT_TRUE(InputsChanged);
    EXPECT_FALSE(Info.matrixchanged[1]);  // a standard deviation is no stage matrix
}

TEST_F(MatrixFormTest, ChangesBelowAMillionthAreStoredButChangeNothing)
{
    // Shown in full, not as the four decimals would round them.
    Info.stagematrix[1][1][2] = 0.1234567f;
    Info.stagematrix[1][2][1] = 0.654321f;
    TStageMatrixForm form{TShowStageDisplayMenu()};
    form.LoadFromModel();
    ShowActive(form);
    EXPECT_EQ(form.Grid().Cells(2, 1), "0.1234567");
    EXPECT_EQ(form.Grid().Cells(1, 2), "0.654321");
    EditCell(form.Grid(), 2, 1);
    Type("0.123457");
    Click(form.OkButton());
    ASSERT_TRUE(Accepted(form));
    EXPECT_EQ(Info.stagematrix[1][1][2], 0.123457f);
    EXPECT_EQ(Info.stagematrix[1][2][1], 0.654321f);  // not edited: as it was
    EXPECT_FALSE(InputsChanged);
    EXPECT_FALSE(Info.matrixchanged[1]);
}

TEST_F(MatrixFormTest, DisplayStoresTheGridAndCancelPutsTheMatrixBack)
{
    std::vector<QWidget*> menus;
    TStageMatrixForm form([&](QWidget* parent) {
        menus.push_back(parent);
        EXPECT_EQ(Info.stagematrix[1][1][1], 0.2f);  // the menu shows the matrix as edited
    });
    Info.selectedpop = 0;
    form.LoadFromModel();
    ShowActive(form);
    EditCell(form.Grid(), 1, 1);
    Type("0.2");
    Click(form.DisplayButton());
    EXPECT_EQ(menus, std::vector<QWidget*>{&form});
    EXPECT_EQ(Info.selectedpop, 1);
    EXPECT_EQ(sink.statuses, std::vector<std::string>{""});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(InputsChanged);
    EXPECT_TRUE(Info.matrixchanged[1]);

    Click(form.CancelButton());
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(Info.stagematrix[1][1][1], 0.0f);
    EXPECT_EQ(Info.stagematrix[1][1][2], 4.0f);
    EXPECT_TRUE(InputsChanged);  // Display's marks stay
    EXPECT_TRUE(Info.matrixchanged[1]);

    // A refused cell opens no menu.
    form.LoadFromModel();
    ShowActive(form);
    form.Grid().SetCells(3, 3, "351");
    Click(form.DisplayButton());
    EXPECT_EQ(menus.size(), 1u);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Number must be between 0 and 350."});

    // A cell stored by Display and then typed back as it was shown is
    // stored again by OK.
    form.Grid().SetCells(3, 3, "0");
    EditCell(form.Grid(), 1, 1);
    Type("0.2");
    Click(form.DisplayButton());
    EXPECT_EQ(menus.size(), 2u);
    EditCell(form.Grid(), 1, 1);
    Type("0");
    Click(form.OkButton());
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(Info.stagematrix[1][1][1], 0.0f);
}
