#include "multi_ui/single_result_windows.h"

#include "multi_ui/display_template_form.h"
#include "multi_ui/single_population_display_menu.h"
#include "multi_ui/single_result_producer.h"
#include "multi_ui/trajectory_summary_form.h"
#include "multi_ui/without_selector_form.h"
#include "single/result_kinds.h"
#include "ui/result_window.h"

#include <array>

namespace single {

namespace {

const std::array<TSingleResultWindow, 5> kWindows = {{
    {{kDensityDependenceInR, QStringLiteral("Density Dependence in R"), 20800}},
    {{kReplacementCurve, QStringLiteral("Replacement Curve"), 20900}},
    {{kTrajectory, QStringLiteral("Trajectory Summary"), 30000}},
    {{kIntervalExtinctionRisk, QStringLiteral("Extinction/Decline"), 30700}},
    {{kIntervalExplosionRisk, QStringLiteral("Explosion/Increase"), 30900}},
}};

}  // namespace

std::span<const TSingleResultWindow> SingleResultWindows() { return kWindows; }

}  // namespace single

TModalResult OpenSingleResultWindow(QWidget* parent, int kind)
{
    using multi::TWithoutSelector;
    const TResultWindowSetup& setup = ResultWindowOfKind(single::SingleResultWindows(), kind).Setup;
    switch (kind) {
    case single::kDensityDependenceInR:
    case single::kReplacementCurve:
        return TResultTemplateForm::Execute<TWithoutSelector<multi::TDisplayTemplateForm>>(setup, parent,
                                                                                          SingleResultProducer());
    case single::kTrajectory:
        return TResultTemplateForm::Execute<TWithoutSelector<multi::TTrajectorySummaryForm>>(
            setup, SingleResultProducer(), parent);
    default: break;
    }
    return TResultTemplateForm::Execute(SingleResultProducer(), setup, parent);
}

void ShowSinglePopulationDisplay(QWidget* parent) { single::TPopulationDisplayMenuForm(parent).Execute(); }
