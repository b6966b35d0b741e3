// F1 in a dialog opens the help window at that dialog's topic, in the
// program's own help; the topic's links lead to further topics.

#include "core/config.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/settings_store.h"
#include "stage_tool.h"
#include "stage_ui/main_form.h"
#include "stage_ui/stage_program.h"
#include "support/modal_steps.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/help_service.h"
#include "ui/help_window.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBrowser>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

QString Shown(const THelpWindow& window) { return window.Browser().source().fileName(); }

}  // namespace

TEST(HelpWindow, F1InADialogOpensItsTopicAndTheTopicsLinksResolve)
{
    ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
    PrepareStageModelStore();
    NewModel();
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedModals modals(true);
    TWindowHelpService help(kStrativaHelp);
    TScopedHelpService installed(help);
    TStageProgram program(settings);
    program.MainForm().show();

    struct Case {
        const char* item;
        QString dialog;
        QString topic;
    };
    const Case cases[] = {
        {"StageMatrixItem", "Stage Matrix", "stage_matrix.html"},
        {"GeneralItem", "General Information", "general_information.html"},
        {"PopulationsItem", "Density dependence", "density_dependence.html"},
        {"PopulationManagementItem", "Management & Migration", "management.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        modals.shown.clear();
        QStringList followed;
        modals.steps.push_back([&](QDialog& dialog) {
            dialog.activateWindow();
            QApplication::setActiveWindow(&dialog);
            QWidget* focus = QApplication::focusWidget();
            EXPECT_TRUE(focus && dialog.isAncestorOf(focus));
            QTest::keyClick(focus ? focus : &dialog, Qt::Key_F1);
            return PressButton("Cancel")(dialog);
        });
        modals.steps.push_back([&](QDialog& dialog) {
            auto& window = dynamic_cast<THelpWindow&>(dialog);
            EXPECT_EQ(Shown(window), c.topic);
            EXPECT_FALSE(window.Browser().toPlainText().isEmpty());
            // Every link of the topic, followed from the keyboard, shows a topic.
            window.activateWindow();
            QApplication::setActiveWindow(&window);
            const QUrl topic = window.Browser().source();
            for (int link = 0; link < 40; ++link) {
                window.ShowTopic(topic);
                window.Browser().setFocus();
                for (int tab = 0; tab <= link; ++tab)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                if (QApplication::focusWidget() != &window.Browser() || !window.Browser().textCursor().hasSelection())
                    break;  // past the topic's last link
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                EXPECT_NE(window.Browser().source(), topic) << "link " << link;
                followed << Shown(window);
                EXPECT_FALSE(window.Browser().toPlainText().isEmpty()) << Shown(window).toStdString();
                EXPECT_TRUE(window.windowTitle().startsWith("Help - ")) << window.windowTitle().toStdString();
            }
            return TModalResult::Cancel;
        });
        program.MainForm().Item(c.item).trigger();
        EXPECT_TRUE(modals.steps.empty());
        ASSERT_EQ(modals.shown.size(), 2u);
        EXPECT_EQ(modals.shown[0], c.dialog);
        EXPECT_TRUE(modals.shown[1].startsWith("Help - "));
        EXPECT_TRUE(followed.contains("contents.html")) << followed.join(' ').toStdString();
        EXPECT_GE(followed.size(), 2) << followed.join(' ').toStdString();
    }
}
