#pragma once
// Start-up of the map program before any window exists, in dependency order:
// the data folder (the current folder), the command line, the engine's
// model for the program's limits, the program's result-kind table and a new
// model. This program reads no configuration file and has no batch run: an
// argument that is a directive ("/KEY=value") is passed over, and every
// other argument (absolute paths too) names the model file, the last one
// winning.

#include "core/config.h"

#include <string>
#include <vector>

namespace multi {

inline constexpr const char* kUntitledModel = "Untitled.mp";
inline constexpr const char* kModelExtension = "mp";

// The model file the arguments name, into the program-wide ModelFileName
// (with `extension` appended to a name without one, and a name without a
// folder taken from the current folder when the file is there, else from
// `dataFolder`); ModelFileNamed tells whether any argument named one.
void ParseCommandLine(const std::vector<std::string>& arguments, const std::string& dataFolder,
                      const std::string& extension = kModelExtension);

// The whole start-up, with the program's arguments (without the program's
// name) and the current folder at start; the program's current model file is
// "Untitled.mp" unless the arguments name one.
void StartMultiProgram(const std::vector<std::string>& arguments, const std::string& startupDir);

}  // namespace multi
