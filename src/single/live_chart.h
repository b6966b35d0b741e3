#pragma once
// The live trajectory chart of the single-population run window: while a
// run goes on, the total abundance of each replication is drawn step by step
// as one line, so that the spread of the outcomes grows before the user's
// eyes. The window calls DrawTrajectories from its progress callback
// (incremental) and from its repaint (not incremental).
//
// Outside a run the chart only says that trajectories exist while a run is
// going on; during the first four replications it says "Please wait...".
// When the fifth replication starts, the axes are scaled once from the
// replications completed so far; from then on every call adds the segment
// of the current time step. A repaint or a new size draws the background and
// the axes again; segments drawn before are not drawn again.

#include "chart/graph.h"
#include "chart/scale_info.h"
#include "multi/model_data.h"

namespace single {

// What the chart keeps between calls. Each run clears SetUp, so that each
// run scales the chart once.
struct TTrajectoryChartState {
    bool SetUp = false;
    int Width = 0;   // the chart's size at the last call
    int Height = 0;
    double YMinimum = 0;
    double YMaximum = 0;
    TScaleInfo Settings;
    // The last point drawn to, so that the next step continues the line.
    int Replication = 0;
    int Step = 0;
    float Total = 0;
    int PreviousStep = -1;
    float PreviousTotal = 0;
};

// The program's chart state.
extern TTrajectoryChartState TrajectoryChart;

// Draws on `graph` for the run in progress of `model` (none: the idle text).
void DrawTrajectories(TGraph& graph, bool incremental, const multi::TMultiModel& model = multi::Model,
                      TTrajectoryChartState& state = TrajectoryChart);

}  // namespace single
