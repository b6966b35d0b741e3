#pragma once
// The contract between a simulation run, of either engine, and the window
// that starts it. The engine never processes window events: after every time
// step it calls the caller's progress callback, and whatever the window needs
// (redrawing, event processing, the per-step delay, the Stop button) happens
// there. The outcome tells the window how the run ended.

#include <cstdint>
#include <functional>

// Called after every time step with the replication in progress and the time
// step just done; answers whether to go on. A false answer lets the
// replication in progress finish and then ends the run.
using TProgress = std::function<bool(std::int32_t replication, std::int32_t timeStep)>;

// How a run ended.
enum class TRunEnd : std::uint8_t {
    Completed,     // every requested replication ran; results present
    Stopped,       // the progress callback asked to stop; results of the replications done
    Refused,       // the model cannot be run as it stands (said in a message); no run, results untouched
    InvalidInput,  // the input check found faults; no run
    Failed,        // an exception ended the run; no results
};

// Whether a run left results of its own: a completed run, or one stopped
// after some replications. A run that the input check halted, that was
// refused or that an error broke off has none.
inline bool HasRunResults(TRunEnd end) { return end == TRunEnd::Completed || end == TRunEnd::Stopped; }

struct TRunOutcome {
    TRunEnd end = TRunEnd::Failed;
    std::int32_t replicationsDone = 0;  // replications whose statistics are in the model
};

// Runs the body of a run and ends it the way both engines end a failure: an
// exception becomes the error "Simulation: " + its message and the outcome
// TRunEnd::Failed; the fatal stop goes on to the event loop, which ends the
// program. In both cases `onFailure` runs first (before the message), so that
// results the run had begun to overwrite stop counting as results.
TRunEnd RunOrReportFailure(const std::function<TRunEnd()>& body, const std::function<void()>& onFailure);
