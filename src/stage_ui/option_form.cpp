#include "stage_ui/option_form.h"

#include "ui/dialog_buttons.h"
#include "ui/modal_dialogs.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TOptionForm::TOptionForm(TSettingsStore& store, QWidget* parent) : QDialog(parent), options_(store)
{
    setWindowTitle(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    auto* general = new QWidget(pages_);
    general->setObjectName(QStringLiteral("GeneralTabSheet"));
    general->setMinimumSize(300, 160);
    pages_->addTab(general, QStringLiteral("General"));
    layout->addWidget(pages_);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

bool TOptionForm::Execute() { return ShowModal(*this) == TModalResult::Ok; }
