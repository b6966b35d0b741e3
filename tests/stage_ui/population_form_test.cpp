#include "stage_ui/population_form.h"

#include "core/str_utilx.h"
#include "fresh_model.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "ui/combo_box_ex.h"
#include "ui/numeric_edit.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Population 1 a contest population with Rmax 1.5 and K 500 in a 3-stage
// model whose matrix grows; what the dialog opens is recorded.
class PopulationFormTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        Info.stagematrix[1][1][2] = 2;
        Info.stagematrix[1][2][1] = 0.5;
        Info.stagematrix[1][3][2] = 0.5;
        Info.initialabundance[1][1] = 100;
        Info.duration = 20;
        PopulationRecord& pop = Info.populations[1];
        pop.ddtype = 2;
        pop.rmaxtext = "1.5";
        pop.ktext = "500";
        Info.popchanged[1] = false;
        Info.selectedpop = 0;
        TrimTrailingZeros = true;
        charts.clear();
        menus = 0;
    }
    void TearDown() override
    {
        TrimTrailingZeros = trim_;
        FreshModelTest::TearDown();
    }

    TDisplayResult RecordCharts()
    {
        return [this](QWidget* parent, int kind) {
            EXPECT_NE(parent, nullptr);
            charts.push_back(kind);
        };
    }
    TShowPopulationDisplay RecordMenu()
    {
        return [this](QWidget* parent) {
            EXPECT_NE(parent, nullptr);
            EXPECT_EQ(Info.selectedpop, 1);
            ++menus;
        };
    }

    std::vector<int> charts;
    int menus = 0;
    RecordingSink sink_;

private:
    // Saved once per test: SetUp may run again inside a test.
    const bool trim_ = TrimTrailingZeros;
};

}  // namespace

TEST_F(PopulationFormTest, TheTypeDecidesWhichValuesCanBeEdited)
{
    TPopulationForm form(Info, RecordCharts(), RecordMenu());
    form.show();
    EXPECT_EQ(form.windowTitle(), "Density dependence");
    EXPECT_EQ(form.DensityDependenceComboBox().currentText(), "Contest");
    EXPECT_EQ(form.MaxGrowthRateEdit().text(), "1.5000");
    EXPECT_EQ(form.CarryingCapacityEdit().text(), "500");
    const struct {
        const char* type;
        bool rmax, k;
    } cases[] = {{"Exponential", false, false}, {"Scramble", true, true}, {"Ceiling", false, true},
                 {"Contest", true, true}};
    for (const auto& c : cases) {
        form.DensityDependenceComboBox().setCurrentText(c.type);
        EXPECT_EQ(form.MaxGrowthRateEdit().isEnabled(), c.rmax) << c.type;
        EXPECT_EQ(form.CarryingCapacityEdit().isEnabled(), c.k) << c.type;
    }
}

TEST_F(PopulationFormTest, EmptyStoredValuesShowAsOne)
{
    Info.populations[1].rmaxtext = "";
    Info.populations[1].ktext = "";
    TPopulationForm form(Info, RecordCharts(), RecordMenu());
    form.show();
    EXPECT_EQ(form.MaxGrowthRateEdit().text(), "1.0000");
    EXPECT_EQ(form.CarryingCapacityEdit().text(), "1");
    EXPECT_FALSE(form.IsChanged());
}

TEST_F(PopulationFormTest, OkAndApplyStoreTheValuesAndCheckTheModel)
{
    struct Case {
        const char* name;
        std::function<void(TPopulationForm&)> edit;
        bool popchanged, inputsChanged;
        const char* rmaxtext;
        const char* ktext;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"no change", [](TPopulationForm&) {}, false, false, "1.5", "500", {}},
        {"Rmax lowered", [](TPopulationForm& f) { f.MaxGrowthRateEdit().SetValue(1.2); }, true, true, "1.2", "500",
         {}},
        {"only K", [](TPopulationForm& f) { f.CarryingCapacityEdit().SetValue(800); }, false, true, "1.5", "800",
         {}},
        {"type", [](TPopulationForm& f) { f.DensityDependenceComboBox().setCurrentIndex(3); }, true, true, "1.5",
         "500", {}},
        // Stored, and the input check says what is wrong with it.
        {"K of 0", [](TPopulationForm& f) { f.CarryingCapacityEdit().SetValue(0); }, false, true, "1.5", "0",
         {"Invalid input: K (1)"}},
    };
    for (const bool apply : {false, true}) {
        for (const Case& c : cases) {
            SetUp();
            ScriptedModals modals(true);
            modals.steps.push_back([&](QDialog& dialog) {
                auto& form = static_cast<TPopulationForm&>(dialog);
                c.edit(form);
                if (apply) {
                    // Apply, and the dialog stays; Cancel then keeps what Apply stored.
                    form.ApplyButton().click();
                    EXPECT_TRUE(form.isVisible());
                    form.CancelButton().click();
                    return TModalResult::Cancel;
                }
                form.OkButton().click();
                EXPECT_EQ(form.result(), QDialog::Accepted);
                return TModalResult::Ok;
            });
            // The model counts as stored either way, so the main window marks it modified.
            EXPECT_TRUE(TPopulationForm::Execute(nullptr, Info, RecordCharts(), RecordMenu())) << c.name;
            EXPECT_EQ(Info.populations[1].rmaxtext, c.rmaxtext) << c.name;
            EXPECT_EQ(Info.populations[1].ktext, c.ktext) << c.name;
            EXPECT_EQ(InputsChanged, c.inputsChanged) << c.name;
            // The check ran: it leaves no population marked and the state set.
            EXPECT_FALSE(Info.popchanged[1]) << c.name;
            EXPECT_EQ(Info.state, c.warnings.empty() ? kStateInputs : kStateEmpty) << c.name;
            EXPECT_EQ(sink_.warnings, c.warnings) << c.name;
            sink_.warnings.clear();
        }
    }
}

TEST_F(PopulationFormTest, ALoweredRmaxMarksThePopulationUntilTheCheckRuns)
{
    TPopulationForm form(Info, RecordCharts(), RecordMenu());
    form.show();
    form.MaxGrowthRateEdit().SetValue(1.2);
    form.StorePopulation();
    EXPECT_TRUE(Info.popchanged[1]);
    EXPECT_TRUE(InputsChanged);
    form.CarryingCapacityEdit().SetValue(900);
    Info.popchanged[1] = false;
    form.StorePopulation();
    EXPECT_FALSE(Info.popchanged[1]);
}

TEST_F(PopulationFormTest, CancelAloneStoresNothing)
{
    ScriptedModals modals(true);
    modals.steps.push_back([](QDialog& dialog) {
        auto& form = static_cast<TPopulationForm&>(dialog);
        form.MaxGrowthRateEdit().SetValue(3);
        form.CancelButton().click();
        return TModalResult::Cancel;
    });
    EXPECT_FALSE(TPopulationForm::Execute(nullptr, Info, RecordCharts(), RecordMenu()));
    EXPECT_EQ(Info.populations[1].rmaxtext, "1.5");
    EXPECT_FALSE(InputsChanged);
}

TEST_F(PopulationFormTest, DisplayAsksAboutUnappliedChangesFirst)
{
    const QString question = "You made changes, but did not press Apply.  Old data will be displayed.";
    struct Case {
        const char* name;
        bool change;
        TBoxAnswer answer;
        int menus;
    } cases[] = {
        {"no change", false, TBoxAnswer::Ok, 1},
        {"change, shown anyway", true, TBoxAnswer::Ok, 1},
        {"change, cancelled", true, TBoxAnswer::Cancel, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedDialogs dialogs(true);
        dialogs.boxAnswers.push_back(c.answer);
        TPopulationForm form(Info, RecordCharts(), RecordMenu());
        form.show();
        if (c.change)
            form.CarryingCapacityEdit().SetValue(750);
        sink_.statuses.clear();
        form.DisplayButton().click();
        EXPECT_EQ(menus, c.menus) << c.name;
        EXPECT_EQ(dialogs.boxes.size(), c.change ? 1u : 0u) << c.name;
        if (c.change) {
            EXPECT_EQ(dialogs.boxes[0].text, question);
            EXPECT_EQ(dialogs.boxes[0].buttons, TBoxButtons::OkCancel);
            EXPECT_EQ(dialogs.boxes[0].icon, TBoxIcon::Information);
        }
        // The status line is cleared after the menu; a cancelled display
        // leaves everything, the edit included, as it was.
        EXPECT_EQ(sink_.statuses, c.menus ? std::vector<std::string>{""} : std::vector<std::string>{}) << c.name;
        EXPECT_EQ(Info.selectedpop, c.menus ? 1 : 0) << c.name;
        EXPECT_EQ(form.CarryingCapacityEdit().text(), c.change ? "750" : "500") << c.name;
        EXPECT_EQ(Info.populations[1].ktext, "500") << c.name;
        dialogs.boxAnswers.clear();
    }
    EXPECT_TRUE(charts.empty());
}

TEST_F(PopulationFormTest, TheContextMenuOpensEitherChart)
{
    TPopulationForm form(Info, RecordCharts(), RecordMenu());
    form.show();
    const QList<QAction*> items = form.PopupMenu().actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "&Density Dependence in R");
    EXPECT_EQ(items[1]->text(), "&Replacement Curve");
    form.CarryingCapacityEdit().SetValue(750);   // no question: the chart is of the stored model
    items[1]->trigger();
    items[0]->trigger();
    EXPECT_EQ(charts, (std::vector<int>{2, 1}));
    EXPECT_EQ(Info.selectedpop, 1);
    EXPECT_EQ(menus, 0);
}

TEST_F(PopulationFormTest, ValuesOutOfRangeAreRefusedWithTheEditsRange)
{
    RecordingHelp help;
    struct Case {
        const char* name;
        std::function<void(TPopulationForm&)> edit;
        std::string message;
        const char* focus;
    };
    const std::vector<Case> cases = {
        {"K above its range", [](TPopulationForm& f) { f.CarryingCapacityEdit().setText("3000000000"); },
         "This value must be between 0 and 2147483647, inclusive.", "CarryingCapacityEdit"},
        {"Rmax above its range", [](TPopulationForm& f) { f.MaxGrowthRateEdit().setText("25.0000"); },
         "This value must be between 0 and 20, inclusive.", "MaxGrowthRateEdit"},
    };
    for (const Case& c : cases) {
        SetUp();
        TPopulationForm form(Info, RecordCharts(), RecordMenu());
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        c.edit(form);
        for (QPushButton* button : {&form.ApplyButton(), &form.OkButton()}) {
            button->click();
            ASSERT_EQ(sink_.boxes.size(), 1u) << c.name;
            EXPECT_EQ(sink_.boxes[0].text, c.message) << c.name;
            EXPECT_EQ(sink_.boxes[0].kind, TBoxKind::Error) << c.name;
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus) << c.name;
            sink_.boxes.clear();
        }
        EXPECT_FALSE(form.Stored()) << c.name;
        EXPECT_NE(form.result(), QDialog::Accepted) << c.name;
        EXPECT_EQ(Info.populations[1].ktext, "500") << c.name;

        // Leaving the edit: once the focus has moved; Help needs no valid value.
        form.DensityDependenceComboBox().setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(sink_.boxes.size(), 1u) << c.name;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus) << c.name;
        form.HelpButton().setFocus(Qt::TabFocusReason);
        form.HelpButton().click();
        QApplication::processEvents();
        EXPECT_EQ(sink_.boxes.size(), 1u) << c.name;
        sink_.boxes.clear();
    }
    EXPECT_EQ(help.contexts, (std::vector<int>{10400, 10400}));

    // A minus typed makes the value negative, as typed, and the range
    // refuses it: the sign is never dropped so that another value remains.
    TPopulationForm form(Info, RecordCharts(), RecordMenu());
    form.show();
    for (TFnpNumericEdit* edit : {&form.MaxGrowthRateEdit(), &form.CarryingCapacityEdit()}) {
        const QString before = edit->text();
        edit->setFocus();
        edit->deselect();
        QTest::keyClick(edit, Qt::Key_Minus);
        EXPECT_EQ(edit->text(), "-" + before);
        EXPECT_EQ(edit->Reading().refusal, TNumberRefusal::OutOfRange);
    }
}
