#include "stage_ui/general_form.h"

#include "support/editor_fixture.h"
#include "support/scripted_modals.h"
#include "ui/spin_edit_ex.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "support/qt_gtest_print.h"

namespace {

class GeneralFormTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        Info.title = "Meadow herb";
        Info.comments[1] = "one";
        Info.comments[4] = "four";
        Info.replications = 100;
        Info.duration = 30;
        Info.actioncount = 2;
        Info.actions[1].endtime = 30;
        Info.actions[2].endtime = 12;
    }

    // The dialog as shown, the caret at the end of the comments.
    void Show()
    {
        form.LoadFromModel();
        ShowActive(form);
        form.CommentsMemo().setFocus();
        form.CommentsMemo().moveCursor(QTextCursor::End);
    }

    TGeneralForm form;
};

}  // namespace

TEST_F(GeneralFormTest, ShowsTheCommentLinesUpToTheLastNonEmptyOne)
{
    form.LoadFromModel();
    EXPECT_EQ(form.TitleEdit().text(), "Meadow herb");
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one\n\n\nfour");
    EXPECT_EQ(form.CommentsMemo().textCursor().position(), 0);
    EXPECT_EQ(form.ReplicationsSpinEdit().Value(), 100);
    EXPECT_EQ(form.DurationSpinEdit().Value(), 30);

    Info.comments[4].clear();
    form.LoadFromModel();
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one");
}

TEST_F(GeneralFormTest, CommentsKeepToFourLinesWhetherTypedOrPasted)
{
    Info.comments[4].clear();
    Show();
    Type("\r");
    Press(Qt::Key_Return);
    Type("three");
    Press(Qt::Key_Enter);
    Type("4");
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one\n\nthree\n4");
    EXPECT_EQ(sink.beeps, 0);

    // On the fourth line Enter (with Shift too) beeps and adds no line.
    Press(Qt::Key_Return);
    Press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one\n\nthree\n4");
    EXPECT_EQ(sink.beeps, 2);

    // A paste that would give a fifth line is taken back; one that keeps to
    // four lines stays.
    QApplication::clipboard()->setText("x\ny");
    form.CommentsMemo().paste();
    Settle();
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one\n\nthree\n4");
    EXPECT_EQ(sink.beeps, 3);
    QApplication::clipboard()->setText("x y");
    form.CommentsMemo().moveCursor(QTextCursor::Start);
    form.CommentsMemo().moveCursor(QTextCursor::Down);
    form.CommentsMemo().paste();
    Settle();
    EXPECT_EQ(form.CommentsMemo().toPlainText(), "one\nx y\nthree\n4");
    EXPECT_EQ(sink.beeps, 3);

    Click(form.OkButton());
    EXPECT_EQ(Info.comments[2], "x y");
    EXPECT_EQ(Info.comments[4], "4");
    EXPECT_FALSE(InputsChanged);
}

TEST_F(GeneralFormTest, SpinEditsKeepToTheLimits)
{
    struct Case {
        TSpinEditEx& edit;
        int minimum, maximum;
    };
    form.LoadFromModel();
    const Case cases[] = {{form.ReplicationsSpinEdit(), 0, 200}, {form.DurationSpinEdit(), 1, 40}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.edit.minimum(), c.minimum);
        EXPECT_EQ(c.edit.maximum(), c.maximum);
    }

    // A minus typed is kept, never dropped so that -5 becomes 5: the text
    // is no number in range, and the value stays as it was.
    ShowActive(form);
    form.ReplicationsSpinEdit().setFocus();
    form.ReplicationsSpinEdit().selectAll();
    const int before = form.ReplicationsSpinEdit().Value();
    Type("-5");
    EXPECT_EQ(form.ReplicationsSpinEdit().cleanText(), "-5");
    EXPECT_FALSE(form.ReplicationsSpinEdit().TextInRange());
    EXPECT_EQ(form.ReplicationsSpinEdit().Value(), before);

    // Equal limits are limits too, not "any number".
    ModelLimits limits = Limits();
    limits.duration = 1;
    CreateModelStore(limits);
    form.LoadFromModel();
    form.DurationSpinEdit().setFocus();
    form.DurationSpinEdit().selectAll();
    Type("7");
    form.DurationSpinEdit().interpretText();
    EXPECT_EQ(form.DurationSpinEdit().Value(), 1);
}

TEST_F(GeneralFormTest, DemographicStochasticityNeedsReplications)
{
    Info.demogstoch = true;
    form.LoadFromModel();
    EXPECT_TRUE(form.UseDemographicStochasticityCheckBox().isEnabled());
    form.ReplicationsSpinEdit().SetValue(0);
    EXPECT_FALSE(form.UseDemographicStochasticityCheckBox().isEnabled());
    form.StoreToModel();
    EXPECT_TRUE(Info.demogstoch);  // still stored as checked
    EXPECT_EQ(Info.replications, 0);
    EXPECT_TRUE(InputsChanged);
    form.ReplicationsSpinEdit().SetValue(3);
    EXPECT_TRUE(form.UseDemographicStochasticityCheckBox().isEnabled());
}

TEST_F(GeneralFormTest, OkStoresAndTellsTheCallerCancelDoesNot)
{
    ScriptedModals modals(true);
    modals.steps.push_back([](QDialog& dialog) {
        auto& form = static_cast<TGeneralForm&>(dialog);
        form.TitleEdit().setText("New title");
        form.DurationSpinEdit().SetValue(20);
        Click(form.CancelButton());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    EXPECT_FALSE(form.Execute());
    EXPECT_EQ(Info.title, "Meadow herb");
    EXPECT_EQ(Info.duration, 30);

    // The title alone is no change of inputs.
    modals.steps.push_back([](QDialog& dialog) {
        auto& form = static_cast<TGeneralForm&>(dialog);
        form.TitleEdit().setText(QString::fromUtf8("Caf\u00e9"));
        Click(form.OkButton());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(Info.title, "Caf\xe9");  // Latin-1, as model files are
    EXPECT_FALSE(InputsChanged);

    // A new duration is every action's last time step, also of one that
    // ended earlier.
    modals.steps.push_back([](QDialog& dialog) {
        auto& form = static_cast<TGeneralForm&>(dialog);
        form.DurationSpinEdit().setFocus();
        form.DurationSpinEdit().selectAll();
        Type("25");  // typed, not yet left: OK takes it
        Click(form.OkButton());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(Info.duration, 25);
    EXPECT_EQ(Info.actions[1].endtime, 25);
    EXPECT_EQ(Info.actions[2].endtime, 25);
    EXPECT_TRUE(InputsChanged);
}
