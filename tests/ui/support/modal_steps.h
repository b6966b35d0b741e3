#pragma once
// Steps of scripted modal showings that work a dialog as a user does, the
// buttons they click, and the menu that holds an item.

#include "support/scripted_modals.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

// The dialog's visible button of that caption; null when it has none.
inline QPushButton* VisibleButton(QDialog& dialog, const QString& caption)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == caption && button->isVisible())
            return button;
    return nullptr;
}

// The dialog's visible button of that caption, for a step that clicks it as
// a person does. A dialog without one fails the test, and the step ends.
inline QPushButton& ButtonOf(QDialog& dialog, const QString& caption)
{
    if (QPushButton* button = VisibleButton(dialog, caption))
        return *button;
    ADD_FAILURE() << "no button " << caption.toStdString() << " in " << dialog.windowTitle().toStdString();
    throw std::runtime_error("no such button");
}

// A step that runs `before` on the dialog, then presses its visible button
// of that caption. A dialog without one fails the test and is cancelled (a
// scripted step returns rather than throws, since it runs inside the
// window's own handler).
inline ScriptedModals::TStep PressButton(const QString& caption, std::function<void(QDialog&)> before = {})
{
    return [caption, before](QDialog& dialog) {
        if (before)
            before(dialog);
        if (QPushButton* button = VisibleButton(dialog, caption)) {
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
