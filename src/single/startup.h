#pragma once
// Start-up of the single-population program before any window exists, in
// dependency order: the configuration (command line, configuration file,
// command line again), the model sized from its limits with the
// map-features name of the configuration, in batch mode the batch log
// "vereDUZ.REC" (one name, shared by the runs in a folder one after the
// other), the program's result-kind table, and a new model.

#include "core/config.h"
#include "multi/model_data.h"

#include <string>

namespace single {

// The batch log of this program, in the working directory.
inline constexpr const char* kBatchLogName = "vereDUZ.REC";

// The limits of the model that the configuration asks for.
multi::TMultiLimits LimitsFromConfig(const ConfigType& config);

// Runs the start-up. A bad configuration raises ConfigError; a fatal stop
// raises ProgramStopped. In batch mode, when the log cannot be opened, its
// lines go to standard error (BatchLogIsOpen tells). `logFolder` is where
// the log goes (the working directory when empty).
void StartSingleProgram(const TConfigStartup& startup, const std::string& logFolder = {});

// File, New: the model cleared, with the map-features name of the
// configuration (key ADD), which this program only carries back into the
// file it saves.
void StartNewSingleModel(multi::TMultiModel& model);

}  // namespace single
