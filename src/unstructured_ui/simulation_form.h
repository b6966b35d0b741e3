#pragma once
// The window in which Plurimod runs a simulation (the run itself, progress,
// delay, stop and warnings are the shared run window's), with the population
// map that follows the run: while it goes on the circles show the current
// abundances and carrying capacities. Its pages are the map, the model's
// summary and a trajectory page that Plurimod does not offer; two buttons
// show the map, one beside the other view buttons and one after the delay
// controls. A double click on the status bar makes the run quiet (no display
// updates), one on the tool panel makes it beep at every time step.
// Monovara's simulation window (single_ui/simulation_form.h) is this window
// without its map, with the live trajectories on the trajectory page.
//
// The main window shows it modally for Simulation, Run:
//     form.SetModelFileName(currentFileName);   // the map's features file is found from it
//     form.Execute();                           // true when every replication ran

#include "multi/model_data.h"
#include "multi/population_map.h"
#include "ui/run_window.h"

#include <QImage>

#include <string>

class QPainter;
class QToolButton;

namespace unstructured_ui {

class TSimulationForm : public TRunWindow {
    Q_OBJECT
public:
    enum class TPage { Map, Trajectories, General };
    // On the trajectory page the delay applies from the replication after
    // this one.
    static constexpr int kTrajectoryReplication = 5;

    explicit TSimulationForm(QWidget* parent = nullptr, multi::TMultiModel& model = multi::Model);
    ~TSimulationForm() override;

    // The model's file, from which the map's features file is found.
    void SetModelFileName(const std::string& name) { modelFileName_ = name; }
    const std::string& ModelFileName() const { return modelFileName_; }

    // The run's progress callback: after every time step of the run. Answers
    // whether to go on.
    virtual bool ProgressCallback(int replication, int timeStep);

    void TextBtnClick();
    void MapBtnClick();
    void GraphBtnClick();
    // The second map button: the map page, with that button down.
    void SimulationMapBtnClick();
    void StatusBarDblClick();
    void ToolbarPanelDblClick();

    TPage Page() const { return page_; }
    bool Quiet() const { return quiet_; }
    bool BeepEachStep() const { return beepEachStep_; }
    // Between the first progress report and the end of the run: the map
    // shows the run's current state.
    bool Live() const { return live_; }

    QToolButton& TextButton() const { return ViewButton(0); }
    QToolButton& MapButton() const { return ViewButton(1); }
    QToolButton& GraphButton() const { return ViewButton(2); }
    QToolButton& SimulationMapButton() const { return *simulationMapBtn_; }
    QWidget& MapPaintBox() const { return *mapBox_; }
    QWidget& TrajectoryPaintBox() const { return *trajectoryBox_; }
    // The map as last drawn, and whether from the run's current values.
    const multi::TPopulationMapLayout& MapLayout() const { return mapLayout_; }
    bool MapDrawnLive() const { return mapDrawnLive_; }

protected:
    void PrepareRun() override;
    int ReplicationsToRun() const override;
    // The run with the window's warnings list registered with the engine.
    TRunOutcome RunModel() override;
    // The engine's run of the model, calling `progress` after every time
    // step.
    virtual void RunEngine(const TProgress& progress, TRunOutcome& outcome);
    void RunEnded() override;
    void ShowStep(bool pass) override;
    bool DelayApplies() const override;
    bool TimeStepShown() const override { return page_ != TPage::General; }
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Draws the map into the window's picture of it: with the run's current
    // values when `live` and a run is in progress, else from the model's
    // texts. Nothing is drawn while a stop is pending.
    virtual void DrawMap(bool live);
    // The trajectory page.
    virtual void DrawTrajectory(QPainter& painter);

private:
    void ShowPage(TPage page);
    void ShowModelInfo();
    void UpdateDelayEnabling();
    void PaintMap(QPainter& painter);

    multi::TMultiModel& model_;
    std::string modelFileName_;
    TPage page_ = TPage::General;
    bool quiet_ = false;
    bool beepEachStep_ = false;
    bool live_ = false;

    QImage mapImage_;
    multi::TPopulationMapLayout mapLayout_;
    bool mapDrawnLive_ = false;

    QWidget* mapBox_;
    QWidget* trajectoryBox_;
    QToolButton* simulationMapBtn_;
};

}  // namespace unstructured_ui
