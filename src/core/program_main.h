#pragma once
// What every program's main does around its own start-up: the platform check
// first, then the program; a bad configuration, a fatal stop or an unexpected
// error ends the program in order, with its message recorded once.

#include <functional>

// Runs `program` and returns its exit status. Returns 2, without running it,
// when the platform is too old; returns 2 as well when it raises ConfigError
// (the message goes to standard error), ProgramStopped (already recorded) or
// any other exception (its text goes to the batch log in batch mode, else to
// standard error). The batch log is finished in every case.
int RunProgramMain(const std::function<int()>& program);
