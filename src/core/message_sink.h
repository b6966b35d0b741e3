#pragma once
// What the windows offer the message service: boxes, the main window's status
// line, the run window's warnings list, the beep and event processing. The GUI
// installs its implementation at start-up; tests install a recording fake.
// Without a sink (a batch run, a command-line tool) boxes go to standard error.

#include <string>

enum class TBoxKind { Error, Warning, Information };

class TMessageSink {
public:
    virtual ~TMessageSink() = default;
    virtual void ShowBox(TBoxKind kind, const std::string& caption, const std::string& text) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void AddSimulationWarning(const std::string& text) = 0;
    virtual void Beep() = 0;
    virtual void Idle() = 0;
};

// The sink in use; null means none. The caller keeps ownership.
void SetMessageSink(TMessageSink* sink);
TMessageSink* GetMessageSink();
