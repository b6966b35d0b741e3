#include "stage_ui/simulation_form.h"

#include "core/config.h"
#include "stage/model_store.h"
#include "core/model_summary.h"
#include "sim/density_types.h"
#include "ui/painter_canvas.h"
#include "ui/qt_message_sink.h"

#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

namespace {

const char* const kDemographicCaption = "Demographic stochasticity";
const char* const kConstraintsCaption = "Constraints";

}  // namespace

TSimulationForm::TSimulationForm(QWidget* parent)
    : TRunWindow(parent, {{"TextBtn", QStringLiteral("Text"), QStringLiteral("Display simulation text")},
                          {"GraphBtn", QStringLiteral("Graph"), QStringLiteral("Display trajectory graph")}})
{
    TextButton().setChecked(true);
    GraphButton().setEnabled(false);

    // A long title or comment line is cut to the window's width: it never
    // widens the window.
    AddSummaryLine(QStringLiteral("Title:"), true, true);
    AddSummaryLine(QStringLiteral("Comments:"), true, true);
    AddSummaryLine(QString::fromLatin1(kDemographicCaption), false);
    AddSummaryLine(QString::fromLatin1(kConstraintsCaption), false);
    AddSummaryLine(QStringLiteral("Replications:"), true);
    AddSummaryLine(QStringLiteral("Duration:"), true);
    AddSummaryLine(QStringLiteral("Stages:"), true);
    AddSummaryLine(QStringLiteral("Density dependence type:"), true);
    EndSummary();

    chartBox_ = AddPaintedPage("GraphPaintBox", [this](QPainter& painter) { PaintChart(painter); });
    // The chart paints every pixel of its box: nothing beneath it needs
    // painting first.
    chartBox_->setAttribute(Qt::WA_OpaquePaintEvent);

    connect(&TextButton(), &QToolButton::clicked, this, &TSimulationForm::TextBtnClick);
    connect(&GraphButton(), &QToolButton::clicked, this, &TSimulationForm::GraphBtnClick);

    // The configured first view; every showing starts in the text view.
    if (Config.DisplayMode <= 1)
        ShowView(true);
    else if (Config.DisplayMode <= 3)
        ShowView(false);
}

TSimulationForm::~TSimulationForm() = default;

bool TSimulationForm::ShowingGraph() const { return GraphButton().isChecked(); }

void TSimulationForm::PrepareRun()
{
    graphOffered_ = false;
    lineDue_ = false;
    pendingLines_.clear();
    pending_.clear();

    const std::size_t length = static_cast<std::size_t>(std::max(Info.duration, 0)) + 1;
    trajectory_.assign(length, 0.0f);
    shown_.assign(length, 0.0f);
    view_.LiveChartAxesDrawn = false;
    image_ = QImage();

    GraphButton().setEnabled(false);
    ShowView(false);
    ShowRunInfo();
}

int TSimulationForm::ReplicationsToRun() const { return Info.replications; }

void TSimulationForm::ShowRunInfo()
{
    const auto set = [this](const char* caption, const std::string& text) {
        SetSummaryText(QString::fromLatin1(caption), MessageText(text));
    };
    set("Title:", Info.title);
    std::string comments;
    for (int c = 1; c <= 4; ++c)
        comments += (c > 1 ? "\n" : "") + Info.comments[c];
    set("Comments:", comments);
    set(kDemographicCaption, Info.demogstoch ? "Demographic stochasticity is used"
                                             : "Demographic stochasticity is not used");
    set(kConstraintsCaption, Info.ignoreconstraints ? "Constraints are ignored" : "Constraints are respected");
    set("Replications:", ReplicationsText(Info.replications));
    set("Duration:", std::to_string(Info.duration));
    set("Stages:", std::to_string(Info.stages));
    set("Density dependence type:", Info.pops >= 1 ? DensityDependenceTypeName(Info.populations[1].ddtype) : "");
}

void TSimulationForm::ShowView(bool graph)
{
    (graph ? GraphButton() : TextButton()).setChecked(true);
    Pages().setCurrentWidget(graph ? chartBox_ : &GeneralPage());
    EnableDelay(graph);
}

void TSimulationForm::TextBtnClick() { ShowView(false); }

void TSimulationForm::GraphBtnClick() { ShowView(true); }

TRunOutcome TSimulationForm::RunModel()
{
    // The run writes a total for every time step 0..duration.
    const std::size_t length = static_cast<std::size_t>(std::max(Info.duration, 0)) + 1;
    if (trajectory_.size() != length) {
        trajectory_.assign(length, 0.0f);
        shown_.assign(length, 0.0f);
    }
    TRunOutcome outcome;
    RunSimulation(trajectory_, [this](std::int32_t r, std::int32_t t) { return SimulationProgress(r, t); },
                  &outcome);
    return outcome;
}

void TSimulationForm::RunEnded()
{
    QueueLine();
    if (!pendingLines_.empty())
        DrawLiveChart(false);
    chartBox_->update();
}

bool TSimulationForm::SimulationProgress(int replication, int timeStep)
{
    if (replication != Replication())
        QueueLine();   // the replication ended before its last step
    // Offered once: a user who goes back to the text view stays there.
    if (replication == kGraphReplication && !graphOffered_) {
        graphOffered_ = true;
        GraphButton().setEnabled(true);
        ShowView(true);
    }
    if (timeStep == 1)
        shown_[0] = trajectory_[0];
    if (timeStep >= 0 && static_cast<std::size_t>(timeStep) < shown_.size())
        shown_[static_cast<std::size_t>(timeStep)] = trajectory_[static_cast<std::size_t>(timeStep)];
    return ReportStep(replication, timeStep);
}

void TSimulationForm::ShowStep(bool pass)
{
    if (ShowingGraph() && chartBox_->isVisible() && Replication() >= kGraphReplication) {
        lineDue_ = true;
        if (TimeStep() >= Info.duration)
            QueueLine();
        if (!AxesDrawn() || pass)
            DrawLiveChart(false);
    }
    if (!pass)
        return;
    ShowProgress();
    if (ShowingGraph())
        chartBox_->update();
}

bool TSimulationForm::DelayApplies() const
{
    return ShowingGraph() && (!chartBox_->isVisible() || Replication() > kGraphReplication);
}

void TSimulationForm::QueueLine()
{
    if (!lineDue_)
        return;
    lineDue_ = false;
    const int last = std::clamp(TimeStep(), 0, static_cast<int>(shown_.size()) - 1);
    pendingLines_.push_back({Replication(), last, pending_.size()});
    pending_.insert(pending_.end(), shown_.begin(), shown_.begin() + last + 1);
}

void TSimulationForm::DrawLiveChart(bool redraw)
{
    // One picture per run, made at the box's size when the chart is first
    // drawn: every line drawn since is in it. The box may change its size
    // later (the warnings list appears, the user resizes the window); the
    // picture is then scaled to the box, never started again, so that no
    // line drawn so far is lost.
    QPainter painter;
    if (image_.isNull()) {
        const QSize size = chartBox_->size();
        if (size.isEmpty())
            return;
        image_ = QImage(size, QImage::Format_RGB32);
        painter.begin(&image_);
        TPainterCanvas canvas(painter);
        canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
        canvas.FillRect(canvas.DeviceRect());
        // The chart's area is the picture; the axes set on it are kept for
        // the lines drawn later, so a new picture needs the frame again.
        graph_.SetArea(0, 0, size.width(), size.height());
        redraw = redraw || AxesDrawn();
    } else {
        painter.begin(&image_);
    }
    TPainterCanvas canvas(painter);
    graph_.SetCanvas(&canvas);
    TRunState* run = ActiveRunState();
    if (run)
        view_.LiveChartAxesDrawn = run->LiveChartAxesDrawn;
    // The axes and the frame where they are due (no line at step 0).
    view_.ReplicationCount = Replication();
    view_.CurrentTimeStep = 0;
    chart_.DrawTrajectories(graph_, shown_, redraw, view_);
    for (const TPendingLine& line : pendingLines_) {
        view_.ReplicationCount = line.Replication;
        view_.CurrentTimeStep = line.LastStep;
        chart_.DrawTrajectories(graph_, std::span<const float>(pending_).subspan(line.Offset, line.LastStep + 1),
                                false, view_);
    }
    pendingLines_.clear();
    pending_.clear();
    if (lineDue_) {
        view_.ReplicationCount = Replication();
        view_.CurrentTimeStep = TimeStep();
        chart_.DrawTrajectories(graph_, shown_, false, view_);
    }
    view_.ReplicationCount = Replication();
    if (run)
        run->LiveChartAxesDrawn = view_.LiveChartAxesDrawn;
    graph_.SetCanvas(nullptr);
}

void TSimulationForm::PaintChart(QPainter& painter)
{
    // A picture of the box's size covers it pixel for pixel: no background
    // needed beneath it.
    if (image_.isNull() || image_.size() != chartBox_->size()) {
        TPainterCanvas canvas(painter);
        canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
        canvas.FillRect(canvas.DeviceRect());
    }
    if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(chartBox_->rect(), image_);
    }
}
