#include "multi_ui/population_form.h"

#include "multi/result_kinds.h"
#include "support/editor_fixture.h"
#include "support/sample_model_test_base.h"
#include "support/scripted_modals.h"
#include "ui/combo_box_ex.h"
#include "ui/numeric_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using multi::TPopulationForm;

namespace {

class PopulationFormTest : public SampleModelTest {
protected:
    std::unique_ptr<TPopulationForm> Open()
    {
        auto form = std::make_unique<TPopulationForm>(model, RecordResults(), RecordMenus());
        form->show();
        return form;
    }

    static std::vector<QString> Names(const TPopulationForm& form)
    {
        std::vector<QString> names;
        for (int i = 0; i < form.PopulationsListBox().count(); ++i)
            names.push_back(form.PopulationsListBox().item(i)->text());
        return names;
    }

    static std::vector<bool> Buttons(const TPopulationForm& form)
    {
        return {form.AddButton().isEnabled(), form.DeleteButton().isEnabled(), form.DuplicateButton().isEnabled(),
                form.MoveUpButton().isEnabled(), form.MoveDownButton().isEnabled()};
    }
};

}  // namespace

TEST_F(PopulationFormTest, ShowsTheModelsPopulationsAndEnablesWhatTheyUse)
{
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Populations");
    EXPECT_EQ(Names(*form), (std::vector<QString>{"Mill pond", "Weir reach", "Ashford meadows", "Becks end",
                                                  "Lower marsh"}));
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 0);
    EXPECT_EQ(form->NameEdit().text(), "Mill pond");
    EXPECT_EQ(form->XEdit().text(), "12.000");
    EXPECT_EQ(form->InitialAbundanceEdit().text(), "60");
    EXPECT_EQ(form->GrowthRateEdit().text(), "1.8000");
    EXPECT_EQ(form->SurvivalEdit().text(), "0.450");
    EXPECT_EQ(form->CarryingCapacityEdit().text(), "90.00");
    EXPECT_EQ(Buttons(*form), (std::vector<bool>{true, true, true, false, true}));

    // K and its trend need density dependence; R's deviation and survival a
    // stochastic run.
    const struct {
        int type;
        std::int32_t replications;
        bool capacity, stochastic;
    } cases[] = {{0, 500, false, true}, {1, 500, true, true}, {3, 0, true, false}, {0, 0, false, false}};
    for (const auto& c : cases) {
        model.Replications = c.replications;
        form->DensityDependenceComboBox().setCurrentIndex(c.type);
        form->UpdateEnabling();
        EXPECT_EQ(form->CarryingCapacityEdit().isEnabled(), c.capacity) << c.type;
        EXPECT_EQ(form->TemporalTrendInKEdit().isEnabled(), c.capacity) << c.type;
        EXPECT_EQ(form->StdDevOfREdit().isEnabled(), c.stochastic) << c.replications;
        EXPECT_EQ(form->SurvivalEdit().isEnabled(), c.stochastic) << c.replications;
    }
}

TEST_F(PopulationFormTest, AddDuplicateAndDeleteNameEntriesByCountUpToTheLimit)
{
    auto form = Open();
    form->AddButton().click();
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 5);
    EXPECT_EQ(form->NameEdit().text(), "Pop 6");
    EXPECT_EQ(form->XEdit().text(), "0.000");
    // The number counts entries, not names.
    form->PopulationsListBox().setCurrentRow(1);
    form->DeleteButton().click();
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 1);
    EXPECT_EQ(form->NameEdit().text(), "Ashford meadows");
    form->AddButton().click();
    EXPECT_EQ(Names(*form).back(), "Pop 6");

    // A rename shows in the list at once; the copy of a 16-character name
    // keeps 8 of them.
    form->PopulationsListBox().setCurrentRow(0);
    form->NameEdit().setText("Sixteen letters!");
    EXPECT_EQ(form->PopulationsListBox().item(0)->text(), "Sixteen letters!");
    form->DuplicateButton().click();
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 0);
    EXPECT_EQ(Names(*form).back(), "Copy of Sixteen ");
    EXPECT_EQ(form->Populations().back().XText, "12");

    while (form->AddButton().isEnabled())
        form->AddButton().click();
    EXPECT_EQ(form->PopulationsListBox().count(), 22);
    EXPECT_EQ(Buttons(*form), (std::vector<bool>{false, true, false, true, false}));
    while (form->DeleteButton().isEnabled())
        form->DeleteButton().click();
    EXPECT_EQ(form->PopulationsListBox().count(), 1);
    EXPECT_EQ(Buttons(*form), (std::vector<bool>{true, false, true, false, false}));
}

TEST_F(PopulationFormTest, ARenameKeepsTheResultsValidButDeletingTheLastPopulationDoesNot)
{
    model.DispersalMatrix[2][1] = 0.9f;  // no distance function gives this
    {
        auto form = Open();
        form->NameEdit().setText("Mill race");
        form->OkButton().click();
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_TRUE(form->Stored());
    }
    EXPECT_EQ(model.Populations[1].Name, "Mill race");
    EXPECT_FALSE(model.InputsChanged);
    // Both matrices are computed afresh from the distances.
    EXPECT_NE(model.DispersalMatrix[2][1], 0.9f);
    EXPECT_TRUE(model.DispersalUpToDate && model.CorrelationUpToDate);
    // Values left as shown keep their texts: a trend of -0.5, which a whole
    // number edit cannot show, and survival "0.45".
    EXPECT_EQ(model.Populations[4].TrendInKText, "-0.5");
    EXPECT_EQ(model.Populations[1].SurvivalText, "0.45");
    EXPECT_TRUE(sink.boxes.empty()) << sink.BoxTexts();

    auto form = Open();
    form->PopulationsListBox().setCurrentRow(4);
    form->DeleteButton().click();
    form->OkButton().click();
    EXPECT_EQ(model.PopCount, 4);
    EXPECT_TRUE(model.InputsChanged);
}

TEST_F(PopulationFormTest, TypedValuesAreStoredAsTextsThatFitWithAPointUnderAnyLocale)
{
    for (const bool german : {false, true}) {
        SetUp();
        if (german)
            UseGermanLocale();
        auto form = Open();
        EXPECT_EQ(form->GrowthRateEdit().text(), german ? "1,8000" : "1.8000");
        form->XEdit().SetValue(123456789.123);
        form->GrowthRateEdit().SetValue(1.25);
        form->SurvivalEdit().SetValue(0.5);
        form->InitialAbundanceEdit().SetValue(2147483647);
        form->TemporalTrendInKEdit().SetValue(-999999999);
        form->DensityDependenceComboBox().setCurrentIndex(2);
        form->ApplyButton().click();
        EXPECT_TRUE(form->isVisible());
        const multi::PopulationRecord& p = model.Populations[1];
        EXPECT_EQ(p.XText, "123456789") << german;
        EXPECT_EQ(p.YText, "48") << german;
        EXPECT_EQ(p.GrowthRateText, "1.25") << german;
        EXPECT_EQ(p.SurvivalText, "0.5") << german;
        EXPECT_EQ(p.InitialAbundanceText, "2147483647") << german;
        EXPECT_EQ(p.TrendInKText, "-999999999") << german;
        EXPECT_EQ(p.DDType, multi::kContest) << german;
        EXPECT_TRUE(model.InputsChanged);
        TearDown();
    }
}

TEST_F(PopulationFormTest, ValuesOutOfRangeAreRefusedWithTheirLimits)
{
    const struct {
        const char* edit;
        double value;
        const char* message;
    } cases[] = {
        {"XEdit", -2147483647, "This value must be between -999999999 and 999999999, inclusive."},
        {"YEdit", 1e9, "This value must be between -999999999 and 999999999, inclusive."},
        {"GrowthRateEdit", 20.5, "This value must be between 0 and 20, inclusive."},
        {"SurvivalEdit", 1.5, "This value must be between 0 and 1, inclusive."},
        {"InitialAbundanceEdit", 3e9, "This value must be between 0 and 2147483647, inclusive."},
        {"TemporalTrendInKEdit", -1e9, "This value must be between -999999999 and 999999999, inclusive."},
    };
    for (const auto& c : cases) {
        SetUp();
        const std::string x = model.Populations[1].XText;
        auto form = Open();
        auto* edit = form->findChild<TFnpNumericEdit*>(QString::fromLatin1(c.edit));
        ASSERT_NE(edit, nullptr) << c.edit;
        edit->SetValue(c.value);
        form->OkButton().click();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message}) << c.edit;
        EXPECT_NE(form->result(), QDialog::Accepted) << c.edit;
        EXPECT_EQ(model.Populations[1].XText, x) << c.edit;
    }

    // Nor can another entry be chosen, or one be added, while a value is
    // out of range.
    SetUp();
    auto form = Open();
    form->SurvivalEdit().SetValue(2);
    form->PopulationsListBox().setCurrentRow(3);
    form->AddButton().click();
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 0);
    EXPECT_EQ(form->PopulationsListBox().count(), 5);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, "This value must be between 0 and 1, inclusive."));
}

TEST_F(PopulationFormTest, ACommaInANameIsRefusedWithABeep)
{
    auto form = Open();
    ShowActive(*form);
    form->NameEdit().setFocus();
    form->NameEdit().selectAll();
    QTest::keyClicks(&form->NameEdit(), "Weir, upper");
    EXPECT_EQ(form->NameEdit().text(), "Weir upper");
    EXPECT_EQ(sink.beeps, 1);
    QApplication::clipboard()->setText(QStringLiteral(",east,"));
    form->NameEdit().paste();
    EXPECT_EQ(form->NameEdit().text(), "Weir uppereast");
    EXPECT_EQ(sink.beeps, 2);
    EXPECT_EQ(form->PopulationsListBox().item(0)->text(), "Weir uppereast");
}

TEST_F(PopulationFormTest, PageKeysMoveTheSelectionFromAnywhereAndMovesCarryTheShownValues)
{
    auto form = Open();
    ShowActive(*form);
    form->GrowthRateEdit().setFocus();
    Press(Qt::Key_PageDown);
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 1);
    EXPECT_EQ(form->NameEdit().text(), "Weir reach");
    form->PopulationsListBox().setFocus();
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 0);

    // The values on show go with their entry.
    form->XEdit().SetValue(5);
    form->MoveDownButton().click();
    EXPECT_EQ(form->PopulationsListBox().currentRow(), 1);
    EXPECT_EQ(form->LastIndex(), 1);
    EXPECT_EQ(form->XEdit().text(), "5.000");
    form->PopulationsListBox().setCurrentRow(0);
    EXPECT_EQ(form->Populations()[1].Name, "Mill pond");
    EXPECT_EQ(form->Populations()[1].XText, "5");
    EXPECT_EQ(form->Populations()[0].Name, "Weir reach");
    EXPECT_EQ(form->Populations()[0].XText, "25");
}

TEST_F(PopulationFormTest, CancelAfterApplyKeepsWhatApplyWrote)
{
    struct Case {
        bool apply;
        bool stored;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        SetUp();
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            auto& form = static_cast<TPopulationForm&>(dialog);
            form.GrowthRateEdit().SetValue(1.5);
            if (c.apply)
                form.ApplyButton().click();
            form.CancelButton().click();
            return TModalResult::Cancel;
        });
        EXPECT_EQ(TPopulationForm::Execute(nullptr, model, RecordResults(), RecordMenus()), c.stored);
        EXPECT_EQ(model.Populations[1].GrowthRateText, c.apply ? "1.5" : "1.8");
        EXPECT_EQ(model.InputsChanged, c.apply);
    }
}

TEST_F(PopulationFormTest, DisplaysOpenForTheSelectedPopulation)
{
    auto form = Open();
    form->PopulationsListBox().setCurrentRow(2);
    form->DisplayButton().click();
    EXPECT_EQ(menus, std::vector<int>{3});
    for (QAction* item : form->PopupMenu().actions())
        item->trigger();
    EXPECT_EQ(kinds, (std::vector<int>{multi::kDensityDependenceInR, multi::kReplacementCurve, multi::kDispersal,
                                       multi::kHabitatChange}));
    EXPECT_EQ(selected, (std::vector<int>{3, 3, 3, 3}));
    form->HelpButton().click();
    EXPECT_EQ(help.contexts, std::vector<int>{10400});
}
