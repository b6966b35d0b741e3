#include "unstructured_ui/simulation_form.h"

#include "core/config.h"
#include "multi/messages.h"
#include "multi/run_simulation.h"
#include "ui/hints.h"
#include "ui/numeric_edit.h"
#include "ui/picture_files.h"
#include "ui/qt_message_sink.h"
#include "ui/result_window_parts.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>

namespace unstructured_ui {

using namespace multi;

namespace {

const char* const kDemographicLine = "Using demographic stochasticity";
constexpr int kDelayLength = 6;   // "100.00"

// The run's simulation warnings go to the window's list while it runs.
class TWarningsToWindow {
public:
    explicit TWarningsToWindow(TRunWindow& window)
    {
        SetWarningHandler([&window](const std::string& text) { window.AddWarning(text); });
    }
    ~TWarningsToWindow() { SetWarningHandler({}); }
    TWarningsToWindow(const TWarningsToWindow&) = delete;
    TWarningsToWindow& operator=(const TWarningsToWindow&) = delete;
};

}  // namespace

TSimulationForm::TSimulationForm(QWidget* parent, TMultiModel& model)
    : TRunWindow(parent, {{"TextBtn", QStringLiteral("Text"), QStringLiteral("Display simulation text")},
                          {"MapBtn", QStringLiteral("Map"), QStringLiteral("Display rivedarulation map")},
                          {"GraphBtn", QStringLiteral("Graph"), QStringLiteral("Display trajectory graph")}}),
      model_(model)
{
    resize(560, 460);
    AddSummaryLine(QStringLiteral("Title:"), true).setWordWrap(true);
    AddSummaryLine(QStringLiteral("Comments:"), true).setWordWrap(true);
    AddSummaryLine(QStringLiteral("Replications:"), true);
    AddSummaryLine(QStringLiteral("Duration:"), true);
    AddSummaryLine(QStringLiteral("Populations:"), true);
    AddSummaryLine(QString::fromLatin1(kDemographicLine), false).setText(QString::fromLatin1(kDemographicLine));
    EndSummary();
    mapBox_ = AddPaintedPage("MapPaintBox", [this](QPainter& painter) { PaintMap(painter); });
    trajectoryBox_ = AddPaintedPage("TrajectoryPaintBox", [this](QPainter& painter) { DrawTrajectory(painter); });

    DelayEdit().SetMaxLength(kDelayLength);
    DelayEdit().SetValue(Config.StepDelay);
    StatusBar().installEventFilter(this);
    ToolbarPanel().installEventFilter(this);

    connect(&TextButton(), &QToolButton::clicked, this, &TSimulationForm::TextBtnClick);
    connect(&MapButton(), &QToolButton::clicked, this, &TSimulationForm::MapBtnClick);
    connect(&GraphButton(), &QToolButton::clicked, this, &TSimulationForm::GraphBtnClick);

    // A second map button of the view group, after the delay controls.
    auto* tools = qobject_cast<QBoxLayout*>(ToolbarPanel().layout());
    simulationMapBtn_ = AddToolButton(*tools, "SimulationMapBtn", QStringLiteral("Map"),
                                      QStringLiteral("Display simulation map"));
    simulationMapBtn_->setCheckable(true);
    simulationMapBtn_->setAutoExclusive(true);
    connect(simulationMapBtn_, &QToolButton::clicked, this, &TSimulationForm::SimulationMapBtnClick);
    ShowPage(TPage::General);
}

TSimulationForm::~TSimulationForm() = default;

void TSimulationForm::PrepareRun()
{
    live_ = false;
    GraphButton().hide();
    ShowPage(TPage::Map);
    ShowModelInfo();
}

int TSimulationForm::ReplicationsToRun() const { return model_.Replications; }

void TSimulationForm::ShowModelInfo()
{
    const InfoType& info = model_.Info;
    SummaryLabel(QStringLiteral("Title:")).setText(MessageText(info.Title));
    SummaryLabel(QStringLiteral("Comments:"))
        .setText(MessageText(info.Comment1 + "\n" + info.Comment2 + "\n" + info.Comment3 + "\n" + info.Comment4));
    SummaryLabel(QString::fromLatin1(kDemographicLine)).setVisible(info.DemographicStochasticity);
    SummaryLabel(QStringLiteral("Replications:")).setText(QString::number(model_.Replications));
    SummaryLabel(QStringLiteral("Duration:")).setText(QString::number(model_.Duration));
    SummaryLabel(QStringLiteral("Populations:")).setText(QString::number(model_.PopCount));
    mapBox_->update();
}

void TSimulationForm::ShowPage(TPage page)
{
    page_ = page;
    switch (page) {
    case TPage::Map:
        MapButton().setChecked(true);
        Pages().setCurrentWidget(mapBox_);
        break;
    case TPage::Trajectories:
        GraphButton().setChecked(true);
        Pages().setCurrentWidget(trajectoryBox_);
        break;
    case TPage::General:
        TextButton().setChecked(true);
        Pages().setCurrentWidget(&GeneralPage());
        break;
    }
    UpdateDelayEnabling();
}

void TSimulationForm::UpdateDelayEnabling() { EnableDelay(page_ != TPage::General); }

void TSimulationForm::TextBtnClick() { ShowPage(TPage::General); }

void TSimulationForm::MapBtnClick() { ShowPage(TPage::Map); }

void TSimulationForm::SimulationMapBtnClick()
{
    ShowPage(TPage::Map);
    simulationMapBtn_->setChecked(true);
}

void TSimulationForm::GraphBtnClick() { ShowPage(TPage::Trajectories); }

void TSimulationForm::StatusBarDblClick() { quiet_ = !quiet_; }

void TSimulationForm::ToolbarPanelDblClick() { beepEachStep_ = !beepEachStep_; }

TRunOutcome TSimulationForm::RunModel()
{
    const TWarningsToWindow warnings(*this);
    TRunOutcome outcome;
    RunEngine([this](std::int32_t r, std::int32_t t) { return ProgressCallback(r, t); }, outcome);
    return outcome;
}

void TSimulationForm::RunEngine(const TProgress& progress, TRunOutcome& outcome)
{
    RunSimulation(model_, progress, &outcome);
}

bool TSimulationForm::ProgressCallback(int replication, int timeStep)
{
    live_ = true;
    if (beepEachStep_)
        QApplication::beep();
    return ReportStep(replication, timeStep);
}

void TSimulationForm::ShowStep(bool pass)
{
    if (!pass)
        return;
    if (quiet_) {
        ShowReplicationDone();
        return;
    }
    ShowProgress();
    if (page_ == TPage::Map)
        mapBox_->update();
    else if (page_ == TPage::Trajectories)
        trajectoryBox_->update();
}

bool TSimulationForm::DelayApplies() const
{
    return page_ != TPage::General && (page_ != TPage::Trajectories || Replication() > kTrajectoryReplication);
}

void TSimulationForm::RunEnded()
{
    live_ = false;
    // How long the run took, for whoever asks the status bar.
    SetHint(StatusBar(), QString::number(RunMilliseconds()));
    QApplication::beep();
    if (mapBox_->isVisible())
        mapBox_->update();
}

void TSimulationForm::DrawMap(bool live)
{
    // A stop is honoured only after the replication in progress: its state
    // is not worth showing.
    if (StopRequested() && !Finished())
        return;
    const TMultiRun* run = live ? ActiveRun() : nullptr;
    mapDrawnLive_ = run != nullptr;
    mapImage_ = PictureImage(mapBox_->width(), mapBox_->height(), [&](TCanvas& canvas) {
        canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
        if (run) {
            const TMapRunValues values{run->Abundance, run->StepCounter};
            mapLayout_ = DrawPopulationMap(canvas, canvas.DeviceRect(), model_, modelFileName_, &values);
        } else {
            mapLayout_ = DrawPopulationMap(canvas, canvas.DeviceRect(), model_, modelFileName_);
        }
    });
}

void TSimulationForm::PaintMap(QPainter& painter)
{
    DrawMap(live_);
    if (!mapImage_.isNull())
        painter.drawImage(mapBox_->rect(), mapImage_);
}

void TSimulationForm::DrawTrajectory(QPainter& painter)
{
    painter.fillRect(trajectoryBox_->rect(), palette().base());
    painter.drawText(QRect(10, 50, trajectoryBox_->width() - 10, trajectoryBox_->height() - 50),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Trajectory is not supported in this program."));
}

bool TSimulationForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == &StatusBar()) {
            StatusBarDblClick();
            return true;
        }
        if (watched == &ToolbarPanel()) {
            ToolbarPanelDblClick();
            return true;
        }
    }
    if (watched == &DelayEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            key == Qt::Key_Up ? DelayUpClick() : DelayDownClick();
            return true;
        }
    }
    return TRunWindow::eventFilter(watched, event);
}

}  // namespace unstructured_ui
