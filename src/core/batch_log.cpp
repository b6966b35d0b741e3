#include "core/batch_log.h"

#include "core/message_sink.h"

#include <cstdio>

bool BatchMode = false;

namespace {
TMessageSink* g_sink = nullptr;
}

void SetMessageSink(TMessageSink* sink) { g_sink = sink; }
TMessageSink* GetMessageSink() { return g_sink; }

void WriteLog(const std::string& message)
{
    std::fprintf(stderr, "      %s\n", message.c_str());
}

void ReportMessage(const std::string& message)
{
    if (BatchMode || !g_sink)
        WriteLog(message);
    else
        g_sink->ShowBox(TBoxKind::Warning, "Warning", message);
}

void StopProgram(const std::string& message)
{
    if (BatchMode || !g_sink)
        WriteLog("PROGRAM STOPPED (" + message + ")");
    else
        g_sink->ShowBox(TBoxKind::Error, "Error", "Program stopped because\r\n\r\n" + message);
    throw ProgramStopped(message);
}
