#include "core/messages.h"

#include "core/batch_log.h"
#include "core/message_sink.h"

void LogLine(const std::string& message) { WriteLog(message); }

void StatusMessage(const std::string& text)
{
    if (auto* sink = GetMessageSink())
        sink->ShowStatus(text);
}

static void Box(TBoxKind kind, const char* caption, const std::string& text)
{
    auto* sink = GetMessageSink();
    if (BatchMode || !sink)
        LogLine(text);
    else
        sink->ShowBox(kind, caption, text);
}

void ErrorMessage(const std::string& text) { Box(TBoxKind::Error, "Error", text); }
void WarningMessage(const std::string& text)
{
    WarningBeep();
    Box(TBoxKind::Warning, "Warning", text);
}
void InputWarning(const std::string& text) { WarningMessage(text); }
void SimulationWarning(const std::string& text)
{
    WarningBeep();
    auto* sink = GetMessageSink();
    if (BatchMode || !sink)
        LogLine(text);
    else
        sink->AddSimulationWarning(text);
}
void InformationMessage(const std::string& text) { Box(TBoxKind::Information, "Information", text); }
void WarningBeep()
{
    if (auto* sink = GetMessageSink())
        sink->Beep();
}
void IdleHook()
{
    if (auto* sink = GetMessageSink())
        sink->Idle();
}
