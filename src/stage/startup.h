#pragma once
// Start-up of the age/stage program's core services, in dependency order:
// the configuration (command line, configuration file, command line again),
// the model store sized from its limits, the batch log in batch mode, the
// result-memory kind, and the reset to a new, empty model.

#include "core/config.h"
#include "stage/model_store.h"

// The store limits that the configuration asks for.
ModelLimits LimitsFromConfig(const ConfigType& config);

// Runs the whole start-up sequence. A fatal stop (no batch log can be opened,
// the store cannot be had) raises ProgramStopped; a bad configuration raises
// ConfigError. `logFolder` is where the batch log goes (the working directory
// when empty).
void StartCoreServices(const TConfigStartup& startup, const std::string& logFolder = {});
