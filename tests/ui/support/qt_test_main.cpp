// The main of the window tests: a QApplication on the offscreen platform, the
// "C" locale, and dialog services that fail a test opening any dialog or
// modal window it did not script, so no test ever waits on a dialog.

#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ScriptedDialogs refuseDialogs(true);
    ScriptedModals refuseModals(true);
    return RUN_ALL_TESTS();
}
