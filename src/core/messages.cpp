#include "core/messages.h"

#include "core/batch_log.h"
#include "core/message_sink.h"

#include <cstdio>
#include <utility>

namespace {

TSimulationWarningHandler g_warningHandler;

// Without a window to show it, a box's text goes to standard error.
void ToStderr(const char* caption, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text.c_str());
    std::fflush(stderr);
}

void Box(TBoxKind kind, const char* caption, const std::string& text)
{
    if (BatchMode) {
        LogLine(text);
        return;
    }
    if (TMessageSink* sink = GetMessageSink())
        sink->ShowBox(kind, caption, text);
    else
        ToStderr(caption, text);
}

}  // namespace

void LogLine(const std::string& message) { WriteLog(message); }

void StatusMessage(const std::string& text)
{
    if (TMessageSink* sink = GetMessageSink())
        sink->ShowStatus(text);
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
    if (BatchMode) {
        LogLine(text);
        return;
    }
    if (g_warningHandler)
        g_warningHandler(text);
    else if (TMessageSink* sink = GetMessageSink())
        sink->AddSimulationWarning(text);
    else
        ToStderr("Warning", text);
}

void InformationMessage(const std::string& text) { Box(TBoxKind::Information, "Information", text); }

void WarningBeep()
{
    if (TMessageSink* sink = GetMessageSink())
        sink->Beep();
}

void IdleHook()
{
    if (TMessageSink* sink = GetMessageSink())
        sink->Idle();
}

void SetSimulationWarningHandler(TSimulationWarningHandler handler) { g_warningHandler = std::move(handler); }
