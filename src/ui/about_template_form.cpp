#include "ui/about_template_form.h"

#include "ui/url_opener.h"
#include "ui/version_info_resource.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSysInfo>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const char* const kCredits =
    "Copyright (c) Varnholt. All rights reserved.\n\n"
    "This program is supplied as it is, without warranty of any kind. Its results follow from the model "
    "and the values it is given: check both before a decision rests on them.\n\n"
    "The program is built with the Qt toolkit, used under the terms of the GNU Lesser General Public "
    "License version 3.";

}  // namespace

QString ProgramVersionLine()
{
    return QStringLiteral("version ") + QStringLiteral(PV_VERSION) + QStringLiteral(" (") +
           QSysInfo::prettyProductName() + QLatin1Char(')');
}

TAboutTemplateForm::TAboutTemplateForm(const TAboutTexts& texts, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + texts.Title);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* head = new QGridLayout;
    programIcon_ = new QLabel(this);
    programIcon_->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon_->setPixmap(texts.Icon);
    programIcon_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    programIcon_->installEventFilter(this);
    head->addWidget(programIcon_, 0, 0, 3, 1);

    titleLabel_ = new QLabel(texts.Title, this);
    QFont big = titleLabel_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    titleLabel_->setFont(big);
    head->addWidget(titleLabel_, 0, 1, 1, 2);
    label1_ = new QLabel(ProgramVersionLine(), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    head->addWidget(label1_, 1, 1);
    // Hidden until the icon is held; its room is kept so nothing moves.
    versionLabel_ = new QLabel(this);
    versionLabel_->setObjectName(QStringLiteral("VersionLabel"));
    versionLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QSizePolicy keep = versionLabel_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    versionLabel_->setSizePolicy(keep);
    versionLabel_->hide();
    head->addWidget(versionLabel_, 1, 2);
    subtitleLabel_ = new QLabel(texts.Subtitle, this);
    subtitleLabel_->setObjectName(QStringLiteral("SubtitleLabel"));
    head->addWidget(subtitleLabel_, 2, 1, 1, 2);
    head->setColumnStretch(1, 1);
    head->setHorizontalSpacing(12);
    layout->addLayout(head);

    auto* web = new QHBoxLayout;
    web->addWidget(new QLabel(QStringLiteral(" Web site:"), this));
    webSiteLabel_ = new QLabel(QString::fromLatin1(kWebAddress), this);
    webSiteLabel_->setObjectName(QStringLiteral("WebSiteLabel"));
    webSiteLabel_->setCursor(Qt::PointingHandCursor);
    QPalette link = webSiteLabel_->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    webSiteLabel_->setPalette(link);
    QFont underlined = webSiteLabel_->font();
    underlined.setUnderline(true);
    webSiteLabel_->setFont(underlined);
    webSiteLabel_->installEventFilter(this);
    web->addWidget(webSiteLabel_);
    web->addStretch();
    layout->addLayout(web);

    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    richEdit1_->setReadOnly(true);
    richEdit1_->setLineWrapMode(QTextEdit::WidgetWidth);
    richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    richEdit1_->setPlainText(QString::fromLatin1(kCredits));
    richEdit1_->setFixedSize(420, 120);
    layout->addWidget(richEdit1_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    buttons->addWidget(okButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    versionInfo_ = new TVersionInfoResource(this);
    versionLabel_->setText(QStringLiteral("Version ") + versionInfo_->FileVersion());
}

void TAboutTemplateForm::WebSiteLabelClick() { UrlOpener().OpenUrl(webSiteLabel_->text()); }

bool TAboutTemplateForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == programIcon_) {
        if (event->type() == QEvent::MouseButtonPress)
            versionLabel_->show();
        else if (event->type() == QEvent::MouseButtonRelease)
            versionLabel_->hide();
    } else if (watched == webSiteLabel_ && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
               webSiteLabel_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        WebSiteLabelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
