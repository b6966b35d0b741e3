#pragma once
// What every program's main does around its own start-up: the platform check
// first, then the program; a bad configuration, a fatal stop or an unexpected
// error ends the program in order, with its message recorded once.

#include <functional>
#include <string>

struct ConfigType;
struct TConfigStartup;

// Runs `program` and returns its exit status. Returns 2, without running it,
// when the platform is too old; returns 2 as well when it raises ConfigError
// (the message goes to standard error), ProgramStopped (already recorded) or
// any other exception (its text goes to the batch log in batch mode, else to
// standard error). The batch log is finished in every case.
int RunProgramMain(const std::function<int()>& program);

// The start-up steps every program takes before its own, in dependency
// order: the configuration (command line, configuration file, command line
// again), the program's model sized from the limits the configuration asks
// for (`sizeModel`), and in batch mode the batch log in `logFolder` (the
// working directory when empty), under `fixedLogName` where the program
// keeps one log name for all its runs. A bad configuration raises
// ConfigError; a fatal stop raises ProgramStopped.
void StartProgramServices(const TConfigStartup& startup, const std::string& logFolder,
                          const std::function<void(const ConfigType&)>& sizeModel,
                          const std::string& fixedLogName = {});
