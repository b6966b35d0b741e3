// The grid editors and the management editor of the main window as a person
// works them: opened through the Model menu, shown modally for real, closed
// with a mouse click on a button and opened again before typing, keys sent
// to the widget that has the focus; the model is checked afterwards.

#include "core/config.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "new_model_window.h"
#include "stage_tool.h"
#include "stage_ui/main_form.h"
#include "stage_ui/stage_program.h"
#include "support/editor_fixture.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/window_steps.h"
#include "ui/combo_box_ex.h"
#include "ui/new_inplace_edit.h"
#include "ui/spin_edit_ex.h"
#include "ui/string_align_grid.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kMatrixRange = "Number must be between 0 and 350.";
const QString kAbundanceRange = "Number must be between 0 and 2147483647.";

// Every message box is answered OK.
class GridEditorKeysTest : public NewModelWindowTest {
protected:
    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const ShownBox& box : dialogs.boxes)
            texts.push_back(box.text);
        return texts;
    }
};

// A click on the row's number, the header cell at its left.
void ClickRowHeader(TStringAlignGrid& grid, int row)
{
    QHeaderView& header = *grid.verticalHeader();
    const int logical = row - grid.FixedRows();
    Click(*header.viewport(),
          QPoint(header.width() / 2, header.sectionViewportPosition(logical) + header.sectionSize(logical) / 2));
}

// The cell whose editor has the keyboard, as col * 10 + row; -1 when the
// keyboard is elsewhere.
int CellInEdit(TStringAlignGrid& grid)
{
    auto* editor = qobject_cast<TNewInplaceEdit*>(QApplication::focusWidget());
    if (!editor || editor != grid.InplaceEditor())
        return -1;
    return editor->Col() * 10 + editor->Row();
}

struct GridEditor {
    const char* item;
    const char* caption;
    std::function<double()> element;  // what cell (1, 1) edits
};

const GridEditor kNumberGrids[] = {
    {"StageMatrixItem", "Stage Matrix", [] { return double(Info.stagematrix[1][1][1]); }},
    {"StandardDeviationMatrixItem", "Standard Deviation Matrix", [] { return double(Info.stdevmatrix[1][1][1]); }},
    {"InitialAbundancesItem", "Initial Abundances", [] { return Info.initialabundance[1][1]; }},
};

}  // namespace

// After a showing closed with a click on OK or Cancel, the next one starts
// with the keyboard in cell (1, 1): typing goes there and Enter ends the
// cell's edit instead of pressing a button.
TEST_F(GridEditorKeysTest, EveryShowingOfANumberGridStartsWithTheKeyboardInItsFirstCell)
{
    for (const GridEditor& e : kNumberGrids)
        for (const char* closer : {"OK", "Cancel"}) {
            SCOPED_TRACE(std::string(e.caption) + ", closed by " + closer);
            Open(e.item, [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), e.caption);
                ClickButton(d, closer);
            });
            Open(e.item, [&](QDialog& d) {
                TStringAlignGrid& grid = GridOf(d);
                EXPECT_EQ(CellInEdit(grid), 11);
                Type("2");
                Press(Qt::Key_Return);
                EXPECT_TRUE(d.isVisible());
                EXPECT_EQ(grid.Cells(1, 1), "2");
                Type("3");  // the cell is in edit again, its text selected
                EXPECT_EQ(grid.Cells(1, 1), "3");
                ClickButton(d, "OK");
            });
            EXPECT_EQ(e.element(), 3.0);
            EXPECT_TRUE(Form().Modified());
            NewModel();
        }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridEditorKeysTest, EveryShowingOfStagesStartsWithTheKeyboardInTheFirstName)
{
    const std::string title = Info.title;
    Open("StagesItem", [](QDialog& d) { ClickButton(d, "OK"); });
    Open("StagesItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        EXPECT_EQ(QApplication::focusWidget(), &grid);
        EXPECT_EQ(grid.Col() * 10 + grid.Row(), 11);
        // A name is typed in the ten characters a stage keeps.
        Type("Seedlings of spring");
        Press(Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(grid.Cells(1, 1), "Seedlings ");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.stageprops[1].name, "Seedlings ");
    EXPECT_EQ(Info.title, title);
}

// The first Esc ends the edit of the cell, its text as it was; the next one
// cancels the dialog.
TEST_F(GridEditorKeysTest, EscEndsTheCellEditThenCancelsTheDialog)
{
    std::vector<GridEditor> editors(std::begin(kNumberGrids), std::end(kNumberGrids));
    editors.push_back({"StagesItem", "Stages", [] { return double(Info.stageprops[1].name.size()); }});
    for (const GridEditor& e : editors) {
        SCOPED_TRACE(e.caption);
        const double before = e.element();
        OpenTwice(Form(), modals, e.item, [](QDialog& d) {
            TStringAlignGrid& grid = GridOf(d);
            const QString shown = grid.Cells(1, 1);
            Type("7");
            EXPECT_EQ(grid.Cells(1, 1), "7");
            Press(Qt::Key_Escape);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(grid.Cells(1, 1), shown);
            EXPECT_EQ(grid.InplaceEditor(), nullptr);
            Press(Qt::Key_Escape);
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        EXPECT_EQ(e.element(), before);
        EXPECT_FALSE(Form().Modified());
    }
}

// A cell emptied is no 0: it is refused when left, and the cell is in edit
// again; OK refuses it too and stores nothing.
TEST_F(GridEditorKeysTest, AnEmptiedCellIsRefused)
{
    Info.initialabundance[1][1] = 40;
    Info.stagematrix[1][1][1] = 0.5f;
    Info.stdevmatrix[1][1][1] = 0.25f;
    const double kept[] = {0.5, 0.25, 40};
    const QString messages[] = {kMatrixRange, "Number must be between 0 and 2147483647.", kAbundanceRange};
    for (std::size_t i = 0; i < std::size(kNumberGrids); ++i) {
        const GridEditor& e = kNumberGrids[i];
        SCOPED_TRACE(e.caption);
        dialogs.boxes.clear();
        Open(e.item, [](QDialog& d) { ClickButton(d, "OK"); });
        Open(e.item, [&](QDialog& d) {
            TStringAlignGrid& grid = GridOf(d);
            Press(Qt::Key_Backspace);
            EXPECT_EQ(grid.Cells(1, 1), "");
            Press(Qt::Key_Return);
            EXPECT_EQ(BoxTexts(), std::vector<QString>{messages[i]});
            EXPECT_EQ(CellInEdit(grid), 11);

            Press(Qt::Key_Backspace);
            ClickButton(d, "OK");
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(BoxTexts().size(), 2u);
            EXPECT_EQ(CellInEdit(grid), 11);
            Press(Qt::Key_Escape);
            Press(Qt::Key_Escape);
        });
        EXPECT_EQ(e.element(), kept[i]);
    }
}

// A value out of range is refused when the cell is left for another control
// (Tab, a click on OK or Display), once, with the cell in edit again; a
// click on Cancel leaves without a word.
TEST_F(GridEditorKeysTest, AValueOutOfRangeIsRefusedWhenTheCellIsLeftForAButton)
{
    OpenTwice(Form(), modals, "StageMatrixItem", [this](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        Type("400");
        Press(Qt::Key_Tab);
        EXPECT_EQ(BoxTexts(), std::vector<QString>{kMatrixRange});
        EXPECT_EQ(CellInEdit(grid), 11);
        EXPECT_EQ(grid.Cells(1, 1), "400");

        for (const char* button : {"OK", "Displa&y..."}) {
            SCOPED_TRACE(button);
            dialogs.boxes.clear();
            ClickButton(d, button);
            EXPECT_EQ(BoxTexts(), std::vector<QString>{kMatrixRange});
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(CellInEdit(grid), 11);
        }
        // Pressed and let go as a person does, the event loop between.
        dialogs.boxes.clear();
        Click(ButtonOf(d, "OK"));
        EXPECT_EQ(BoxTexts(), std::vector<QString>{kMatrixRange});
        EXPECT_TRUE(d.isVisible());

        dialogs.boxes.clear();
        ClickButton(d, "Cancel");
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(Info.stagematrix[1][1][1], 0.0f);
    EXPECT_FALSE(Form().Modified());
}

// Tab stays in the grid; Ctrl+Tab takes the keyboard out of it along the
// line of buttons, and Ctrl+Shift+Tab to the control before it.
TEST_F(GridEditorKeysTest, CtrlTabLeavesTheGridAlongTheLineOfButtons)
{
    const struct {
        const char* item;
        std::vector<QString> order;
    } cases[] = {
        {"StageMatrixItem", {"Displa&y...", "OK", "Cancel", "&Help"}},
        {"StandardDeviationMatrixItem", {"OK", "Cancel", "&Help"}},
        {"InitialAbundancesItem", {"OK", "Cancel", "&Help"}},
        {"StagesItem", {"&Add", "Move Do&wn", "OK", "Cancel", "&Help"}},
    };
    auto focusedButton = [] {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        return button ? button->text() : QString();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        Open(c.item, [](QDialog& d) { ClickButton(d, "OK"); });
        Open(c.item, [&](QDialog& d) {
            TStringAlignGrid& grid = GridOf(d);
            Press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
            EXPECT_EQ(focusedButton(), c.order.back());
            Press(Qt::Key_Tab);  // from the last button round into the grid
            EXPECT_TRUE(QApplication::focusWidget() == &grid || grid.isAncestorOf(QApplication::focusWidget()));
            for (std::size_t i = 0; i < c.order.size(); ++i) {
                Press(Qt::Key_Tab, i == 0 ? Qt::ControlModifier : Qt::NoModifier);
                EXPECT_EQ(focusedButton(), c.order[i]) << i;
            }
            EXPECT_TRUE(dialogs.boxes.empty());
            ClickButton(d, "Cancel");
        });
    }
}

// Tab moves to the next cell, Shift+Tab back, in edit; what is typed there
// is what OK stores.
TEST_F(GridEditorKeysTest, TabStepsFromCellToCell)
{
    const std::function<double()> nextElements[] = {
        [] { return double(Info.stagematrix[1][1][2]); },
        [] { return double(Info.stdevmatrix[1][1][2]); },
        [] { return Info.initialabundance[1][2]; },
    };
    for (std::size_t i = 0; i < std::size(kNumberGrids); ++i) {
        const GridEditor& e = kNumberGrids[i];
        SCOPED_TRACE(e.caption);
        OpenTwice(Form(), modals, e.item, [](QDialog& d) {
            TStringAlignGrid& grid = GridOf(d);
            Type("2");
            Press(Qt::Key_Tab);
            EXPECT_EQ(CellInEdit(grid), 21);
            Type("3");
            Press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(CellInEdit(grid), 11);
            Type("4");
            ClickButton(d, "OK");
        });
        EXPECT_EQ(e.element(), 4.0);
        EXPECT_EQ(nextElements[i](), 3.0);
        NewModel();
    }

    // Stages: from a name to its weight, and on to the next stage's name.
    OpenTwice(Form(), modals, "StagesItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        Type("Eggs");
        Press(Qt::Key_Tab);
        EXPECT_EQ(CellInEdit(grid), 21);
        Type("3");
        Press(Qt::Key_Tab);
        EXPECT_EQ(CellInEdit(grid), 12);
        Type("Larvae");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.stageprops[1].name, "Eggs");
    EXPECT_EQ(Info.stageprops[1].value2text, "3");
    EXPECT_EQ(Info.stageprops[2].name, "Larvae");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Add leaves the keyboard in the new stage's name, whose column shows all
// ten characters; a click on a row's number makes that row the one Delete
// removes.
TEST_F(GridEditorKeysTest, StagesAddTypesIntoTheNewNameAndDeleteTakesTheClickedRow)
{
    OpenTwice(Form(), modals, "StagesItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        ClickButton(d, "&Add");  // after stage 1
        EXPECT_EQ(CellInEdit(grid), 12);
        Type("Reproductive");
        Press(Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(grid.Cells(1, 2), "Reproducti");
        const QRect name = grid.visualRect(grid.model()->index(1, 0));
        EXPECT_GE(name.width(), QFontMetrics(grid.font()).horizontalAdvance(QString(10, 'W')) + 4);
        EXPECT_LE(name.right(), grid.viewport()->width());

        ClickRowHeader(grid, 3);  // Stage 2
        EXPECT_EQ(grid.Row(), 3);
        ClickButton(d, "&Delete");
        EXPECT_EQ(grid.RowCount(), 4);
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.stages, 3);
    EXPECT_EQ(Info.stageprops[1].name, "Stage 1");
    EXPECT_EQ(Info.stageprops[2].name, "Reproducti");
    EXPECT_EQ(Info.stageprops[3].name, "Stage 3");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A cell shows what the model holds, so that what is typed is stored even
// when it is the text the usual format would have shown.
TEST_F(GridEditorKeysTest, CellsShowWhatTheModelHoldsAndStoreWhatIsTyped)
{
    Info.stagematrix[1][1][1] = 0.1234567f;
    Info.stagematrix[1][2][1] = 0.1234567f;
    Info.initialabundance[1][1] = 1.0 / 3;
    Info.initialabundance[1][2] = 1.0 / 3;
    OpenTwice(Form(), modals, "StageMatrixItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        EXPECT_EQ(grid.Cells(1, 1), "0.1234567");
        Type("0.1235");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.stagematrix[1][1][1], 0.1235f);
    EXPECT_EQ(Info.stagematrix[1][2][1], 0.1234567f);  // not typed: as it was

    OpenTwice(Form(), modals, "InitialAbundancesItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        EXPECT_EQ(grid.Cells(1, 1), "0.3333333333333333");
        Type("0.333333");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.initialabundance[1][1], 0.333333);
    EXPECT_EQ(Info.initialabundance[1][2], 1.0 / 3);
}

// Management: OK gives every action this program's scope, also an action
// that was never selected; the kind, amount and stages stay as set.
TEST_F(GridEditorKeysTest, ManagementOkGivesEveryActionTheWholeRun)
{
    Info.duration = 20;
    Info.actioncount = 2;
    for (int i = 1; i <= 2; ++i) {
        ManagementRecord& a = Info.actions[i];
        a.active = true;
        a.kind = static_cast<std::uint8_t>(i - 1);
        a.number = 10 * i;
        a.firststage = 1;
        a.laststage = static_cast<std::uint8_t>(i + 1);
        a.frompop = a.topop = 2;
        a.begintime = 5;
        a.endtime = 8;
        a.period = 3;
        a.timing = 1;
        a.condition = 1;
        a.threshold = 50;
    }
    Open("PopulationManagementItem", [](QDialog& d) { ClickButton(d, "OK"); });
    ASSERT_EQ(Info.actioncount, 2);
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE(i);
        const ManagementRecord& a = Info.actions[i];
        EXPECT_EQ(a.frompop, 1);
        EXPECT_EQ(a.topop, 1);
        EXPECT_EQ(a.begintime, 1);
        EXPECT_EQ(a.endtime, 20);
        EXPECT_EQ(a.period, 1);
        EXPECT_EQ(a.timing, 0);
        EXPECT_EQ(a.condition, 0);
        EXPECT_EQ(a.threshold, 0);
        EXPECT_EQ(a.kind, i - 1);
        EXPECT_EQ(a.number, 10 * i);
        EXPECT_EQ(a.laststage, i + 1);
    }
    EXPECT_TRUE(InputsChanged);
}

// The number of individuals may be typed beyond its range; leaving it gives
// the range message and the focus back, OK refuses it once.
TEST_F(GridEditorKeysTest, ManagementRefusesANumberOutOfRangeWhenItIsLeft)
{
    const QString range = "This value must be between 0 and 2147483647, inclusive.";
    Open("PopulationManagementItem", [&](QDialog& d) {
        ClickButton(d, "&Add");
        auto& spin = *d.findChild<TSpinEditEx*>("NumberSpinEdit");
        QTest::mouseClick(&spin, Qt::LeftButton);
        spin.selectAll();
        ASSERT_EQ(QApplication::focusWidget(), &spin);
        Type("3000000000");
        EXPECT_EQ(spin.text(), "3000000000");
        Press(Qt::Key_Tab);
        EXPECT_EQ(BoxTexts(), std::vector<QString>{range});
        EXPECT_EQ(QApplication::focusWidget(), &spin);
        EXPECT_EQ(spin.text(), "3000000000");

        dialogs.boxes.clear();
        Click(ButtonOf(d, "OK"));
        EXPECT_EQ(BoxTexts(), std::vector<QString>{range});
        EXPECT_TRUE(d.isVisible());

        spin.selectAll();
        Type("25");
        ClickButton(d, "OK");
    });
    ASSERT_EQ(Info.actioncount, 1);
    EXPECT_EQ(Info.actions[1].number, 25);
}

// With no action the stage boxes name no stage, also once the last action
// is deleted.
TEST_F(GridEditorKeysTest, ManagementStageBoxesShowNoStageWithoutAnAction)
{
    Info.actioncount = 0;
    Open("PopulationManagementItem", [](QDialog& d) {
        auto& start = *d.findChild<TComboBoxEx*>("StartStageComboBox");
        auto& stop = *d.findChild<TComboBoxEx*>("StopStageComboBox");
        EXPECT_EQ(start.currentIndex(), -1);
        EXPECT_EQ(stop.currentIndex(), -1);
        EXPECT_EQ(start.count(), 3);

        ClickButton(d, "&Add");
        start.setCurrentIndex(1);
        stop.setCurrentIndex(2);
        ClickButton(d, "&Delete");
        EXPECT_EQ(d.findChild<QListWidget*>("ListBox")->count(), 0);
        EXPECT_EQ(start.currentText(), "");
        EXPECT_EQ(stop.currentText(), "");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.actioncount, 0);
}
