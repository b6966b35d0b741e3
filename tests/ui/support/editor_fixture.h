#pragma once
// What the tests of the programs' editors share: the age/stage model store
// of known limits (5 stages, 40 time steps, 200 replications), the number
// switches the programs run with, and recorded messages, beeps and help; plus
// typing and clicking as a user does, into the widget that has the focus.

#include "stage/model_store.h"
#include "core/str_utilx.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "ui/string_align_grid.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class EditorTest : public testing::Test {
public:
    static ModelLimits Limits()
    {
        ModelLimits limits;
        limits.stages = 5;
        limits.duration = 40;
        limits.replications = 200;
        return limits;
    }

    void SetUp() override
    {
        CreateModelStore(Limits());
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
        InputsChanged = false;
        Info.matrixchanged[1] = false;
    }

    void TearDown() override
    {
        TrimTrailingZeros = false;
        InputsChanged = false;
    }

    // A three-stage Leslie matrix as stage matrix 1; the standard deviations
    // a tenth of it.
    static void UseLeslieMatrix()
    {
        const float rows[3][3] = {{0, 4, 3}, {0.5f, 0, 0}, {0, 0.25f, 0}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c) {
                Info.stagematrix[1][r][c] = rows[r - 1][c - 1];
                Info.stdevmatrix[1][r][c] = rows[r - 1][c - 1] / 10;
            }
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : sink.boxes)
            texts.push_back(box.text);
        return texts;
    }

    RecordingSink sink;
    RecordingHelp help;
};

inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Shows a window and makes it the active one, as a user finds a dialog.
inline void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    Settle();
}

inline void Type(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    Settle();
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    Settle();
}

// A click as a user makes it: the application runs between pressing and
// letting go.
inline void Click(QWidget& widget, QPoint at = QPoint())
{
    if (at.isNull())
        at = widget.rect().center();
    QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, at);
    Settle();
    QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, at);
    Settle();
}

// Opens the editor of a cell of a shown grid, its text selected.
inline void EditCell(TStringAlignGrid& grid, int col, int row)
{
    grid.setFocus();
    grid.SetCurrentCell(col, row);
    grid.ShowEditor();
    Settle();
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    ASSERT_EQ(grid.InplaceEditor()->Col() * 100 + grid.InplaceEditor()->Row(), col * 100 + row);
}

// Clicks a non-fixed cell of a shown grid.
inline void ClickCell(TStringAlignGrid& grid, int col, int row)
{
    const QModelIndex index = grid.model()->index(row - grid.FixedRows(), col - grid.FixedCols());
    Click(*grid.viewport(), grid.visualRect(index).center());
}
