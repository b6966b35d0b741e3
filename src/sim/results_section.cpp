#include "sim/results_section.h"

#include "core/file_names.h"
#include "core/messages.h"
#include "core/str_utilx.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <filesystem>
#include <limits>
#include <array>
#include <initializer_list>
#include <string_view>

namespace {

TDiskSpaceProvider g_provider;

bool StatvfsSpace(const std::string& folder, TDiskSpace& space)
{
    struct statvfs st {};
    if (statvfs(folder.c_str(), &st) != 0) return false;
    const auto unit = static_cast<long long>(st.f_frsize ? st.f_frsize : st.f_bsize);
    space.freeBytes = static_cast<long long>(st.f_bavail) * unit;
    space.totalBytes = static_cast<long long>(st.f_blocks) * unit;
    return true;
}

std::string FolderOf(const std::string& fileName)
{
    std::filesystem::path parent = std::filesystem::path(NativePath(fileName)).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string Whole(double v) { return FixedText(v, 1, 0); }

// At most two blanks gone from each end of a text.
std::string DropTwoBlanks(std::string text)
{
    for (int k = 0; k < 2 && !text.empty() && text.front() == ' '; ++k) text.erase(0, 1);
    for (int k = 0; k < 2 && !text.empty() && text.back() == ' '; ++k) text.pop_back();
    return text;
}

// The run's date and time after "Simulation results ": split at the first
// blank, at most two blanks dropped from each end of either part. Other
// installations write times such as "10:20:30 AM", which stay whole.
void SplitRunStamp(const std::string& stamp, std::string& dateText, std::string& timeText)
{
    const std::size_t blank = stamp.find(' ');
    dateText = DropTwoBlanks(stamp.substr(0, blank));
    timeText = blank == std::string::npos ? std::string() : DropTwoBlanks(stamp.substr(blank + 1));
}

std::uint16_t ToBinCount(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 65535) return 65535;
    return static_cast<std::uint16_t>(std::nearbyint(v));
}

}  // namespace

std::string ResultsLine(std::initializer_list<std::string> fields)
{
    std::string line;
    for (const std::string& part : fields) {
        if (!line.empty()) line += ' ';
        line += part;
    }
    return line;
}

void SetDiskSpaceProvider(TDiskSpaceProvider provider) { g_provider = std::move(provider); }

bool QueryDiskSpace(const std::string& folder, TDiskSpace& space)
{
    return g_provider ? g_provider(folder, space) : StatvfsSpace(folder, space);
}

long long ResultsSpaceNeeded(int populations, int duration, int replications)
{
    const long long P = populations, T = duration, R = replications;
    return 20 * T * (P + 2) + 16 * P + 12 * R + 300 + 8 * (P + 2) + 1024;
}

int CrossingLineCount(int duration, int binWidth)
{
    const int w = std::max(1, binWidth);
    return duration / w + duration % w;
}

std::string TResultsReader::Line()
{
    std::string line;
    if (!cursor_.ReadLine(line)) throw TResultsDamaged{};
    return line;
}

double TResultsReader::Number(bool shortText)
{
    std::string token;
    if (!cursor_.ReadToken(token)) throw TResultsDamaged{};
    double value = 0;
    bool ok = false;
    if (shortText) {
        float single = 0;
        ok = ParseShortText(token, single);
        value = single;
    } else {
        ok = ParseFileNumber(token, value);
    }
    if (!ok) throw TResultsDamaged{};
    return value;
}

int TResultsReader::Index(double v, long long first, long long last)
{
    if (v != std::trunc(v) || v < static_cast<double>(first) || v > static_cast<double>(last))
        throw TResultsDamaged{};
    return static_cast<int>(v);
}

int AppendSharedResults(const TConstResultArrays& r, const TStoredRun& run, const std::string& fileName,
                        std::vector<std::string>& lines)
{
    lines.push_back(FixedText(r.extinctionThreshold, 3, 1));
    lines.push_back(FixedText(r.explosionThreshold, 3, 1));
    lines.push_back(std::to_string(std::max(1, r.binWidth)));

    const int P = r.populations;
    const int T = std::clamp(r.duration, 0, r.totalMean->Count());
    const int R = std::clamp<int>(run.replications, 0, r.replicationMin->Count());

    const long long needed = ResultsSpaceNeeded(P, T, R);
    TDiskSpace space;
    if (QueryDiskSpace(FolderOf(fileName), space)) {
        const double ratio = static_cast<double>(space.freeBytes - needed) / static_cast<double>(needed);
        if (ratio <= 0 && space.totalBytes > 0) {
            InputWarning("Not enough disk space to save results. Only input data is saved.");
            return 8;
        }
        if (ratio <= 0.2)
            WarningMessage("Available disk space may not be enough to save results.  Please wait ....");
        else
            StatusMessage("Saving results.  Please wait ...");
    } else {
        StatusMessage("Saving results.  Please wait ...");
    }

    lines.push_back("Simulation results " + run.dateText + " " + run.timeText);
    lines.push_back(std::to_string(R) + " replications");
    lines.push_back(" Mean  StDev Min Max");
    lines.push_back("Pop. ALL");
    for (int t = 1; t <= T; ++t)
        lines.push_back(ResultsLine({FloatToShortText((*r.totalMean)[t]), FloatToShortText((*r.totalStdDev)[t]),
                              Whole((*r.totalMin)[t]), Whole((*r.totalMax)[t])}));
    for (int p = 1; p <= P; ++p) {
        lines.push_back("Pop. " + std::to_string(p));
        for (int t = 1; t <= T; ++t)
            lines.push_back(ResultsLine({FloatToShortText((*r.popMean)[p][t]), FloatToShortText((*r.popStdDev)[p][t]),
                                  std::to_string((*r.popMin)[p][t]), std::to_string((*r.popMax)[p][t])}));
    }
    lines.push_back("Occupancy");
    for (int t = 1; t <= T; ++t)
        lines.push_back(ResultsLine({FloatToShortText((*r.occupancyMean)[t]), FloatToShortText((*r.occupancyStdDev)[t]),
                              Whole((*r.occupancyMin)[t]), Whole((*r.occupancyMax)[t])}));
    lines.push_back("Local Occupancy");
    for (int p = 1; p <= P; ++p)
        lines.push_back(ResultsLine({FixedText((*r.localMean)[p], 3, 1), FixedText((*r.localStdDev)[p], 3, 1),
                              FixedText((*r.localMin)[p], 3, 1), FixedText((*r.localMax)[p], 3, 1)}));
    lines.push_back("Min.  Max.  Ter.");
    for (int k = 1; k <= R; ++k)
        lines.push_back(ResultsLine({Whole((*r.replicationMin)[k]), Whole((*r.replicationMax)[k]),
                              Whole((*r.replicationFinal)[k])}));
    // Durations that are not a multiple of the bin width give more lines than
    // the histograms have bins; those lines carry 0.
    lines.push_back("Time to cross");
    const int crossLines = CrossingLineCount(T, r.binWidth);
    for (int i = 1; i <= crossLines; ++i) {
        const bool inBins = i <= kCrossBins;
        lines.push_back(std::to_string(inBins ? (*r.extinctionTimes)[i] : 0) + " " +
                        std::to_string(inBins ? (*r.explosionTimes)[i] : 0));
    }
    return 0;
}

int ReadSharedResults(const TResultArrays& r, TLineCursor& cursor, const TResultsGate& gate,
                      const std::string& fileName, TStoredRun& run, bool& loaded,
                      const TMoreResultBlocks& moreBlocks)
{
    loaded = false;
    std::string first;
    if (!cursor.ReadLine(first)) return 0;
    std::string dateText, timeText;
    if (first.size() >= 19) {
        SplitRunStamp(first.substr(19), dateText, timeText);
        first.resize(18);
    }
    if (first != "Simulation results") return 0;

    TResultsReader in(cursor);
    const int P = r.populations;
    try {
        std::string countLine = in.Line();
        std::string word;
        ExtractWord(countLine, word);
        double count = 0;
        if (!ParseFileNumber(word, count)) throw TResultsDamaged{};
        if (!gate.replicationsValid || count > gate.maxReplications || count > r.replicationMin->Count()) {
            InputWarning("Only input data can be loaded (too many replications)");
            return 9;
        }
        if (!gate.durationValid || r.duration < 0 || r.duration > r.totalMean->Count()) {
            InputWarning("Only input data can be loaded (duration too large)");
            return 10;
        }
        const int R = in.Index(count, 0, r.replicationMin->Count());
        const int T = r.duration;

        // Cleared once the results are read, whether they loaded or not.
        const TWorkStatus status("Loading results.  Please wait ... ");
        in.SkipLine();  // column heads
        in.SkipLine();  // "Pop. ALL"
        for (int t = 1; t <= T; ++t) {
            const auto v = in.Numbers<4>("ss");
            (*r.totalMean)[t] = ClampToSingle(v[0]);
            (*r.totalStdDev)[t] = ClampToSingle(v[1]);
            (*r.totalMin)[t] = ClampToSingle(v[2]);
            (*r.totalMax)[t] = ClampToSingle(v[3]);
        }
        for (int p = 1; p <= P; ++p) {
            in.SkipLine();
            for (int t = 1; t <= T; ++t) {
                const auto v = in.Numbers<4>("ss");
                (*r.popMean)[p][t] = ClampToSingle(v[0]);
                (*r.popStdDev)[p][t] = ClampToSingle(v[1]);
                (*r.popMin)[p][t] = RoundToInt32(v[2]);
                (*r.popMax)[p][t] = RoundToInt32(v[3]);
            }
        }
        in.SkipLine();  // "Occupancy"
        for (int t = 1; t <= T; ++t) {
            const auto v = in.Numbers<4>("ss");
            (*r.occupancyMean)[t] = ClampToSingle(v[0]);
            (*r.occupancyStdDev)[t] = ClampToSingle(v[1]);
            (*r.occupancyMin)[t] = ClampToSingle(v[2]);
            (*r.occupancyMax)[t] = ClampToSingle(v[3]);
        }
        in.SkipLine();  // "Local Occupancy"
        for (int p = 1; p <= P; ++p) {
            const auto v = in.Numbers<4>();
            (*r.localMean)[p] = ClampToSingle(v[0]);
            (*r.localStdDev)[p] = ClampToSingle(v[1]);
            (*r.localMin)[p] = ClampToSingle(v[2]);
            (*r.localMax)[p] = ClampToSingle(v[3]);
        }
        in.SkipLine();  // "Min.  Max.  Ter."
        for (int k = 1; k <= R; ++k) {
            const auto v = in.Numbers<3>();
            (*r.replicationMin)[k] = ClampToSingle(v[0]);
            (*r.replicationMax)[k] = ClampToSingle(v[1]);
            (*r.replicationFinal)[k] = ClampToSingle(v[2]);
        }
        in.SkipLine();  // "Time to cross"
        r.extinctionTimes->Fill(0);
        r.explosionTimes->Fill(0);
        const int crossLines = CrossingLineCount(T, r.binWidth);
        for (int i = 1; i <= crossLines; ++i) {
            const auto v = in.Numbers<2>();
            if (i <= kCrossBins) {
                (*r.extinctionTimes)[i] = ToBinCount(v[0]);
                (*r.explosionTimes)[i] = ToBinCount(v[1]);
            }
        }
        if (moreBlocks) moreBlocks(in);
        // Later risk curves walk these as cumulative distributions.
        for (SingleVector* values : {r.replicationMin, r.replicationMax, r.replicationFinal})
            std::sort(values->begin(), values->begin() + R);
        run.replications = R;
        run.dateText = dateText;
        run.timeText = timeText;
    } catch (const TResultsDamaged&) {
        InputWarning("Error in loading results from file: " + fileName);
        return 6;
    }
    loaded = true;
    return 0;
}
