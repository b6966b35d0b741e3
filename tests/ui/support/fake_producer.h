#pragma once
// A result producer for window tests: it records every call, answers the
// check as told, draws a small chart with the settings' title, and writes
// fixed text and comma-separated lines. Its messages go through the message
// service, as a program's producer's do. A call made while another is in
// progress fails the test.

#include "chart/result_modes.h"
#include "core/messages.h"
#include "ui/result_producer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct ProducerCall {
    int kind;
    int mode;
    bool warn;
    bool monochrome;   // the graph's, in chart calls
};

class FakeProducer : public TResultProducer {
public:
    std::vector<ProducerCall> calls;
    bool checkPasses = true;
    std::vector<std::string> text = {"Time     Mean", "   0     10.0", "   1     12.5"};
    std::vector<std::string> csv = {"Time,Mean", "0,10.0", "1,12.5"};
    // Runs inside every call, after it is recorded.
    std::function<void(int mode)> during;

    std::string ProgramTitle() const override { return "Voran Pelivo: Test"; }

    int CallsOf(int mode) const
    {
        int n = 0;
        for (const ProducerCall& c : calls)
            n += c.mode == mode;
        return n;
    }

protected:
    bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                       bool warnFlag) override
    {
        EXPECT_FALSE(inCall_) << "the producer was called during a call";
        inCall_ = true;
        calls.push_back({kind, mode, warnFlag, graph && graph->Monochrome});
        if (during)
            during(mode);
        inCall_ = false;
        if (!checkPasses) {
            if (warnFlag)
                ErrorMessage("Graph not available (no simulation results)");
            return false;
        }
        if (warnFlag)
            WarningMessage("Warning: Input data have been changed; they may not be consistent with results.");
        if (mode == kModeChart && graph) {
            static const float xs[] = {0, 5, 10}, ys[] = {2, 15, 9};
            double xtic = 0, ytic = 0;
            graph->SetupAxes(false, xtic, ytic, 0, 10, 0, 20);
            graph->TextAt(settings.Title, 0, 6, 500, 980);
            graph->DrawLine(xs, ys, 0, 12, 3);
            graph->DrawMarkers(xs, ys, 0, 9, 3);
        } else if (mode == kModeText && lines) {
            lines->insert(lines->end(), text.begin(), text.end());
        } else if (mode == kModeCsv && lines) {
            lines->insert(lines->end(), csv.begin(), csv.end());
        }
        return true;
    }

private:
    bool inCall_ = false;
};
