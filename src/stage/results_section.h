#pragma once
// The results section of an age/stage model file: the summary statistics of
// the last run, written after the thresholds so that reopening the file
// restores the results without running again, and read back the same way.

#include "core/model_store.h"
#include "stage/stage_file_text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The facts of the run that made the stored results: how many replications
// it completed (not the model's setting) and its date and time texts. Runs
// here write them without a blank (RunDateText / RunTimeText); a file from
// another installation may carry a time with one ("10:20:30 AM"), which is
// kept as read. They live in the store
// (`replicationsdone`, `resultsdate`, `resultstime`), where the run leaves
// them; the results section carries them to and from the file.
struct TStoredRun {
    std::int32_t replications = 0;
    std::string dateText = "00/00/0000";
    std::string timeText = "00:00:00";
};
TStoredRun StoredRunOf(const TCoravel& model);
void SetStoredRun(TCoravel& model, const TStoredRun& run);

// Free space and total size of the file system that holds a folder, in
// bytes. False when they cannot be had.
struct TDiskSpace {
    long long freeBytes = 0;
    long long totalBytes = 0;
};
using TDiskSpaceProvider = std::function<bool(const std::string& folder, TDiskSpace& space)>;
// Replaces how free space is found (tests); an empty provider restores the
// default, statvfs.
void SetDiskSpaceProvider(TDiskSpaceProvider provider);
bool QueryDiskSpace(const std::string& folder, TDiskSpace& space);

// Bytes the results section of a model with P populations, duration T and R
// replications is estimated to need.
long long ResultsSpaceNeeded(int populations, int duration, int replications);

// Number of "Time to cross" lines for duration T and bin width w.
int CrossingLineCount(int duration, int binWidth);

// Appends the thresholds the run used (3:1), the bin width and, when the
// disk has room, the results section. The caller has checked that results
// are present and the inputs unchanged. Returns 0 when the section was
// appended, 8 when it was left out for lack of space ("Not enough disk
// space to save results. Only input data is saved."). `fileName` tells
// which file system to look at.
int AppendResultsSection(const TCoravel& model, const TStoredRun& run, const std::string& fileName,
                         std::vector<std::string>& lines);

// What the reader of the inputs knows when it reaches the results section.
struct TResultsGate {
    int version = 30;               // version code of the file
    bool replicationsValid = true;  // replications line a valid integer 0..maximum
    bool durationValid = true;      // duration line a valid integer 1..maximum
    int maxReplications = 0;        // the configured maximum
};

// Reads the results section that may follow the thresholds. Returns 0 when
// the file has none or it loaded (then `loaded` is true, the state is
// results, the inputs-changed mark is cleared and `run` holds the file's
// replication count, date and time), 9 or 10 when the gates keep the
// results out, 6 when the section is damaged ("Error in loading results
// from file: " + name). Replication values are sorted ascending after
// reading; indexes outside the arrays are damage, never written through.
int ReadResultsSection(TCoravel& model, TLineCursor& cursor, const TResultsGate& gate,
                       const std::string& fileName, TStoredRun& run, bool& loaded);
