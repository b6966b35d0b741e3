#pragma once
// The message service between the engine, the file code and the windows. It
// decides once for all callers where a message goes: the batch log in batch
// mode, otherwise a box, the status line or the run window's warnings list.

#include <functional>
#include <string>

// Six blanks and the message as one line of the batch log, flushed.
void LogLine(const std::string& message);

void StatusMessage(const std::string& text);
void ErrorMessage(const std::string& text);
void WarningMessage(const std::string& text);
void InputWarning(const std::string& text);
// Beep; in batch mode a log line; otherwise the registered warning handler
// when there is one, else the run window's warnings list.
void SimulationWarning(const std::string& text);
void InformationMessage(const std::string& text);
void WarningBeep();
void IdleHook();

// A status text for work under way: shown when made, and the status line
// cleared when it goes out of scope, however the work ends, so that the
// text never outlasts its work.
class TWorkStatus {
public:
    explicit TWorkStatus(const std::string& text) { StatusMessage(text); }
    ~TWorkStatus() { StatusMessage(""); }
    TWorkStatus(const TWorkStatus&) = delete;
    TWorkStatus& operator=(const TWorkStatus&) = delete;
};

// Where simulation warnings go outside batch mode while it is set: the
// multi-population programs route them through a handler (their run window's
// list while it is open, a warning box otherwise). An empty handler restores
// the run window's list.
using TSimulationWarningHandler = std::function<void(const std::string&)>;
void SetSimulationWarningHandler(TSimulationWarningHandler handler);
