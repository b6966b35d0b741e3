#include "stage_ui/stage_result_windows.h"

#include "stage_ui/rate_of_increase_form.h"
#include "stage_ui/stage_result_producer.h"
#include "ui/result_text_window.h"
#include "ui/result_window.h"

#include <array>

namespace {

using enum TResultWindowBase;

const std::array<TStageResultWindow, 15> kWindows = {{
    {{1, QStringLiteral("Density Dependence in R"), 20800}, Chart},
    {{2, QStringLiteral("Replacement Curve"), 20900}, Chart},
    {{9, QStringLiteral("Sensitivities And Elasticities"), 20500}, Text},
    {{14, QStringLiteral("Finite Rate of Increase (lambda)"), 20000}, Text},
    {{15, QStringLiteral("Reproductive Value"), 20300}, Chart},
    {{16, QStringLiteral("Initial Distributions"), 20100}, Chart},
    {{17, QStringLiteral("Stable Distribution"), 20200}, Chart},
    {{18, QStringLiteral("Average Residence"), 20400}, Chart},
    {{19, QStringLiteral("Trajectory Summary"), 30000}, Chart},
    {{20, QStringLiteral("Harvest Summary"), 30100}, Chart},
    {{22, QStringLiteral("Final Age/Stage Abundances"), 30300}, Chart},
    {{26, QStringLiteral("Extinction/Decline"), 30700}, Chart},
    {{28, QStringLiteral("Explosion/Increase"), 30900}, Chart},
    {{11, QStringLiteral("Dispersal Function"), 21200}, Chart},
    {{12, QStringLiteral("Correlation Function"), 21300}, Chart},
}};

}  // namespace

std::span<const TStageResultWindow> StageResultWindows() { return kWindows; }

const TStageResultWindow& StageResultWindow(int kind) { return ResultWindowOfKind(StageResultWindows(), kind); }

TModalResult OpenStageResultWindow(QWidget* parent, int kind)
{
    const TStageResultWindow& window = StageResultWindow(kind);
    if (kind == TRateOfIncreaseForm::kKind)
        return TResultTextTemplateForm::Execute<TRateOfIncreaseForm>(parent);
    if (window.Base == Text)
        return TResultTextTemplateForm::Execute(StageResultProducer(), window.Setup, parent);
    return TResultTemplateForm::Execute(StageResultProducer(), window.Setup, parent);
}
