#pragma once
// The batch switch, the batch log and the fatal stop.

#include <stdexcept>
#include <string>

// True in batch mode (a RUN directive beginning with "Y").
extern bool BatchMode;

// Raised by StopProgram after its message has been recorded. It unwinds to the
// event loop or to main, which end the program in an orderly way, so no code
// goes on working on half-built state.
class ProgramStopped : public std::runtime_error {
public:
    explicit ProgramStopped(const std::string& reason) : std::runtime_error(reason) {}
};

// Six blanks, the message, one line, flushed.
void WriteLog(const std::string& message);

// In batch mode a log line; otherwise a warning box.
void ReportMessage(const std::string& message);

// The fatal stop: records the message (a log line in batch mode, a box
// otherwise), then raises ProgramStopped.
[[noreturn]] void StopProgram(const std::string& message);
