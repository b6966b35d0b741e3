#pragma once
// What the simulation windows of the programs share: the window in which a
// run happens. Showing it starts the run by itself, shortly after the window
// is on screen; the run executes on the GUI thread and calls the window back
// after every time step. The window shows the replications done (progress
// bar and status panels), the elapsed time and the outcome, waits an
// optional delay per time step, lets the user stop the run (Stop, Esc, or
// closing the window) and lists the run's warnings below its views. Once
// the run is over, Esc closes the window.
//
// Events are processed from inside the run: after a time step once a few
// milliseconds have passed since the last time, so that a fast run is not
// slowed down by them, and throughout a delay. So Stop, Esc, the view
// buttons, the delay and a close request only set flags or change controls
// there; the run sees the stop at its next time step, and a close waits for
// the run's end.
//
// A program's window derives from it, adds its views (pages) and view
// buttons, runs its engine in RunModel and shows each time step in ShowStep;
// its progress callback ends with ReportStep.

#include "core/run_progress.h"
#include "ui/modal_dialogs.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QGridLayout;
class QLabel;
class QPainter;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QToolButton;
class TFnpNumericEdit;

class TRunWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40000;
    // The delay after each time step, in seconds: 0 up to kLongestDelay,
    // changed by kDelayStep with the arrows.
    static constexpr double kLongestDelay = 100.0;
    static constexpr double kDelayStep = 0.1;

    ~TRunWindow() override;

    // Shows the window modally; the run starts by itself and the window stays
    // until the user closes it. True when the run completed every
    // replication.
    bool Execute();

    // The run of the last showing has returned.
    bool Finished() const { return finished_; }
    // How it ended; meaningful once finished.
    const TRunOutcome& Outcome() const { return outcome_; }
    bool Completed() const { return finished_ && outcome_.end == TRunEnd::Completed; }

    // Appends a line to the warnings list and shows the list (between the
    // views and the status bar).
    void AddWarning(const std::string& text);

    // The run itself; the window's timer calls it once per showing.
    void TimerTimer();

    void StopBtnClick();
    void HelpBtnClick();
    void DelayUpClick();
    void DelayDownClick();

    bool StopRequested() const { return stopRequested_; }
    // True while the run waits out the delay after a time step.
    bool Waiting() const { return waiting_; }
    int Replication() const { return replication_; }
    int TimeStep() const { return timeStep_; }
    // Status panels: 0 replication, 1 time step, 2 elapsed time, 3 status.
    QString StatusText(int panel) const;

    QToolButton& StopButton() const { return *stopBtn_; }
    QProgressBar& ProgressBar() const { return *progressBar_; }
    TFnpNumericEdit& DelayEdit() const { return *delayEdit_; }
    QPlainTextEdit& WarningsMemo() const { return *warningsMemo_; }
    QStatusBar& StatusBar() const { return *statusBar_; }
    QWidget& ToolbarPanel() const { return *toolbar_; }
    // The summary's value label for a caption ("Title:", "Comments:", ...),
    // or for a line without one.
    QLabel& SummaryLabel(const QString& caption) const;

signals:
    // After the window has taken in a time step, before any delay; emitted
    // in runs that started with a receiver connected.
    void StepReported(int replication, int timeStep);

protected:
    // A view button of the tool panel: checkable, one of a group.
    struct TViewButton {
        const char* Name;
        QString Text;
        QString Hint;
    };
    // The tool panel holds Stop, the view buttons in order, Help, the
    // progress bar and the delay edit with its spin buttons.
    TRunWindow(QWidget* parent, const std::vector<TViewButton>& viewButtons);

    QToolButton& ViewButton(std::size_t index) const { return *viewButtons_.at(index); }
    // The views, one page each; the first page is the model's summary.
    QStackedWidget& Pages() const { return *pages_; }
    QWidget& GeneralPage() const { return *generalPage_; }
    // A summary line of the general page: a caption with its value, or
    // (captioned false) a value across the page, found by `caption`. A
    // `fitted` value never widens the page: each of its lines is cut with
    // "..." to the page's width, and its tool tip holds the whole text.
    QLabel& AddSummaryLine(const QString& caption, bool captioned, bool fitted = false);
    // The value of a summary line, fitted or not.
    void SetSummaryText(const QString& caption, const QString& text);
    // Ends the summary lines.
    void EndSummary();
    // A page that leaves its painting to the window, named `name`.
    QWidget* AddPaintedPage(const char* name, std::function<void(QPainter&)> paint);

    // On each showing, after the window's run state is reset and before the
    // run is started: the window's own preparation.
    virtual void PrepareRun() = 0;
    // The replications the progress bar counts up to.
    virtual int ReplicationsToRun() const = 0;
    // Runs the engine with the window's progress callback.
    virtual TRunOutcome RunModel() = 0;
    // After the run has returned and the status shows its outcome.
    virtual void RunEnded() {}
    // What the window shows of the time step just taken in; `pass` says that
    // the display is due (it is updated and events are processed now).
    virtual void ShowStep(bool pass) = 0;
    // Whether the delay applies to the view and the replication shown.
    virtual bool DelayApplies() const = 0;
    // Whether the status shows the time step while the run goes on.
    virtual bool TimeStepShown() const = 0;

    // The end of the progress callback: takes in the replication and time
    // step, shows them when due, processes events or waits out the delay,
    // and answers whether the run goes on.
    bool ReportStep(int replication, int timeStep);
    // The progress bar at the replication.
    void ShowReplicationDone();
    // The progress bar and, when the time step is shown or a new
    // replication began, the status panels.
    void ShowProgress();
    void UpdateRunStatus();
    void SetPanelText(int panel, const QString& text);
    bool Running() const { return running_; }
    // Milliseconds the run took; meaningful once finished.
    qint64 RunMilliseconds() const { return elapsedAtEnd_; }
    // The delay edit and its spin buttons.
    void EnableDelay(bool enabled);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Esc: Stop while the run has not returned, close once it has.
    void EscapePressed();
    bool DelayDue() const;
    // Whether events are to be processed after this time step (the clock
    // says so).
    bool PassDue();
    void WaitOutDelay();
    double ReadDelay() const;
    void StepDelay(double by);

    bool stopRequested_ = false;
    bool finished_ = false;
    bool running_ = false;
    bool waiting_ = false;
    bool closeAfterRun_ = false;   // a close was allowed while the run went on
    bool stepObserved_ = false;    // StepReported has a receiver for this run
    int replication_ = 0;
    int timeStep_ = 0;
    int shownReplication_ = 0;     // the replication the status panels show
    double delay_ = 0;             // seconds to wait after a time step
    TRunOutcome outcome_;

    QElapsedTimer clock_;          // since the run started
    qint64 elapsedAtEnd_ = 0;
    qint64 nextPass_ = 0;          // when events are processed next (coarse clock, ms)
    qint64 lastClock_ = 0;         // the coarse clock when last read
    int clockStride_ = 1;          // time steps between reads of the clock
    int stepsToClock_ = 1;         // time steps until the next read

    QTimer* timer_;
    QWidget* toolbar_;
    QToolButton* stopBtn_;
    std::vector<QToolButton*> viewButtons_;
    QProgressBar* progressBar_;
    TFnpNumericEdit* delayEdit_;
    QToolButton* delayUpBtn_;
    QToolButton* delayDownBtn_;
    QStackedWidget* pages_;
    QWidget* generalPage_;
    QGridLayout* summaryGrid_;
    QSplitter* splitter_;
    QPlainTextEdit* warningsMemo_;
    QStatusBar* statusBar_;
    std::array<QLabel*, 4> panels_{};
    std::vector<std::pair<QString, QLabel*>> summary_;
};
