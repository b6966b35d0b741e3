#include "ui/scale_form.h"

#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/screen_driver.h"
#include "ui/numeric_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

namespace {

// A dialog shown and active, so that the focus moves as for a user.
struct ShownForm {
    TScaleForm form;
    explicit ShownForm(const TScaleInfo& info)
    {
        form.LoadScaleInfo(info);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

TScaleInfo Manual(double xmin, double xmax, double ymin, double ymax)
{
    TScaleInfo info;
    info.Title = "Trajectory summary";
    info.XLabel = "Time";
    info.YLabel = "Abundance";
    info.AutoScale = false;
    info.XMinimum = xmin;
    info.XMaximum = xmax;
    info.YMinimum = ymin;
    info.YMaximum = ymax;
    return info;
}

}  // namespace

TEST(ScaleForm, StoresWhatItLoadedExceptTheTicSpacings)
{
    TScaleInfo small = Manual(0, 50, 0.5e-6, 1e-6);   // an autoscaled chart of tiny values
    small.Index = 3;
    small.ShowAll = false;
    small.XTicSpace = 5;
    small.YTicSpace = 0.1;
    TScaleInfo large = Manual(-2147483647, 2147483647, -12.25, 1234567.5);
    large.AutoScale = true;
    large.Title = "Caf\xe9 population";   // 8-bit text, as side files hold it
    for (const TScaleInfo& info : {small, large}) {
        TScaleForm form;
        form.LoadScaleInfo(info);
        TScaleInfo stored;
        form.StoreScaleInfo(stored);
        TScaleInfo expected = info;
        expected.XTicSpace = expected.YTicSpace = 0;
        EXPECT_EQ(stored, expected) << info.Title;
        EXPECT_TRUE(form.IndexEdit().isHidden());
        EXPECT_TRUE(form.ShowAllCheckBox().isHidden());
    }
    // Small limits keep their digits instead of rounding to 0.00.
    TScaleForm form;
    form.LoadScaleInfo(small);
    EXPECT_EQ(form.YAxisMaxEdit().text(), "0.000001000");
    EXPECT_EQ(form.XAxisMaxEdit().text(), "50.000000000");
}

TEST(ScaleForm, AutoscaleDisablesTheLimitsAndTheirLabels)
{
    TScaleForm form;
    form.LoadScaleInfo(Manual(0, 1, 0, 1));
    auto limits = [&] {
        std::vector<QWidget*> w = {&form.XAxisMinEdit(), &form.XAxisMaxEdit(), &form.YAxisMinEdit(),
                                   &form.YAxisMaxEdit()};
        for (QWidget* edit : std::vector<QWidget*>(w))
            for (QLabel* label : form.findChildren<QLabel*>())
                if (label->buddy() == edit)
                    w.push_back(label);
        return w;
    };
    ASSERT_EQ(limits().size(), 8u);
    // Loaded with Autoscale off; each click turns it over.
    for (const bool autoscale : {false, true, false, true}) {
        EXPECT_EQ(form.AutoscaleCheckBox().isChecked(), autoscale);
        for (QWidget* w : limits())
            EXPECT_EQ(w->isEnabled(), !autoscale) << w->objectName().toStdString();
        form.AutoscaleCheckBox().click();
    }
}

TEST(ScaleForm, OkRefusesLimitsInTheWrongOrderWithTheAxissMessage)
{
    const struct {
        TScaleInfo info;
        bool autoscale;
        const char* message;   // null: accepted
        const char* focus;
    } cases[] = {
        {Manual(5, 5, 0, 10), false, "Maximum x-axis value must be greater than minimum value.", "XAxisMaxEdit"},
        {Manual(0, 10, 7, 3), false, "Maximum y-axis value must be greater than minimum value.", "YAxisMaxEdit"},
        {Manual(10, 5, 10, 5), true, nullptr, nullptr},   // limits ignored
        {Manual(0, 10, 0, 3e9), false, "This value must be between -2147483647 and 2147483647, inclusive.",
         "YAxisMaxEdit"},
        {Manual(0, 10, 0, 1e-6), false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        ShownForm shown(c.info);
        shown.form.AutoscaleCheckBox().setChecked(c.autoscale);
        int accepted = 0;
        QObject::connect(&shown.form, &QDialog::accepted, [&] { ++accepted; });
        shown.form.OkButton().click();
        QApplication::processEvents();
        if (!c.message) {
            EXPECT_EQ(accepted, 1);
            EXPECT_TRUE(sink.boxes.empty());
            continue;
        }
        EXPECT_EQ(accepted, 0) << c.message;
        ASSERT_EQ(sink.boxes.size(), 1u) << c.message;
        EXPECT_EQ(sink.boxes[0].text, c.message);
        EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus) << c.message;
    }
}

TEST(ScaleForm, LeavingALimitChecksOnceTheFocusHasMovedButNotForCancelOrHelp)
{
    RecordingHelp help;

    // Leaving for another edit: one message, after the move; the focus comes
    // back to the edit left.
    {
        RecordingSink sink;
        ShownForm shown(Manual(5, 5, 0, 10));
        shown.form.XAxisMinEdit().setFocus(Qt::TabFocusReason);
        shown.form.YAxisMinEdit().setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(sink.boxes.empty());   // not inside the leave
        QApplication::processEvents();
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].text, "Maximum x-axis value must be greater than minimum value.");
        EXPECT_EQ(QApplication::focusWidget(), &shown.form.XAxisMinEdit());
    }
    // Leaving for Cancel or Help: no message; Cancel closes, Help shows 40300.
    for (const bool toCancel : {false, true}) {
        RecordingSink sink;
        ShownForm shown(Manual(0, 10, 4, 4));
        int rejected = 0;
        QObject::connect(&shown.form, &QDialog::rejected, [&] { ++rejected; });
        shown.form.YAxisMaxEdit().setFocus(Qt::TabFocusReason);
        QPushButton& button = toCancel ? shown.form.CancelButton() : shown.form.HelpButton();
        QTest::mouseClick(&button, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(sink.boxes.empty()) << toCancel;
        EXPECT_EQ(rejected, toCancel ? 1 : 0);
    }
    EXPECT_EQ(help.contexts, std::vector<int>{40300});
}
