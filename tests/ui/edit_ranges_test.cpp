#include "ui/edit_ranges.h"

#include "ui/numeric_edit.h"

#include <QLineEdit>
#include <QSpinBox>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

namespace {

TEST(EditRanges, MaximumLengthFitsTheLongerLimit)
{
    const struct {
        double min, max;
        int decimals;
        int length;
    } numeric[] = {
        {-2147483647.0, 2147483647.0, 0, 11},
        {-2147483647.0, 2147483647.0, 2, 14},
        {0, 1, 4, 6},
        {-0.5, 99.6, 1, 5},  // limits rounded when written without decimals
    };
    for (const auto& c : numeric) {
        TFnpNumericEdit edit;
        edit.SetDecimals(c.decimals);
        SetNumericEditRange(edit, c.min, c.max);
        EXPECT_EQ(edit.MaxLength(), c.length) << c.min << ".." << c.max;
        EXPECT_EQ(edit.MinValue(), c.min);
        EXPECT_EQ(edit.MaxValue(), c.max);
    }

    const struct {
        int min, max, length;
    } spin[] = {{1, 500, 3}, {-1000, 50, 5}, {0, 0, 1}};
    for (const auto& c : spin) {
        QSpinBox box;
        SetSpinEditRange(box, c.min, c.max);
        EXPECT_EQ(box.minimum(), c.min);
        EXPECT_EQ(box.maximum(), c.max);
        EXPECT_EQ(box.findChild<QLineEdit*>()->maxLength(), c.length);
    }
}

// A number longer than the field is taken in full, to be refused by the
// range, never cut to the field's width (123456 must not become 123).
TEST(EditRanges, TypingIsNeverCutToTheMaximumLength)
{
    TFnpNumericEdit edit;
    edit.SetDecimals(0);
    SetNumericEditRange(edit, 1, 500);
    EXPECT_EQ(edit.MaxLength(), 3);
    edit.PasteText("123456");
    EXPECT_EQ(edit.text(), "123456");
    EXPECT_EQ(edit.Reading().refusal, TNumberRefusal::OutOfRange);
}

}  // namespace
