#include "single/produce_output.h"

#include "multi/result_kinds.h"
#include "single/plot_buffer.h"
#include "single/result_kinds.h"
#include "single/validate_input.h"

namespace single {

const multi::TProducerRules& ProducerRules()
{
    static const multi::TProducerRules rules = [] {
        multi::TProducerRules r;
        r.EngineKinds = {0,
                         multi::kDensityDependenceInR,
                         multi::kReplacementCurve,
                         multi::kTrajectory,
                         multi::kIntervalExtinctionRisk,
                         multi::kIntervalExplosionRisk};
        r.Validate = ValidateInput;
        r.SettingsFromKindTable = true;
        r.ChartRules.ExtinctionRiskKind = kIntervalExtinctionRisk;
        r.ChartRules.WholeXTicKinds.clear();
        r.ChartRules.PopulationCaption = false;
        r.TableRules.Program = "SINGLE POPULATION MODEL";
        r.TableRules.PopulationsLine = false;
        r.TableRules.TitleSuffixes = false;
        return r;
    }();
    return rules;
}

bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag)
{
    std::vector<TScaleInfo>* table = CurrentKindTable() == TKindTable::Monovara ? &DefaultScaleInfo : nullptr;
    return multi::ProduceOutput({multi::Model, PlotBuffer, table, &ProducerRules()}, settings, graph, lines, kind,
                                mode, warnFlag);
}

}  // namespace single
