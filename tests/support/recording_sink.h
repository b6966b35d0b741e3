#pragma once
// A message sink for tests: records every box, status text, warning and beep,
// and installs itself for its lifetime.

#include "core/message_sink.h"

#include <string>
#include <vector>

struct RecordedBox {
    TBoxKind kind;
    std::string caption;
    std::string text;
};

class RecordingSink : public TMessageSink {
public:
    RecordingSink() : previous_(GetMessageSink()) { SetMessageSink(this); }
    ~RecordingSink() override { SetMessageSink(previous_); }
    RecordingSink(const RecordingSink&) = delete;
    RecordingSink& operator=(const RecordingSink&) = delete;

    void ShowBox(TBoxKind kind, const std::string& caption, const std::string& text) override
    {
        boxes.push_back({kind, caption, text});
    }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void AddSimulationWarning(const std::string& text) override { warnings.push_back(text); }
    void Beep() override { ++beeps; }
    void Idle() override { ++idles; }

    // Whether a box showed exactly this text; every box text, for messages.
    bool HasBox(const std::string& text) const
    {
        for (const RecordedBox& box : boxes)
            if (box.text == text) return true;
        return false;
    }
    std::string BoxTexts() const
    {
        std::string all;
        for (const RecordedBox& box : boxes) all += "[" + box.text + "]";
        return all;
    }

    std::vector<RecordedBox> boxes;
    std::vector<std::string> statuses;
    std::vector<std::string> warnings;
    int beeps = 0;
    int idles = 0;

private:
    TMessageSink* previous_;
};
