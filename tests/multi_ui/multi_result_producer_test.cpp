#include "multi_ui/multi_result_producer.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "core/config.h"
#include "core/run_progress.h"
#include "multi/model_file.h"
#include "multi/produce_output.h"
#include "multi/result_kinds.h"
#include "multi/run_simulation.h"
#include "support/recording_sink.h"
#include "support/scripted_modals.h"
#include "ui/result_window.h"

#include <QPlainTextEdit>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

TEST(MultiResultProducer, TheTrajectoryWindowOpensOnlyWithResultsAndShowsTheProducersNumbers)
{
    SelectKindTable(TKindTable::Plurimod);
    multi::StartMultiEngine(multi::TMultiLimits{});
    const std::string model = std::string(PV_EXAMPLES) + "/river_voles.mp";
    ASSERT_EQ(multi::LoadModelFile(multi::Model, model), kModelFileOk);
    EXPECT_EQ(MultiResultProducer().ProgramTitle(), "Voran Pelivo: Multiple Populations");
    const TResultWindowSetup trajectory{multi::kTrajectory, "Trajectory Summary", 0};

    {
        RecordingSink sink;
        EXPECT_EQ(TResultTemplateForm::Execute(MultiResultProducer(), trajectory), TModalResult::Abort);
        EXPECT_EQ(sink.boxes.size(), 1u);
    }

    Config.RandomSeed = "20261210";
    TRunOutcome outcome;
    ASSERT_TRUE(multi::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome));
    TScaleInfo settings = DefaultScaleInfo[multi::kTrajectory];
    std::vector<std::string> expected;
    ASSERT_TRUE(multi::ProduceOutput(settings, nullptr, &expected, multi::kTrajectory, kModeText, false));
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog& dialog) {
        const QString text = static_cast<TResultTemplateForm&>(dialog).Memo().toPlainText();
        std::string joined;
        for (const std::string& line : expected)
            joined += (joined.empty() ? "" : "\n") + line;
        EXPECT_EQ(text.toLatin1().toStdString(), joined);
        return TModalResult::Cancel;
    });
    RecordingSink sink;
    EXPECT_EQ(TResultTemplateForm::Execute(MultiResultProducer(), trajectory), TModalResult::Cancel);
    EXPECT_TRUE(sink.boxes.empty());
}
