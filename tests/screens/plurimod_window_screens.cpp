// Plurimod's simulation window with its map, its population display menu and
// the result window of every kind, on the water-vole sample and its results.

#include "screen_registry.h"

#include "multi/result_kinds.h"
#include "unstructured_ui/display_template_form.h"
#include "multi_ui/multi_result_producer.h"
#include "multi_ui/multi_result_windows.h"
#include "multi_ui/population_display_menu.h"
#include "multi_ui/population_structure_form.h"
#include "unstructured_ui/simulation_form.h"
#include "unstructured_ui/trajectory_summary_form.h"
#include "ui/result_window.h"

#include <QApplication>

#include <stdexcept>

namespace {

using namespace multi;
using unstructured_ui::TSimulationForm;
using unstructured_ui::TDisplayTemplateForm;
using unstructured_ui::TTrajectorySummaryForm;

// The sample run in the window, as a user sees it when the run is over.
std::unique_ptr<TSimulationForm> RunWindow()
{
    UseMultiSample();
    auto form = std::make_unique<TSimulationForm>();
    form->SetModelFileName(MultiSampleFileName());
    form->show();
    QApplication::processEvents();
    form->TimerTimer();
    if (!form->Completed())
        throw std::runtime_error("the sample model did not run in the simulation window");
    return form;
}

std::unique_ptr<QWidget> ResultWindow(int kind)
{
    UseMultiSample();
    const TMultiResultWindow& window = MultiResultWindow(kind);
    switch (window.Class) {
    case TMultiWindowClass::Display: return std::make_unique<TDisplayTemplateForm>(window.Setup, nullptr, MultiResultProducer());
    case TMultiWindowClass::Trajectory: return std::make_unique<TTrajectorySummaryForm>(window.Setup, MultiResultProducer());
    case TMultiWindowClass::Structure: return std::make_unique<TPopulationStructureForm>();
    case TMultiWindowClass::Plain: break;
    }
    return std::make_unique<TResultTemplateForm>(MultiResultProducer(), window.Setup);
}

const bool registered = RegisterScreens({
    {"plurimod", "simulation-map", [] { return RunWindow(); }},
    {"plurimod", "simulation-text",
     [] {
         auto form = RunWindow();
         form->TextBtnClick();
         form->AddWarning("Pop.1: WARNING: Total migration is more than 90%");
         return form;
     }},
    {"plurimod", "population-display", [] { return std::make_unique<TPopulationDisplayMenuForm>(); }},
    {"plurimod", "result-density-dependence", [] { return ResultWindow(kDensityDependenceInR); }},
    {"plurimod", "result-replacement-curve", [] { return ResultWindow(kReplacementCurve); }},
    {"plurimod", "result-dispersal", [] { return ResultWindow(kDispersal); }},
    {"plurimod", "result-habitat-change", [] { return ResultWindow(kHabitatChange); }},
    {"plurimod", "result-dispersal-function", [] { return ResultWindow(kMigrationDistance); }},
    {"plurimod", "result-correlation-function", [] { return ResultWindow(kCorrelationDistance); }},
    {"plurimod", "result-trajectory", [] { return ResultWindow(kTrajectory); }},
    {"plurimod", "result-structure", [] { return ResultWindow(kStructure); }},
    {"plurimod", "result-occupancy", [] { return ResultWindow(kOccupancy); }},
    {"plurimod", "result-extinction-decline", [] { return ResultWindow(kIntervalExtinctionRisk); }},
    {"plurimod", "result-explosion-increase", [] { return ResultWindow(kIntervalExplosionRisk); }},
});

}  // namespace
