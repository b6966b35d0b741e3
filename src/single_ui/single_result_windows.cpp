#include "single_ui/single_result_windows.h"

#include "unstructured_ui/display_template_form.h"
#include "unstructured_ui/trajectory_summary_form.h"
#include "unstructured_ui/without_selector_form.h"
#include "single/result_kinds.h"
#include "single_ui/population_display_menu.h"
#include "single_ui/single_result_producer.h"
#include "ui/result_window.h"

#include <array>

namespace single_ui {

namespace {

const std::array<TSingleResultWindow, 5> kWindows = {{
    {{single::kDensityDependenceInR, QStringLiteral("Density Dependence in R"), 20800}},
    {{single::kReplacementCurve, QStringLiteral("Replacement Curve"), 20900}},
    {{single::kTrajectory, QStringLiteral("Trajectory Summary"), 30000}},
    {{single::kIntervalExtinctionRisk, QStringLiteral("Extinction/Decline"), 30700}},
    {{single::kIntervalExplosionRisk, QStringLiteral("Explosion/Increase"), 30900}},
}};

}  // namespace

std::span<const TSingleResultWindow> SingleResultWindows() { return kWindows; }

TModalResult OpenSingleResultWindow(QWidget* parent, int kind)
{
    using unstructured_ui::TWithoutSelector;
    const TResultWindowSetup& setup = ResultWindowOfKind(SingleResultWindows(), kind).Setup;
    switch (kind) {
    case single::kDensityDependenceInR:
    case single::kReplacementCurve:
        return TResultTemplateForm::Execute<TWithoutSelector<unstructured_ui::TDisplayTemplateForm>>(setup, parent,
                                                                                          SingleResultProducer());
    case single::kTrajectory:
        return TResultTemplateForm::Execute<TWithoutSelector<unstructured_ui::TTrajectorySummaryForm>>(
            setup, SingleResultProducer(), parent);
    default: break;
    }
    return TResultTemplateForm::Execute(SingleResultProducer(), setup, parent);
}

void ShowSinglePopulationDisplay(QWidget* parent) { TPopulationDisplayMenuForm(parent).Execute(); }

}  // namespace single_ui
