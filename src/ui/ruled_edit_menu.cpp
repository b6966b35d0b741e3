#include "ui/ruled_edit_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

std::unique_ptr<QMenu> CreateRuledEditMenu(QLineEdit& edit, const TRuledEditActions& actions)
{
    auto menu = std::make_unique<QMenu>(&edit);
    const bool editable = !edit.isReadOnly();
    const bool selected = edit.hasSelectedText();
    menu->addAction(QMenu::tr("Cu&t"), &edit, actions.cut)->setEnabled(editable && selected);
    menu->addAction(QMenu::tr("&Copy"), &edit, &QLineEdit::copy)->setEnabled(selected);
    menu->addAction(QMenu::tr("&Paste"), &edit, actions.paste)
        ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu->addAction(QMenu::tr("Delete"), &edit, actions.deleteSelection)->setEnabled(editable && selected);
    menu->addSeparator();
    menu->addAction(QMenu::tr("Select All"), &edit, &QLineEdit::selectAll);
    return menu;
}
