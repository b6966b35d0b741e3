#include "unstructured_ui/general_form.h"

#include "support/sample_model_test_base.h"
#include "support/scripted_dialogs.h"
#include "support/user_input.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

using unstructured_ui::TGeneralForm;

namespace {

class MultiGeneralFormTest : public SampleModelTest {
protected:
    // The dialog as shown, the caret at the end of the comments.
    void Show()
    {
        form.LoadFromModel();
        ShowActive(form);
        form.CommentsMemo().setFocus();
        form.CommentsMemo().moveCursor(QTextCursor::End);
    }

    TGeneralForm form{nullptr, model};
};

}  // namespace

// The sample's four comment lines fill the memo: a fifth can neither be
// typed nor pasted; a paste that keeps to four lines stays, and OK stores it.
TEST_F(MultiGeneralFormTest, AFifthCommentLineIsRefusedTypedOrPasted)
{
    Show();
    EXPECT_EQ(form.CommentsMemo().LineCount(), 4);
    const QString before = form.CommentsMemo().toPlainText();
    Press(Qt::Key_Return);
    Press(Qt::Key_Enter);
    EXPECT_EQ(form.CommentsMemo().toPlainText(), before);
    EXPECT_EQ(sink.beeps, 2);

    QApplication::clipboard()->setText("x\ny");
    form.CommentsMemo().paste();
    Settle();
    EXPECT_EQ(form.CommentsMemo().toPlainText(), before);
    EXPECT_EQ(sink.beeps, 3);

    QApplication::clipboard()->setText(" (checked)");
    form.CommentsMemo().paste();
    Settle();
    EXPECT_EQ(sink.beeps, 3);
    Click(form.OkButton());
    EXPECT_EQ(model.Info.Comment4, "Distances in hundreds of metres. (checked)");
    EXPECT_EQ(model.Info.Comment1, "Five colonies on the main river and two side streams.");
    EXPECT_FALSE(model.InputsChanged);
}

// Trailing empty comment lines are not shown; the limits are the model's.
TEST_F(MultiGeneralFormTest, ShowsTheModelWithinItsLimits)
{
    model.Info.Comment3 = "";
    model.Info.Comment4 = "";
    form.LoadFromModel();
    EXPECT_EQ(form.TitleEdit().text(), "Water voles along the Ashbrook valley");
    EXPECT_EQ(form.CommentsMemo().LineCount(), 2);
    EXPECT_EQ(form.CommentsMemo().textCursor().position(), 0);
    EXPECT_EQ(form.LandscapeMapEdit().text(), "river_valley.map");
    EXPECT_EQ(form.ReplicationsSpinEdit().Value(), 500);
    EXPECT_EQ(form.DurationSpinEdit().Value(), 30);
    struct Case {
        TSpinEditEx& edit;
        int minimum, maximum;
    };
    const Case cases[] = {{form.ReplicationsSpinEdit(), 0, 1000}, {form.DurationSpinEdit(), 1, 50}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.edit.minimum(), c.minimum);
        EXPECT_EQ(c.edit.maximum(), c.maximum);
    }
}

// Demographic stochasticity needs replications; a change of a run setting
// marks the inputs changed, the title alone does not.
TEST_F(MultiGeneralFormTest, RunSettingsChangeTheInputsTheTitleDoesNot)
{
    form.LoadFromModel();
    EXPECT_TRUE(form.UseDemographicStochasticityCheckBox().isEnabled());
    form.ReplicationsSpinEdit().SetValue(0);
    EXPECT_FALSE(form.UseDemographicStochasticityCheckBox().isEnabled());
    form.ReplicationsSpinEdit().SetValue(10);
    EXPECT_TRUE(form.UseDemographicStochasticityCheckBox().isEnabled());

    form.LoadFromModel();
    form.TitleEdit().setText("Retitled");
    form.StoreToModel();
    EXPECT_EQ(model.Info.Title, "Retitled");
    EXPECT_FALSE(model.InputsChanged);

    form.LoadFromModel();
    form.DurationSpinEdit().SetValue(12);
    form.StoreToModel();
    EXPECT_EQ(model.Duration, 12);
    EXPECT_TRUE(model.InputsChanged);
}

// The browse button starts the chooser at the edit's name and takes the
// chosen file; Cancel keeps the name; OK stores it as the model's map.
TEST_F(MultiGeneralFormTest, TheMapFileCanBeChosen)
{
    ScriptedDialogs dialogs;
    form.LoadFromModel();
    dialogs.fileNames = {"/maps/other valley.map"};
    form.LandscapeMapBrowseButton().click();
    EXPECT_EQ(form.LandscapeMapEdit().text(), "/maps/other valley.map");
    form.LandscapeMapBrowseButton().click();
    EXPECT_EQ(form.LandscapeMapEdit().text(), "/maps/other valley.map");
    EXPECT_EQ(dialogs.fileCaptions.size(), 2u);
    form.StoreToModel();
    EXPECT_EQ(model.MapName, "/maps/other valley.map");
    EXPECT_FALSE(model.InputsChanged);
}
