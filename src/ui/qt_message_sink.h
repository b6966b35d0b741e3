#pragma once
// The message service's window side: boxes through the dialog service, the
// status line and the run window's warnings list through handlers that the
// main window and the run window set, the beep, and event processing while a
// run goes on. It installs itself as the message sink for its lifetime.

#include "core/message_sink.h"

#include <functional>
#include <string>

class QString;
class QWidget;

class TQtMessageSink : public TMessageSink {
public:
    using TTextHandler = std::function<void(const std::string&)>;

    TQtMessageSink();
    ~TQtMessageSink() override;
    TQtMessageSink(const TQtMessageSink&) = delete;
    TQtMessageSink& operator=(const TQtMessageSink&) = delete;

    // The window boxes are shown over (the main window); may be null.
    void SetBoxParent(QWidget* parent) { boxParent_ = parent; }
    // Where status texts go; without a handler they are dropped.
    void SetStatusHandler(TTextHandler handler) { status_ = std::move(handler); }
    // Where simulation warnings go; without a handler they are shown as a
    // warning box, so none is lost.
    void SetWarningHandler(TTextHandler handler) { warning_ = std::move(handler); }

    void ShowBox(TBoxKind kind, const std::string& caption, const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void AddSimulationWarning(const std::string& text) override;
    void Beep() override;
    void Idle() override;

private:
    TMessageSink* previous_;
    QWidget* boxParent_ = nullptr;
    TTextHandler status_;
    TTextHandler warning_;
};

// Message texts are 8-bit: valid UTF-8 (file names on this system) is read as
// such, anything else as Latin-1, as the model files are.
QString MessageText(const std::string& text);
