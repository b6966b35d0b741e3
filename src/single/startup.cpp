#include "single/startup.h"

#include "chart/scale_info.h"
#include "core/program_main.h"

namespace single {

multi::TMultiLimits LimitsFromConfig(const ConfigType& config)
{
    return {.MaxPops = config.MaxPopulations,
            .MaxDuration = config.MaxDuration,
            .MaxReplications = config.MaxReplications,
            .MaxStages = config.MaxStages};
}

void StartSingleProgram(const TConfigStartup& startup, const std::string& logFolder)
{
    StartProgramServices(
        startup, logFolder, [](const ConfigType& config) { multi::StartMultiEngine(LimitsFromConfig(config)); },
        kBatchLogName);
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
