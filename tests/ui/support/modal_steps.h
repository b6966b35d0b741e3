#pragma once
// Steps of scripted modal showings that work a dialog as a user does, and
// the menu that holds an item.

#include "support/scripted_modals.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

// A step that runs `before` on the dialog, then presses its visible button
// of that caption.
inline ScriptedModals::TStep PressButton(const QString& caption, std::function<void(QDialog&)> before = {})
{
    return [caption, before](QDialog& dialog) {
        if (before)
            before(dialog);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == caption && button->isVisible()) {
                button->click();
                return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
            }
        ADD_FAILURE() << "no button " << caption.toStdString() << " in " << dialog.windowTitle().toStdString();
        return TModalResult::Cancel;
    };
}

// The menu that holds an item.
inline QMenu& MenuOf(QAction& item)
{
    for (QObject* holder : item.associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder))
            return *menu;
    throw std::runtime_error("the item is in no menu");
}
