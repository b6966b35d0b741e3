#include "ui/run_window.h"

#include "core/batch_log.h"
#include "ui/dialog_services.h"
#include "ui/ellipsis_label.h"
#include "ui/help_service.h"
#include "ui/hints.h"
#include "ui/numeric_edit.h"
#include "ui/qt_message_sink.h"
#include "ui/result_window_parts.h"
#include "ui/vector_state.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaMethod>
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
#include <stdexcept>

namespace {

// Events are processed after a time step once this long has passed since the
// last time: often enough for the window to answer at once, rarely enough
// that a fast run is not slowed down by it.
constexpr qint64 kEventPassMs = 20;
// Reading the clock costs more than the rest of a time step's handling in
// the window. While the clock does not move between two reads the steps are
// fast, and it is read only every few steps (at most this many); once it
// moves by more than kClockJumpMs between reads it is read every step again,
// so that a slow model still processes events on time.
constexpr int kMaxClockStride = 16;
constexpr qint64 kClockJumpMs = 2;
constexpr int kStartDelayMs = 100;
constexpr int kWarningsHeight = 48;
constexpr int kSummaryRightMargin = 8;

// A widget that leaves its painting to the window.
class TPaintedPage : public QWidget {
public:
    TPaintedPage(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint)) {}

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

// A stop asked for during the last replication lets that replication end,
// and the engine then reports every replication done: the user still asked
// to cancel, and the status says so.
QString EndText(const TRunOutcome& outcome, bool stopRequested)
{
    if (stopRequested)
        return QStringLiteral("Simulation cancelled");
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

TRunWindow::TRunWindow(QWidget* parent, const std::vector<TViewButton>& viewButtons) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Simulation"));
    resize(500, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolbar_ = new QWidget(this);
    toolbar_->setObjectName(QStringLiteral("ToolbarPanel"));
    auto* tools = new QHBoxLayout(toolbar_);
    tools->setContentsMargins(4, 2, 4, 2);
    stopBtn_ = AddToolButton(*tools, "StopBtn", QStringLiteral("Stop"), QStringLiteral("Stop the simulation"));
    for (const TViewButton& view : viewButtons) {
        QToolButton* b = AddToolButton(*tools, view.Name, view.Text, view.Hint);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        viewButtons_.push_back(b);
    }
    QToolButton* helpBtn =
        AddToolButton(*tools, "HelpBtn", QStringLiteral("Help"), QStringLiteral("Help|Get help for this window"));

    progressBar_ = new QProgressBar(toolbar_);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setTextVisible(false);
    SetHint(*progressBar_, QStringLiteral("Simulation progress"));
    tools->addWidget(progressBar_, 1);

    delayEdit_ = new TFnpNumericEdit(toolbar_);
    delayEdit_->setObjectName(QStringLiteral("DelayEdit"));
    delayEdit_->SetMinValue(0);
    delayEdit_->SetMaxValue(kLongestDelay);
    delayEdit_->SetValue(0);
    delayEdit_->setFixedWidth(delayEdit_->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) + 12);
    SetHint(*delayEdit_, QStringLiteral("Simulation delay"));
    delayEdit_->installEventFilter(this);
    tools->addWidget(delayEdit_);
    auto* spin = new QWidget(toolbar_);
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
    layout->addWidget(toolbar_);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setChildrenCollapsible(false);
    pages_ = new QStackedWidget(splitter_);
    pages_->setObjectName(QStringLiteral("ClientPanel"));
    generalPage_ = new QWidget(pages_);
    generalPage_->setObjectName(QStringLiteral("GeneralPanel"));
    summaryGrid_ = new QGridLayout(generalPage_);
    summaryGrid_->setColumnStretch(1, 1);
    // The values reach to 8 pixels before the page's right edge.
    QMargins margins = summaryGrid_->contentsMargins();
    margins.setRight(kSummaryRightMargin);
    summaryGrid_->setContentsMargins(margins);
    pages_->addWidget(generalPage_);
    splitter_->addWidget(pages_);

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

    // Below the views and the warnings, always at the very bottom.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);
    const std::array<const char*, 4> designTexts = {"Replication:", "Time Step: ", "Elapsed Time", "Status"};
    const std::array<int, 4> widths = {100, 100, 60, 50};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(QString::fromLatin1(designTexts[i]), statusBar_);
        panels_[i]->setMinimumWidth(widths[i]);
        statusBar_->addWidget(panels_[i], i + 1 == panels_.size() ? 1 : 0);
    }
    layout->addWidget(statusBar_);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kStartDelayMs);
    connect(timer_, &QTimer::timeout, this, &TRunWindow::TimerTimer);

    connect(stopBtn_, &QToolButton::clicked, this, &TRunWindow::StopBtnClick);
    connect(helpBtn, &QToolButton::clicked, this, &TRunWindow::HelpBtnClick);
    AddHelpKey(*this, kHelpContext);
    connect(delayUpBtn_, &QToolButton::clicked, this, &TRunWindow::DelayUpClick);
    connect(delayDownBtn_, &QToolButton::clicked, this, &TRunWindow::DelayDownClick);
    // Read once per change, not once per time step.
    connect(delayEdit_, &QLineEdit::textChanged, this, [this] { delay_ = ReadDelay(); });
}

TRunWindow::~TRunWindow() = default;

bool TRunWindow::Execute()
{
    ShowModal(*this);
    return Completed();
}

QLabel& TRunWindow::AddSummaryLine(const QString& caption, bool captioned, bool fitted)
{
    const int row = static_cast<int>(summary_.size());
    QLabel* value = fitted ? new TEllipsisLabel(generalPage_) : new QLabel(generalPage_);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (captioned) {
        summaryGrid_->addWidget(new QLabel(caption, generalPage_), row, 0, Qt::AlignLeft | Qt::AlignTop);
        summaryGrid_->addWidget(value, row, 1, Qt::AlignTop);
    } else {
        summaryGrid_->addWidget(value, row, 0, 1, 2, Qt::AlignTop);
    }
    summary_.emplace_back(caption, value);
    return *value;
}

void TRunWindow::SetSummaryText(const QString& caption, const QString& text)
{
    QLabel& label = SummaryLabel(caption);
    if (auto* fitted = qobject_cast<TEllipsisLabel*>(&label))
        fitted->SetCaption(text);
    else
        label.setText(text);
}

QWidget* TRunWindow::AddPaintedPage(const char* name, std::function<void(QPainter&)> paint)
{
    auto* page = new TPaintedPage(pages_, std::move(paint));
    page->setObjectName(QString::fromLatin1(name));
    pages_->addWidget(page);
    return page;
}

void TRunWindow::EndSummary() { summaryGrid_->setRowStretch(static_cast<int>(summary_.size()), 1); }

QLabel& TRunWindow::SummaryLabel(const QString& caption) const
{
    for (const auto& [name, label] : summary_)
        if (name == caption)
            return *label;
    throw std::invalid_argument("no summary line " + caption.toStdString());
}

QString TRunWindow::StatusText(int panel) const { return panels_.at(static_cast<std::size_t>(panel))->text(); }

void TRunWindow::SetPanelText(int panel, const QString& text) { panels_.at(static_cast<std::size_t>(panel))->setText(text); }

void TRunWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || running_)
        return;
    stopRequested_ = false;
    finished_ = false;
    closeAfterRun_ = false;
    replication_ = 0;
    timeStep_ = 0;
    shownReplication_ = 0;
    outcome_ = TRunOutcome{};
    warningsMemo_->hide();
    warningsMemo_->clear();
    for (QLabel* panel : panels_)
        panel->clear();
    stopBtn_->setEnabled(true);
    PrepareRun();
    // A bar from 0 to 0 would show as busy: a deterministic run counts as one
    // replication.
    progressBar_->setRange(0, std::max(ReplicationsToRun(), 1));
    progressBar_->setValue(0);
    timer_->start();
}

void TRunWindow::hideEvent(QHideEvent* event)
{
    // A run starts only in a window on screen.
    timer_->stop();
    QDialog::hideEvent(event);
}

void TRunWindow::EnableDelay(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{delayEdit_, delayUpBtn_, delayDownBtn_})
        w->setEnabled(enabled);
}

void TRunWindow::HelpBtnClick() { HelpService().ShowHelp(this, kHelpContext); }

void TRunWindow::TimerTimer()
{
    timer_->stop();
    if (running_ || finished_)
        return;
    running_ = true;
    panels_[3]->setText(QStringLiteral("Running simulation"));
    clock_.start();
    lastClock_ = CoarseMilliseconds();
    nextPass_ = lastClock_ + kEventPassMs;
    clockStride_ = 1;
    stepsToClock_ = 1;
    // Whoever watches the steps connects before the run; unwatched, the
    // signal costs nothing per step.
    stepObserved_ = isSignalConnected(QMetaMethod::fromSignal(&TRunWindow::StepReported));
    ClearVectorState();
    const TRunOutcome outcome = RunModel();
    elapsedAtEnd_ = clock_.elapsed();
    running_ = false;
    finished_ = true;
    outcome_ = outcome;

    ShowReplicationDone();
    UpdateRunStatus();
    panels_[3]->setText(EndText(outcome_, stopRequested_));
    stopBtn_->setEnabled(false);
    RunEnded();
    if (BatchMode || closeAfterRun_)
        close();
}

bool TRunWindow::ReportStep(int replication, int timeStep)
{
    replication_ = replication;
    timeStep_ = timeStep;
    // A step that is waited on is shown at once; otherwise the window shows
    // and processes events once the pass is due.
    const bool delay = DelayDue();
    const bool pass = delay || PassDue();
    ShowStep(pass);
    if (stepObserved_)
        emit StepReported(replication, timeStep);
    if (delay)
        WaitOutDelay();
    else if (pass)
        QCoreApplication::processEvents();
    if (pass) {
        lastClock_ = CoarseMilliseconds();
        nextPass_ = lastClock_ + kEventPassMs;
    }
    // The run goes on at full speed whatever the window's Qt code left in
    // the vector registers.
    ClearVectorState();
    return !stopRequested_;
}

bool TRunWindow::PassDue()
{
    if (--stepsToClock_ > 0)
        return false;
    const qint64 now = CoarseMilliseconds();
    if (now == lastClock_)
        clockStride_ = std::min(clockStride_ * 2, kMaxClockStride);
    else if (now - lastClock_ > kClockJumpMs)
        clockStride_ = 1;
    lastClock_ = now;
    stepsToClock_ = clockStride_;
    return now >= nextPass_;
}

void TRunWindow::ShowReplicationDone()
{
    // A progress bar repaints itself, and with it everything else waiting to
    // be painted, the moment its value changes; here it is painted with the
    // rest of the window when events are processed, in one go.
    const int value = std::min(replication_, progressBar_->maximum());
    if (value == progressBar_->value())
        return;
    progressBar_->setUpdatesEnabled(false);
    progressBar_->setValue(value);
    progressBar_->setUpdatesEnabled(true);
}

void TRunWindow::ShowProgress()
{
    ShowReplicationDone();
    // Where the time step is not shown the panels change with the
    // replication only.
    if (TimeStepShown() || replication_ != shownReplication_)
        UpdateRunStatus();
}

void TRunWindow::UpdateRunStatus()
{
    shownReplication_ = replication_;
    panels_[0]->setText(QStringLiteral("Replication: %1").arg(replication_));
    const bool stepShown = finished_ || TimeStepShown();
    panels_[1]->setText(stepShown ? QStringLiteral("Time step: %1").arg(timeStep_) : QString());
    panels_[2]->setText(ElapsedText(finished_ ? elapsedAtEnd_ : clock_.elapsed()));
}

bool TRunWindow::DelayDue() const { return delay_ > 0 && !stopRequested_ && DelayApplies(); }

void TRunWindow::WaitOutDelay()
{
    // The wait looks at the clock, the stop request, the view and the delay
    // (which the user may change meanwhile) whenever an event arrives; the
    // ticks make sure one does.
    QTimer tick;
    tick.start(10);
    QElapsedTimer waited;
    waited.start();
    waiting_ = true;
    while (!stopRequested_ && !QCoreApplication::closingDown() && DelayApplies() &&
           static_cast<double>(waited.elapsed()) < delay_ * 1000.0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waiting_ = false;
}

double TRunWindow::ReadDelay() const
{
    try {
        return std::max(delayEdit_->Value(), 0.0);
    } catch (const std::invalid_argument&) {
        return 0.0;
    }
}

void TRunWindow::StepDelay(double by)
{
    const double value = delay_ + by;
    if (value < delayEdit_->MinValue() - 1e-9 || value > delayEdit_->MaxValue() + 1e-9)
        return;
    delayEdit_->SetValue(std::clamp(value, delayEdit_->MinValue(), delayEdit_->MaxValue()));
}

void TRunWindow::DelayUpClick() { StepDelay(kDelayStep); }

void TRunWindow::DelayDownClick() { StepDelay(-kDelayStep); }

void TRunWindow::StopBtnClick()
{
    if (finished_)
        return;
    stopRequested_ = true;
    panels_[3]->setText(QStringLiteral("Cancelling simulation..."));
}

void TRunWindow::closeEvent(QCloseEvent* event)
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

void TRunWindow::EscapePressed()
{
    // Esc stops a run; once the run is over there is nothing left to stop,
    // and Esc closes the window as it closes any other dialog.
    if (finished_)
        close();
    else
        StopBtnClick();
}

void TRunWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        EscapePressed();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TRunWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == delayEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            EscapePressed();
            return true;
        }
        if (key->key() == Qt::Key_Minus || key->text() == QStringLiteral("-"))
            return true;   // the delay is never negative
    }
    return QDialog::eventFilter(watched, event);
}

void TRunWindow::AddWarning(const std::string& text)
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
