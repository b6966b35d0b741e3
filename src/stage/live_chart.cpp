#include "stage/live_chart.h"

#include "chart/result_writers.h"
#include "stage/model_store.h"
#include "stage/run_simulation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kFirstAxesReplication = 5;
constexpr int kFirstLineReplication = 6;

// Vertical range over the replications completed so far: 80 % of the lowest
// minimum, down to a multiple of 100, to 120 % of the highest maximum.
void VerticalRange(int completed, double& bottom, double& top)
{
    double lowest = 2147483647.0;
    double highest = 0;
    const int n = std::min({completed, Info.replmin.Count(), Info.replmax.Count()});
    for (int r = 1; r <= n; ++r) {
        lowest = std::min<double>(lowest, Info.replmin[r]);
        highest = std::max<double>(highest, Info.replmax[r]);
    }
    bottom = std::trunc(lowest * 0.8 * 0.01) * 100;
    top = highest < 1e9 ? highest * 1.2 : highest;
    // All replications at 0 (or none completed) would give a flat axis.
    if (top < bottom + 1) top = bottom + 1;
}

}  // namespace

void TLiveTrajectoryChart::DrawTrajectories(TGraph& graph, std::span<const float> trajectory, bool redraw,
                                            TRunState& run)
{
    if (run.ReplicationCount < kFirstAxesReplication) return;
    const int duration = Info.duration;
    if (!run.LiveChartAxesDrawn) {
        if (!redraw) {
            if (TCanvas* canvas = graph.GetCanvas()) {
                canvas->SetBrush({canvas->WindowColor(), TBrushStyle::Solid});
                canvas->FillRect(graph.AreaRect);
            }
        }
        double bottom = 0, top = 1;
        VerticalRange(run.ReplicationCount - 1, bottom, top);
        MakeScaleInfo(settings_, "Trajectories", "T I M E", "T O T A L     A B U N D A N C E", 0, bottom,
                      duration, top);
    }
    if (redraw || !run.LiveChartAxesDrawn) {
        DrawGraphTitles(settings_, graph, TResultAxesRules{}, settings_.XMinimum, settings_.YMinimum,
                        settings_.XMaximum, settings_.YMaximum);
        run.LiveChartAxesDrawn = true;
    }
    if (run.ReplicationCount < kFirstLineReplication) return;

    const int last = std::min<int>({run.CurrentTimeStep, duration, static_cast<int>(trajectory.size()) - 1});
    if (last < 1) return;
    // A polyline holds at most TGraph::kMaxPoints points: a long run is drawn
    // in pieces that share their end points.
    std::array<float, TGraph::kMaxPoints> xs{}, ys{};
    graph.BeginClip();
    for (int from = 0; from < last; from += TGraph::kMaxPoints - 1) {
        const int to = std::min(last, from + TGraph::kMaxPoints - 1);
        const int n = to - from + 1;
        for (int i = 0; i < n; ++i) {
            xs[static_cast<std::size_t>(i)] = static_cast<float>(from + i);
            ys[static_cast<std::size_t>(i)] = trajectory[static_cast<std::size_t>(from + i)];
        }
        graph.DrawLine(xs.data(), ys.data(), 0, ChartColorCode(6), n);
    }
    graph.EndClip();
}

void TLiveTrajectoryChart::DrawTrajectories(TGraph& graph, std::span<const float> trajectory, bool redraw)
{
    if (TRunState* run = ActiveRunState()) DrawTrajectories(graph, trajectory, redraw, *run);
}
