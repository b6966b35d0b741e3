#include "stage_ui/population_management_form.h"

#include "fresh_model.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/scripted_modals.h"
#include "ui/combo_box_ex.h"
#include "ui/numeric_edit.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Three stages, a 20-step run, and the actions a test gives.
class ManagementFormTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        Info.duration = 20;
        Info.stageprops[1].name = "Seedling";
        Info.stageprops[2].name = "Rosette";
        Info.stageprops[3].name = "Flowering";
    }

    static ManagementRecord& AddRecord(std::uint8_t kind, std::int32_t number, int first, int last)
    {
        ManagementRecord& r = Info.actions[++Info.actioncount];
        r = ManagementRecord{};
        r.active = true;
        r.kind = kind;
        r.number = number;
        r.firststage = static_cast<std::uint8_t>(first);
        r.laststage = static_cast<std::uint8_t>(last);
        r.frompop = r.topop = 1;
        r.begintime = r.period = 1;
        r.endtime = 20;
        return r;
    }

    // Three harvests of 10, 20 and 30 individuals.
    static void ThreeHarvests()
    {
        for (int n : {10, 20, 30})
            AddRecord(0, n, 1, 3);
    }

    static std::vector<QString> ListTexts(const TPopulationManagementForm& form)
    {
        std::vector<QString> texts;
        for (int i = 0; i < form.ListBox().count(); ++i)
            texts.push_back(form.ListBox().item(i)->text());
        return texts;
    }

    RecordingSink sink_;
};

}  // namespace

TEST_F(ManagementFormTest, ShowsEachActionAndStoresItAsThisProgramRunsIt)
{
    ManagementRecord& translocation = AddRecord(2, 40, 2, 3);
    translocation.frompop = 3;
    translocation.topop = 2;
    translocation.begintime = 5;
    translocation.endtime = 60;
    translocation.period = 3;
    translocation.condition = 1;
    translocation.threshold = 100;
    ManagementRecord& ignored = AddRecord(0, 0, 3, 3);
    ignored.active = false;
    ignored.amountkind = 1;
    ignored.proportion = 0.25f;

    TPopulationManagementForm form(Info);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Management & Migration");
    EXPECT_EQ(ListTexts(form), (std::vector<QString>{"Translocate", "Harvest/Emigration (ignored)"}));
    ASSERT_EQ(form.ListBox().currentRow(), 0);
    // A translocation is shown as an introduction.
    EXPECT_TRUE(form.IntroduceRadioButton().isChecked());
    EXPECT_TRUE(form.NumberRadioButton().isChecked());
    EXPECT_EQ(form.NumberSpinEdit().value(), 40);
    EXPECT_EQ(form.StartStageComboBox().currentText(), "Rosette");
    EXPECT_EQ(form.StopStageComboBox().currentText(), "Flowering");
    EXPECT_EQ(form.StartStageComboBox().count(), 3);

    form.ListBox().setCurrentRow(1);
    EXPECT_TRUE(form.IgnoreCheckBox().isChecked());
    EXPECT_TRUE(form.ProportionRadioButton().isChecked());
    EXPECT_EQ(form.ProportionEdit().text(), "0.2500");
    // Leaving the translocation stored it as an introduction.
    EXPECT_EQ(form.ListBox().item(0)->text(), "Introduction/Immigration");

    form.OkButton().click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(Info.actioncount, 2);
    const ManagementRecord& first = Info.actions[1];
    EXPECT_EQ(first.kind, 1);
    EXPECT_EQ(first.number, 40);
    EXPECT_EQ((std::vector<int>{first.frompop, first.topop, first.begintime, first.endtime, first.period,
                                first.condition, first.threshold, first.timing}),
              (std::vector<int>{1, 1, 1, 20, 1, 0, 0, 0}));
    EXPECT_FALSE(Info.actions[2].active);
    EXPECT_FLOAT_EQ(Info.actions[2].proportion, 0.25f);
    EXPECT_TRUE(InputsChanged);
}

TEST_F(ManagementFormTest, DetailControlsFollowTheChoices)
{
    AddRecord(0, 5, 1, 1);
    TPopulationManagementForm form(Info);
    form.show();
    auto state = [&] {
        return std::vector<bool>{form.IgnoreCheckBox().isEnabled(), form.HarvestRadioButton().isEnabled(),
                                 form.NumberSpinEdit().isEnabled(), form.ProportionRadioButton().isEnabled(),
                                 form.ProportionEdit().isEnabled()};
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        std::vector<bool> enabled;
    };
    const std::vector<Step> steps = {
        {"harvest by number", [] {}, {true, true, true, true, false}},
        {"proportion", [&] { form.ProportionRadioButton().click(); }, {true, true, false, true, true}},
        // Introductions are numbers: the proportion stays chosen, but only
        // Number can be chosen next.
        {"introduction", [&] { form.IntroduceRadioButton().click(); }, {true, true, false, false, false}},
        {"ignored", [&] { form.IgnoreCheckBox().click(); }, {true, false, false, false, false}},
        {"no longer ignored", [&] { form.IgnoreCheckBox().click(); }, {true, true, false, false, false}},
        {"number", [&] { form.NumberRadioButton().click(); }, {true, true, true, false, false}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(state(), step.enabled) << step.name;
    }

    // Nothing selected: only the list and Add, and the panel says why.
    form.DeleteButton().click();
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(form.Panel().toolTip(), "Please select a management action first");
    EXPECT_FALSE(form.DeleteButton().isEnabled());
    EXPECT_TRUE(form.AddButton().isEnabled());
    form.AddButton().click();
    EXPECT_TRUE(form.Panel().toolTip().isEmpty());
}

TEST_F(ManagementFormTest, TheKindAndIgnoreShowInTheListAtOnceAndAProportionChosenEarlierIsStored)
{
    AddRecord(0, 5, 1, 1);
    TPopulationManagementForm form(Info);
    form.show();
    form.ProportionRadioButton().click();
    form.IntroduceRadioButton().click();
    EXPECT_EQ(form.ListBox().item(0)->text(), "Introduction/Immigration");
    form.IgnoreCheckBox().click();
    EXPECT_EQ(form.ListBox().item(0)->text(), "Introduction/Immigration (ignored)");
    form.OkButton().click();
    EXPECT_EQ(Info.actions[1].kind, 1);
    EXPECT_EQ(Info.actions[1].amountkind, 1);  // for the input check to report
    EXPECT_FALSE(Info.actions[1].active);
}

TEST_F(ManagementFormTest, AHundredActionsIsTheLimit)
{
    TPopulationManagementForm form(Info);
    form.show();
    EXPECT_TRUE(form.AddButton().isEnabled());
    EXPECT_FALSE(form.DuplicateButton().isEnabled());
    for (int i = 0; i < 99; ++i)
        form.AddButton().click();
    EXPECT_TRUE(form.AddButton().isEnabled());
    EXPECT_TRUE(form.DuplicateButton().isEnabled());
    form.DuplicateButton().click();
    EXPECT_EQ(form.ListBox().count(), 100);
    EXPECT_FALSE(form.AddButton().isEnabled());
    EXPECT_FALSE(form.DuplicateButton().isEnabled());
    form.AddButtonClick();
    form.DuplicateButtonClick();
    EXPECT_EQ(form.ListBox().count(), 100);
    form.OkButton().click();
    EXPECT_EQ(Info.actioncount, 100);
    // A new action is an active harvest of 0 individuals with no stages,
    // which the input check reports.
    EXPECT_EQ(Info.actions[100].firststage, 0);
    EXPECT_TRUE(Info.actions[100].active);
}

TEST_F(ManagementFormTest, AnEditAfterDeleteIsKept)
{
    struct Case {
        int deleted;
        int selectedAfter;
        std::vector<int> stored;
    } cases[] = {
        {1, 1, {10, 77}},  // the next action takes the row
        {2, 1, {10, 77}},  // the last: the one before it
        {0, 0, {77, 30}},
    };
    for (const Case& c : cases) {
        SetUp();
        ThreeHarvests();
        TPopulationManagementForm form(Info);
        form.show();
        form.ListBox().setCurrentRow(c.deleted);
        form.DeleteButton().click();
        ASSERT_EQ(form.ListBox().currentRow(), c.selectedAfter) << c.deleted;
        form.NumberSpinEdit().setValue(77);
        // Moving to another action stores the edit too.
        form.ListBox().setCurrentRow(1 - c.selectedAfter);
        form.OkButton().click();
        std::vector<int> stored;
        for (int i = 1; i <= Info.actioncount; ++i)
            stored.push_back(Info.actions[i].number);
        EXPECT_EQ(stored, c.stored) << "deleted row " << c.deleted;
    }
}

TEST_F(ManagementFormTest, DuplicateCopiesTheActionAsLastStoredAndMovesKeepTheSelection)
{
    ThreeHarvests();
    TPopulationManagementForm form(Info);
    form.show();
    form.ListBox().setCurrentRow(1);
    form.NumberSpinEdit().setValue(55);   // not yet stored
    form.IntroduceRadioButton().click();  // the type is at once
    form.DuplicateButton().click();
    EXPECT_EQ(form.ListBox().currentRow(), 1);
    ASSERT_EQ(form.ListBox().count(), 4);
    EXPECT_EQ(form.ListBox().item(3)->text(), "Introduction/Immigration");

    form.MoveUpButton().click();
    EXPECT_EQ(form.ListBox().currentRow(), 0);
    EXPECT_FALSE(form.MoveUpButton().isEnabled());
    EXPECT_EQ(form.NumberSpinEdit().value(), 55);
    form.MoveDownButton().click();
    form.MoveDownButton().click();
    EXPECT_EQ(form.ListBox().currentRow(), 2);
    form.OkButton().click();
    std::vector<int> numbers, kinds;
    for (int i = 1; i <= Info.actioncount; ++i) {
        numbers.push_back(Info.actions[i].number);
        kinds.push_back(Info.actions[i].kind);
    }
    EXPECT_EQ(numbers, (std::vector<int>{10, 30, 55, 20}));
    EXPECT_EQ(kinds, (std::vector<int>{0, 0, 1, 1}));
}

TEST_F(ManagementFormTest, TheFlagsAfterEachWayOfClosing)
{
    struct Case {
        const char* name;
        std::function<void(TPopulationManagementForm&)> work;
        bool ok;
        bool inputsChanged;
        int actions;
    };
    const std::vector<Case> cases = {
        {"OK without a change", [](TPopulationManagementForm& f) { f.OkButton().click(); }, true, false, 3},
        {"Add then Cancel",
         [](TPopulationManagementForm& f) {
             f.AddButton().click();
             f.CancelButton().click();
         },
         false, false, 3},
        {"Delete then OK",
         [](TPopulationManagementForm& f) {
             f.ListBox().setCurrentRow(2);
             f.DeleteButton().click();
             f.OkButton().click();
         },
         true, true, 2},
        {"edit then Cancel",
         [](TPopulationManagementForm& f) {
             f.NumberSpinEdit().setValue(99);
             f.CancelButton().click();
         },
         false, false, 3},
    };
    for (const Case& c : cases) {
        SetUp();
        ThreeHarvests();
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            c.work(static_cast<TPopulationManagementForm&>(dialog));
            return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
        });
        EXPECT_EQ(TPopulationManagementForm::Execute(nullptr, Info), c.ok) << c.name;
        EXPECT_EQ(InputsChanged, c.inputsChanged) << c.name;
        EXPECT_EQ(Info.actioncount, c.actions) << c.name;
        EXPECT_EQ(Info.actions[1].number, 10) << c.name;
    }
}

TEST_F(ManagementFormTest, AProportionOutOfRangeIsRefusedAndNoMinusIsTyped)
{
    AddRecord(0, 5, 1, 1);
    AddRecord(0, 6, 1, 1);
    RecordingHelp help;
    TPopulationManagementForm form(Info);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), &form.ListBox());
    form.NumberSpinEdit().selectAll();
    // A minus is kept as typed, for the range to refuse, never dropped.
    QTest::keyClicks(&form.NumberSpinEdit(), "-12");
    EXPECT_EQ(form.NumberSpinEdit().cleanText(), "-12");
    EXPECT_FALSE(form.NumberSpinEdit().TextInRange());
    form.NumberSpinEdit().selectAll();
    QTest::keyClicks(&form.NumberSpinEdit(), "12");
    EXPECT_EQ(form.NumberSpinEdit().value(), 12);
    form.ProportionRadioButton().click();
    form.ProportionEdit().SetValue(0.5);
    form.ProportionEdit().setFocus();
    form.ProportionEdit().deselect();
    QTest::keyClick(&form.ProportionEdit(), Qt::Key_Minus);
    EXPECT_EQ(form.ProportionEdit().text(), "-0.5000");
    EXPECT_EQ(form.ProportionEdit().Reading().refusal, TNumberRefusal::OutOfRange);

    form.ProportionEdit().setText("2.0000");
    const std::string message = "The proportion must be a number between 0 and 1, inclusive.";
    // Neither another action nor OK takes it; the focus comes back to it.
    form.ListBox().setCurrentRow(1);
    EXPECT_EQ(form.ListBox().currentRow(), 0);
    form.OkButton().click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    ASSERT_EQ(sink_.boxes.size(), 2u);
    for (const RecordedBox& box : sink_.boxes) {
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.kind, TBoxKind::Warning);
    }
    EXPECT_EQ(QApplication::focusWidget(), &form.ProportionEdit());

    // Leaving it for another control says so once, after the focus moved.
    sink_.boxes.clear();
    form.IgnoreCheckBox().setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(sink_.boxes.empty());
    QApplication::processEvents();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), &form.ProportionEdit());

    // Cancel and Help need no valid value.
    sink_.boxes.clear();
    form.HelpButton().setFocus(Qt::TabFocusReason);
    form.HelpButton().click();
    QApplication::processEvents();
    EXPECT_TRUE(sink_.boxes.empty());
    EXPECT_EQ(help.contexts, std::vector<int>{11000});
    form.CancelButton().click();
    EXPECT_EQ(Info.actions[1].amountkind, 0);
}
