#include "ui/clipboard_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

namespace {

const QString kCsv = QString::fromLatin1(kCsvMimeType);

QString ClipboardCsv()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(kCsv) ? QString::fromUtf8(data->data(kCsv)) : QString();
}

TEST(ClipboardCopy, OneCopyHoldsTextAndCsvAndReplacesEverything)
{
    // The clipboard of the offscreen platform keeps data within the process,
    // so a round trip shows what a paste would get.
    CopyListToClipboardAsCsv({"Time,Mean", "0,10.5"}, "Time  Mean\n0  10.5");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "Time  Mean\r\n0  10.5");
    EXPECT_EQ(ClipboardCsv(), "Time,Mean\r\n0,10.5\r\n");

    // A result with no comma-separated lines: its text replaces the old copy
    // and no old CSV stays for a spreadsheet to paste.
    CopyListToClipboardAsCsv({}, "No result");
    data = QApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text(), "No result");
    EXPECT_FALSE(data->hasFormat(kCsv));

    // Without a text of its own the lines are the plain text too.
    CopyListToClipboardAsCsv({"a,b"});
    EXPECT_EQ(QApplication::clipboard()->text(), "a,b\r\n");
    EXPECT_EQ(ClipboardCsv(), "a,b\r\n");

    // A plain-text copy drops the CSV of the copy before.
    QPlainTextEdit memo;
    memo.setPlainText("x");
    ASSERT_TRUE(CopyMemoToClipboard(memo, true));
    EXPECT_EQ(QApplication::clipboard()->text(), "x");
    EXPECT_TRUE(ClipboardCsv().isEmpty());
}

TEST(ClipboardCopy, MemoCopiesItsSelectionOrAllWithCrlf)
{
    QPlainTextEdit memo;
    memo.setPlainText("line one\nline two\nline three");

    ASSERT_TRUE(CopyMemoToClipboard(memo, true));
    EXPECT_EQ(QApplication::clipboard()->text(), "line one\r\nline two\r\nline three");

    // "one" to "two": across a line end.
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(5);
    cursor.setPosition(17, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    ASSERT_TRUE(CopyMemoToClipboard(memo, false));
    EXPECT_EQ(QApplication::clipboard()->text(), "one\r\nline two");

    // Nothing selected and not everything asked for: the clipboard stays.
    cursor.clearSelection();
    memo.setTextCursor(cursor);
    EXPECT_FALSE(CopyMemoToClipboard(memo, false));
    EXPECT_EQ(QApplication::clipboard()->text(), "one\r\nline two");
}

}  // namespace
