// Strativa's simulation window, its display menus and its result windows of
// several kinds, on the sample model.

#include "screen_registry.h"

#include "stage/model_store.h"
#include "stage_ui/population_display_menu.h"
#include "stage_ui/rate_of_increase_form.h"
#include "stage_ui/simulation_form.h"
#include "stage_ui/stage_display_menu.h"
#include "stage_ui/stage_result_producer.h"
#include "stage_ui/stage_result_windows.h"
#include "ui/result_text_window.h"
#include "ui/result_window.h"

#include <QApplication>

#include <stdexcept>

namespace {

// The sample model run in the window, as a user sees it when the run is
// over; its own warning is listed below the view.
std::unique_ptr<TSimulationForm> RunWindow(bool graph)
{
    UseStageSample();
    auto form = std::make_unique<TSimulationForm>();
    form->show();
    QApplication::processEvents();
    form->TimerTimer();
    if (!form->Completed())
        throw std::runtime_error("the sample model did not run in the simulation window");
    if (!graph)
        form->TextBtnClick();
    return form;
}

std::unique_ptr<QWidget> ChartWindow(int kind)
{
    UseStageSample();
    return std::make_unique<TResultTemplateForm>(StageResultProducer(), StageResultWindow(kind).Setup);
}

std::unique_ptr<QWidget> TextWindow(int kind)
{
    UseStageSample();
    return std::make_unique<TResultTextTemplateForm>(StageResultProducer(), StageResultWindow(kind).Setup);
}

const bool registered = RegisterScreens({
    {"strativa", "simulation-graph", [] { return RunWindow(true); }},
    {"strativa", "simulation-text",
     [] {
         auto form = RunWindow(false);
         form->AddWarning("Example warning: the run's warnings are listed here");
         return form;
     }},
    {"strativa", "population-display", [] { return std::make_unique<TPopulationDisplayMenuForm>(); }},
    {"strativa", "stage-display", [] {
         UseStageSample();
         return std::make_unique<TStageDisplayMenuForm>();
     }},
    {"strativa", "result-density-dependence", [] { return ChartWindow(1); }},
    {"strativa", "result-stable-distribution", [] { return ChartWindow(17); }},
    {"strativa", "result-initial-distribution", [] { return ChartWindow(16); }},
    {"strativa", "result-final-stages", [] { return ChartWindow(22); }},
    {"strativa", "result-extinction-decline", [] { return ChartWindow(26); }},
    {"strativa", "result-sensitivities", [] { return TextWindow(9); }},
    {"strativa", "result-rate-of-increase",
     [] {
         UseStageSample();
         return std::make_unique<TRateOfIncreaseForm>();
     }},
});

}  // namespace
