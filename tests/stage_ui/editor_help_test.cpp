#include "stage_ui/abundance_form.h"
#include "stage_ui/general_form.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_matrix_form.h"
#include "stage_ui/std_dev_matrix_form.h"

#include "support/editor_fixture.h"

#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <functional>
#include <memory>

TEST_F(EditorTest, EachEditorHasItsCaptionAndHelpTopic)
{
    struct Case {
        std::function<std::unique_ptr<QDialog>()> make;
        QString caption;
        int helpContext;
    };
    const Case cases[] = {
        {[] { return std::make_unique<TGeneralForm>(); }, "General Information", 10000},
        {[] { return std::make_unique<TStageForm>(); }, "Stages", 10100},
        {[] { return std::make_unique<TStageMatrixForm>(TShowStageDisplayMenu()); }, "Stage Matrix", 10200},
        {[] { return std::make_unique<TStdDevMatrixForm>(); }, "Standard Deviation Matrix", 10300},
        {[] { return std::make_unique<TAbundanceForm>(); }, "Initial Abundances", 10500},
    };
    for (const Case& c : cases) {
        const auto dialog = c.make();
        EXPECT_EQ(dialog->windowTitle(), c.caption);
        help.contexts.clear();
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == "&Help")
                button->click();
        EXPECT_EQ(help.contexts, std::vector<int>{c.helpContext}) << c.caption.toStdString();
    }
}
