#include "stage_ui/stage_result_producer.h"

#include "stage/produce_output.h"
#include "stage_tool.h"
#include "support/recording_sink.h"
#include "support/scripted_modals.h"
#include "ui/result_window.h"

#include <QPlainTextEdit>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

TEST(StageResultProducer, TheTrajectoryWindowOpensOnlyWithResultsAndShowsTheProducersNumbers)
{
    const std::string model = std::string(PV_EXAMPLES) + "/meadow_herb.st";
    const TResultWindowSetup trajectory{19, "Trajectory Summary", 30000};
    PrepareStageModelStore();
    ASSERT_TRUE(LoadStageModel("test", model));
    EXPECT_EQ(StageResultProducer().ProgramTitle(), "Voran Pelivo: Age and Stage Structure");

    {
        RecordingSink sink;
        EXPECT_EQ(TResultTemplateForm::Execute(StageResultProducer(), trajectory), TModalResult::Abort);
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].text, "Graph not available (no simulation results)" + std::string(79, ' '));
    }

    ASSERT_TRUE(RunStageModel("test", model, "20261210"));
    TScaleInfo settings = DefaultScaleInfo[19];
    std::vector<std::string> expected;
    ASSERT_TRUE(ProduceOutput(settings, nullptr, &expected, 19, kModeText, false));
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog& dialog) {
        const QString text = static_cast<TResultTemplateForm&>(dialog).Memo().toPlainText();
        EXPECT_EQ(text.toLatin1().toStdString(), [&] {
            std::string joined;
            for (const std::string& line : expected)
                joined += (joined.empty() ? "" : "\n") + line;
            return joined;
        }());
        return TModalResult::Cancel;
    });
    RecordingSink sink;
    EXPECT_EQ(TResultTemplateForm::Execute(StageResultProducer(), trajectory), TModalResult::Cancel);
    EXPECT_TRUE(sink.boxes.empty());
}
