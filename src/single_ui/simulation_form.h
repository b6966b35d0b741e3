#pragma once
// The window in which the single-population program runs a simulation: the
// shared simulation window (unstructured_ui/simulation_form.h) without its
// map, its population count, its quiet mode or its beep at every time step,
// and with the live trajectory chart of the run (single/live_chart.h) on its
// Trajectories page. Each showing starts on the General page and moves to the
// Trajectories page by itself when the fifth replication begins, the one from
// which the chart draws; the delay applies there from the sixth.
//
// The chart is drawn into a picture of the page: after every time step while
// the page is shown, the step's segment is added; when the page comes into
// view or changes its size the picture starts again with its axes (the
// segments drawn before are not drawn again), and outside a run it says that
// trajectories exist only while a run goes on. The picture a run leaves
// stays until then.

#include "chart/graph.h"
#include "unstructured_ui/simulation_form.h"

#include <QImage>

namespace single_ui {

class TSimulationForm : public unstructured_ui::TSimulationForm {
    Q_OBJECT
public:
    static constexpr int kWidth = 500;

    explicit TSimulationForm(QWidget* parent = nullptr, multi::TMultiModel& model = multi::Model);
    ~TSimulationForm() override;

    bool ProgressCallback(int replication, int timeStep) override;

    // The live chart as last drawn (null before the page was first drawn).
    const QImage& TrajectoryPicture() const { return picture_; }

protected:
    void PrepareRun() override;
    void RunEngine(const TProgress& progress, TRunOutcome& outcome) override;
    void ShowStep(bool pass) override;
    void RunEnded() override;
    void DrawMap(bool) override {}
    void DrawTrajectory(QPainter& painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The live chart into its picture: with `incremental` only the step's
    // segment, unless the picture has to start again.
    void DrawLiveChart(bool incremental);

    multi::TMultiModel& model_;
    TGraph graph_;
    QImage picture_;
    bool restart_ = true;   // the picture starts again at the next drawing
};

}  // namespace single_ui
