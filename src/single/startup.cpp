#include "single/startup.h"

#include "chart/scale_info.h"
#include "core/batch_log.h"

namespace single {

multi::TMultiLimits LimitsFromConfig(const ConfigType& config)
{
    multi::TMultiLimits limits;
    limits.MaxPops = config.MaxPopulations;
    limits.MaxDuration = config.MaxDuration;
    limits.MaxReplications = config.MaxReplications;
    limits.MaxStages = config.MaxStages;
    return limits;
}

void StartSingleProgram(const TConfigStartup& startup, const std::string& logFolder)
{
    LoadConfiguration(startup);
    multi::StartMultiEngine(LimitsFromConfig(Config));
    UseFixedBatchLogName(kBatchLogName);
    OpenBatchLog(logFolder);
    SelectKindTable(TKindTable::Monovara);
    multi::NewModel(multi::Model);
    // The map-features name comes only from the configuration or from a
    // file's header; this program draws no map and writes it back unchanged.
    multi::Model.MapName = Config.MapName;
}

void StartNewSingleModel(multi::TMultiModel& model)
{
    multi::StartNewModel(model);
    model.MapName = Config.MapName;
}

}  // namespace single
