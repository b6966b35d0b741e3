// General Information refuses a number beyond a size limit and names where
// the limit was set: a switch on the command line when one set it, else the
// configuration file.

#include "core/config.h"
#include "new_model_window.h"
#include "support/recording_sink.h"
#include "support/user_input.h"
#include "ui/spin_edit_ex.h"

#include <QApplication>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class LimitSourceTest : public RecordedNewModelWindowTest {
protected:
    // The duration limit from the command line, the replications limit from
    // the start values.
    void Configure() override { ParseCommandLine({"/DUR=30"}); }
};

}  // namespace

TEST_F(LimitSourceTest, TheRangeMessageNamesTheSwitchThatSetTheLimit)
{
    ASSERT_EQ(Config.MaxDuration, 30);
    modals.steps.push_back([](QDialog& d) { ClickButton(d, "Cancel"); });
    modals.steps.push_back([&](QDialog& d) {
        Press(Qt::Key_D, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("40");
        ClickButton(d, "OK");
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("20");
        Press(Qt::Key_R, Qt::AltModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("5000");
        ClickButton(d, "OK");
        ClickButton(d, "Cancel");
    });
    for (int showing = 0; showing < 2; ++showing) {
        Form().Item("GeneralItem").trigger();
        Settle();
    }
    std::vector<std::string> texts;
    for (const RecordedBox& box : sink->boxes)
        texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "This value must be between 1 and 30, inclusive.\n"
                         "The limit is the switch /DUR= of the command line.",
                         "This value must be between 0 and 1000, inclusive.\n"
                         "The limit is the setting REP of the configuration file ZERKANOL.CFG.",
                     }));
}
