// The main of the window tests: a QApplication on the offscreen platform, the
// "C" locale, and a dialog service that fails a test opening any dialog it
// did not script, so no test ever waits on a dialog.

#include "support/scripted_dialogs.h"

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
    return RUN_ALL_TESTS();
}
