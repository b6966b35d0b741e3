#include "multi_ui/multi_result_windows.h"

#include "multi/result_kinds.h"
#include "unstructured_ui/display_template_form.h"
#include "multi_ui/multi_result_producer.h"
#include "multi_ui/population_structure_form.h"
#include "unstructured_ui/trajectory_summary_form.h"
#include "ui/result_window.h"

#include <array>

namespace multi {

namespace {

using enum TMultiWindowClass;

const std::array<TMultiResultWindow, 11> kWindows = {{
    {{kDensityDependenceInR, QStringLiteral("Density Dependence in R"), 20800}, Display},
    {{kReplacementCurve, QStringLiteral("Replacement Curve"), 20900}, Display},
    {{kDispersal, QStringLiteral("Dispersal"), 21000}, Display},
    {{kHabitatChange, QStringLiteral("Habitat Change"), 20600}, Display},
    {{kMigrationDistance, QStringLiteral("Dispersal Function"), 21200}, Plain},
    {{kCorrelationDistance, QStringLiteral("Correlation Function"), 21300}, Plain},
    {{kTrajectory, QStringLiteral("Trajectory Summary"), 30000}, Trajectory},
    {{kStructure, QStringLiteral("Population Structure"), 30200}, Structure},
    {{kOccupancy, QStringLiteral("Rivedarulation Occupancy"), 30400}, Plain},
    {{kIntervalExtinctionRisk, QStringLiteral("Extinction/Decline"), 30700}, Plain},
    {{kIntervalExplosionRisk, QStringLiteral("Explosion/Increase"), 30900}, Plain},
}};

}  // namespace

std::span<const TMultiResultWindow> MultiResultWindows() { return kWindows; }

const TMultiResultWindow& MultiResultWindow(int kind) { return ResultWindowOfKind(MultiResultWindows(), kind); }

}  // namespace multi

TModalResult OpenMultiResultWindow(QWidget* parent, int kind)
{
    using namespace multi;
    const TMultiResultWindow& window = MultiResultWindow(kind);
    switch (window.Class) {
    case Display:
        return TResultTemplateForm::Execute<unstructured_ui::TDisplayTemplateForm>(window.Setup, parent,
                                                                                   MultiResultProducer());
    case Trajectory:
        return TResultTemplateForm::Execute<unstructured_ui::TTrajectorySummaryForm>(window.Setup,
                                                                                     MultiResultProducer(), parent);
    case Structure: return TResultTemplateForm::Execute<TPopulationStructureForm>(parent);
    case Plain: break;
    }
    return TResultTemplateForm::Execute(MultiResultProducer(), window.Setup, parent);
}
