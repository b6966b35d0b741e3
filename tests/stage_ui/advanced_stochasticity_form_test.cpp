#include "stage_ui/advanced_stochasticity_form.h"

#include "support/recording_help.h"
#include "support/scripted_modals.h"

#include <QPushButton>
#include <QRadioButton>

#include "support/qt_gtest_print.h"

#include "fresh_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using AdvancedStochasticityTest = FreshModelTest;

}  // namespace

TEST_F(AdvancedStochasticityTest, TheSpecialChoicesNeedConstraintsAndThreeStages)
{
    struct Case {
        bool ignoreconstraints;
        int stages;
        bool poolvar, negsurvcorr;
        bool enabled;
        std::vector<bool> checked;  // None, Pooled, Negative
    } cases[] = {
        {false, 3, false, false, true, {true, false, false}},
        {false, 7, true, false, true, {false, true, false}},
        {false, 4, false, true, true, {false, false, true}},
        {true, 3, false, false, false, {true, false, false}},
        {false, 2, false, false, false, {true, false, false}},
        // A choice read from a file still shows, though it cannot be chosen.
        {true, 5, true, false, false, {false, true, false}},
    };
    for (const Case& c : cases) {
        Info.ignoreconstraints = c.ignoreconstraints;
        Info.stages = static_cast<std::uint8_t>(c.stages);
        Info.poolvar = c.poolvar;
        Info.negsurvcorr = c.negsurvcorr;
        TAdvancedStochasticityForm form(Info);
        form.show();
        EXPECT_EQ(form.windowTitle(), "Advanced Stochasticity Settings");
        EXPECT_TRUE(form.NoneRadioButton().isEnabled());
        EXPECT_EQ(form.PooledVarianceRadioButton().isEnabled(), c.enabled) << c.stages;
        EXPECT_EQ(form.NegativeCorrelationRadioButton().isEnabled(), c.enabled) << c.stages;
        EXPECT_EQ((std::vector<bool>{form.NoneRadioButton().isChecked(), form.PooledVarianceRadioButton().isChecked(),
                                     form.NegativeCorrelationRadioButton().isChecked()}),
                  c.checked)
            << c.stages;
    }
}

TEST_F(AdvancedStochasticityTest, OkStoresTheChoiceAndAChangeSetsInputsChanged)
{
    struct Case {
        const char* name;
        bool poolvar, negsurvcorr;      // stored before
        int choose;                     // 0 None, 1 Pooled, 2 Negative
        bool ok;
        bool poolAfter, negAfter, inputsChanged;
    } cases[] = {
        {"pooled chosen", false, false, 1, true, true, false, true},
        {"negative instead of pooled", true, false, 2, true, false, true, true},
        {"none instead of negative", false, true, 0, true, false, false, true},
        {"the same again", true, false, 1, true, true, false, false},
        {"cancelled", false, false, 2, false, false, false, false},
    };
    RecordingHelp help;
    for (const Case& c : cases) {
        InputsChanged = false;
        Info.stages = 3;
        Info.poolvar = c.poolvar;
        Info.negsurvcorr = c.negsurvcorr;
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            auto& form = static_cast<TAdvancedStochasticityForm&>(dialog);
            QRadioButton* buttons[] = {&form.NoneRadioButton(), &form.PooledVarianceRadioButton(),
                                       &form.NegativeCorrelationRadioButton()};
            buttons[c.choose]->click();
            // One choice at a time.
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(buttons[i]->isChecked(), i == c.choose) << c.name;
            form.HelpButton().click();
            (c.ok ? form.OkButton() : form.CancelButton()).click();
            return c.ok ? TModalResult::Ok : TModalResult::Cancel;
        });
        EXPECT_EQ(TAdvancedStochasticityForm::Execute(nullptr, Info), c.ok) << c.name;
        EXPECT_EQ(Info.poolvar, c.poolAfter) << c.name;
        EXPECT_EQ(Info.negsurvcorr, c.negAfter) << c.name;
        EXPECT_EQ(InputsChanged, c.inputsChanged) << c.name;
    }
    EXPECT_EQ(help.contexts, std::vector<int>(5, 11100));
}
