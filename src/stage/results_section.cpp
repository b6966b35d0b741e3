#include "stage/results_section.h"

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

TStoredRun StoredRunOf(const TCoravel& model)
{
    return {model.replicationsdone, model.resultsdate, model.resultstime};
}

void SetStoredRun(TCoravel& model, const TStoredRun& run)
{
    model.replicationsdone = run.replications;
    model.resultsdate = run.dateText;
    model.resultstime = run.timeText;
}

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

// A number read from the file as a single, kept within the single range.
float ToSingle(double v)
{
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

std::string Join(std::initializer_list<std::string> parts)
{
    std::string line;
    for (const std::string& part : parts) {
        if (!line.empty()) line += ' ';
        line += part;
    }
    return line;
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

// Thrown inside the reader for a damaged section.
struct TSectionDamaged {};

class TSectionReader {
public:
    explicit TSectionReader(TLineCursor& cursor) : cursor_(cursor) {}

    void SkipLine()
    {
        std::string line;
        if (!cursor_.ReadLine(line)) throw TSectionDamaged{};
    }
    std::string Line()
    {
        std::string line;
        if (!cursor_.ReadLine(line)) throw TSectionDamaged{};
        return line;
    }
    // Reads n numbers and finishes the line they end on. Where `shortTexts`
    // holds an "s", that number is a short number text (ParseShortText).
    template <std::size_t N>
    std::array<double, N> Numbers(std::string_view shortTexts = {})
    {
        std::array<double, N> values{};
        for (std::size_t k = 0; k < N; ++k) {
            std::string token;
            if (!cursor_.ReadToken(token)) throw TSectionDamaged{};
            bool ok = false;
            if (k < shortTexts.size() && shortTexts[k] == 's') {
                float single = 0;
                ok = ParseShortText(token, single);
                values[k] = single;
            } else {
                ok = ParseFileNumber(token, values[k]);
            }
            if (!ok) throw TSectionDamaged{};
        }
        cursor_.EndLine();
        return values;
    }
    // A whole number in first..last; anything else is damage.
    int Index(double v, long long first, long long last)
    {
        if (v != std::trunc(v) || v < static_cast<double>(first) || v > static_cast<double>(last))
            throw TSectionDamaged{};
        return static_cast<int>(v);
    }

private:
    TLineCursor& cursor_;
};

std::uint16_t ToBinCount(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 65535) return 65535;
    return static_cast<std::uint16_t>(std::nearbyint(v));
}

}  // namespace

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

int AppendResultsSection(const TCoravel& model, const TStoredRun& run, const std::string& fileName,
                         std::vector<std::string>& lines)
{
    lines.push_back(FixedText(model.extthreshold, 3, 1));
    lines.push_back(FixedText(model.explthreshold, 3, 1));
    lines.push_back(std::to_string(std::max<int>(1, model.crossbin)));

    const int P = std::min<int>(model.pops, model.Limits().pops);
    const int S = std::min<int>(model.stages, model.Limits().stages);
    const int T = std::clamp<int>(model.duration, 0, model.totalsum.Count());
    const int R = std::clamp<int>(run.replications, 0, model.replmin.Count());

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
        lines.push_back(Join({FloatToShortText(model.totalsum[t]), FloatToShortText(model.totalsumsq[t]),
                              Whole(model.totalmin[t]), Whole(model.totalmax[t])}));
    for (int p = 1; p <= P; ++p) {
        lines.push_back("Pop. " + std::to_string(p));
        for (int t = 1; t <= T; ++t)
            lines.push_back(Join({FloatToShortText(model.popsum[p][t]), FloatToShortText(model.popsumsq[p][t]),
                                  std::to_string(model.popmin[p][t]), std::to_string(model.popmax[p][t])}));
    }
    lines.push_back("Occupancy");
    for (int t = 1; t <= T; ++t)
        lines.push_back(Join({FloatToShortText(model.occupancysum[t]), FloatToShortText(model.occupancysumsq[t]),
                              Whole(model.occupancymin[t]), Whole(model.occupancymax[t])}));
    lines.push_back("Local Occupancy");
    for (int p = 1; p <= P; ++p)
        lines.push_back(Join({FixedText(model.localoccsum[p], 3, 1), FixedText(model.localoccsumsq[p], 3, 1),
                              FixedText(model.localoccmin[p], 3, 1), FixedText(model.localoccmax[p], 3, 1)}));
    lines.push_back("Min.  Max.  Ter.");
    for (int r = 1; r <= R; ++r)
        lines.push_back(Join({Whole(model.replmin[r]), Whole(model.replmax[r]), Whole(model.replterminal[r])}));
    // Durations that are not a multiple of the bin width give more lines than
    // the histograms have bins; those lines carry 0.
    lines.push_back("Time to cross");
    const int crossLines = CrossingLineCount(T, model.crossbin);
    for (int i = 1; i <= crossLines; ++i) {
        const bool inBins = i <= kCrossBins;
        lines.push_back(std::to_string(inBins ? model.extinctiontimes[i] : 0) + " " +
                        std::to_string(inBins ? model.explosiontimes[i] : 0));
    }
    if (S >= 2) {
        lines.push_back("Final stage abundances");
        for (int p = 1; p <= P; ++p)
            for (int s = 1; s <= S; ++s)
                lines.push_back(Join({FloatToShortText(model.finalsum[p][s]), FloatToShortText(model.finalsumsq[p][s]),
                                      std::to_string(model.finalmin[p][s]), std::to_string(model.finalmax[p][s])}));
    }
    lines.push_back("LocExtDur");
    for (int p = 1; p <= P; ++p)
        lines.push_back(Join({FixedText(model.extdursum[p], 3, 1), FixedText(model.extdursumsq[p], 3, 1),
                              FixedText(model.extdurmax[p], 3, 0), FixedText(model.extdurmin[p], 3, 0)}));
    lines.push_back("Harvest");
    std::string harvest;
    for (int k = 1; k <= 4; ++k) harvest += FloatToShortText(model.runstats[k]) + " ";
    lines.push_back(harvest);
    std::vector<int> harvestSteps;
    for (int t = 1; t <= T; ++t)
        if (model.harvestmax[t] > 0.000001f) harvestSteps.push_back(t);
    lines.push_back(std::to_string(harvestSteps.size()) + " t");
    for (int t : harvestSteps)
        lines.push_back(Join({std::to_string(t), FloatToShortText(model.harvestsum[t]),
                              FloatToShortText(model.harvestsumsq[t]), FloatToShortText(model.harvestmin[t]),
                              FloatToShortText(model.harvestmax[t])}));
    return 0;
}

int ReadResultsSection(TCoravel& model, TLineCursor& cursor, const TResultsGate& gate,
                       const std::string& fileName, TStoredRun& run, bool& loaded)
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

    const std::string fail = "Error in loading results from file: " + fileName;
    TSectionReader in(cursor);
    const int P = std::min<int>(model.pops, model.Limits().pops);
    const int S = std::min<int>(model.stages, model.Limits().stages);
    try {
        std::string countLine = in.Line();
        std::string word;
        ExtractWord(countLine, word);
        double count = 0;
        if (!ParseFileNumber(word, count)) throw TSectionDamaged{};
        if (!gate.replicationsValid || count > gate.maxReplications || count > model.replmin.Count()) {
            InputWarning("Only input data can be loaded (too many replications)");
            return 9;
        }
        if (!gate.durationValid || model.duration > model.totalsum.Count()) {
            InputWarning("Only input data can be loaded (duration too large)");
            return 10;
        }
        const int R = in.Index(count, 0, model.replmin.Count());
        const int T = model.duration;

        StatusMessage("Loading results.  Please wait ... ");
        in.SkipLine();  // column heads
        in.SkipLine();  // "Pop. ALL"
        for (int t = 1; t <= T; ++t) {
            const auto v = in.Numbers<4>("ss");
            model.totalsum[t] = ToSingle(v[0]);
            model.totalsumsq[t] = ToSingle(v[1]);
            model.totalmin[t] = ToSingle(v[2]);
            model.totalmax[t] = ToSingle(v[3]);
        }
        for (int p = 1; p <= P; ++p) {
            in.SkipLine();
            for (int t = 1; t <= T; ++t) {
                const auto v = in.Numbers<4>("ss");
                model.popsum[p][t] = ToSingle(v[0]);
                model.popsumsq[p][t] = ToSingle(v[1]);
                model.popmin[p][t] = RoundToInt32(v[2]);
                model.popmax[p][t] = RoundToInt32(v[3]);
            }
        }
        in.SkipLine();  // "Occupancy"
        for (int t = 1; t <= T; ++t) {
            const auto v = in.Numbers<4>("ss");
            model.occupancysum[t] = ToSingle(v[0]);
            model.occupancysumsq[t] = ToSingle(v[1]);
            model.occupancymin[t] = ToSingle(v[2]);
            model.occupancymax[t] = ToSingle(v[3]);
        }
        in.SkipLine();  // "Local Occupancy"
        for (int p = 1; p <= P; ++p) {
            const auto v = in.Numbers<4>();
            model.localoccsum[p] = ToSingle(v[0]);
            model.localoccsumsq[p] = ToSingle(v[1]);
            model.localoccmin[p] = ToSingle(v[2]);
            model.localoccmax[p] = ToSingle(v[3]);
        }
        in.SkipLine();  // "Min.  Max.  Ter."
        for (int r = 1; r <= R; ++r) {
            const auto v = in.Numbers<3>();
            model.replmin[r] = ToSingle(v[0]);
            model.replmax[r] = ToSingle(v[1]);
            model.replterminal[r] = ToSingle(v[2]);
        }
        in.SkipLine();  // "Time to cross"
        model.extinctiontimes.Fill(0);
        model.explosiontimes.Fill(0);
        const int crossLines = CrossingLineCount(T, model.crossbin);
        for (int i = 1; i <= crossLines; ++i) {
            const auto v = in.Numbers<2>();
            if (i <= kCrossBins) {
                model.extinctiontimes[i] = ToBinCount(v[0]);
                model.explosiontimes[i] = ToBinCount(v[1]);
            }
        }
        if (S >= 2) {
            in.SkipLine();  // "Final stage abundances"
            for (int p = 1; p <= P; ++p)
                for (int s = 1; s <= S; ++s) {
                    const auto v = in.Numbers<4>("ss");
                    model.finalsum[p][s] = ToSingle(v[0]);
                    model.finalsumsq[p][s] = ToSingle(v[1]);
                    model.finalmin[p][s] = RoundToInt32(v[2]);
                    model.finalmax[p][s] = RoundToInt32(v[3]);
                }
        }
        const std::string extDurLine = in.Line();
        const bool hasExtDur = extDurLine == "LocExtDur";
        for (int p = 1; p <= P; ++p) {
            if (hasExtDur) {
                const auto v = in.Numbers<4>();
                model.extdursum[p] = ToSingle(v[0]);
                model.extdursumsq[p] = ToSingle(v[1]);
                model.extdurmax[p] = ToSingle(v[2]);
                model.extdurmin[p] = ToSingle(v[3]);
            } else {
                model.extdursum[p] = model.extdursumsq[p] = model.extdurmax[p] = model.extdurmin[p] = 0;
            }
        }
        model.harvestsum.Fill(0);
        model.harvestsumsq.Fill(0);
        model.harvestmin.Fill(0);
        model.harvestmax.Fill(0);
        if (gate.version >= 22) {
            // The "Harvest" heading. Files of these versions carry the
            // local-extinction block before it; in one without the block the
            // heading was read in the block's place, this skip takes the
            // harvest numbers and the section reads as damaged.
            in.SkipLine();
            const auto stats = in.Numbers<4>("ssss");
            for (int k = 1; k <= 4; ++k) model.runstats[k] = ToSingle(stats[static_cast<std::size_t>(k - 1)]);
            std::string stepsLine = in.Line();
            ExtractWord(stepsLine, word);
            double steps = 0;
            if (!ParseFileNumber(word, steps)) throw TSectionDamaged{};
            const int n = in.Index(steps, 0, T);
            for (int k = 1; k <= n; ++k) {
                const auto v = in.Numbers<5>(" ssss");
                const int t = in.Index(v[0], 1, T);
                model.harvestsum[t] = ToSingle(v[1]);
                model.harvestsumsq[t] = ToSingle(v[2]);
                model.harvestmin[t] = ToSingle(v[3]);
                model.harvestmax[t] = ToSingle(v[4]);
            }
        }
        // Later risk curves walk these as cumulative distributions.
        for (SingleVector* values : {&model.replmin, &model.replmax, &model.replterminal})
            std::sort(values->begin(), values->begin() + R);
        run.replications = R;
        run.dateText = dateText;
        run.timeText = timeText;
    } catch (const TSectionDamaged&) {
        InputWarning(fail);
        return 6;
    }
    model.state = kStateResults;
    InputsChanged = false;
    loaded = true;
    return 0;
}
