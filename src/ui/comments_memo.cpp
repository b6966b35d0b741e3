#include "ui/comments_memo.h"

#include "core/messages.h"
#include "ui/model_text.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

TCommentsMemo::TCommentsMemo(int maxLines, QWidget* parent) : QPlainTextEdit(parent), maxLines_(maxLines)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    const QFontMetrics metrics(font());
    const int frame = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin());
    // All lines stay in view beside a horizontal scroll bar for long ones.
    setFixedHeight(maxLines_ * metrics.lineSpacing() + frame + horizontalScrollBar()->sizeHint().height() + 4);
    connect(this, &QPlainTextEdit::textChanged, this, &TCommentsMemo::Changed);
    // A change taken back puts the caret where the user last had it.
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!restoring_ && LineCount() <= maxLines_)
            acceptedCursor_ = textCursor().position();
    });
}

int TCommentsMemo::LineCount() const { return static_cast<int>(toPlainText().count(QLatin1Char('\n'))) + 1; }

void TCommentsMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines)
        texts.push_back(ModelText(line));
    {
        const QSignalBlocker block(this);
        setPlainText(texts.join(QLatin1Char('\n')));
    }
    moveCursor(QTextCursor::Start);
    KeepAccepted();
}

std::vector<std::string> TCommentsMemo::Lines() const
{
    const QStringList texts = toPlainText().split(QLatin1Char('\n'));
    std::vector<std::string> lines(static_cast<std::size_t>(maxLines_));
    for (int i = 0; i < maxLines_ && i < texts.size(); ++i)
        lines[static_cast<std::size_t>(i)] = ModelBytes(texts[i]);
    return lines;
}

void TCommentsMemo::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && LineCount() >= maxLines_) {
        WarningBeep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TCommentsMemo::Changed()
{
    if (restoring_)
        return;
    if (LineCount() <= maxLines_) {
        KeepAccepted();
        return;
    }
    // A paste (or any other change) that gives more lines is taken back.
    restoring_ = true;
    setPlainText(accepted_);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(acceptedCursor_, static_cast<int>(accepted_.size())));
    setTextCursor(cursor);
    restoring_ = false;
    WarningBeep();
}

void TCommentsMemo::KeepAccepted()
{
    accepted_ = toPlainText();
    acceptedCursor_ = textCursor().position();
}
