#pragma once
// The results section of a model file: the summary statistics of the last
// run, written after the thresholds so that reopening the file restores the
// results without running again, and read back the same way.
//
// The age/stage and the unstructured model files share the section's first
// blocks (totals, populations, occupancy, local occupancy, replications,
// threshold crossings); the age/stage file adds blocks of its own after
// them. The shared blocks work on a view of whichever model holds the
// arrays (TResultArrays).

#include "core/model_records.h"
#include "sim/file_text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
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

// ---- the blocks both model files share ------------------------------------

using TCrossingCounts = IndexedArray<std::uint16_t, 1, kCrossBins>;

// Where a model keeps the shared blocks' arrays, and how much of them the
// section covers. kConst gives the writer's read-only view.
template <bool kConst>
struct TResultArraysOf {
    template <class T>
    using Ptr = std::conditional_t<kConst, const T*, T*>;

    int populations = 0;  // P: population blocks and local-occupancy lines
    int duration = 0;     // T: lines per time series
    int binWidth = 1;     // w of the threshold-crossing histograms
    // The thresholds the run used; written before the section (3:1).
    double extinctionThreshold = 0;
    double explosionThreshold = 0;

    Ptr<SingleVector> totalMean, totalStdDev, totalMin, totalMax;             // [T]
    Ptr<SingleMatrix> popMean, popStdDev;                                      // P x T
    Ptr<IntMatrix> popMin, popMax;                                             // P x T
    Ptr<SingleVector> occupancyMean, occupancyStdDev, occupancyMin, occupancyMax;  // [T]
    Ptr<SingleVector> localMean, localStdDev, localMin, localMax;              // [P]
    Ptr<SingleVector> replicationMin, replicationMax, replicationFinal;        // [R]
    Ptr<TCrossingCounts> extinctionTimes, explosionTimes;
};
using TResultArrays = TResultArraysOf<false>;
using TConstResultArrays = TResultArraysOf<true>;

// Appends the thresholds (3:1) and the bin width and, when the disk has
// room, the section's heading and shared blocks. The caller has checked
// that results are present and the inputs unchanged. Returns 0 when the
// blocks were appended, 8 when they were left out for lack of space ("Not
// enough disk space to save results. Only input data is saved.").
// `fileName` tells which file system to look at.
int AppendSharedResults(const TConstResultArrays& results, const TStoredRun& run, const std::string& fileName,
                        std::vector<std::string>& lines);

// What the reader of the inputs knows when it reaches the results section.
struct TResultsGate {
    int version = 30;               // version code of the file
    bool replicationsValid = true;  // replications line a valid integer 0..maximum
    bool durationValid = true;      // duration line a valid integer 1..maximum
    int maxReplications = 0;        // the configured maximum
};

// Raised inside a section reader for a damaged section.
struct TResultsDamaged {};

// One line of a section: its fields separated by one blank.
std::string ResultsLine(std::initializer_list<std::string> fields);

// Reads the lines of a results section: keyword lines, and lines of numbers
// (the rest of a line after its numbers is dropped). Anything missing or
// not a number raises TResultsDamaged.
class TResultsReader {
public:
    explicit TResultsReader(TLineCursor& cursor) : cursor_(cursor) {}

    void SkipLine() { Line(); }
    std::string Line();
    // n numbers. Where `shortTexts` holds an "s", that number is a short
    // number text (ParseShortText).
    template <std::size_t N>
    std::array<double, N> Numbers(std::string_view shortTexts = {})
    {
        std::array<double, N> values{};
        for (std::size_t k = 0; k < N; ++k)
            values[k] = Number(k < shortTexts.size() && shortTexts[k] == 's');
        cursor_.EndLine();
        return values;
    }
    // A whole number in first..last; anything else is damage.
    int Index(double v, long long first, long long last);

private:
    double Number(bool shortText);
    TLineCursor& cursor_;
};

// Blocks a model file adds after the shared ones.
using TMoreResultBlocks = std::function<void(TResultsReader&)>;

// Reads the results section that may follow the thresholds. Returns 0 when
// the file has none or it loaded (then `loaded` is true and `run` holds the
// file's replication count, date and time; setting the model's state is the
// caller's), 9 or 10 when the gates keep the results out, 6 when the
// section is damaged ("Error in loading results from file: " + name).
// Replication values are sorted ascending after reading; indexes outside the
// arrays are damage, never written through.
int ReadSharedResults(const TResultArrays& results, TLineCursor& cursor, const TResultsGate& gate,
                      const std::string& fileName, TStoredRun& run, bool& loaded,
                      const TMoreResultBlocks& moreBlocks = {});
