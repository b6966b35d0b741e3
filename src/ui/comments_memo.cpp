#include "ui/comments_memo.h"

#include "core/messages.h"
#include "ui/model_text.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
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
    // The paste keys read the clipboard here, so that one without any data
    // beeps too (Qt passes over it without a sound).
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        InsertPastedText(QGuiApplication::clipboard()->mimeData());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TCommentsMemo::canInsertFromMimeData(const QMimeData* source) const
{
    return source != nullptr && source->hasText();
}

// Every paste and drop (the keys, the context menu, the middle button) ends
// here; the base class's insertion is never called.
void TCommentsMemo::insertFromMimeData(const QMimeData* source) { InsertPastedText(source); }

void TCommentsMemo::InsertPastedText(const QMimeData* source)
{
    QString text = source != nullptr && source->hasText() ? source->text() : QString();
    if (text.isEmpty()) {
        WarningBeep();
        return;
    }
    // Line ends of any system count as one line break each.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    insertPlainText(text);
    ensureCursorVisible();
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
