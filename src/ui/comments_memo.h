#pragma once
// The comments of a model in a dialog: a memo of at most a given number of
// lines, without word wrap. Enter on the last line allowed is refused with
// the warning beep; any other change that gives more lines (a paste) is
// taken back at once, with the same beep. Sized to show all its lines.
//
// A paste takes plain text only, through the same line rule; a clipboard
// without text (empty, an image only, or one whose owner has gone) gives
// the beep and changes nothing. Qt 6.4's own paste dereferences a null
// pointer on such a clipboard and ends the program, so the memo never hands
// a paste to it (see InsertPastedText).

#include <QPlainTextEdit>

#include <string>
#include <vector>

class TCommentsMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TCommentsMemo(int maxLines, QWidget* parent = nullptr);

    int MaxLines() const { return maxLines_; }
    // Lines as the user sees them (a line break within a paragraph counts).
    int LineCount() const;

    // Shows the model's comment lines (8-bit texts), the caret at the start.
    void SetLines(const std::vector<std::string>& lines);
    // The memo's lines as the model keeps them: exactly MaxLines texts,
    // empty where the memo has fewer lines.
    std::vector<std::string> Lines() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Inserts the text a paste or drop brings, or beeps when it brings none.
    void InsertPastedText(const QMimeData* source);
    void Changed();
    void KeepAccepted();

    int maxLines_;
    // The text as it last held at most MaxLines lines, and the caret in it,
    // to take back a change that gives more.
    QString accepted_;
    int acceptedCursor_ = 0;
    bool restoring_ = false;
};
