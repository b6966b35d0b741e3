#include "core/message_sink.h"

namespace {
TMessageSink* g_sink = nullptr;
}

void SetMessageSink(TMessageSink* sink) { g_sink = sink; }
TMessageSink* GetMessageSink() { return g_sink; }
