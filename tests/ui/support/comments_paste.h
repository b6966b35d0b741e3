#pragma once
// Pastes into a General Information dialog's Comments box as a user does,
// from each kind of clipboard a desktop may hold: one with no data at all
// (its owner has gone), an image only, and a long text. The first two beep
// and change nothing; the text goes in at the caret. Ends with OK.

#include "support/recording_sink.h"
#include "support/user_input.h"
#include "ui/comments_memo.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

// The text the long paste brings: one line of 5,000 characters.
inline QString LongPastedText() { return QString(5000, QLatin1Char('w')); }

inline void PasteEveryClipboardIntoComments(QDialog& dialog)
{
    auto* memo = dialog.findChild<TCommentsMemo*>(QStringLiteral("CommentsMemo"));
    ASSERT_NE(memo, nullptr);
    Click(*memo->viewport());
    ASSERT_EQ(QApplication::focusWidget(), memo);
    Press(Qt::Key_End, Qt::ControlModifier);
    const QString before = memo->toPlainText();

    RecordingSink sink;
    QApplication::clipboard()->setMimeData(new QMimeData);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), before);
    EXPECT_EQ(sink.beeps, 1);

    auto* image = new QMimeData;
    image->setImageData(QImage(8, 8, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(image);
    Press(Qt::Key_V, Qt::ControlModifier);
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(memo->toPlainText(), before);
    EXPECT_EQ(sink.beeps, 3);

    QApplication::clipboard()->clear();
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), before);
    EXPECT_EQ(sink.beeps, 4);

    QApplication::clipboard()->setText(LongPastedText());
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), before + LongPastedText());
    EXPECT_EQ(sink.beeps, 4);
    QApplication::clipboard()->clear();

    // Enter on the fourth line is the memo's; OK is clicked.
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == QLatin1String("OK"))
            Click(*button);
    EXPECT_FALSE(dialog.isVisible());
}

// Whether a stored comment line is `before` with the long paste after it
// (without printing 5,000 characters when it is not).
inline testing::AssertionResult HoldsTheLongPasteAfter(const std::string& line, const std::string& before)
{
    if (line == before + LongPastedText().toStdString())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the line has " << line.size() << " characters: "
                                       << line.substr(0, 80) << "...";
}
