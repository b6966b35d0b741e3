#include "unstructured_ui/option_form.h"

#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/scripted_modals.h"
#include "support/user_input.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

using unstructured_ui::TOptionForm;

namespace {

const std::string kKey = "Software\\Varnholt\\Voran Pelivo: Multiple Populations";

// Settings in memory; the number switches put back afterwards.
class OptionFormTest : public ::testing::Test {
protected:
    KeptNumberSwitches switches;
    TMemorySettingsStore store;
    RecordingHelp help;
};

}  // namespace

// Made on a user's settings, the dialog applies them to the number switches
// at once; it shows them, the check boxes inverted, within its ranges.
TEST_F(OptionFormTest, MakingItAppliesTheNumberSettings)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> stored;
        int precision, decimals;
        bool trim, integers, showDigits, showPoint;
    };
    const Case cases[] = {
        {{}, 7, 6, true, false, false, true},
        {{{"Precision", "4"}, {"Decimals", "2"}, {"MinimizeDecimals", "0"}, {"MinimizeDecimalPoint", "1"}},
         4, 2, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.size());
        TMemorySettingsStore settings;
        for (const auto& [name, value] : c.stored)
            settings.WriteValue(kKey, name, value);
        TextPrecision = 20;
        TextDecimals = 4;
        TOptionForm form(settings);
        EXPECT_EQ(TextPrecision, c.precision);
        EXPECT_EQ(TextDecimals, c.decimals);
        EXPECT_EQ(TrimTrailingZeros, c.trim);
        EXPECT_EQ(IntegersWithoutDecimals, c.integers);
        EXPECT_EQ(form.PrecisionSpinEdit().Value(), c.precision);
        EXPECT_EQ(form.DecimalsSpinEdit().Value(), c.decimals);
        EXPECT_EQ(form.ShowDecimalDigitsCheckBox().isChecked(), c.showDigits);
        EXPECT_EQ(form.ShowDecimalPointCheckBox().isChecked(), c.showPoint);
    }
    TOptionForm form(store);
    EXPECT_EQ(form.windowTitle(), "Options");
    EXPECT_EQ(form.PrecisionSpinEdit().minimum(), 4);
    EXPECT_EQ(form.PrecisionSpinEdit().maximum(), 7);
    EXPECT_EQ(form.DecimalsSpinEdit().minimum(), 2);
    EXPECT_EQ(form.DecimalsSpinEdit().maximum(), 6);
    EXPECT_EQ(form.PrecisionSpinEdit().toolTip(), "Maximum number of digits before decimal");
    form.HelpButton().click();
    EXPECT_EQ(help.contexts, std::vector<int>{40200});
}

// OK writes the spin values and the inverse of the check boxes, and applies
// them; Cancel writes nothing. Showing reads the settings again.
TEST_F(OptionFormTest, OkStoresTheOptionsCancelDoesNot)
{
    TOptionForm form(store);
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        ScriptedModals modals;
        modals.steps.push_back([&form, ok](QDialog&) {
            form.PrecisionSpinEdit().SetValue(5);
            form.DecimalsSpinEdit().SetValue(3);
            form.ShowDecimalDigitsCheckBox().setChecked(false);
            form.ShowDecimalPointCheckBox().setChecked(false);
            (ok ? form.OkButton() : form.CancelButton()).click();
            return ok ? TModalResult::Ok : TModalResult::Cancel;
        });
        EXPECT_EQ(form.Execute(), ok);
        EXPECT_EQ(store.ReadValue(kKey, "Precision"), ok ? std::optional<std::string>("5") : std::nullopt);
        EXPECT_EQ(store.ReadValue(kKey, "Decimals"), ok ? std::optional<std::string>("3") : std::nullopt);
        EXPECT_EQ(store.ReadValue(kKey, "MinimizeDecimals"), ok ? std::optional<std::string>("1") : std::nullopt);
        EXPECT_EQ(store.ReadValue(kKey, "MinimizeDecimalPoint"), ok ? std::optional<std::string>("1") : std::nullopt);
        EXPECT_EQ(TextPrecision, ok ? 5 : 7);
        EXPECT_EQ(TextDecimals, ok ? 3 : 6);
        EXPECT_TRUE(TrimTrailingZeros);
        EXPECT_EQ(IntegersWithoutDecimals, ok);
    }

    store.WriteValue(kKey, "Decimals", "6");
    ScriptedModals modals;
    modals.steps.push_back([&form](QDialog&) {
        EXPECT_EQ(form.DecimalsSpinEdit().Value(), 6);
        return TModalResult::Cancel;
    });
    form.Execute();
}

// A number typed as a person types it is the one kept, or refused where it
// was typed: leaving an edit with a fraction or a number beyond the range
// tells why and gives that edit the keyboard back with the text as typed;
// OK keeps nothing until both read as whole numbers in range.
TEST_F(OptionFormTest, TypedNumbersAreKeptOrRefusedWithAMessage)
{
    TOptionForm form(store);
    RecordingSink sink;
    RealModals modals;
    modals.steps.push_back([&form](QDialog&) { form.CancelButton().click(); });
    form.Execute();
    modals.steps.push_back([&form, &sink](QDialog& d) {
        TSpinEditEx& precision = form.PrecisionSpinEdit();
        TSpinEditEx& decimals = form.DecimalsSpinEdit();
        precision.setFocus();
        Settle();
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("4.5");
        Press(Qt::Key_Tab);
        for (int i = 0; i < 5; ++i)
            Settle();
        EXPECT_EQ(sink.BoxTexts(), "[Precision takes whole numbers only.]");
        EXPECT_EQ(QApplication::focusWidget(), &precision);
        EXPECT_EQ(precision.text(), "4.5");
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("5");
        Press(Qt::Key_Tab);
        Settle();
        EXPECT_EQ(QApplication::focusWidget(), &decimals);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("34");
        form.OkButton().click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_NE(sink.BoxTexts().find("This value must be between 2 and 6, inclusive."), std::string::npos);
        EXPECT_EQ(decimals.text(), "34");
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("3");
        form.OkButton().click();
    });
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(store.ReadValue(kKey, "Precision"), std::optional<std::string>("5"));
    EXPECT_EQ(store.ReadValue(kKey, "Decimals"), std::optional<std::string>("3"));
}
