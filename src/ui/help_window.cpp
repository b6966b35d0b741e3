#include "ui/help_window.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>

THelpWindow::THelpWindow(QWidget* parent, QUrl contents)
    : QDialog(parent), contentsUrl_(std::move(contents)), browser_(new QTextBrowser(this)),
      contents_(new QPushButton(QStringLiteral("&Contents"), this)),
      back_(new QPushButton(QStringLiteral("&Back"), this)),
      forward_(new QPushButton(QStringLiteral("&Forward"), this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Topics link only to each other; nothing leaves the program's help.
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    contents_->setObjectName(QStringLiteral("ContentsButton"));
    back_->setObjectName(QStringLiteral("BackButton"));
    forward_->setObjectName(QStringLiteral("ForwardButton"));
    close->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* b : {contents_, back_, forward_, close})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents_);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    connect(contents_, &QPushButton::clicked, this, [this] { ShowTopic(contentsUrl_); });
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { TopicChanged(); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    QSize size(720, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.9);
    resize(size);
    browser_->setFocus();
}

void THelpWindow::ShowTopic(const QUrl& topic) { browser_->setSource(topic, QTextDocument::HtmlResource); }

void THelpWindow::TopicChanged()
{
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : QStringLiteral("Help - ") + title);
}
