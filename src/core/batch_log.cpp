#include "core/batch_log.h"

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/message_sink.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

bool BatchMode = false;

namespace {

const char* const kLogPrefix = "      ";

// The open log and the lines waiting for it. Lines still waiting when the
// program ends go to standard error, so no message is lost.
struct TLogState {
    int fd = -1;
    std::string name;
    std::string fixedName;  // empty: the ten numbered names
    bool openFailed = false;
    std::vector<std::string> pending;

    ~TLogState()
    {
        for (const std::string& line : pending)
            std::fprintf(stderr, "%s\n", line.c_str());
        if (fd >= 0)
            ::close(fd);
    }
};

TLogState& Log()
{
    static TLogState state;
    return state;
}

bool WriteAllBytes(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// One whole line; a failed write falls back to standard error and returns
// false.
bool EmitLine(const std::string& line)
{
    TLogState& log = Log();
    if (log.fd >= 0) {
        if (WriteAllBytes(log.fd, line + "\r\n"))
            return true;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    return false;
}

void FlushPending()
{
    TLogState& log = Log();
    std::vector<std::string> lines;
    lines.swap(log.pending);
    for (const std::string& line : lines)
        EmitLine(line);
}

void Record(const std::string& line)
{
    TLogState& log = Log();
    if (log.fd < 0 && BatchMode && !log.openFailed) {
        log.pending.push_back(line);
        return;
    }
    EmitLine(line);
}

}  // namespace

void WriteLog(const std::string& message) { Record(kLogPrefix + message); }

bool WriteLogLine(const std::string& line)
{
    if (Log().fd < 0) {
        Record(line);
        return false;
    }
    return EmitLine(line);
}

void ReportMessage(const std::string& message)
{
    if (BatchMode)
        WriteLog(message);
    else if (TMessageSink* sink = GetMessageSink())
        sink->ShowBox(TBoxKind::Warning, "Warning", message);
    else
        std::fprintf(stderr, "Warning: %s\n", message.c_str());
}

void StopProgram(const std::string& message)
{
    if (BatchMode) {
        WriteLog("PROGRAM STOPPED (" + message + ")");
    } else if (TMessageSink* sink = GetMessageSink()) {
        sink->ShowBox(TBoxKind::Error, "Error", "Program stopped because\r\n\r\n" + message);
    } else {
        std::fprintf(stderr, "Program stopped because\n\n%s\n", message.c_str());
        std::fflush(stderr);
    }
    throw ProgramStopped(message);
}

namespace {

bool LockLog(int fd, bool wait)
{
    if (!wait)
        return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    int result;
    do
        result = ::flock(fd, LOCK_EX);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

}  // namespace

bool OpenBatchLogFile(const std::string& path, bool waitForLock)
{
    CloseBatchLog();
    const std::string native = NativePath(path);
    const int fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    if (!LockLog(fd, waitForLock)) {
        ::close(fd);
        return false;
    }
    TLogState& log = Log();
    log.fd = fd;
    log.name = native;
    log.openFailed = false;
    FlushPending();
    return true;
}

namespace {

// An existing log of another case is appended to; a new one gets the exact name.
std::string LogPath(const std::string& dir, const std::string& name)
{
    const std::string found = FindFileNoCase(dir, name);
    return found.empty() ? dir + name : found;
}

// The program's log: the fixed name, waiting for its lock, or the first free
// name of the ten. False when none can be opened.
bool OpenProgramLog(const std::string& folder)
{
    const std::string dir = WithTrailingSeparator(NativePath(folder));
    const std::string& fixed = Log().fixedName;
    if (!fixed.empty())
        return OpenBatchLogFile(LogPath(dir, fixed), true);
    for (int n = 0; n <= 9; ++n) {
        const std::string name = n == 0 ? std::string("VEREDUZ.REC") : "VEREDUZ" + std::to_string(n) + ".REC";
        if (OpenBatchLogFile(LogPath(dir, name)))
            return true;
    }
    return false;
}

}  // namespace

void UseFixedBatchLogName(const std::string& name) { Log().fixedName = name; }

bool OpenBatchLog(const std::string& folder)
{
    if (!BatchMode)
        return BatchLogIsOpen();
    if (OpenProgramLog(folder))
        return true;
    TLogState& log = Log();
    log.openFailed = true;
    FlushPending();
    if (!log.fixedName.empty())
        return false;
    BatchMode = false;
    StopProgram("ERROR: 10 batch runs in the same directory");
}

void FinishBatchLog(const std::string& folder)
{
    TLogState& log = Log();
    if (BatchMode && log.fd < 0 && !log.pending.empty() && !log.openFailed && !OpenProgramLog(folder))
        log.openFailed = true;
    FlushPending();
    CloseBatchLog();
}

bool BatchLogIsOpen() { return Log().fd >= 0; }

std::string BatchLogName() { return Log().name; }

void CloseBatchLog()
{
    TLogState& log = Log();
    if (log.fd >= 0)
        ::close(log.fd);  // closing releases the lock
    log.fd = -1;
    log.name.clear();
}

void ResetBatchLog()
{
    CloseBatchLog();
    TLogState& log = Log();
    log.pending.clear();
    log.openFailed = false;
    log.fixedName.clear();
    BatchMode = false;
}
