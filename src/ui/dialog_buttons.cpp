#include "ui/dialog_buttons.h"

#include "ui/help_service.h"
#include "ui/numeric_edit.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpContext, Qt::Orientation orientation)
{
    const bool row = orientation == Qt::Horizontal;
    QBoxLayout* line = row ? static_cast<QBoxLayout*>(new QHBoxLayout) : new QVBoxLayout;
    if (row)
        line->addStretch();
    TDialogButtons buttons{new QPushButton(QStringLiteral("OK"), &dialog),
                           new QPushButton(QStringLiteral("Cancel"), &dialog),
                           new QPushButton(QStringLiteral("&Help"), &dialog), line};
    buttons.Ok->setDefault(true);
    MarkAsCancelButton(*buttons.Cancel);
    for (QPushButton* b : {buttons.Ok, buttons.Cancel, buttons.Help})
        line->addWidget(b);
    if (!row)
        line->addStretch();
    layout.addLayout(line);
    QDialog* target = &dialog;
    QObject::connect(buttons.Cancel, &QPushButton::clicked, target, &QDialog::reject);
    QObject::connect(buttons.Help, &QPushButton::clicked, target,
                     [target, helpContext] { HelpService().ShowHelp(target, helpContext); });
    AddHelpKey(dialog, helpContext);
    return buttons;
}
