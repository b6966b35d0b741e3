#pragma once
// Typing and clicking as a user does, in the windows of every program: keys
// go to the widget that has the focus, a click lets the application run
// between pressing and letting go, and the events a step posts are taken in
// before the next one.

#include "ui/string_align_grid.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

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
