#include "stage/results_section.h"

#include "core/str_utilx.h"
#include "sim/file_text.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

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

// The age/stage store's arrays for the shared blocks.
template <class Model>
TResultArraysOf<std::is_const_v<Model>> StageResultArrays(Model& m)
{
    TResultArraysOf<std::is_const_v<Model>> r;
    r.populations = std::min<int>(m.pops, m.Limits().pops);
    r.duration = m.duration;
    r.binWidth = m.crossbin;
    r.extinctionThreshold = m.extthreshold;
    r.explosionThreshold = m.explthreshold;
    r.totalMean = &m.totalsum;
    r.totalStdDev = &m.totalsumsq;
    r.totalMin = &m.totalmin;
    r.totalMax = &m.totalmax;
    r.popMean = &m.popsum;
    r.popStdDev = &m.popsumsq;
    r.popMin = &m.popmin;
    r.popMax = &m.popmax;
    r.occupancyMean = &m.occupancysum;
    r.occupancyStdDev = &m.occupancysumsq;
    r.occupancyMin = &m.occupancymin;
    r.occupancyMax = &m.occupancymax;
    r.localMean = &m.localoccsum;
    r.localStdDev = &m.localoccsumsq;
    r.localMin = &m.localoccmin;
    r.localMax = &m.localoccmax;
    r.replicationMin = &m.replmin;
    r.replicationMax = &m.replmax;
    r.replicationFinal = &m.replterminal;
    r.extinctionTimes = &m.extinctiontimes;
    r.explosionTimes = &m.explosiontimes;
    return r;
}

}  // namespace

int AppendResultsSection(const TCoravel& model, const TStoredRun& run, const std::string& fileName,
                         std::vector<std::string>& lines)
{
    const TConstResultArrays shared = StageResultArrays(model);
    const int code = AppendSharedResults(shared, run, fileName, lines);
    if (code != 0) return code;

    const int P = shared.populations;
    const int S = std::min<int>(model.stages, model.Limits().stages);
    const int T = std::clamp<int>(model.duration, 0, model.totalsum.Count());
    if (S >= 2) {
        lines.push_back("Final stage abundances");
        for (int p = 1; p <= P; ++p)
            for (int s = 1; s <= S; ++s)
                lines.push_back(ResultsLine({FloatToShortText(model.finalsum[p][s]), FloatToShortText(model.finalsumsq[p][s]),
                                      std::to_string(model.finalmin[p][s]), std::to_string(model.finalmax[p][s])}));
    }
    lines.push_back("LocExtDur");
    for (int p = 1; p <= P; ++p)
        lines.push_back(ResultsLine({FixedText(model.extdursum[p], 3, 1), FixedText(model.extdursumsq[p], 3, 1),
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
        lines.push_back(ResultsLine({std::to_string(t), FloatToShortText(model.harvestsum[t]),
                              FloatToShortText(model.harvestsumsq[t]), FloatToShortText(model.harvestmin[t]),
                              FloatToShortText(model.harvestmax[t])}));
    return 0;
}

int ReadResultsSection(TCoravel& model, TLineCursor& cursor, const TResultsGate& gate,
                       const std::string& fileName, TStoredRun& run, bool& loaded)
{
    const TResultArrays shared = StageResultArrays(model);
    const int P = shared.populations;
    const int S = std::min<int>(model.stages, model.Limits().stages);
    const int T = model.duration;
    auto stageBlocks = [&](TResultsReader& in) {
        if (S >= 2) {
            in.SkipLine();  // "Final stage abundances"
            for (int p = 1; p <= P; ++p)
                for (int s = 1; s <= S; ++s) {
                    const auto v = in.Numbers<4>("ss");
                    model.finalsum[p][s] = ClampToSingle(v[0]);
                    model.finalsumsq[p][s] = ClampToSingle(v[1]);
                    model.finalmin[p][s] = RoundToInt32(v[2]);
                    model.finalmax[p][s] = RoundToInt32(v[3]);
                }
        }
        const std::string extDurLine = in.Line();
        const bool hasExtDur = extDurLine == "LocExtDur";
        for (int p = 1; p <= P; ++p) {
            if (hasExtDur) {
                const auto v = in.Numbers<4>();
                model.extdursum[p] = ClampToSingle(v[0]);
                model.extdursumsq[p] = ClampToSingle(v[1]);
                model.extdurmax[p] = ClampToSingle(v[2]);
                model.extdurmin[p] = ClampToSingle(v[3]);
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
            for (int k = 1; k <= 4; ++k) model.runstats[k] = ClampToSingle(stats[static_cast<std::size_t>(k - 1)]);
            std::string stepsLine = in.Line();
            std::string word;
            ExtractWord(stepsLine, word);
            double steps = 0;
            if (!ParseFileNumber(word, steps)) throw TResultsDamaged{};
            const int n = in.Index(steps, 0, T);
            for (int k = 1; k <= n; ++k) {
                const auto v = in.Numbers<5>(" ssss");
                const int t = in.Index(v[0], 1, T);
                model.harvestsum[t] = ClampToSingle(v[1]);
                model.harvestsumsq[t] = ClampToSingle(v[2]);
                model.harvestmin[t] = ClampToSingle(v[3]);
                model.harvestmax[t] = ClampToSingle(v[4]);
            }
        }
    };
    const int code = ReadSharedResults(shared, cursor, gate, fileName, run, loaded, stageBlocks);
    if (loaded) {
        model.state = kStateResults;
        InputsChanged = false;
    }
    return code;
}
