#pragma once
// The live trajectory chart of a run: while the replications go on, the total
// abundance of every replication is drawn as one line on one chart, so that
// the user sees the spread of outcomes grow. The simulation window owns one
// chart and calls DrawTrajectories from its progress callback and its
// repaint; the axes are set once per run, from the replications completed by
// the time the fifth starts.

#include "chart/graph.h"
#include "chart/scale_info.h"
#include "stage/run_state.h"

#include <span>

class TLiveTrajectoryChart {
public:
    // `trajectory` holds the current replication's total at time steps
    // 0..duration; `redraw` asks for frame and titles to be drawn again.
    // Nothing is drawn before the fifth replication; the fifth sets and draws
    // the axes (marking them drawn in `run`); from the sixth on the current
    // replication's line is drawn up to the current time step.
    void DrawTrajectories(TGraph& graph, std::span<const float> trajectory, bool redraw, TRunState& run);
    // The same for the run in progress; nothing outside a run.
    void DrawTrajectories(TGraph& graph, std::span<const float> trajectory, bool redraw);

    // The settings the axes were drawn with.
    const TScaleInfo& Settings() const { return settings_; }

private:
    TScaleInfo settings_;
};
