#include "support/scripted_modals.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

ScriptedModals::ScriptedModals(bool failUnscripted)
    : failUnscripted_(failUnscripted), installed_([this](QDialog& dialog) { return Show(dialog); })
{
}

TModalResult ScriptedModals::Show(QDialog& dialog)
{
    shown.push_back(dialog.windowTitle());
    if (steps.empty()) {
        if (failUnscripted_)
            ADD_FAILURE() << "a test showed a dialog it did not script: " << dialog.windowTitle().toStdString();
        return TModalResult::Cancel;
    }
    const TStep step = steps.front();
    steps.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    const TModalResult result = step(dialog);
    dialog.hide();
    return result;
}
