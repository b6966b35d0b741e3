#include "stage/startup.h"

#include "core/program_main.h"
#include "stage/model_access.h"

ModelLimits LimitsFromConfig(const ConfigType& config)
{
    ModelLimits limits;
    limits.pops = config.MaxPopulations;
    limits.stages = config.MaxStages;
    limits.duration = config.MaxDuration;
    limits.replications = config.MaxReplications;
    limits.matrices = config.MaxMatrices;
    limits.kchanges = config.MaxKChange;
    limits.fchanges = config.MaxFChange;
    limits.schanges = config.MaxSChange;
    return limits;
}

void StartCoreServices(const TConfigStartup& startup, const std::string& logFolder)
{
    StartProgramServices(startup, logFolder,
                         [](const ConfigType& config) { CreateModelStore(LimitsFromConfig(config)); });
    ResultMemoryKind = kMainMemory;
    NewModel();
}
