#include "ui/display_menu_form.h"

#include "ui/help_service.h"

#include <QPushButton>
#include <QVBoxLayout>

TDisplayMenuForm::TDisplayMenuForm(QWidget* parent, TDisplayResult display, const QString& caption,
                                   int helpContext)
    : QDialog(parent),
      display_(std::move(display)),
      helpContext_(helpContext),
      layout_(new QVBoxLayout(this))
{
    setWindowTitle(caption);
    setMinimumWidth(260);
    AddHelpKey(*this, helpContext_);
}

TModalResult TDisplayMenuForm::Execute() { return ShowModal(*this); }

QPushButton* TDisplayMenuForm::AddButton(const char* name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout_->addWidget(button);
    return button;
}

QPushButton* TDisplayMenuForm::AddResultButton(const char* name, const QString& text, int kind)
{
    QPushButton* button = AddButton(name, text);
    connect(button, &QPushButton::clicked, this, [this, kind] { display_(this, kind); });
    buttons_.push_back({button, kind});
    return button;
}

void TDisplayMenuForm::AddGap() { layout_->addSpacing(8); }

void TDisplayMenuForm::AddHelpButton()
{
    QPushButton* help = AddButton("HelpButton", QStringLiteral("&Help"));
    layout_->addStretch();
    connect(help, &QPushButton::clicked, this, &TDisplayMenuForm::HelpBtnClick);
}

void TDisplayMenuForm::HelpBtnClick() { HelpService().ShowHelp(this, helpContext_); }
