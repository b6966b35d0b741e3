#include "single_ui/population_form.h"

#include "single/model_file.h"
#include "single/result_kinds.h"
#include "support/sample_model_test_base.h"
#include "support/scripted_modals.h"
#include "support/user_input.h"
#include "ui/combo_box_ex.h"
#include "ui/numeric_edit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using single_ui::TPopulationForm;

namespace {

// The moor-frog sample: one population, contest type, 500 replications.
class SinglePopulationFormTest : public SampleModelTest {
protected:
    void SetUp() override
    {
        SampleModelTest::SetUp();
        ASSERT_EQ(single::LoadModelFile(model, std::string(PV_EXAMPLES) + "/marsh_frogs.sp"), kModelFileOk)
            << sink.BoxTexts();
        model.InputsChanged = false;
        sink.boxes.clear();
    }

    std::unique_ptr<TPopulationForm> Open()
    {
        auto form = std::make_unique<TPopulationForm>(model, RecordResults(), RecordMenus());
        form->show();
        return form;
    }

    const multi::PopulationRecord& Stored() const { return model.Populations[1]; }
};

}  // namespace

// The one population's values, and the edits enabled for what the model
// uses: R's deviation and survival in a stochastic run, K with density
// dependence.
TEST_F(SinglePopulationFormTest, ShowsThePopulationAndEnablesWhatItUses)
{
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Population");
    EXPECT_EQ(form->InitialAbundanceEdit().text(), "180");
    EXPECT_EQ(form->GrowthRateEdit().text(), "1.1200");
    EXPECT_EQ(form->SurvivalEdit().text(), "0.450");
    EXPECT_EQ(form->StdDevOfREdit().text(), "0.2500");
    EXPECT_EQ(form->DensityDependenceComboBox().currentText(), "Contest");
    EXPECT_EQ(form->CarryingCapacityEdit().text(), "400");
    ShowActive(*form);
    EXPECT_EQ(QApplication::focusWidget(), &form->InitialAbundanceEdit());
    EXPECT_EQ(form->SurvivalEdit().MaxLength(), 5);

    const struct {
        int type;
        std::int32_t replications;
        bool capacity, stochastic;
    } cases[] = {{0, 500, false, true}, {1, 1, true, true}, {3, 0, true, false}, {0, 0, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.replications);
        model.Replications = c.replications;
        form->DensityDependenceComboBox().setCurrentIndex(c.type);
        form->UpdateControls();
        EXPECT_EQ(form->CarryingCapacityEdit().isEnabled(), c.capacity);
        EXPECT_EQ(form->StdDevOfREdit().isEnabled(), c.stochastic);
        EXPECT_EQ(form->SurvivalEdit().isEnabled(), c.stochastic);
    }
}

// Apply marks the inputs changed only for a real change: values left as
// shown keep their texts (more digits than the edit shows, empty texts, a
// type code the list shows under another entry); a changed value is stored
// as the shortest text that fits 10 characters, rounded, with "." under any
// locale. K is stored also when the type does not use it.
TEST_F(SinglePopulationFormTest, ApplyStoresRealChangesOnly)
{
    struct Case {
        const char* what;
        std::function<void(multi::PopulationRecord&)> before;
        std::function<void(TPopulationForm&)> edit;
        bool changed;
        std::function<void(const multi::PopulationRecord&)> check;
    };
    const Case cases[] = {
        {"nothing, with texts the edits cannot show as they are",
         [](multi::PopulationRecord& p) {
             p.GrowthRateText = "1.123456";
             p.StdDevOfRText = "";
             p.DDType = 4;  // runs as exponential
         },
         [](TPopulationForm&) {}, false,
         [](const multi::PopulationRecord& p) {
             EXPECT_EQ(p.GrowthRateText, "1.123456");
             EXPECT_EQ(p.StdDevOfRText, "");
             EXPECT_EQ(p.DDType, 4);
         }},
        {"a value typed back as it was", {}, [](TPopulationForm& f) { f.GrowthRateEdit().SetValue(1.12); }, false,
         [](const multi::PopulationRecord& p) { EXPECT_EQ(p.GrowthRateText, "1.12"); }},
        {"the type alone", {}, [](TPopulationForm& f) { f.DensityDependenceComboBox().setCurrentIndex(3); }, true,
         [](const multi::PopulationRecord& p) { EXPECT_EQ(p.DDType, multi::kCeiling); }},
        {"exponential keeps a new K",
         {},
         [](TPopulationForm& f) {
             f.DensityDependenceComboBox().setCurrentIndex(0);
             f.CarryingCapacityEdit().SetValue(2147483647);
         },
         true,
         [](const multi::PopulationRecord& p) {
             EXPECT_EQ(p.DDType, multi::kExponential);
             EXPECT_EQ(p.CarryingCapacityText, "2147483647");
         }},
        {"values that need rounding to fit",
         {},
         [](TPopulationForm& f) {
             f.StdDevOfREdit().SetValue(1234567.8999);
             f.GrowthRateEdit().SetValue(1.25);
             f.SurvivalEdit().SetValue(0.5);
             f.InitialAbundanceEdit().SetValue(95);
         },
         true,
         [](const multi::PopulationRecord& p) {
             EXPECT_EQ(p.StdDevOfRText, "1234567.9");
             EXPECT_EQ(p.GrowthRateText, "1.25");
             EXPECT_EQ(p.SurvivalText, "0.5");
             EXPECT_EQ(p.InitialAbundanceText, "95");
         }},
    };
    for (const bool german : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (german ? " (German)" : ""));
            SetUp();
            if (german)
                UseGermanLocale();
            if (c.before)
                c.before(model.Populations[1]);
            const std::string name = Stored().Name;
            auto form = Open();
            c.edit(*form);
            form->ApplyButton().click();
            EXPECT_TRUE(form->isVisible());
            EXPECT_TRUE(form->Stored());
            EXPECT_EQ(model.InputsChanged, c.changed);
            EXPECT_EQ(Stored().Name, name);
            c.check(Stored());
            EXPECT_TRUE(sink.boxes.empty()) << sink.BoxTexts();
            TearDown();
        }
    }
}

// A value out of range is refused with its limits, and the focus goes back
// to it; nothing is stored. A minus sign typed is kept (never dropped, so
// that -25 cannot become 25) and refused with the limits.
TEST_F(SinglePopulationFormTest, ValuesOutOfRangeAreRefusedWithTheirLimits)
{
    {
        auto form = Open();
        ShowActive(*form);
        form->GrowthRateEdit().setFocus();
        form->GrowthRateEdit().selectAll();
        Type("-25");
        EXPECT_EQ(form->GrowthRateEdit().text(), "-25.0000");
        Press(Qt::Key_Tab);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"This value must be between 0 and 20, inclusive."});
        EXPECT_EQ(QApplication::focusWidget(), &form->GrowthRateEdit());
    }
    const struct {
        const char* edit;
        double value;
        const char* message;
    } cases[] = {
        {"SurvivalEdit", 1.5, "This value must be between 0 and 1, inclusive."},
        {"InitialAbundanceEdit", 3e9, "This value must be between 0 and 2147483647, inclusive."},
        {"StdDevOfREdit", 3e9, "This value must be between 0 and 2147483647, inclusive."},
        {"CarryingCapacityEdit", 3e9, "This value must be between 0 and 2147483647, inclusive."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        SetUp();
        auto form = Open();
        auto* edit = form->findChild<TFnpNumericEdit*>(QString::fromLatin1(c.edit));
        ASSERT_NE(edit, nullptr);
        edit->SetValue(c.value);
        form->OkButton().click();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_NE(form->result(), QDialog::Accepted);
        EXPECT_FALSE(form->Stored());
        EXPECT_FALSE(model.InputsChanged);
    }
}

// What Apply wrote stays when Cancel closes the dialog, and counts as a
// change of the model, as OK does.
TEST_F(SinglePopulationFormTest, CancelAfterApplyKeepsWhatApplyWrote)
{
    for (const char* button : {"Cancel", "Apply", "OK"}) {
        SCOPED_TRACE(button);
        SetUp();
        const bool stores = std::string(button) != "Cancel";
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            auto& form = static_cast<TPopulationForm&>(dialog);
            form.GrowthRateEdit().SetValue(1.5);
            if (std::string(button) == "Apply")
                form.ApplyButton().click();
            (std::string(button) == "OK" ? form.OkButton() : form.CancelButton()).click();
            return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
        });
        EXPECT_EQ(TPopulationForm::Execute(nullptr, model, RecordResults(), RecordMenus()), stores);
        EXPECT_EQ(Stored().GrowthRateText, stores ? "1.5" : "1.12");
        EXPECT_EQ(model.InputsChanged, stores);
    }
}

// Display and the fields' pop-up menu show population 1's curves, as last
// stored; Display clears the status line afterwards.
TEST_F(SinglePopulationFormTest, DisplaysShowTheOnePopulation)
{
    auto form = Open();
    model.SelectedPopulation = 0;
    form->DisplayButton().click();
    EXPECT_EQ(menus, std::vector<int>{1});
    ASSERT_FALSE(sink.statuses.empty());
    EXPECT_EQ(sink.statuses.back(), "");
    model.SelectedPopulation = 0;
    std::vector<QString> items;
    for (QAction* item : form->PopupMenu().actions()) {
        items.push_back(item->text());
        item->trigger();
    }
    EXPECT_EQ(items, (std::vector<QString>{"&Density Dependence in R", "&Replacement Curve"}));
    EXPECT_EQ(kinds, (std::vector<int>{single::kDensityDependenceInR, single::kReplacementCurve}));
    EXPECT_EQ(selected, (std::vector<int>{1, 1}));
    form->HelpButton().click();
    EXPECT_EQ(help.contexts, std::vector<int>{10400});
}
