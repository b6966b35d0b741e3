#pragma once
// The window in which Strativa runs a simulation (the run itself, progress,
// delay, stop and warnings are the shared run window's). It shows the
// model's summary or, from the fifth replication on, a live chart of total
// abundance. It lives as long as the program, because the input check
// writes its faults into the warnings list at any time (the message sink's
// warning handler calls AddWarning).

#include "chart/graph.h"
#include "stage/live_chart.h"
#include "stage/run_simulation.h"
#include "stage/run_state.h"
#include "ui/run_window.h"

#include <QImage>

#include <string>
#include <vector>

class QPainter;
class QToolButton;

class TSimulationForm : public TRunWindow {
    Q_OBJECT
public:
    // The live chart is offered, and shown once, from this replication on.
    static constexpr int kGraphReplication = 5;

    explicit TSimulationForm(QWidget* parent = nullptr);
    ~TSimulationForm() override;

    // The run's progress callback: after every time step of the run. Answers
    // whether to go on.
    bool SimulationProgress(int replication, int timeStep);

    void TextBtnClick();
    void GraphBtnClick();

    bool ShowingGraph() const;
    // The live chart as drawn so far.
    const QImage& ChartImage() const { return image_; }

    QToolButton& TextButton() const { return ViewButton(0); }
    QToolButton& GraphButton() const { return ViewButton(1); }

protected:
    void PrepareRun() override;
    int ReplicationsToRun() const override;
    TRunOutcome RunModel() override;
    void RunEnded() override;
    void ShowStep(bool pass) override;
    bool DelayApplies() const override;
    bool TimeStepShown() const override { return ShowingGraph(); }

private:
    void ShowRunInfo();
    void ShowView(bool graph);
    bool AxesDrawn() const { return view_.LiveChartAxesDrawn; }
    void QueueLine();
    void DrawLiveChart(bool redraw);
    void PaintChart(QPainter& painter);

    bool graphOffered_ = false;    // the switch to the graph view was made
    bool lineDue_ = false;         // the current replication's line is to be drawn

    // Filled by the run; lives as long as the window, since a close request
    // arrives while the run still writes into it.
    std::vector<float> trajectory_;
    // The window's copy of the replication in progress: the run starts
    // overwriting the trajectory before the window hears that a replication
    // ended, and its line is drawn in full from this copy.
    std::vector<float> shown_;
    // Lines of ended replications not drawn yet: the chart is drawn when
    // events are processed, all lines since the last time at once.
    struct TPendingLine {
        int Replication;
        int LastStep;
        std::size_t Offset;   // into pending_
    };
    std::vector<TPendingLine> pendingLines_;
    std::vector<float> pending_;

    TGraph graph_;
    TLiveTrajectoryChart chart_;
    // Which replication and step the chart draws, with the run's mark that
    // the axes are drawn.
    TRunState view_;
    QImage image_;                 // the live chart, drawn step by step

    QWidget* chartBox_;
};
