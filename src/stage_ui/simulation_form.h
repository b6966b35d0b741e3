#pragma once
// The window in which Strativa runs a simulation. Showing it starts the run
// by itself, shortly after the window is on screen; the run executes on the
// GUI thread and calls the window back after every time step. The window
// shows the replications done, the elapsed time and the model's summary or a
// live chart of total abundance, waits an optional delay per time step, lets
// the user stop the run and lists the run's warnings. It lives as long as the
// program, because the input check writes its faults into that list at any
// time (the message sink's warning handler calls AddWarning).
//
// Events are processed from inside the run: every few milliseconds after a
// time step, and throughout a delay. So Stop, Esc, the view buttons, the
// delay and a close request only set flags or change controls there; the run
// sees the stop at its next time step, and a close waits for the run's end.

#include "chart/graph.h"
#include "stage/live_chart.h"
#include "stage/run_simulation.h"
#include "stage/run_state.h"
#include "ui/modal_dialogs.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QPainter;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolButton;
class TFnpNumericEdit;

class TSimulationForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40000;
    // The live chart is offered, and shown once, from this replication on.
    static constexpr int kGraphReplication = 5;

    explicit TSimulationForm(QWidget* parent = nullptr);
    ~TSimulationForm() override;

    // Shows the window modally; the run starts by itself and the window stays
    // until the user closes it. True when the run completed every
    // replication.
    bool Execute();

    // The run of the last showing has returned.
    bool Finished() const { return finished_; }
    // How it ended; meaningful once finished.
    const TRunOutcome& Outcome() const { return outcome_; }
    bool Completed() const { return finished_ && outcome_.end == TRunEnd::Completed; }

    // Appends a line to the warnings list and shows the list.
    void AddWarning(const std::string& text);

    // The run itself; the window's timer calls it once per showing.
    void TimerTimer();
    // The run's progress callback: after every time step of the run. Answers
    // whether to go on.
    bool SimulationProgress(int replication, int timeStep);

    void StopBtnClick();
    void TextBtnClick();
    void GraphBtnClick();
    void HelpBtnClick();
    void DelayUpClick();
    void DelayDownClick();

    bool ShowingGraph() const;
    bool StopRequested() const { return stopRequested_; }
    // True while the run waits out the delay after a time step.
    bool Waiting() const { return waiting_; }
    int Replication() const { return replication_; }
    int TimeStep() const { return timeStep_; }
    // Status panels: 0 replication, 1 time step, 2 elapsed time, 3 status.
    QString StatusText(int panel) const;
    // The live chart as drawn so far.
    const QImage& ChartImage() const { return image_; }

    QToolButton& StopButton() const { return *stopBtn_; }
    QToolButton& TextButton() const { return *textBtn_; }
    QToolButton& GraphButton() const { return *graphBtn_; }
    QProgressBar& ProgressBar() const { return *progressBar_; }
    TFnpNumericEdit& DelayEdit() const { return *delayEdit_; }
    QPlainTextEdit& WarningsMemo() const { return *warningsMemo_; }
    // The summary's value label for a caption ("Title:", "Comments:", ...),
    // or for the two lines without one ("Demographic stochasticity",
    // "Constraints").
    QLabel& SummaryLabel(const QString& caption) const;

signals:
    // After the window has taken in a time step, before any delay.
    void StepReported(int replication, int timeStep);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowRunInfo();
    void ShowView(bool graph);
    void UpdateRunStatus();
    void ShowProgress();
    bool DelayDue() const;
    void WaitOutDelay();
    double ReadDelay() const;
    void StepDelay(double by);
    bool AxesDrawn() const { return view_.LiveChartAxesDrawn; }
    void QueueLine();
    void DrawLiveChart(bool redraw);
    void PaintChart(QPainter& painter);

    bool stopRequested_ = false;
    bool finished_ = false;
    bool running_ = false;
    bool waiting_ = false;
    bool closeAfterRun_ = false;   // a close was allowed while the run went on
    bool graphOffered_ = false;    // the switch to the graph view was made
    bool lineDue_ = false;         // the current replication's line is to be drawn
    int replication_ = 0;
    int timeStep_ = 0;
    int shownReplication_ = 0;     // the replication the status panels show
    double delay_ = 0;             // seconds to wait after a time step
    TRunOutcome outcome_;

    // Filled by the run; lives as long as the window, since a close request
    // arrives while the run still writes into it.
    std::vector<float> trajectory_;
    // The window's copy of the replication in progress: the run starts
    // overwriting the trajectory before the window hears that a replication
    // ended, and its line is drawn in full from this copy.
    std::vector<float> shown_;
    // Lines of ended replications not drawn yet: the chart is drawn when
    // events are processed, all lines since the last time at once.
    struct TPendingLine {
        int Replication;
        int LastStep;
        std::size_t Offset;   // into pending_
    };
    std::vector<TPendingLine> pendingLines_;
    std::vector<float> pending_;

    TGraph graph_;
    TLiveTrajectoryChart chart_;
    // Which replication and step the chart draws, with the run's mark that
    // the axes are drawn.
    TRunState view_;
    QImage image_;                 // the live chart, drawn step by step

    QElapsedTimer clock_;          // since the run started
    qint64 elapsedAtEnd_ = 0;
    qint64 nextPass_ = 0;          // when events are processed next (coarse clock, ms)

    QTimer* timer_;
    QToolButton* stopBtn_;
    QToolButton* textBtn_;
    QToolButton* graphBtn_;
    QProgressBar* progressBar_;
    TFnpNumericEdit* delayEdit_;
    QToolButton* delayUpBtn_;
    QToolButton* delayDownBtn_;
    QStackedWidget* clientPanel_;
    QWidget* generalPanel_;
    QWidget* chartBox_;
    QSplitter* splitter_;
    QPlainTextEdit* warningsMemo_;
    std::array<QLabel*, 4> panels_{};
    std::vector<std::pair<QString, QLabel*>> summary_;
};
