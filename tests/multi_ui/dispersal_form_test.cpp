#include "multi_ui/dispersal_form.h"

#include "multi/distance_matrices.h"
#include "multi/result_kinds.h"
#include "support/sample_model_test_base.h"
#include "support/scripted_modals.h"
#include "ui/numeric_edit.h"

#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using multi::TDispersalForm;

namespace {

// Everything the dialog may touch, to compare.
struct TDistanceState {
    std::vector<std::string> texts;
    std::vector<float> dispersal;
    std::vector<float> correlation;
    std::vector<bool> flags;

    explicit TDistanceState(const multi::TMultiModel& m)
    {
        const multi::DistanceFunctionsType& f = m.DistanceFunctions;
        texts = {f.MaxDispersalRateText, f.AvgDispersalDistanceText, f.MaxDispersalDistanceText,
                 f.CorrelationAt100Text};
        for (int i = 1; i <= m.PopCount; ++i)
            for (int j = 1; j <= m.PopCount; ++j) {
                dispersal.push_back(m.DispersalMatrix[i][j]);
                if (j <= i) correlation.push_back(m.CorrelationMatrix[i][j]);
            }
        flags = {m.DispersalUpToDate, m.CorrelationUpToDate, m.DispersalFromFunction, m.CorrelationFromFunction};
    }
    bool operator==(const TDistanceState&) const = default;
};

class DispersalFormTest : public SampleModelTest {
protected:
    std::unique_ptr<TDispersalForm> Open()
    {
        auto form = std::make_unique<TDispersalForm>(model, RecordResults());
        form->show();
        return form;
    }

    // The matrices as the distance functions give them for the model's texts.
    TDistanceState Computed() const
    {
        multi::TMultiModel copy = model;
        multi::Calc_Matr(copy, 'M');
        multi::Calc_Matr(copy, 'C');
        return TDistanceState(copy);
    }
};

}  // namespace

TEST_F(DispersalFormTest, OkWithoutAnEditChangesNothing)
{
    const TDistanceState before(model);
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Dispersal and Correlation");
    EXPECT_EQ(form->AverageDispersalDistanceEdit().text(), "8.00");
    EXPECT_EQ(form->MaximumDispersalDistanceEdit().text(), "25.00");
    EXPECT_EQ(form->MaximumDispersalRateEdit().text(), "0.15");
    EXPECT_EQ(form->CorrelationEdit().text(), "0.40");
    form->OkButton().click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_TRUE(TDistanceState(model) == before);
    EXPECT_FALSE(model.InputsChanged);
}

TEST_F(DispersalFormTest, CancelAfterViewsPutsEverythingBack)
{
    // Matrices out of date when the dialog opens, so that a view refills
    // them: Cancel must bring back even that.
    model.DispersalUpToDate = false;
    model.CorrelationUpToDate = false;
    const TDistanceState before(model);
    std::vector<std::string> shownTexts;
    auto record = RecordResults();
    auto view = [&](QWidget* parent, int kind) {
        record(parent, kind);
        shownTexts.push_back(kind == multi::kMigrationDistance ? model.DistanceFunctions.AvgDispersalDistanceText
                                                                : model.DistanceFunctions.CorrelationAt100Text);
    };
    auto form = std::make_unique<TDispersalForm>(model, view);
    form->show();
    form->AverageDispersalDistanceEdit().SetValue(12);
    form->ViewDispersalFunctionButton().click();
    form->CorrelationEdit().SetValue(0.9);
    form->ViewCorrelationFunctionButton().click();
    // The views draw the values as edited.
    EXPECT_EQ(kinds, (std::vector<int>{multi::kMigrationDistance, multi::kCorrelationDistance}));
    EXPECT_EQ(shownTexts, (std::vector<std::string>{"12.0", "0.9"}));
    EXPECT_FALSE(TDistanceState(model) == before);

    form->CancelButton().click();
    EXPECT_TRUE(TDistanceState(model) == before);
    EXPECT_FALSE(model.InputsChanged);
}

TEST_F(DispersalFormTest, OkAfterAViewMarksTheChangeAndRecomputesEachChangedMatrix)
{
    struct Case {
        const char* name;
        std::function<void(TDispersalForm&)> edit;
        bool dispersalChanged, correlationChanged;
    };
    const Case cases[] = {
        {"dispersal", [](TDispersalForm& f) { f.MaximumDispersalRateEdit().SetValue(0.3); }, true, false},
        {"correlation only", [](TDispersalForm& f) { f.CorrelationEdit().SetValue(0.8); }, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        const TDistanceState before(model);
        auto form = Open();
        c.edit(*form);
        form->ViewDispersalFunctionButton().click();
        form->ViewCorrelationFunctionButton().click();
        form->OkButton().click();
        EXPECT_TRUE(model.InputsChanged) << c.name;
        const TDistanceState after(model);
        const TDistanceState computed = Computed();
        EXPECT_EQ(after.dispersal, computed.dispersal) << c.name;
        EXPECT_EQ(after.correlation, computed.correlation) << c.name;
        EXPECT_EQ(after.dispersal != before.dispersal, c.dispersalChanged) << c.name;
        EXPECT_EQ(after.correlation != before.correlation, c.correlationChanged) << c.name;
    }
}

TEST_F(DispersalFormTest, EditsRefuseValuesOutOfRangeWithTheirWholeLimits)
{
    const struct {
        const char* edit;
        int maxLength;
        double value;
        const char* message;
    } cases[] = {
        {"AverageDispersalDistanceEdit", 8, 40000, "This value must be between 0 and 32767, inclusive."},
        {"MaximumDispersalDistanceEdit", 8, 32768, "This value must be between 0 and 32767, inclusive."},
        {"MaximumDispersalRateEdit", 4, 1.5, "This value must be between 0 and 1, inclusive."},
        {"CorrelationEdit", 4, 2, "This value must be between 0 and 1, inclusive."},
    };
    for (const auto& c : cases) {
        SetUp();
        auto form = Open();
        auto* edit = form->findChild<TFnpNumericEdit*>(QString::fromLatin1(c.edit));
        ASSERT_NE(edit, nullptr) << c.edit;
        EXPECT_EQ(edit->MaxLength(), c.maxLength) << c.edit;
        edit->SetValue(c.value);
        form->OkButton().click();
        form->ViewDispersalFunctionButton().click();
        EXPECT_EQ(BoxTexts(), (std::vector<std::string>{c.message, c.message})) << c.edit;
        EXPECT_NE(form->result(), QDialog::Accepted) << c.edit;
        EXPECT_TRUE(kinds.empty()) << c.edit;
    }
}

TEST_F(DispersalFormTest, StoredTextsUseAPointUnderAGermanLocale)
{
    UseGermanLocale();
    auto form = Open();
    EXPECT_EQ(form->MaximumDispersalRateEdit().text(), "0,15");
    form->CorrelationEdit().SetValue(0.75);
    form->AverageDispersalDistanceEdit().SetValue(12.5);
    form->OkButton().click();
    EXPECT_EQ(model.DistanceFunctions.CorrelationAt100Text, "0.75");
    EXPECT_EQ(model.DistanceFunctions.AvgDispersalDistanceText, "12.5");
    EXPECT_EQ(model.DistanceFunctions.MaxDispersalRateText, "0.150");
}

TEST_F(DispersalFormTest, ExecuteTellsWhetherOkStoredTheParameters)
{
    for (const bool ok : {false, true}) {
        SetUp();
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            auto& form = static_cast<TDispersalForm&>(dialog);
            form.AverageDispersalDistanceEdit().SetValue(4);
            form.HelpButton().click();
            (ok ? form.OkButton() : form.CancelButton()).click();
            return ok ? TModalResult::Ok : TModalResult::Cancel;
        });
        EXPECT_EQ(TDispersalForm::Execute(nullptr, model, RecordResults()), ok);
        EXPECT_EQ(model.DistanceFunctions.AvgDispersalDistanceText, ok ? "4.0" : "8");
        EXPECT_EQ(model.InputsChanged, ok);
    }
    EXPECT_EQ(help.contexts, (std::vector<int>{10800, 10800}));
}
