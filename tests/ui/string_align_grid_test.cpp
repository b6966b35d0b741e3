#include "ui/string_align_grid.h"

#include "support/scripted_dialogs.h"
#include "ui/numeric_edit.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Collects the warnings Qt writes while it lives.
class QtWarnings {
public:
    QtWarnings() : previous_(qInstallMessageHandler(&Record)) { current_ = this; }
    ~QtWarnings()
    {
        qInstallMessageHandler(previous_);
        current_ = nullptr;
    }
    std::vector<QString> messages;

private:
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        // The offscreen platform's notes on what it cannot do are no faults.
        if (current_ && (type == QtWarningMsg || type == QtCriticalMsg) &&
            !message.startsWith("This plugin does not support"))
            current_->messages.push_back(message);
    }
    static inline QtWarnings* current_ = nullptr;
    QtMessageHandler previous_;
};

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Keys go where a user's keys go: to the widget with the focus.
void Type(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    Settle();
}

void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    Settle();
}

std::string At(int col, int row) { return std::to_string(col) + "," + std::to_string(row); }

// A window as the editors build them: the grid (4 x 4, one fixed line each
// way, editing on), OK and a Cancel button; it logs the grid's edit events.
// Qt's model tester watches the grid throughout, and Qt may warn of nothing.
struct GridWindow {
    QtWarnings warnings;
    QWidget window;
    TStringAlignGrid* grid = new TStringAlignGrid;
    QPushButton* ok = new QPushButton("OK");
    QPushButton* cancel = new QPushButton("Cancel");
    std::vector<std::string> events;
    int okClicks = 0, cancelClicks = 0;
    QAbstractItemModelTester tester{grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning};

    ~GridWindow()
    {
        for (const QString& message : warnings.messages)
            ADD_FAILURE() << "Qt warned: " << message.toStdString();
    }

    GridWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        MarkAsCancelButton(*cancel);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okClicks; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancelClicks; });
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetEditing(true);
        QObject::connect(grid, &TStringAlignGrid::OnBeforeEdit, [this](int c, int r) { events.push_back("before " + At(c, r)); });
        QObject::connect(grid, &TStringAlignGrid::OnAfterEdit, [this](int c, int r) { events.push_back("after " + At(c, r)); });
        QObject::connect(grid, &TStringAlignGrid::OnCancelEdit, [this](int c, int r) { events.push_back("cancel " + At(c, r)); });
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->SetCurrentCell(1, 1);
        Settle();
    }

    QPoint CellCentre(int col, int row) const
    {
        return grid->visualRect(grid->model()->index(row - grid->FixedRows(), col - grid->FixedCols())).center();
    }
    // A click as a user makes it: the application runs between pressing and
    // letting go.
    void Click(QWidget* widget, QPoint at = QPoint())
    {
        if (at.isNull())
            at = widget->rect().center();
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
        Settle();
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
        Settle();
    }
    std::string EditorCell() const
    {
        const TNewInplaceEdit* editor = grid->InplaceEditor();
        return editor ? At(editor->Col(), editor->Row()) : "none";
    }
};

// Refuses "bad" the way the editors do: a message, then back into the cell.
void RefuseBadValues(TStringAlignGrid& grid)
{
    QObject::connect(&grid, &TStringAlignGrid::OnAfterEdit, [&grid](int col, int row) {
        if (grid.Cells(col, row) != "bad")
            return;
        DialogServices().ShowMessageBox(&grid, TBoxIcon::Error, "Error", "Number must be between 0 and 350.",
                                        TBoxButtons::Ok);
        grid.SetCurrentCell(col, row);
        grid.ShowEditor();
    });
}

}  // namespace

TEST(StringAlignGrid, EnterEndsTheEditOnceAndAutoEditGoesOn)
{
    GridWindow w;
    w.grid->SetAutoEditNextCell(true);
    Type("42");
    Press(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 1), "42");
    EXPECT_EQ(w.events, (std::vector<std::string>{"before 1,1", "after 1,1", "before 2,1"}));
    EXPECT_EQ(w.EditorCell(), "2,1");
    EXPECT_EQ(QApplication::focusWidget(), w.grid->InplaceEditor());

    // From the last cell Enter adds a row (nc_rightdown, lc_newcolrow) and
    // edits its first cell.
    w.grid->SetCurrentCell(3, 3);
    w.events.clear();
    w.grid->ShowEditor();
    Type("7");
    Press(Qt::Key_Enter);
    EXPECT_EQ(w.grid->RowCount(), 5);
    EXPECT_EQ(w.grid->Cells(3, 3), "7");
    EXPECT_EQ(w.EditorCell(), "1,4");

    // Without auto-edit Enter only ends the edit.
    w.grid->SetAutoEditNextCell(false);
    w.events.clear();
    Type("5");
    Press(Qt::Key_Return);
    EXPECT_EQ(w.events, (std::vector<std::string>{"after 1,4"}));
    EXPECT_EQ(w.EditorCell(), "none");
    EXPECT_EQ(w.grid->Col() * 10 + w.grid->Row(), 14);
}

TEST(StringAlignGrid, EscRestoresTheTextAndCancelsOnly)
{
    GridWindow w;
    w.grid->SetCells(1, 1, "old");
    Press(Qt::Key_Return);  // Enter on the grid opens the editor
    ASSERT_EQ(w.EditorCell(), "1,1");
    Type("xyz");
    EXPECT_EQ(w.grid->Cells(1, 1), "xyz");  // the cell follows the typing
    Press(Qt::Key_Escape);
    EXPECT_EQ(w.grid->Cells(1, 1), "old");
    EXPECT_EQ(w.events, (std::vector<std::string>{"before 1,1", "cancel 1,1"}));
    EXPECT_EQ(w.cancelClicks, 0);  // the editor's Esc is not the window's
}

TEST(StringAlignGrid, AnEditFollowsItsRowWhenRowsMove)
{
    GridWindow w;
    for (int r = 1; r < 4; ++r)
        w.grid->SetCells(1, r, QString::number(r));
    w.grid->SetCurrentCell(1, 3);
    w.grid->ShowEditor();
    // A button's shortcut moves rows while the editor stays open.
    w.grid->MoveRow(3, 1);
    w.grid->InsertRow(1);
    Type("x");
    Press(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 2), "x");
    EXPECT_EQ(w.grid->Cells(1, 3), "1");
    EXPECT_EQ(w.events.back(), "after 1,2");
}

TEST(StringAlignGrid, ARefusedValueReopensTheCellButNeverBlocksCancel)
{
    ScriptedDialogs dialogs;
    GridWindow w;
    RefuseBadValues(*w.grid);

    // Leaving for another cell: the message, then the same cell in edit.
    Type("bad");
    w.Click(w.grid->viewport(), w.CellCentre(2, 2));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.EditorCell(), "1,1");
    EXPECT_EQ(w.grid->Col() * 10 + w.grid->Row(), 11);
    EXPECT_EQ(QApplication::focusWidget(), w.grid->InplaceEditor());

    // Leaving for OK: the grid takes the focus back and OK is not pressed.
    w.Click(w.ok);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.okClicks, 0);
    EXPECT_EQ(QApplication::focusWidget(), w.grid->InplaceEditor());

    // Leaving for Cancel cancels the edit: no message, Cancel is pressed.
    w.events.clear();
    w.Click(w.cancel);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.cancelClicks, 1);
    EXPECT_EQ(w.grid->Cells(1, 1), "");
    EXPECT_EQ(w.events, (std::vector<std::string>{"cancel 1,1"}));

    // A good value passes when the grid is left.
    w.grid->setFocus();
    w.grid->ShowEditor();
    Type("12");
    w.Click(w.ok);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_EQ(w.grid->Cells(1, 1), "12");
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST(StringAlignGrid, TabWalksTheTabStopsAndWrapsByItsRule)
{
    GridWindow w;
    w.grid->SetTabs(true);
    w.grid->SetTabStop(2, false);
    const struct {
        int col, row;
        Qt::KeyboardModifiers mods;
        t_lastcell rule;
        int toCol, toRow;
    } cases[] = {
        {1, 1, Qt::NoModifier, t_lastcell::lc_first, 3, 1},  // column 2 is no tab stop
        {3, 1, Qt::NoModifier, t_lastcell::lc_first, 1, 2},
        {3, 3, Qt::NoModifier, t_lastcell::lc_first, 1, 1},
        {3, 3, Qt::NoModifier, t_lastcell::lc_stop, 3, 3},
        {1, 2, Qt::ShiftModifier, t_lastcell::lc_first, 3, 1},
        {1, 1, Qt::ShiftModifier, t_lastcell::lc_first, 3, 3},
    };
    for (const auto& c : cases) {
        w.grid->SetAfterLastCellTab(c.rule);
        w.grid->SetCurrentCell(c.col, c.row);
        Press(Qt::Key_Tab, c.mods);
        EXPECT_EQ(At(w.grid->Col(), w.grid->Row()), At(c.toCol, c.toRow)) << At(c.col, c.row);
        EXPECT_EQ(QApplication::focusWidget(), w.grid);
    }

    // While editing, Tab ends the edit and edits the next stop.
    w.grid->SetAfterLastCellTab(t_lastcell::lc_first);
    w.grid->SetCurrentCell(1, 1);
    w.grid->ShowEditor();
    w.events.clear();
    Type("9");
    Press(Qt::Key_Tab);
    EXPECT_EQ(w.grid->Cells(1, 1), "9");
    EXPECT_EQ(w.events, (std::vector<std::string>{"before 3,1", "after 1,1"}));
    EXPECT_EQ(w.EditorCell(), "3,1");

    // With no tab stop at all the walk ends and adds no row.
    w.grid->SetAfterLastCellTab(t_lastcell::lc_newcolrow);
    for (int col = 1; col < 4; ++col)
        w.grid->SetTabStop(col, false);
    w.grid->SetCurrentCell(3, 3);
    Press(Qt::Key_Tab);
    EXPECT_EQ(At(w.grid->Col(), w.grid->Row()), "3,3");
    EXPECT_EQ(w.grid->RowCount(), 4);

    // Without the option, Tab leaves the grid.
    w.grid->SetTabs(false);
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.ok);
}

TEST(StringAlignGrid, AnAlwaysShownEditorComesBackWithItsCaret)
{
    GridWindow w;
    w.grid->SetAlwaysShowEditor(true);
    w.grid->SetAutoEditNextCell(true);
    w.grid->SetCurrentCell(2, 1);
    Settle();
    ASSERT_EQ(w.EditorCell(), "2,1");
    Type("abc");
    Press(Qt::Key_Return);
    EXPECT_EQ(w.events, (std::vector<std::string>{"before 2,1", "after 2,1", "before 3,1"}));

    Type("xyz");
    w.grid->InplaceEditor()->setCursorPosition(1);
    w.ok->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(w.EditorCell(), "none");
    EXPECT_EQ(w.events.back(), "after 3,1");
    w.grid->setFocus(Qt::BacktabFocusReason);
    Settle();
    ASSERT_EQ(w.EditorCell(), "3,1");
    EXPECT_EQ(w.grid->InplaceEditor()->cursorPosition(), 1);
    EXPECT_FALSE(w.grid->InplaceEditor()->hasSelectedText());
}

TEST(StringAlignGrid, EveryWayTextComesInPassesTheKeyFilter)
{
    GridWindow w;
    std::vector<QChar> seen;
    w.grid->SetKeyFilter([&seen](int, int, QChar key, const QString& text) {
        seen.push_back(key);
        if (key == '\r')
            return !text.isEmpty();  // Enter only with something typed
        return key == '\b' || key.isDigit();
    });
    w.grid->ShowEditor();
    TNewInplaceEdit* editor = w.grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);

    Press(Qt::Key_Return);  // refused: the edit goes on
    EXPECT_EQ(w.EditorCell(), "1,1");
    Type("1a2");
    QApplication::clipboard()->setText("3b\r\n4");
    Press(Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent ime;
    ime.setCommitString("5c");
    QApplication::sendEvent(editor, &ime);
    QApplication::clipboard()->setText("x6");
    const auto menu = editor->CreateContextMenu();
    for (QAction* action : menu->actions())
        if (action->text() == "&Paste")
            action->trigger();
    EXPECT_EQ(editor->text(), "123456");
    EXPECT_EQ(w.grid->Cells(1, 1), "123456");
    // Line breaks of pasted text never reach the filter as Enter.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), QChar('\r')), 1);

    Press(Qt::Key_Backspace);
    EXPECT_EQ(editor->text(), "12345");
    Press(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 1), "12345");
    EXPECT_EQ(w.EditorCell(), "none");
}

TEST(StringAlignGrid, LineOperationsKeepTheModelSound)
{
    QtWarnings warnings;
    TStringAlignGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    int moved = 0;
    QObject::connect(&grid, &TStringAlignGrid::OnRowMoved, [&moved](int from, int to) { moved = from * 10 + to; });

    grid.SetColCount(3);
    grid.SetRowCount(5);
    for (int r = 1; r < 5; ++r) {
        grid.SetCells(0, r, QString::number(r));
        grid.SetCells(1, r, QString(QChar('a' + r - 1)));
        grid.SetObjects(r, r);
    }
    grid.SetCells(1, 0, "Name");
    // The editors' small rows, and a fixed column as wide as its header.
    grid.SetDefaultRowHeight(18);
    grid.SetColWidths(0, 30);
    EXPECT_EQ(grid.RowHeights(0), 18);
    EXPECT_EQ(grid.RowHeights(4), 18);
    EXPECT_EQ(grid.verticalHeader()->sizeHint().width(), 30);
    grid.Alignments().SetRow(4, TMyAlign::alRight);
    grid.Brushes().SetRow(4, QBrush(Qt::yellow));
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
    EXPECT_EQ(grid.model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), "3");

    EXPECT_TRUE(grid.MoveRow(4, 1));  // d, a, b, c
    EXPECT_EQ(moved, 41);
    EXPECT_EQ(grid.Cells(1, 1), "d");
    EXPECT_EQ(std::any_cast<int>(*grid.Objects(1)), 4);
    EXPECT_EQ(grid.CellAlignment(1, 1), TMyAlign::alRight);
    EXPECT_EQ(grid.CellBrush(1, 1).color(), QColor(Qt::yellow));

    // Dragging a row by its header cell moves it the same way; the header
    // keeps its plain order.
    grid.SetRowMoving(true);
    grid.verticalHeader()->moveSection(0, 2);  // d from row 1 to row 3
    EXPECT_EQ(moved, 13);
    EXPECT_EQ(grid.Cells(1, 3), "d");
    EXPECT_EQ(std::any_cast<int>(*grid.Objects(3)), 4);
    EXPECT_EQ(grid.verticalHeader()->visualIndex(0), 0);

    EXPECT_EQ(grid.InsertRow(0), 1);  // raised out of the fixed row
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_FALSE(grid.Objects(1)->has_value());
    EXPECT_TRUE(grid.DeleteRow(2));
    EXPECT_FALSE(grid.DeleteRow(0));
    EXPECT_EQ(grid.InsertColumn(5), 3);
    grid.SetRowCount(8);
    grid.SetColCount(2);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    EXPECT_EQ(grid.model()->rowCount(), 8);
    EXPECT_EQ(grid.model()->columnCount(), 2);
    EXPECT_TRUE(warnings.messages.empty()) << warnings.messages.front().toStdString();
}

TEST(StringAlignGrid, CellHintsShowBelowTheirCell)
{
    GridWindow w;
    w.grid->SetCellHint(2, 2, "Survival of stage 2");
    const QRect cell = w.grid->visualRect(w.grid->model()->index(1, 1));
    QHelpEvent overCell(QEvent::ToolTip, cell.center(), w.grid->viewport()->mapToGlobal(cell.center()));
    w.grid->SetShowCellHints(false);
    QApplication::sendEvent(w.grid->viewport(), &overCell);
    EXPECT_FALSE(QToolTip::isVisible());

    w.grid->SetShowCellHints(true);
    QApplication::sendEvent(w.grid->viewport(), &overCell);
    EXPECT_EQ(QToolTip::text(), "Survival of stage 2");
    QWidget* tip = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            tip = top;
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->pos(), w.grid->viewport()->mapToGlobal(QPoint(cell.left(), cell.top() + cell.height() + 6)));
    QToolTip::hideText();
}

// The picture of a small grid: a two-line cell, a right-aligned and a
// centred column; the text must stand where the alignment says.
TEST(StringAlignGrid, DrawsLinesAndAlignmentsWhereTheyBelong)
{
    TStringAlignGrid grid;
    grid.setFont(QFont("DejaVu Sans", 9));
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetDefaultColWidth(90);
    grid.SetDefaultRowHeight(22);
    grid.SetRowHeights(2, 38);
    const char* headers[] = {"", "Left", "Right", "Centre"};
    for (int c = 0; c < 4; ++c)
        grid.SetCells(c, 0, headers[c]);
    for (int r = 1; r < 4; ++r) {
        grid.SetCells(0, r, QString("Stage %1").arg(r));
        for (int c = 1; c < 4; ++c)
            grid.SetCells(c, r, QString::number(r * 1.25 * c));
    }
    grid.SetCells(1, 2, "two\r\nlines");
    grid.Alignments().SetCol(2, TMyAlign::alRight);
    grid.Alignments().SetCol(3, TMyAlign::alCenter);
    grid.Alignments().SetFixedCol(2, TMyAlign::alRight);
    grid.Alignments().SetFixedCol(3, TMyAlign::alCenter);
    grid.resize(4 * 90 + 2 * grid.frameWidth(), 22 * 3 + 38 + 2 * grid.frameWidth());
    grid.SetCurrentCell(3, 3);
    grid.show();
    Settle();
    const QImage image = grid.grab().toImage();
    ASSERT_TRUE(image.save(QString::fromStdString(std::string(PV_BUILD_DIR) + "/string_align_grid.png")));

    // Where the dark pixels of a cell lie.
    const auto ink = [&](int col, int row) {
        const QPoint offset = grid.viewport()->mapTo(&grid, QPoint(0, 0));
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, col - 1)).translated(offset);
        QRect found;
        for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y)
            for (int x = cell.left() + 1; x < cell.right() - 1; ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    found |= QRect(x - cell.left(), y - cell.top(), 1, 1);
        return std::pair(cell, found);
    };
    const auto [left, leftInk] = ink(1, 1);
    EXPECT_LE(leftInk.left(), 4);
    const auto [right, rightInk] = ink(2, 1);
    EXPECT_GE(rightInk.right(), right.width() - 6);
    const auto [centre, centreInk] = ink(3, 1);
    EXPECT_NEAR(centreInk.center().x(), centre.width() / 2, 3);
    // Two lines: the ink reaches well into the second text line.
    const auto [twoLines, twoLinesInk] = ink(1, 2);
    EXPECT_GT(twoLinesInk.height(), QFontMetrics(grid.font()).height() + 4);
}
