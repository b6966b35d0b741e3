#include "ui/numeric_edit.h"

#include "support/recording_sink.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A dialog as the editors build them: the edit, a default OK button and a
// Cancel button; it counts what happened.
struct EditDialog {
    QDialog dialog;
    TFnpNumericEdit* edit = new TFnpNumericEdit;
    QPushButton* ok = new QPushButton("OK");
    QPushButton* cancel = new QPushButton("Cancel");
    int accepted = 0, rejected = 0, invalid = 0;

    EditDialog()
    {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        ok->setDefault(true);
        MarkAsCancelButton(*cancel);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        QObject::connect(&dialog, &QDialog::accepted, [this] { ++accepted; });
        QObject::connect(&dialog, &QDialog::rejected, [this] { ++rejected; });
        QObject::connect(edit, &TFnpNumericEdit::OnInvalidEntry, [this] { ++invalid; });
        dialog.show();
    }
};

TEST(NumericEdit, EnterAndEscActOnTheDialogButtons)
{
    const struct {
        double min, max, value;
        Qt::Key key;
        int accepted, rejected, invalid;
    } cases[] = {
        {0, 10, 20, Qt::Key_Return, 0, 0, 1},  // out of range: not accepted
        {0, 10, 5, Qt::Key_Return, 1, 0, 0},
        {0, 10, 10, Qt::Key_Enter, 1, 0, 0},   // the limits belong to the range
        {0, 0, -1e6, Qt::Key_Return, 1, 0, 0},  // equal limits: no range
        {0, 10, 20, Qt::Key_Escape, 0, 1, 0},
    };
    for (const auto& c : cases) {
        EditDialog d;
        d.edit->SetMinValue(c.min);
        d.edit->SetMaxValue(c.max);
        d.edit->SetValue(c.value);
        QTest::keyClick(d.edit, c.key);
        EXPECT_EQ(d.accepted, c.accepted) << c.value << " key " << c.key;
        EXPECT_EQ(d.rejected, c.rejected) << c.value << " key " << c.key;
        EXPECT_EQ(d.invalid, c.invalid) << c.value << " key " << c.key;
    }

    // A button box's reject button is the Cancel button too.
    QDialog dialog;
    auto* edit = new TFnpNumericEdit(&dialog);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    int rejected = 0;
    QObject::connect(&dialog, &QDialog::rejected, [&] { ++rejected; });
    dialog.show();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(rejected, 1);
}

TEST(NumericEdit, LeavingWithAnOutOfRangeValueRaisesTheEvent)
{
    EditDialog d;
    d.edit->SetMinValue(1);
    d.edit->SetMaxValue(5);
    const struct {
        double value;
        Qt::FocusReason reason;
        int invalid;
    } cases[] = {
        {3, Qt::TabFocusReason, 0},
        {7, Qt::TabFocusReason, 1},
        {7, Qt::MouseFocusReason, 1},
        {7, Qt::PopupFocusReason, 0},  // its own context menu opening
    };
    for (const auto& c : cases) {
        d.invalid = 0;
        d.edit->SetValue(c.value);
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(d.edit, &out);
        EXPECT_EQ(d.invalid, c.invalid) << c.value << " reason " << c.reason;
    }
}

TEST(NumericEdit, KeysReachTheTypingRules)
{
    TFnpNumericEdit edit;
    EXPECT_EQ(edit.text(), "0.00");
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    edit.SetValue(8.5);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "0.00");
    // What the layout cannot take is kept as typed, never dropped, and the
    // text is then no number the edit takes.
    QTest::keyClicks(&edit, "12a.3x4");
    EXPECT_EQ(edit.text(), "12a.3x4");
    EXPECT_FALSE(edit.Reading().Accepted());
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, "12.34");
    EXPECT_EQ(edit.text(), "12.34");
    QTest::keyClick(&edit, Qt::Key_Minus);
    EXPECT_EQ(edit.text(), "-12.34");
    EXPECT_DOUBLE_EQ(edit.Value(), -12.34);
    EXPECT_EQ(edit.AsInteger(), -12);

    // Line-editing shortcuts and undo would go around the rules: they change nothing.
    edit.setCursorPosition(2);
    for (const auto key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_K, Qt::Key_U, Qt::Key_Z})
        QTest::keyClick(&edit, key, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "-12.34");

    // Fewer decimals re-show the value; read-only takes no keys.
    edit.SetDecimals(12);
    EXPECT_EQ(edit.Decimals(), 9);
    edit.SetDecimals(0);
    EXPECT_EQ(edit.text(), "-12");
    edit.setReadOnly(true);
    edit.selectAll();
    QTest::keyClicks(&edit, "5");
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "-12");
}

TEST(NumericEdit, PasteMenuInputMethodAndDropCannotGoAroundTheRules)
{
    TFnpNumericEdit edit;

    QApplication::clipboard()->setText("7.5x");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "7.5x");  // as pasted, to be refused
    QApplication::clipboard()->setText(" 1,234.5\n");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "1234.50");
    QApplication::clipboard()->setText("3.14159");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "3.14159");  // shown with the decimals it has

    QApplication::clipboard()->setText("-3abc");
    edit.selectAll();
    const auto menu = edit.CreateContextMenu();
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == "&Paste")
            paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(edit.text(), "-3abc");
    edit.SetValue(-3);

    // Cut puts the selection on the clipboard and keeps the layout.
    edit.setSelection(3, 2);
    edit.Cut();
    EXPECT_EQ(QApplication::clipboard()->text(), "00");
    EXPECT_EQ(edit.text(), "-3.00");

    edit.selectAll();
    QInputMethodEvent ime;
    ime.setCommitString("4,9");  // the comma is a decimal separator
    QApplication::sendEvent(&edit, &ime);
    EXPECT_EQ(edit.text(), "4.90");

    // Even where someone lets the edit take drops, dropped text changes nothing.
    edit.setAcceptDrops(true);
    QMimeData dropped;
    dropped.setText("abc");
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    EXPECT_EQ(edit.text(), "4.90");
}

// Desktops with a selection clipboard paste it on a middle click; the
// offscreen platform of the test run has none.
TEST(NumericEdit, MiddleClickPasteGoesThroughTheRules)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard->supportsSelection())
        GTEST_SKIP() << "this platform has no selection clipboard";
    TFnpNumericEdit edit;
    edit.show();
    clipboard->setText("4,2", QClipboard::Selection);
    QTest::mouseClick(&edit, Qt::MiddleButton, Qt::NoModifier, QPoint(2, edit.height() / 2));
    EXPECT_FALSE(edit.text().contains('x')) << edit.text().toStdString();
    EXPECT_EQ(edit.text().size() - edit.text().indexOf('.'), 3) << edit.text().toStdString();
    EXPECT_NO_THROW(edit.Value()) << edit.text().toStdString();
}

TEST(NumericEdit, TypesAndReadsTheLocaleSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TFnpNumericEdit edit;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(edit.Separator(), ',');
    EXPECT_EQ(edit.text(), "0,00");
    edit.selectAll();
    QTest::keyClicks(&edit, "3.75");  // a point is the decimal key too
    EXPECT_EQ(edit.text(), "3,75");
    EXPECT_DOUBLE_EQ(edit.Value(), 3.75);
}

TEST(NumericEdit, ForeignTextAndMissingWindowAreReported)
{
    RecordingSink sink;
    TFnpNumericEdit edit;
    int invalid = 0;
    QObject::connect(&edit, &TFnpNumericEdit::OnInvalidEntry, [&] { ++invalid; });

    edit.setText("abc");
    EXPECT_THROW(edit.Value(), std::invalid_argument);
    EXPECT_FALSE(edit.IsValid());
    EXPECT_EQ(invalid, 1);

    QTest::keyClick(&edit, Qt::Key_Escape);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "TFnpNumericEdit: could not find parent form");

    // A foreign text that is no number is edited as it stands, nothing of
    // it dropped; an empty one is rebuilt by the first key.
    QTest::keyClick(&edit, Qt::Key_5);
    EXPECT_EQ(edit.text(), "abc5");
    edit.setText("");
    QTest::keyClick(&edit, Qt::Key_5);
    EXPECT_EQ(edit.text(), "5.00");
}

}  // namespace

// A stored value is shown with the decimals it has, at least the edit's own
// and at most 9; typing keeps that layout until the next SetValue.
TEST(NumericEdit, AStoredValueIsShownExactly)
{
    const struct {
        int decimals;
        double value;
        const char* shown;
    } cases[] = {
        {0, -0.5, "-0.5"},
        {4, 1.8, "1.8000"},
        {3, 0.12345, "0.12345"},
        {0, 1e-12, "0"},  // beyond 9 decimals: shown as SetValue shows it
        {2, 123456.75, "123456.75"},
    };
    for (const auto& c : cases) {
        EditDialog d;
        d.edit->SetDecimals(c.decimals);
        d.edit->SetValueExactly(c.value);
        EXPECT_EQ(d.edit->text(), c.shown) << c.value;
        EXPECT_EQ(d.edit->Decimals(), c.decimals) << c.value;
    }

    EditDialog d;
    d.edit->SetDecimals(0);
    d.edit->SetMaxLength(3);
    d.edit->SetValueExactly(-0.5);
    d.edit->selectAll();
    QTest::keyClicks(d.edit, "12.7");
    EXPECT_EQ(d.edit->text(), "12.7");
    EXPECT_DOUBLE_EQ(d.edit->ShownValue(), 12.7);
    d.edit->SetValue(3);
    EXPECT_EQ(d.edit->text(), "3");
}
