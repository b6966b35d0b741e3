#include "ui/ellipsis_label.h"
#include "ui/min_max.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MinMax, LimitsOnlyTheNamedMembers)
{
    QWidget form;
    const QSize ownMaximum = form.maximumSize();
    TMinMax* minMax = new TMinMax(form);
    minMax->SetMinMaxTrackSize({300, 200, 500, 400});
    minMax->SetChanges(TMinMaxChange::mmMinTrackWidth | TMinMaxChange::mmMinTrackHeight);
    form.resize(100, 100);
    EXPECT_EQ(form.size(), QSize(300, 200));
    form.resize(2000, 2000);
    EXPECT_EQ(form.size(), QSize(2000, 2000));  // no maximum asked for
    EXPECT_EQ(form.maximumSize(), ownMaximum);

    minMax->SetChanges(minMax->Changes() | TMinMaxChange::mmMaxTrackWidth);
    EXPECT_EQ(form.width(), 500);
    // The handler has the last word.
    minMax->SetOnBeforeResize([](TMinMax&, TMinMaxTrackSize& limits) { limits.MinTrackWidth = 350; });
    form.resize(100, 100);
    EXPECT_EQ(form.size(), QSize(350, 200));

    // Inactive, the window is as free as before.
    minMax->SetActive(false);
    form.resize(100, 100);
    EXPECT_EQ(form.size(), QSize(100, 100));
    EXPECT_EQ(form.maximumSize(), ownMaximum);
}

TEST(SpinEditEx, RangeLengthAndButtons)
{
    TSpinEditEx spin;
    spin.resize(120, 24);
    spin.show();
    spin.SetValue(-12345);  // no range while both limits are 0
    EXPECT_EQ(spin.Value(), -12345);

    spin.SetMinValue(1);
    spin.SetMaxValue(500);
    EXPECT_EQ(spin.Value(), 1);
    spin.SetValue(900);
    EXPECT_EQ(spin.Value(), 500);

    // The length is no cut: a number is typed in full up to where the range
    // ends.
    spin.SetMaxLength(2);
    spin.selectAll();
    QTest::keyClicks(&spin, "456");
    EXPECT_EQ(spin.text(), "456");

    // The typed text ends where the buttons begin.
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.subControls = QStyle::SC_SpinBoxUp;
    const QRect up = spin.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &spin);
    EXPECT_LE(spin.findChild<QLineEdit*>()->geometry().right(), up.left());
}

TEST(EllipsisLabel, ShortensToItsWidthWhileTheHintStaysWhole)
{
    TEllipsisLabel label;
    label.setFont(QFont("DejaVu Sans", 9));
    const QString path = "D:/alpha/beta/file.txt";
    label.SetIsPath(true);
    label.SetCaption(path);
    label.show();
    const int full = label.sizeHint().width();

    // Narrowing pixel by pixel shows each step once, in order.
    std::vector<QString> shown;
    for (int width = full; width >= 0; --width) {
        label.resize(width, 20);
        if (shown.empty() || shown.back() != label.text())
            shown.push_back(label.text());
        EXPECT_EQ(label.toolTip(), path);
    }
    const std::vector<QString> steps = {"D:/alpha/beta/file.txt", "D:/.../beta/file.txt", "D:/.../file.txt",
                                        "D:.../file.txt",         "D:file.txt",           "file.txt"};
    EXPECT_EQ(shown, steps);

    // Plain text: as much as fits and "...", or a dot when even that is too
    // narrow; wide again, the whole text.
    label.SetIsPath(false);
    label.SetCaption("Initial abundances of every population");
    label.resize(80, 20);
    EXPECT_TRUE(label.text().endsWith("...")) << label.text().toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), 80);
    label.resize(8, 20);
    EXPECT_EQ(label.text(), ".");
    label.resize(label.sizeHint().width(), 20);
    EXPECT_EQ(label.text(), "Initial abundances of every population");
    EXPECT_EQ(label.toolTip(), "Initial abundances of every population");

    // A bigger font needs more room.
    label.resize(200, 20);
    const QString before = label.text();
    label.setFont(QFont("DejaVu Sans", 16));
    EXPECT_NE(label.text(), before);
    EXPECT_TRUE(label.text().endsWith("..."));
}
