// Monovara's windows on the moor-frog sample and its results: the main
// window, the parameter dialog, General Information, About, the population
// display menu, the simulation window after a run and the result window of
// every kind.

#include "screen_registry.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "unstructured_ui/about_form.h"
#include "unstructured_ui/display_template_form.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/trajectory_summary_form.h"
#include "unstructured_ui/without_selector_form.h"
#include "single/result_kinds.h"
#include "single_ui/main_form.h"
#include "single_ui/population_display_menu.h"
#include "single_ui/population_form.h"
#include "single_ui/simulation_form.h"
#include "single_ui/single_result_producer.h"
#include "single_ui/single_result_windows.h"
#include "ui/result_window.h"

#include <QApplication>

#include <stdexcept>

namespace {

using namespace single;
using namespace single_ui;

std::unique_ptr<TMainForm> MainWindow()
{
    UseSingleSample();
    static TMemorySettingsStore settings;
    ModelFileNamed = false;
    ModelFileName = SingleSampleFileName();
    auto form = std::make_unique<TMainForm>(settings);
    form->UpdateCaption();
    form->ShowModelSummary();
    return form;
}

// The sample run in the window, as a user sees it when the run is over.
std::unique_ptr<TSimulationForm> RunWindow()
{
    UseSingleSample();
    auto form = std::make_unique<TSimulationForm>();
    form->show();
    QApplication::processEvents();
    form->TimerTimer();
    if (!form->Completed())
        throw std::runtime_error("the sample model did not run in the simulation window");
    return form;
}

// The window of a kind, as OpenSingleResultWindow makes it.
std::unique_ptr<QWidget> ResultWindow(int kind)
{
    UseSingleSample();
    const TResultWindowSetup& setup = ResultWindowOfKind(SingleResultWindows(), kind).Setup;
    switch (kind) {
    case kDensityDependenceInR:
    case kReplacementCurve:
        return std::make_unique<unstructured_ui::TWithoutSelector<unstructured_ui::TDisplayTemplateForm>>(setup, nullptr,
                                                                                       SingleResultProducer());
    case kTrajectory:
        return std::make_unique<unstructured_ui::TWithoutSelector<unstructured_ui::TTrajectorySummaryForm>>(setup, SingleResultProducer());
    default: break;
    }
    return std::make_unique<TResultTemplateForm>(SingleResultProducer(), setup);
}

const bool registered = RegisterScreens({
    {"monovara", "main", [] { return MainWindow(); }},
    {"monovara", "population",
     [] {
         UseSingleSample();
         return std::make_unique<TPopulationForm>(multi::Model, TDisplayResult{}, TShowPopulationDisplay{});
     }},
    {"monovara", "general",
     [] {
         auto main = MainWindow();
         std::unique_ptr<QWidget> general(&main->GeneralForm());
         general->setParent(nullptr);
         static_cast<unstructured_ui::TGeneralForm&>(*general).LoadFromModel();
         return general;
     }},
    {"monovara", "about", [] { return std::make_unique<unstructured_ui::TAboutForm>(nullptr, SingleAboutTexts()); }},
    {"monovara", "population-display", [] { return std::make_unique<TPopulationDisplayMenuForm>(); }},
    {"monovara", "simulation-trajectories", [] { return RunWindow(); }},
    {"monovara", "simulation-general",
     [] {
         auto form = RunWindow();
         form->TextBtnClick();
         return form;
     }},
    {"monovara", "result-density-dependence", [] { return ResultWindow(kDensityDependenceInR); }},
    {"monovara", "result-replacement-curve", [] { return ResultWindow(kReplacementCurve); }},
    {"monovara", "result-trajectory", [] { return ResultWindow(kTrajectory); }},
    {"monovara", "result-extinction-decline", [] { return ResultWindow(kIntervalExtinctionRisk); }},
    {"monovara", "result-explosion-increase", [] { return ResultWindow(kIntervalExplosionRisk); }},
});

}  // namespace
