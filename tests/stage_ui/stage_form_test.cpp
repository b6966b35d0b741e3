#include "stage_ui/stage_form.h"

#include "support/editor_fixture.h"
#include "support/scripted_modals.h"

#include <QPushButton>

#include "support/qt_gtest_print.h"

namespace {

// Four stages A to D (Delete needs more than three) of five allocated;
// element (r, c) of the stage matrix is 10 r + c; action 1 covers stages 3
// to 4.
class StageFormTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        Info.stages = 4;
        const char* names[] = {"A", "B", "C", "D"};
        const char* weights[] = {"1.0", "0.5", "2", "0.00001"};
        for (int s = 1; s <= 4; ++s) {
            Info.stageprops[s] = {names[s - 1], "1.0", weights[s - 1], false};
            for (int c = 1; c <= 4; ++c)
                Info.stagematrix[1][s][c] = static_cast<float>(10 * s + c);
            Info.initialabundance[1][s] = 100 * s;
        }
        Info.actioncount = 1;
        Info.actions[1].firststage = 3;
        Info.actions[1].laststage = 4;
        form.LoadFromModel();
        ShowActive(form);
    }

    std::string Buttons() const
    {
        std::string enabled;
        for (QPushButton* b : {&form.AddButton(), &form.DeleteButton(), &form.MoveUpButton(), &form.MoveDownButton()})
            enabled += b->isEnabled() ? "1" : "0";
        return enabled;
    }

    std::vector<QString> Column(int col) const
    {
        std::vector<QString> texts;
        for (int row = 1; row < form.Grid().RowCount(); ++row)
            texts.push_back(form.Grid().Cells(col, row));
        return texts;
    }

    std::string MatrixRow(int r) const
    {
        std::string row;
        for (int c = 1; c <= 5; ++c)
            row += (c > 1 ? " " : "") + std::to_string(static_cast<int>(Info.stagematrix[1][r][c]));
        return row;
    }

    TStageForm form;
};

}  // namespace

TEST_F(StageFormTest, ButtonsKeepTheStagesBetweenThreeAndTheAllocatedNumber)
{
    EXPECT_EQ(Column(0), (std::vector<QString>{"1", "2", "3", "4"}));
    EXPECT_EQ(Buttons(), "1101");  // Add, Delete, Move Up, Move Down
    Click(form.AddButton());
    EXPECT_EQ(form.Grid().RowCount(), 6);
    EXPECT_EQ(form.Grid().Row(), 2);  // the new stage, after stage 1
    EXPECT_EQ(Column(1), (std::vector<QString>{"A", "", "B", "C", "D"}));
    EXPECT_EQ(Column(2), (std::vector<QString>{"1.0", "1", "0.5", "2", "0.00001"}));
    EXPECT_EQ(Buttons(), "0111");

    Click(form.DeleteButton());
    Click(form.DeleteButton());  // B, now in row 2
    EXPECT_EQ(Column(1), (std::vector<QString>{"A", "C", "D"}));
    EXPECT_EQ(Column(0), (std::vector<QString>{"1", "2", "3"}));
    EXPECT_EQ(Buttons(), "1011");
    form.Grid().SetCurrentCell(1, 3);
    EXPECT_EQ(Buttons(), "1010");
}

TEST_F(StageFormTest, AStageThatAnActionNamesIsNotDeleted)
{
    form.Grid().SetCurrentCell(1, 3);
    Click(form.DeleteButton());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Cannot delete this stage because population management action "
                                                   "#1 refers to it.  Please change the referring population "
                                                   "management action before deleting."});
    EXPECT_EQ(form.Grid().RowCount(), 5);
}

TEST_F(StageFormTest, OkMovesEveryValueWithItsStage)
{
    // C up above B, then B deleted and a stage added after A: A, new, C, D.
    form.Grid().SetCurrentCell(1, 3);
    Click(form.MoveUpButton());
    EXPECT_EQ(form.Grid().Row(), 2);
    EXPECT_EQ(Column(0), (std::vector<QString>{"1", "2", "3", "4"}));
    form.Grid().SetCurrentCell(1, 3);
    Click(form.DeleteButton());
    form.Grid().SetCurrentCell(1, 1);
    Click(form.AddButton());
    form.Grid().SetCells(TStageForm::kNameCol, 2, "New");
    Click(form.OkButton());
    ASSERT_EQ(form.result(), QDialog::Accepted);

    EXPECT_EQ(Info.stages, 4);
    EXPECT_EQ(MatrixRow(1), "11 0 13 14 0");
    EXPECT_EQ(MatrixRow(2), "0 0 0 0 0");
    EXPECT_EQ(MatrixRow(3), "31 0 33 34 0");
    EXPECT_EQ(MatrixRow(4), "41 0 43 44 0");
    EXPECT_EQ(Info.initialabundance[1][2], 0);
    EXPECT_EQ(Info.initialabundance[1][3], 300);
    EXPECT_EQ(Info.actions[1].firststage, 3);
    EXPECT_EQ(Info.actions[1].laststage, 4);
    EXPECT_EQ(Info.stageprops[2].name, "New");
    EXPECT_EQ(Info.stageprops[2].value2text, "1");
    EXPECT_EQ(Info.stageprops[4].value2text, "0.00001");
    EXPECT_TRUE(Info.matrixchanged[1]);
    EXPECT_TRUE(InputsChanged);
}

TEST_F(StageFormTest, NamesAreNoChangeOfInputsWeightsAre)
{
    ScriptedModals modals(true);
    auto ok = [](QDialog& dialog) {
        Click(static_cast<TStageForm&>(dialog).OkButton());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    };
    modals.steps.push_back([&](QDialog& dialog) {
        static_cast<TStageForm&>(dialog).Grid().SetCells(TStageForm::kNameCol, 1, "Seedlings of the year");
        return ok(dialog);
    });
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(Info.stageprops[1].name, "Seedlings ");
    EXPECT_EQ(Info.stageprops[4].value2text, "0.00001");  // kept, not rounded
    EXPECT_FALSE(InputsChanged);
    EXPECT_FALSE(Info.matrixchanged[1]);

    // An emptied weight is 0.
    modals.steps.push_back([&](QDialog& dialog) {
        static_cast<TStageForm&>(dialog).Grid().SetCells(TStageForm::kWeightCol, 2, "");
        return ok(dialog);
    });
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(Info.stageprops[2].value2text, "0");
    EXPECT_TRUE(InputsChanged);
    EXPECT_FALSE(Info.matrixchanged[1]);
}

TEST_F(StageFormTest, WeightsTakeNumbersOnly)
{
    // Every key goes in as typed; the weight is read when the cell is left,
    // and a text that is no number is refused with the cell still in edit
    // and its text as typed.
    EditCell(form.Grid(), TStageForm::kWeightCol, 2);
    Type("1x.5.");
    EXPECT_EQ(form.Grid().Cells(TStageForm::kWeightCol, 2), "1x.5.");
    EXPECT_TRUE(sink.boxes.empty());
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"\"1x.5.\" is not a valid number."});
    EXPECT_EQ(form.Grid().Cells(TStageForm::kWeightCol, 2), "1x.5.");
    ASSERT_NE(form.Grid().InplaceEditor(), nullptr);
    EXPECT_EQ(form.Grid().InplaceEditor()->Row(), 2);

    // A weight is kept in 10 characters: a longer one is refused, never cut.
    Press(Qt::Key_A, Qt::ControlModifier);
    Type("123456789012");
    EXPECT_EQ(form.Grid().Cells(TStageForm::kWeightCol, 2), "123456789012");
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts().back(), "Average Weight takes at most 10 characters.");
    Press(Qt::Key_A, Qt::ControlModifier);
    Type("1e-3");
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts().size(), 2u);
    EXPECT_EQ(form.Grid().Cells(TStageForm::kWeightCol, 2), "1e-3");

    // Names take any text.
    EditCell(form.Grid(), TStageForm::kNameCol, 3);
    Type("x.y-z");
    EXPECT_EQ(form.Grid().Cells(TStageForm::kNameCol, 3), "x.y-z");
}
