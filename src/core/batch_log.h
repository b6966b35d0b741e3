#pragma once
// The batch switch, the batch log and the fatal stop.
//
// In batch mode every message goes to a plain-text log in the working
// directory, so several unattended runs can share a folder: the first free
// name of VEREDUZ.REC, VEREDUZ1.REC ... VEREDUZ9.REC is used, "free" meaning
// no other process holds an exclusive lock on it. A program may name one
// fixed log instead (UseFixedBatchLogName): runs then share that file and
// each waits for the lock of the one before, so their lines never mix. The
// lock is held while the log is open. Messages written before the log is
// open are kept and written when it opens; when no log can be opened they go
// to standard error. Writing the log never throws.

#include <stdexcept>
#include <string>

// True in batch mode (a RUN directive beginning with "Y").
extern bool BatchMode;

// Raised by StopProgram after its message has been recorded. It unwinds to the
// event loop or to main, which end the program in an orderly way, so no code
// goes on working on half-built state.
class ProgramStopped : public std::runtime_error {
public:
    explicit ProgramStopped(const std::string& reason) : std::runtime_error(reason) {}
};

// Six blanks, the message, one line, flushed.
void WriteLog(const std::string& message);

// One line exactly as given (no leading blanks) in the open batch log. False
// when the log is not open or the write failed (the line then goes to
// standard error).
bool WriteLogLine(const std::string& line);

// In batch mode a log line; otherwise a warning box.
void ReportMessage(const std::string& message);

// The fatal stop: records the message (a log line in batch mode, a box
// otherwise), then raises ProgramStopped.
[[noreturn]] void StopProgram(const std::string& message);

// The program's log is the one file `name` (looked for in any case, created
// with this case) in place of the ten numbered names. An empty name goes
// back to the numbered names.
void UseFixedBatchLogName(const std::string& name);

// Opens the batch log in folder (empty: the working directory) when the batch
// switch is on; does nothing otherwise. With the numbered names: when all ten
// are in use or cannot be opened, the batch switch is cleared and the program
// stops with "ERROR: 10 batch runs in the same directory" (ProgramStopped is
// raised). With a fixed name: waits while another process holds its lock;
// when it cannot be opened, messages go to standard error from then on.
// Returns true when a log is open.
bool OpenBatchLog(const std::string& folder = {});
// Opens one log file for appending (created when missing) and takes its
// exclusive lock; false when it cannot be opened or, unless `waitForLock`,
// another process holds the lock. Messages kept so far are written to it.
// Any log open before is closed.
bool OpenBatchLogFile(const std::string& path, bool waitForLock = false);
bool BatchLogIsOpen();
// Full name of the log in use; empty when none is open.
std::string BatchLogName();
// At program end, also after a fatal stop before the log was opened: messages
// still kept go to a log opened now (standard error when none can be), then
// the log is closed. Never throws.
void FinishBatchLog(const std::string& folder = {});
// Closes the log and releases its lock.
void CloseBatchLog();
// Back to the start state, for tests: log closed, kept messages dropped,
// batch switch off, the numbered names.
void ResetBatchLog();
