#include "stage_ui/simulation_form.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/model_store.h"
#include "stage/model_summary.h"
#include "ui/dialog_services.h"
#include "ui/help_service.h"
#include "ui/hints.h"
#include "ui/numeric_edit.h"
#include "ui/painter_canvas.h"
#include "ui/qt_message_sink.h"
#include "ui/result_window_parts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>
#include <functional>

namespace {

// Events are processed after a time step once this long has passed since the
// last time: often enough for the window to answer at once, rarely enough
// that a fast run is not slowed down by it.
constexpr qint64 kEventPassMs = 20;
constexpr int kStartDelayMs = 100;
constexpr double kLongestDelay = 100.0;
constexpr double kDelayStep = 0.1;
constexpr int kWarningsHeight = 48;

const char* const kDemographicCaption = "Demographic stochasticity";
const char* const kConstraintsCaption = "Constraints";

// A widget that leaves its painting to the window.
class TChartBox : public QWidget {
public:
    TChartBox(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter);
    }

private:
    std::function<void(QPainter&)> paint_;
};

// A clock of a few milliseconds' resolution, which is enough for the event
// passes and costs less to read after every time step than the exact one.
qint64 CoarseMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

QString ElapsedText(qint64 ms) { return QTime(0, 0).addMSecs(static_cast<int>(ms % 86400000)).toString("hh:mm:ss"); }

QString EndText(const TRunOutcome& outcome)
{
    switch (outcome.end) {
    case TRunEnd::Completed: return QStringLiteral("Simulation complete");
    case TRunEnd::Stopped: return QStringLiteral("Simulation cancelled");
    case TRunEnd::Refused:
    case TRunEnd::InvalidInput:
    case TRunEnd::Failed: break;
    }
    return QStringLiteral("Simulation halted");
}

}  // namespace

TSimulationForm::TSimulationForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Simulation"));
    resize(500, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("ToolbarPanel"));
    auto* tools = new QHBoxLayout(toolbar);
    tools->setContentsMargins(4, 2, 4, 2);
    stopBtn_ = AddToolButton(*tools, "StopBtn", QStringLiteral("Stop"), QStringLiteral("Stop the simulation"));
    textBtn_ = AddToolButton(*tools, "TextBtn", QStringLiteral("Text"),
                          QStringLiteral("Display simulation text"));
    graphBtn_ = AddToolButton(*tools, "GraphBtn", QStringLiteral("Graph"),
                           QStringLiteral("Display trajectory graph"));
    QToolButton* helpBtn =
        AddToolButton(*tools, "HelpBtn", QStringLiteral("Help"), QStringLiteral("Help|Get help for this window"));
    for (QToolButton* b : {textBtn_, graphBtn_}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
    }
    textBtn_->setChecked(true);
    graphBtn_->setEnabled(false);

    progressBar_ = new QProgressBar(toolbar);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setTextVisible(false);
    SetHint(*progressBar_, QStringLiteral("Simulation progress"));
    tools->addWidget(progressBar_, 1);

    delayEdit_ = new TFnpNumericEdit(toolbar);
    delayEdit_->setObjectName(QStringLiteral("DelayEdit"));
    delayEdit_->SetMinValue(0);
    delayEdit_->SetMaxValue(kLongestDelay);
    delayEdit_->SetValue(0);
    delayEdit_->setFixedWidth(delayEdit_->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) + 12);
    SetHint(*delayEdit_, QStringLiteral("Simulation delay"));
    delayEdit_->installEventFilter(this);
    tools->addWidget(delayEdit_);
    auto* spin = new QWidget(toolbar);
    spin->setObjectName(QStringLiteral("DelaySpinButton"));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    delayUpBtn_ = new QToolButton(spin);
    delayUpBtn_->setArrowType(Qt::UpArrow);
    delayDownBtn_ = new QToolButton(spin);
    delayDownBtn_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {delayUpBtn_, delayDownBtn_}) {
        b->setFixedSize(16, 11);
        SetHint(*b, QStringLiteral("Change simulation delay"));
        spinLayout->addWidget(b);
    }
    tools->addWidget(spin);
    layout->addWidget(toolbar);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setChildrenCollapsible(false);
    clientPanel_ = new QStackedWidget(splitter_);
    clientPanel_->setObjectName(QStringLiteral("ClientPanel"));

    generalPanel_ = new QWidget(clientPanel_);
    generalPanel_->setObjectName(QStringLiteral("GeneralPanel"));
    auto* general = new QGridLayout(generalPanel_);
    general->setColumnStretch(1, 1);
    int row = 0;
    auto addSummary = [&](const QString& caption, bool captioned) {
        auto* value = new QLabel(generalPanel_);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (captioned) {
            general->addWidget(new QLabel(caption, generalPanel_), row, 0, Qt::AlignLeft | Qt::AlignTop);
            general->addWidget(value, row, 1, Qt::AlignTop);
        } else {
            general->addWidget(value, row, 0, 1, 2, Qt::AlignTop);
        }
        summary_.emplace_back(caption, value);
        ++row;
    };
    addSummary(QStringLiteral("Title:"), true);
    addSummary(QStringLiteral("Comments:"), true);
    addSummary(QString::fromLatin1(kDemographicCaption), false);
    addSummary(QString::fromLatin1(kConstraintsCaption), false);
    addSummary(QStringLiteral("Replications:"), true);
    addSummary(QStringLiteral("Duration:"), true);
    addSummary(QStringLiteral("Stages:"), true);
    addSummary(QStringLiteral("Density dependence type:"), true);
    general->setRowStretch(row, 1);
    clientPanel_->addWidget(generalPanel_);

    chartBox_ = new TChartBox(clientPanel_, [this](QPainter& painter) { PaintChart(painter); });
    chartBox_->setObjectName(QStringLiteral("GraphPaintBox"));
    clientPanel_->addWidget(chartBox_);
    splitter_->addWidget(clientPanel_);

    warningsMemo_ = new QPlainTextEdit(splitter_);
    warningsMemo_->setObjectName(QStringLiteral("WarningsMemo"));
    warningsMemo_->setReadOnly(true);
    warningsMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    warningsMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    warningsMemo_->setMinimumHeight(1);
    splitter_->addWidget(warningsMemo_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    warningsMemo_->hide();
    layout->addWidget(splitter_, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    statusBar->setSizeGripEnabled(false);
    const std::array<const char*, 4> designTexts = {"Replication:", "Time Step: ", "Elapsed Time", "Status"};
    const std::array<int, 4> widths = {100, 100, 60, 50};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(QString::fromLatin1(designTexts[i]), statusBar);
        panels_[i]->setMinimumWidth(widths[i]);
        statusBar->addWidget(panels_[i], i + 1 == panels_.size() ? 1 : 0);
    }
    layout->addWidget(statusBar);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kStartDelayMs);
    connect(timer_, &QTimer::timeout, this, &TSimulationForm::TimerTimer);

    connect(stopBtn_, &QToolButton::clicked, this, &TSimulationForm::StopBtnClick);
    connect(textBtn_, &QToolButton::clicked, this, &TSimulationForm::TextBtnClick);
    connect(graphBtn_, &QToolButton::clicked, this, &TSimulationForm::GraphBtnClick);
    connect(helpBtn, &QToolButton::clicked, this, &TSimulationForm::HelpBtnClick);
    connect(delayUpBtn_, &QToolButton::clicked, this, &TSimulationForm::DelayUpClick);
    connect(delayDownBtn_, &QToolButton::clicked, this, &TSimulationForm::DelayDownClick);
    // Read once per change, not once per time step.
    connect(delayEdit_, &QLineEdit::textChanged, this, [this] { delay_ = ReadDelay(); });

    // The configured first view; every showing starts in the text view.
    if (Config.DisplayMode <= 1)
        ShowView(true);
    else if (Config.DisplayMode <= 3)
        ShowView(false);
}

TSimulationForm::~TSimulationForm() = default;

bool TSimulationForm::Execute()
{
    ShowModal(*this);
    return Completed();
}

QLabel& TSimulationForm::SummaryLabel(const QString& caption) const
{
    for (const auto& [name, label] : summary_)
        if (name == caption)
            return *label;
    throw std::invalid_argument("no summary line " + caption.toStdString());
}

QString TSimulationForm::StatusText(int panel) const { return panels_.at(static_cast<std::size_t>(panel))->text(); }

bool TSimulationForm::ShowingGraph() const { return graphBtn_->isChecked(); }

void TSimulationForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || running_)
        return;
    stopRequested_ = false;
    finished_ = false;
    closeAfterRun_ = false;
    graphOffered_ = false;
    lineDue_ = false;
    pendingLines_.clear();
    pending_.clear();
    replication_ = 0;
    timeStep_ = 0;
    shownReplication_ = 0;
    outcome_ = TRunOutcome{};
    warningsMemo_->hide();
    warningsMemo_->clear();

    const std::size_t length = static_cast<std::size_t>(std::max(Info.duration, 0)) + 1;
    trajectory_.assign(length, 0.0f);
    shown_.assign(length, 0.0f);
    view_.LiveChartAxesDrawn = false;
    image_ = QImage();

    for (QLabel* panel : panels_)
        panel->clear();
    // A bar from 0 to 0 would show as busy: a deterministic run counts as one
    // replication.
    progressBar_->setRange(0, std::max(Info.replications, 1));
    progressBar_->setValue(0);
    stopBtn_->setEnabled(true);
    graphBtn_->setEnabled(false);
    ShowView(false);
    ShowRunInfo();
    timer_->start();
}

void TSimulationForm::hideEvent(QHideEvent* event)
{
    // A run starts only in a window on screen.
    timer_->stop();
    QDialog::hideEvent(event);
}

void TSimulationForm::ShowRunInfo()
{
    const auto set = [this](const char* caption, const std::string& text) {
        SummaryLabel(QString::fromLatin1(caption)).setText(MessageText(text));
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
    (graph ? graphBtn_ : textBtn_)->setChecked(true);
    clientPanel_->setCurrentWidget(graph ? chartBox_ : generalPanel_);
    for (QWidget* w : std::initializer_list<QWidget*>{delayEdit_, delayUpBtn_, delayDownBtn_})
        w->setEnabled(graph);
}

void TSimulationForm::TextBtnClick() { ShowView(false); }

void TSimulationForm::GraphBtnClick() { ShowView(true); }

void TSimulationForm::HelpBtnClick() { HelpService().ShowHelp(this, kHelpContext); }

void TSimulationForm::TimerTimer()
{
    timer_->stop();
    if (running_ || finished_)
        return;
    // The run writes a total for every time step 0..duration.
    const std::size_t length = static_cast<std::size_t>(std::max(Info.duration, 0)) + 1;
    if (trajectory_.size() != length) {
        trajectory_.assign(length, 0.0f);
        shown_.assign(length, 0.0f);
    }
    running_ = true;
    panels_[3]->setText(QStringLiteral("Running simulation"));
    clock_.start();
    nextPass_ = CoarseMilliseconds() + kEventPassMs;
    TRunOutcome outcome;
    RunSimulation(trajectory_, [this](std::int32_t r, std::int32_t t) { return SimulationProgress(r, t); },
                  &outcome);
    elapsedAtEnd_ = clock_.elapsed();
    running_ = false;
    finished_ = true;
    outcome_ = outcome;

    QueueLine();
    if (!pendingLines_.empty())
        DrawLiveChart(false);
    chartBox_->update();
    progressBar_->setValue(std::min(replication_, progressBar_->maximum()));
    UpdateRunStatus();
    panels_[3]->setText(EndText(outcome_));
    stopBtn_->setEnabled(false);
    if (BatchMode || closeAfterRun_)
        close();
}

bool TSimulationForm::SimulationProgress(int replication, int timeStep)
{
    if (replication != replication_)
        QueueLine();   // the replication ended before its last step
    // Offered once: a user who goes back to the text view stays there.
    if (replication == kGraphReplication && !graphOffered_) {
        graphOffered_ = true;
        graphBtn_->setEnabled(true);
        ShowView(true);
    }
    replication_ = replication;
    timeStep_ = timeStep;
    if (timeStep == 1)
        shown_[0] = trajectory_[0];
    if (timeStep >= 0 && static_cast<std::size_t>(timeStep) < shown_.size())
        shown_[static_cast<std::size_t>(timeStep)] = trajectory_[static_cast<std::size_t>(timeStep)];

    // A step that is waited on is shown at once; otherwise the window shows
    // and processes events once the pass is due.
    const bool delay = DelayDue();
    const bool pass = delay || CoarseMilliseconds() >= nextPass_;
    if (ShowingGraph() && chartBox_->isVisible() && replication >= kGraphReplication) {
        lineDue_ = true;
        if (timeStep >= Info.duration)
            QueueLine();
        if (!AxesDrawn() || pass)
            DrawLiveChart(false);
    }
    if (pass)
        ShowProgress();
    emit StepReported(replication, timeStep);
    if (delay)
        WaitOutDelay();
    else if (pass)
        QCoreApplication::processEvents();
    if (pass)
        nextPass_ = CoarseMilliseconds() + kEventPassMs;
    return !stopRequested_;
}

void TSimulationForm::ShowProgress()
{
    progressBar_->setValue(std::min(replication_, progressBar_->maximum()));
    // In the text view the panels change with the replication only.
    if (ShowingGraph() || replication_ != shownReplication_)
        UpdateRunStatus();
    if (ShowingGraph())
        chartBox_->update();
}

void TSimulationForm::UpdateRunStatus()
{
    shownReplication_ = replication_;
    panels_[0]->setText(QStringLiteral("Replication: %1").arg(replication_));
    const bool stepShown = finished_ || ShowingGraph();
    panels_[1]->setText(stepShown ? QStringLiteral("Time step: %1").arg(timeStep_) : QString());
    panels_[2]->setText(ElapsedText(finished_ ? elapsedAtEnd_ : clock_.elapsed()));
}

bool TSimulationForm::DelayDue() const
{
    return delay_ > 0 && !stopRequested_ && ShowingGraph() &&
           (!chartBox_->isVisible() || replication_ > kGraphReplication);
}

void TSimulationForm::WaitOutDelay()
{
    // The wait looks at the clock, the stop request and the delay (which the
    // user may change meanwhile) whenever an event arrives; the ticks make
    // sure one does.
    QTimer tick;
    tick.start(10);
    QElapsedTimer waited;
    waited.start();
    waiting_ = true;
    while (!stopRequested_ && !QCoreApplication::closingDown() && ShowingGraph() &&
           static_cast<double>(waited.elapsed()) < delay_ * 1000.0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waiting_ = false;
}

double TSimulationForm::ReadDelay() const
{
    try {
        return std::max(delayEdit_->Value(), 0.0);
    } catch (const std::invalid_argument&) {
        return 0.0;
    }
}

void TSimulationForm::StepDelay(double by)
{
    const double value = delay_ + by;
    if (value < delayEdit_->MinValue() - 1e-9 || value > delayEdit_->MaxValue() + 1e-9)
        return;
    delayEdit_->SetValue(std::clamp(value, delayEdit_->MinValue(), delayEdit_->MaxValue()));
}

void TSimulationForm::DelayUpClick() { StepDelay(kDelayStep); }

void TSimulationForm::DelayDownClick() { StepDelay(-kDelayStep); }

void TSimulationForm::StopBtnClick()
{
    if (finished_)
        return;
    stopRequested_ = true;
    panels_[3]->setText(QStringLiteral("Cancelling simulation..."));
}

void TSimulationForm::closeEvent(QCloseEvent* event)
{
    if (!finished_ && (running_ || timer_->isActive())) {
        const TBoxAnswer answer =
            DialogServices().ShowMessageBox(this, TBoxIcon::Question, QStringLiteral("Confirm"),
                                            QStringLiteral("This will cancel the simulation.  Is this ok?"),
                                            TBoxButtons::YesNo);
        if (answer != TBoxAnswer::Yes) {
            event->ignore();
            return;
        }
        if (running_) {
            // The request comes from inside the run: the window closes once
            // the run has seen the stop and returned.
            StopBtnClick();
            closeAfterRun_ = true;
            event->ignore();
            return;
        }
        timer_->stop();   // not started yet: nothing runs
    }
    QDialog::closeEvent(event);
}

void TSimulationForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        StopBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TSimulationForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == delayEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            StopBtnClick();
            return true;
        }
        if (key->key() == Qt::Key_Minus || key->text() == QStringLiteral("-"))
            return true;   // the delay is never negative
    }
    return QDialog::eventFilter(watched, event);
}

void TSimulationForm::AddWarning(const std::string& text)
{
    if (warningsMemo_->isHidden()) {
        setUpdatesEnabled(false);
        warningsMemo_->show();
        const int total = splitter_->height();
        splitter_->setSizes({std::max(total - kWarningsHeight, 1), kWarningsHeight});
        setUpdatesEnabled(true);
    }
    warningsMemo_->appendPlainText(MessageText(text));
}

void TSimulationForm::QueueLine()
{
    if (!lineDue_)
        return;
    lineDue_ = false;
    const int last = std::clamp(timeStep_, 0, static_cast<int>(shown_.size()) - 1);
    pendingLines_.push_back({replication_, last, pending_.size()});
    pending_.insert(pending_.end(), shown_.begin(), shown_.begin() + last + 1);
}

void TSimulationForm::DrawLiveChart(bool redraw)
{
    const QSize size = chartBox_->size();
    if (size.isEmpty())
        return;
    QPainter painter;
    if (image_.size() != size) {
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
    view_.ReplicationCount = replication_;
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
        view_.ReplicationCount = replication_;
        view_.CurrentTimeStep = timeStep_;
        chart_.DrawTrajectories(graph_, shown_, false, view_);
    }
    view_.ReplicationCount = replication_;
    if (run)
        run->LiveChartAxesDrawn = view_.LiveChartAxesDrawn;
    graph_.SetCanvas(nullptr);
}

void TSimulationForm::PaintChart(QPainter& painter)
{
    // A new size during the run starts a new picture at that size; after the
    // run the picture is only scaled, so that no line is lost.
    if (running_ && AxesDrawn() && image_.size() != chartBox_->size())
        DrawLiveChart(true);
    TPainterCanvas canvas(painter);
    canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
    canvas.FillRect(canvas.DeviceRect());
    if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(chartBox_->rect(), image_);
    }
}
