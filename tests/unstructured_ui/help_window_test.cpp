// F1 in a dialog of Plurimod or Monovara opens the help window at that
// dialog's topic, in that program's own help.

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/settings_store.h"
#include "multi/model_data.h"
#include "multi/startup.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"
#include "single_ui/main_form.h"
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

#include <memory>

namespace {

struct Case {
    const char* item;
    QString dialog;
    QString topic;
};

// Opens each dialog from its menu item, presses F1 in it, and checks the
// topic the help window shows and that it has text and links.
void ExpectHelpTopics(unstructured_ui::TMainForm& form, const QString& help, std::initializer_list<Case> cases)
{
    ScriptedModals modals(true);
    TWindowHelpService service(help);
    TScopedHelpService installed(service);
    form.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        modals.shown.clear();
        modals.steps.push_back([](QDialog& dialog) {
            QApplication::setActiveWindow(&dialog);
            QWidget* focus = QApplication::focusWidget();
            EXPECT_TRUE(focus && dialog.isAncestorOf(focus));
            QTest::keyClick(focus ? focus : &dialog, Qt::Key_F1);
            return PressButton("Cancel")(dialog);
        });
        modals.steps.push_back([&c](QDialog& dialog) {
            auto& window = dynamic_cast<THelpWindow&>(dialog);
            EXPECT_EQ(window.Browser().source().fileName(), c.topic);
            EXPECT_GT(window.Browser().toPlainText().size(), 200);
            EXPECT_TRUE(window.Browser().toHtml().contains("href=\"contents.html\""));
            return TModalResult::Cancel;
        });
        form.Item(c.item).trigger();
        EXPECT_TRUE(modals.steps.empty());
        ASSERT_EQ(modals.shown.size(), 2u);
        EXPECT_EQ(modals.shown[0], c.dialog);
    }
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table_ = CurrentKindTable();
        multi::StartMultiEngine(multi::TMultiLimits{});
    }
    void TearDown() override { SelectKindTable(table_); }

    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;

private:
    TKindTable table_{};
};

}  // namespace

TEST_F(HelpWindowTest, F1InAPlurimodDialogOpensItsTopic)
{
    SelectKindTable(TKindTable::Plurimod);
    multi::TMultiProgram program(settings);
    ExpectHelpTopics(program.MainForm(), kPlurimodHelp,
                     {{"GeneralItem", "General Information", "general_information.html"},
                      {"PopulationsItem", "Populations", "populations.html"},
                      {"DispersalItem", "Dispersal and Correlation", "dispersal_correlation.html"}});
}

TEST_F(HelpWindowTest, F1InAMonovaraDialogOpensItsTopic)
{
    SelectKindTable(TKindTable::Monovara);
    unstructured_ui::TProgramWindows program([this] { return std::make_unique<single_ui::TMainForm>(settings); });
    ExpectHelpTopics(program.MainForm(), kMonovaraHelp,
                     {{"GeneralItem", "General Information", "general_information.html"},
                      {"PopulationsItem", "Population", "population.html"}});
}
