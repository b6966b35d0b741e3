#include "single/live_chart.h"

#include "chart/palette.h"
#include "chart/result_writers.h"
#include "multi/run_simulation.h"
#include "single/plot_buffer.h"

#include <algorithm>
#include <cmath>

namespace single {

TTrajectoryChartState TrajectoryChart;

namespace {

constexpr int kFirstDrawnReplication = 5;

// A text centred on the chart, its top half a letter above the middle.
void CentredText(TGraph& graph, TCanvas& canvas, const std::string& text)
{
    graph.SetTextJustify(0, 4);
    const TRect& area = graph.AreaRect;
    canvas.TextOut(area.Left + graph.GetAreaWidth() / 2,
                   area.Top + graph.GetAreaHeight() / 2 - canvas.TextExtent("A").cy / 2, text);
}

double InitialTotal(const multi::TMultiModel& model)
{
    double total = 0;
    for (int i = 1; i <= model.PopCount && i <= model.MaxPops; ++i)
        if (model.Populations[i].IncludeInTotals)
            total += model.InitialAbundance[i];
    return total;
}

// The range of the replications completed so far: from 80 % of the lowest
// total, down to whole hundreds, to 120 % of the highest.
void ScaleOnce(const multi::TMultiModel& model, TTrajectoryChartState& state)
{
    double lowest = 2147483647.0;
    double highest = 0;
    const int completed = std::min(model.ReplicationsDone - 1, model.MaxReplications);
    for (int r = 1; r <= completed; ++r) {
        lowest = std::min<double>(lowest, model.ReplicationMin[r]);
        highest = std::max<double>(highest, model.ReplicationMax[r]);
    }
    lowest = std::trunc(lowest * 0.8 * 0.01) * 100;
    if (highest < 1e9)
        highest *= 1.2;
    if (highest == 0) {
        lowest = -0.1;
        highest = 0.1;
    }
    state.YMinimum = lowest;
    state.YMaximum = highest;
    MakeScaleInfo(state.Settings, "Trajectories", "T I M E", "T O T A L     A B U N D A N C E", 0, lowest,
                  model.Duration, highest);
}

void DrawFrame(TGraph& graph, TCanvas& canvas, const TTrajectoryChartState& state)
{
    canvas.SetBrush({canvas.ButtonFaceColor(), TBrushStyle::Solid});
    canvas.FillRect(graph.AreaRect);
    const TScaleInfo& s = state.Settings;
    DrawGraphTitles(s, graph, TResultAxesRules{}, s.XMinimum, s.YMinimum, s.XMaximum, s.YMaximum);
}

// The point of this call: the line goes on from the previous step of the
// same replication, or starts at the initial total with step 1.
void TakePoint(const multi::TMultiModel& model, const multi::TMultiRun& run, TTrajectoryChartState& state)
{
    const int replication = model.ReplicationsDone;
    const int step = run.CurrentTimeStep;
    const auto total = static_cast<float>(run.IncludedTotal);
    if (replication == state.Replication && step == state.Step)
        return;  // a repaint at the same step
    if (replication == state.Replication && step == state.Step + 1) {
        state.PreviousStep = state.Step;
        state.PreviousTotal = state.Total;
    } else if (step == 1) {
        state.PreviousStep = 0;
        state.PreviousTotal = static_cast<float>(InitialTotal(model));
    } else {
        state.PreviousStep = -1;  // no step before this one was seen
    }
    state.Replication = replication;
    state.Step = step;
    state.Total = total;
}

}  // namespace

void DrawTrajectories(TGraph& graph, bool incremental, const multi::TMultiModel& model,
                      TTrajectoryChartState& state)
{
    TCanvas* canvas = graph.GetCanvas();
    if (!canvas)
        return;
    const multi::TMultiRun* run = multi::ActiveRun();
    if (!run) {
        CentredText(graph, *canvas, "Trajectories are only available while simulation is running");
        return;
    }
    if (model.ReplicationsDone < kFirstDrawnReplication) {
        canvas->FillRect(graph.AreaRect);
        CentredText(graph, *canvas, "Please wait...");
        return;
    }

    const int width = graph.GetAreaWidth();
    const int height = graph.GetAreaHeight();
    if (!state.SetUp) {
        ScaleOnce(model, state);
        DrawFrame(graph, *canvas, state);
        state.Replication = 0;
        state.Step = 0;
        state.SetUp = true;
    } else if (!incremental || width != state.Width || height != state.Height) {
        DrawFrame(graph, *canvas, state);
    }

    TakePoint(model, *run, state);
    if (state.PreviousStep == state.Step - 1) {
        // The segment goes through the first two entries of the plot buffer.
        PlotBuffer.PlotX[0] = static_cast<float>(state.PreviousStep);
        PlotBuffer.PlotMean[0] = state.PreviousTotal;
        PlotBuffer.PlotX[1] = static_cast<float>(state.Step);
        PlotBuffer.PlotMean[1] = state.Total;
        graph.BeginClip();
        graph.DrawLine(PlotBuffer.PlotX.data(), PlotBuffer.PlotMean.data(), 0, ChartColorCode(6), 2);
        graph.EndClip();
    }
    state.Width = width;
    state.Height = height;
}

}  // namespace single
