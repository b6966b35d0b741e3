#include "ui/dialog_buttons.h"

#include "ui/help_service.h"
#include "ui/numeric_edit.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpContext)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    TDialogButtons buttons{new QPushButton(QStringLiteral("OK"), &dialog),
                           new QPushButton(QStringLiteral("Cancel"), &dialog),
                           new QPushButton(QStringLiteral("&Help"), &dialog)};
    buttons.Ok->setDefault(true);
    MarkAsCancelButton(*buttons.Cancel);
    for (QPushButton* b : {buttons.Ok, buttons.Cancel, buttons.Help})
        row->addWidget(b);
    layout.addLayout(row);
    QDialog* target = &dialog;
    QObject::connect(buttons.Cancel, &QPushButton::clicked, target, &QDialog::reject);
    QObject::connect(buttons.Help, &QPushButton::clicked, target,
                     [target, helpContext] { HelpService().ShowHelp(target, helpContext); });
    return buttons;
}
