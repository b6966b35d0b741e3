#pragma once
// The help window: one topic of a program's help at a time, with links
// between topics, Back and Forward through the topics seen, Contents, and
// Close. It opens over the window that asked for help and runs modally, so
// that help works the same from a dialog as from a main window.

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

class THelpWindow : public QDialog {
    Q_OBJECT
public:
    THelpWindow(QWidget* parent, QUrl contents);

    // Shows `topic` and records it in the history.
    void ShowTopic(const QUrl& topic);

    QTextBrowser& Browser() const { return *browser_; }
    QPushButton& BackButton() const { return *back_; }
    QPushButton& ForwardButton() const { return *forward_; }
    QPushButton& ContentsButton() const { return *contents_; }

private:
    void TopicChanged();

    const QUrl contentsUrl_;
    QTextBrowser* browser_;
    QPushButton* contents_;
    QPushButton* back_;
    QPushButton* forward_;
};
