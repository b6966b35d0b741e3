// The result windows and Chart Properties, on the sample model's results.

#include "screen_registry.h"

#include "stage_ui/stage_result_producer.h"
#include "ui/result_text_window.h"
#include "ui/result_window.h"
#include "ui/scale_form.h"



namespace {

const TResultWindowSetup kTrajectory{19, "Trajectory Summary", 30000};
const TResultWindowSetup kRateOfIncrease{14, "Finite Rate of Increase (lambda)", 20000};

std::unique_ptr<TResultTemplateForm> TrajectoryWindow()
{
    UseStageSample();
    return std::make_unique<TResultTemplateForm>(StageResultProducer(), kTrajectory);
}

const bool registered = RegisterScreens({
    {"strativa", "result-chart", [] { return TrajectoryWindow(); }},
    // Made small by the user: the axis titles keep clear of the tic labels,
    // the y title left out where the labels leave it no room.
    {"strativa", "result-chart-small",
     [] {
         auto window = TrajectoryWindow();
         window->resize(400, 280);
         return window;
     }},
    {"strativa", "result-numbers",
     [] {
         auto window = TrajectoryWindow();
         window->show();
         window->NumbersBtnClick();
         return window;
     }},
    {"strativa", "result-text",
     [] {
         UseStageSample();
         return std::make_unique<TResultTextTemplateForm>(StageResultProducer(), kRateOfIncrease);
     }},
    // As a user opens it from the trajectory chart, with its scaled limits.
    {"strativa", "chart-properties",
     [] {
         auto window = TrajectoryWindow();
         window->show();
         window->grab();   // painted, so the producer has scaled the settings
         auto form = std::make_unique<TScaleForm>();
         form->LoadScaleInfo(window->ScaleInfo());
         return form;
     }},
});

}  // namespace
