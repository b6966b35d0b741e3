// Numbers as a person types them into the program's windows, opened through
// the Model menu and shown modally for real, each dialog closed once and
// opened again before typing: a comma is the decimal point in every number
// cell and numeric edit, a whole-number field refuses either separator, the
// General Information limits refuse an over-long number with the range
// message, and a matrix cell shows a stored single without noise.

#include "core/str_utilx.h"
#include "new_model_window.h"
#include "stage/model_store.h"
#include "support/real_modals.h"
#include "support/recording_sink.h"
#include "ui/numeric_edit.h"
#include "ui/refused_separator.h"
#include "ui/spin_edit_ex.h"
#include "ui/string_align_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QToolTip>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The program's windows over a new model; messages and beeps are recorded.
class TypedNumbersTest : public RecordedNewModelWindowTest {
protected:
    // The menu item twice: the first showing closed with Cancel, the second
    // worked by `step` inside its modal loop.
    void OpenTwice(const char* item, RealModals::TStep step)
    {
        modals.steps.push_back([](QDialog& d) { ClickButton(d, "Cancel"); });
        modals.steps.push_back(std::move(step));
        for (int showing = 0; showing < 2; ++showing) {
            Form().Item(item).trigger();
            Settle();
        }
    }

    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const RecordedBox& box : sink->boxes)
            texts.push_back(QString::fromStdString(box.text));
        return texts;
    }

};

}  // namespace

// "0,5" typed into a number cell is 0.5, never 5.
TEST_F(TypedNumbersTest, ACommaIsTheDecimalPointInEveryNumberCell)
{
    const struct {
        const char* item;
        int col, row;
        std::function<double()> element;
    } cases[] = {
        {"StageMatrixItem", 1, 1, [] { return double(Info.stagematrix[1][1][1]); }},
        {"StandardDeviationMatrixItem", 1, 1, [] { return double(Info.stdevmatrix[1][1][1]); }},
        {"InitialAbundancesItem", 1, 1, [] { return Info.initialabundance[1][1]; }},
        {"StagesItem", 2, 1, [] { return TextToRealDef(Info.stageprops[1].value2text, -1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        OpenTwice(c.item, [&c](QDialog& d) {
            TStringAlignGrid& grid = GridOf(d);
            ClickCell(grid, c.col, c.row);
            Press(Qt::Key_A, Qt::ControlModifier);
            Type("0,5");
            EXPECT_EQ(grid.Cells(c.col, c.row), "0.5");
            Press(Qt::Key_Return);
            ClickButton(d, "OK");
        });
        EXPECT_FLOAT_EQ(c.element(), 0.5);
    }
    EXPECT_TRUE(BoxTexts().empty());
}

// A Stage Matrix cell keeps every key: "1e-3" is 0.001 in the model, "-0.3"
// is refused with the range message, the cell still in edit with the text
// as typed, and nothing is stored until it is mended. A pasted "1.234,5"
// is 1234.5, as in a numeric edit.
TEST_F(TypedNumbersTest, AStageMatrixCellTakesWhatIsTypedOrRefusesIt)
{
    OpenTwice("StageMatrixItem", [this](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        ClickCell(grid, 1, 1);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("1e-3");
        EXPECT_EQ(grid.Cells(1, 1), "1e-3");
        Press(Qt::Key_Tab);
        ClickCell(grid, 2, 1);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("-0.3");
        ClickButton(d, "OK");
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(BoxTexts(), std::vector<QString>{"Number must be between 0 and 350."});
        EXPECT_EQ(grid.Cells(2, 1), "-0.3");
        EXPECT_EQ(grid.Row(), 1);
        EXPECT_EQ(grid.Col(), 2);
        ASSERT_NE(grid.InplaceEditor(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), grid.InplaceEditor());
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("0.3");
        ClickButton(d, "OK");
    });
    EXPECT_FLOAT_EQ(Info.stagematrix[1][1][1], 0.001f);
    EXPECT_FLOAT_EQ(Info.stagematrix[1][1][2], 0.3f);
    EXPECT_EQ(BoxTexts().size(), 1u);
    OpenTwice("InitialAbundancesItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        ClickCell(grid, 1, 1);
        Press(Qt::Key_A, Qt::ControlModifier);
        QApplication::clipboard()->setText(QStringLiteral("1.234,5"));
        Press(Qt::Key_V, Qt::ControlModifier);
        Press(Qt::Key_Return);
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.initialabundance[1][1], 1234.5);
    EXPECT_EQ(BoxTexts().size(), 1u);
}

// K, a whole number: "100,5" stays as typed and is refused, naming the
// field, with the keyboard back in it; a K of 15 digits is typed in full
// and refused with the range message, never cut to 10 digits.
TEST_F(TypedNumbersTest, WholeNumberFieldsRefuseAFractionOrALongNumberVisibly)
{
    OpenTwice("PopulationsItem", [this](QDialog& d) {
        auto& rmax = *d.findChild<TFnpNumericEdit*>("MaxGrowthRateEdit");
        auto& k = *d.findChild<TFnpNumericEdit*>("CarryingCapacityEdit");
        // A type with a growth rate and a ceiling: both fields in use.
        Press(Qt::Key_D, Qt::AltModifier);
        Press(Qt::Key_Down);
        ASSERT_TRUE(rmax.isEnabled() && k.isEnabled());
        Press(Qt::Key_M, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), &rmax);
        Type("1,25");
        EXPECT_EQ(rmax.text(), "1.2500");

        Press(Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), &k);
        Type("100,5");
        EXPECT_EQ(k.text(), "100,5");
        ClickButton(d, "OK");
        Settle();
        ASSERT_EQ(BoxTexts().size(), 1u) << BoxTexts()[1].toStdString();
        EXPECT_TRUE(BoxTexts()[0].endsWith(" takes whole numbers only.")) << BoxTexts()[0].toStdString();
        EXPECT_FALSE(BoxTexts()[0].startsWith("This field")) << BoxTexts()[0].toStdString();
        EXPECT_EQ(QApplication::focusWidget(), &k);
        EXPECT_EQ(k.text(), "100,5");

        Press(Qt::Key_A, Qt::ControlModifier);
        Type("123456789012345");
        EXPECT_EQ(k.text(), "123456789012345");
        Press(Qt::Key_Tab);
        Settle();
        ClickButton(d, "OK");
        Settle();
        ASSERT_GE(BoxTexts().size(), 2u);
        EXPECT_EQ(BoxTexts()[1], "This value must be between 0 and 2147483647, inclusive.");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), &k);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("125");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.populations[1].rmaxtext, "1.25");
    EXPECT_EQ(Info.populations[1].ktext, "125");
}

// Replications and duration take a number longer than their limit in full;
// leaving the field, or OK, refuses it with the range message and the
// setting it comes from, the field gets the keyboard back, and nothing is
// stored until the number is mended.
TEST_F(TypedNumbersTest, GeneralInformationRefusesANumberBeyondItsLimitInFull)
{
    const int replications = Info.replications;
    const int duration = Info.duration;
    const QString repMessage = "This value must be between 0 and 1000, inclusive.\n"
                               "The limit is the setting REP of the configuration file ZERKANOL.CFG.";
    const QString durMessage = "This value must be between 1 and 50, inclusive.\n"
                               "The limit is the setting DUR of the configuration file ZERKANOL.CFG.";
    OpenTwice("GeneralItem", [&](QDialog& d) {
        auto& rep = *d.findChild<TSpinEditEx*>("ReplicationsSpinEdit");
        auto& dur = *d.findChild<TSpinEditEx*>("DurationSpinEdit");
        Press(Qt::Key_R, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("5000");
        EXPECT_EQ(rep.cleanText(), "5000");
        Press(Qt::Key_Tab);
        EXPECT_EQ(BoxTexts(), std::vector<QString>{repMessage});
        EXPECT_EQ(QApplication::focusWidget(), &rep);
        Type("500");

        Press(Qt::Key_D, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("99999999");
        EXPECT_EQ(dur.cleanText(), "99999999");
        ClickButton(d, "OK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(BoxTexts(), (std::vector<QString>{repMessage, durMessage}));
        EXPECT_EQ(QApplication::focusWidget(), &dur);
        // Enter keeps the number as typed and is refused the same way.
        Type("77");
        Press(Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(BoxTexts().size(), 3u);
        EXPECT_EQ(dur.cleanText(), "77");
        EXPECT_EQ(Info.replications, replications);
        EXPECT_EQ(Info.duration, duration);
        // A whole number: a fraction stays as typed and is refused, naming
        // the field.
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("2,5");
        EXPECT_EQ(dur.cleanText(), "2,5");
        ClickButton(d, "OK");
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(BoxTexts().size(), 4u);
        EXPECT_EQ(BoxTexts()[3], "Duration takes whole numbers only.");
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("25");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(BoxTexts().size(), 4u);
    EXPECT_EQ(Info.replications, 500);
    EXPECT_EQ(Info.duration, 25);
}

// Two numbers beyond their limits at once (the first left for Help, which
// needs no valid number): leaving the second tells of it once and gives it
// the keyboard back; the first is not told of while the focus only passes
// through it.
TEST_F(TypedNumbersTest, GeneralInformationTellsOfOneNumberAtATime)
{
    const QString repMessage = "This value must be between 0 and 1000, inclusive.\n"
                               "The limit is the setting REP of the configuration file ZERKANOL.CFG.";
    const QString durMessage = "This value must be between 1 and 50, inclusive.\n"
                               "The limit is the setting DUR of the configuration file ZERKANOL.CFG.";
    OpenTwice("GeneralItem", [&](QDialog& d) {
        auto& rep = *d.findChild<TSpinEditEx*>("ReplicationsSpinEdit");
        auto& dur = *d.findChild<TSpinEditEx*>("DurationSpinEdit");
        Press(Qt::Key_D, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("99999999");
        ClickButton(d, "&Help");
        EXPECT_TRUE(BoxTexts().empty());
        Press(Qt::Key_R, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("5000");
        Press(Qt::Key_Tab);
        for (int i = 0; i < 10; ++i)
            Settle();
        EXPECT_EQ(BoxTexts(), std::vector<QString>{repMessage});
        EXPECT_EQ(QApplication::focusWidget(), &rep);
        Type("500");
        ClickButton(d, "OK");
        for (int i = 0; i < 10; ++i)
            Settle();
        EXPECT_EQ(BoxTexts(), (std::vector<QString>{repMessage, durMessage}));
        EXPECT_EQ(QApplication::focusWidget(), &dur);
        Type("25");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.replications, 500);
    EXPECT_EQ(Info.duration, 25);
}

// An element a repair left as 4/13 shows the seven digits a single holds,
// and OK keeps it to the last bit.
TEST_F(TypedNumbersTest, AStoredMatrixElementShowsWithoutNoise)
{
    Info.stagematrix[1][1][2] = 4.0f / 13;
    Info.stagematrix[1][2][1] = 1.0f / 3;
    OpenTwice("StageMatrixItem", [](QDialog& d) {
        TStringAlignGrid& grid = GridOf(d);
        EXPECT_EQ(grid.Cells(2, 1), "0.3076923");
        EXPECT_EQ(grid.Cells(1, 2), "0.3333333");
        ClickButton(d, "OK");
    });
    EXPECT_EQ(Info.stagematrix[1][1][2], 4.0f / 13);
    EXPECT_EQ(Info.stagematrix[1][2][1], 1.0f / 3);
}
