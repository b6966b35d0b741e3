#pragma once
// The message service between the engine, the file code and the windows. It
// decides once for all callers where a message goes: the batch log in batch
// mode, otherwise a box, the status line or the run window's warnings list.

#include <string>

// Six blanks and the message as one line of the batch log, flushed.
void LogLine(const std::string& message);

void StatusMessage(const std::string& text);
void ErrorMessage(const std::string& text);
void WarningMessage(const std::string& text);
void InputWarning(const std::string& text);
void SimulationWarning(const std::string& text);
void InformationMessage(const std::string& text);
void WarningBeep();
void IdleHook();
