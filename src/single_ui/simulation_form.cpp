#include "single_ui/simulation_form.h"

#include "single/live_chart.h"
#include "single/run_simulation.h"
#include "ui/painter_canvas.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QToolButton>

namespace single_ui {

namespace {

const char* const kPopulationsCaption = "Populations:";

}  // namespace

TSimulationForm::TSimulationForm(QWidget* parent, multi::TMultiModel& model)
    : unstructured_ui::TSimulationForm(parent, model), model_(model)
{
    // One population: its count says nothing.
    SummaryLabel(QString::fromLatin1(kPopulationsCaption)).hide();
    for (QLabel* label : GeneralPage().findChildren<QLabel*>())
        if (label->text() == QString::fromLatin1(kPopulationsCaption))
            label->hide();
    TrajectoryPaintBox().installEventFilter(this);
}

TSimulationForm::~TSimulationForm() = default;

void TSimulationForm::PrepareRun()
{
    unstructured_ui::TSimulationForm::PrepareRun();
    resize(kWidth, height());
    // The graph button takes the map button's place.
    MapButton().hide();
    SimulationMapButton().hide();
    GraphButton().show();
    TextBtnClick();
    restart_ = true;
}

void TSimulationForm::RunEngine(const TProgress& progress, TRunOutcome& outcome)
{
    single::RunSimulation(model_, progress, &outcome);
}

bool TSimulationForm::ProgressCallback(int replication, int timeStep)
{
    // The chart draws from this replication on: the page comes into view.
    if (replication == kTrajectoryReplication && timeStep == 1)
        GraphBtnClick();
    return unstructured_ui::TSimulationForm::ProgressCallback(replication, timeStep);
}

void TSimulationForm::ShowStep(bool pass)
{
    // Every segment is drawn, not only those of the steps that are shown.
    if (Page() == TPage::Trajectories)
        DrawLiveChart(true);
    else
        restart_ = true;
    unstructured_ui::TSimulationForm::ShowStep(pass);
}

void TSimulationForm::RunEnded() { QApplication::beep(); }

void TSimulationForm::DrawLiveChart(bool incremental)
{
    const QSize size = TrajectoryPaintBox().size();
    if (size.isEmpty())
        return;
    if (restart_ || picture_.size() != size) {
        restart_ = false;
        incremental = false;
        picture_ = QImage(size, QImage::Format_RGB32);
        picture_.fill(palette().base().color());
        graph_.SetArea(0, 0, size.width(), size.height());
    }
    QPainter painter(&picture_);
    TPainterCanvas canvas(painter);
    canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
    graph_.SetCanvas(&canvas);
    single::DrawTrajectories(graph_, incremental, model_);
    graph_.SetCanvas(nullptr);
}

void TSimulationForm::DrawTrajectory(QPainter& painter)
{
    if (restart_ || picture_.size() != TrajectoryPaintBox().size())
        DrawLiveChart(false);
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
}

bool TSimulationForm::eventFilter(QObject* watched, QEvent* event)
{
    // This program has no quiet mode and no beep at every time step.
    if (event->type() == QEvent::MouseButtonDblClick && (watched == &StatusBar() || watched == &ToolbarPanel()))
        return true;
    if (watched == &TrajectoryPaintBox() && event->type() == QEvent::Show)
        restart_ = true;
    return unstructured_ui::TSimulationForm::eventFilter(watched, event);
}

}  // namespace single_ui
