#include "stage/validate_input.h"

#include "core/batch_log.h"
#include "core/message_sink.h"
#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/density_types.h"
#include "stage/eigen.h"
#include "stage/eigen_model.h"
#include "stage/stage_matrix.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double kLargestInput = 2147483647.0;

// The multiplier for a growth rate of 1 of each population, remembered with
// everything it depends on: the population's scaled matrix (stage count,
// stage-matrix entries, fecundity and survival multipliers), the vital rates
// density dependence acts on, and whether constraints are ignored. Editors
// change some of these (the general dialog changes "Ignore constraints")
// without marking the population changed, so the changed flags alone cannot
// tell whether a remembered value still holds.
struct TRateMultiplierKey {
    TStageMatrix matrix;
    std::uint8_t affects = 0;
    bool ignoreConstraints = false;

    bool operator==(const TRateMultiplierKey& other) const
    {
        if (matrix.size != other.matrix.size || affects != other.affects ||
            ignoreConstraints != other.ignoreConstraints)
            return false;
        for (int i = 1; i <= matrix.size; ++i)
            for (int j = 1; j <= matrix.size; ++j)
                if (matrix(i, j) != other.matrix(i, j))
                    return false;
        return true;
    }
};

struct TRateMultiplierMemo {
    bool valid = false;
    TRateMultiplierKey key;
    double multiplier = 0.0;
};

std::array<TRateMultiplierMemo, kMaxPopulations + 1> rateMemo;

// Rounded as every count of the run is: to the nearest, halves to even.
std::int32_t RoundedTotal(double sum)
{
    if (!(sum >= 0.5))
        return 0;
    if (sum >= 2147480000.0)
        return 2147479999;
    return static_cast<std::int32_t>(std::nearbyint(sum));
}

void ResetPopulationNumbers(TCoravel& model)
{
    model.rmax.Fill(0);
    model.initialtotal.Fill(0);
    model.capacity.Fill(0);
    model.ksd.Fill(0);
    model.allee.Fill(0);
    model.ktrend.Fill(0);
    model.dispersalslope.Fill(0);
    model.fecmultiplier.Fill(1);
    model.survmultiplier.Fill(1);
    model.kchangeindex.Fill(0);
    model.fchangeindex.Fill(0);
    model.schangeindex.Fill(0);
    model.haskchange = false;
    model.hasfchange = false;
    model.hasschange = false;
}

void ConvertPopulation(TCoravel& model, int p)
{
    PopulationRecord& pop = model.populations[p];

    double sum = 0.0;
    for (int s = 1; s <= model.stages; ++s)
        sum += model.initialabundance[p][s];
    model.initialtotal[p] = RoundedTotal(sum);

    double rmax = 0.0;
    const bool rmaxOk = ConvertNumber(pop.rmaxtext, rmax);
    if (!rmaxOk)
        rmax = 0.0;
    if (UsesMaximumGrowthRate(pop.ddtype) && !(rmaxOk && rmax >= kSmallestRunRmax && rmax <= kLargestInput))
        ReportInvalidInput(model, "Rmax", p);
    model.rmax[p] = static_cast<float>(rmax);

    double k = 0.0;
    const bool kOk = ConvertNumber(pop.ktext, k);
    if (!kOk)
        k = 0.0;
    if (!IsExponential(pop.ddtype) && !(kOk && k > 0.0 && k <= kLargestInput))
        ReportInvalidInput(model, "K", p);
    model.capacity[p] = static_cast<float>(k);

    // What this program keeps neutral: no change series, no catastrophes at
    // the population, no Allee effect, dispersal independent of density.
    model.fecmultiplier[p] = 1;
    model.survmultiplier[p] = 1;
    model.ktrend[p] = 0;
    model.kchangeindex[p] = 0;
    model.fchangeindex[p] = 0;
    model.schangeindex[p] = 0;
    model.ksd[p] = 0;
    model.catmult1[p] = 1;
    model.catmult2[p] = 1;
    model.catprob1[p] = 0;
    model.catprob2[p] = 0;
    model.allee[p] = 0;
    model.dispersalslope[p] = 0;

    if (model.rmax[p] < 0) model.rmax[p] = 0;
    if (model.initialtotal[p] < 0) model.initialtotal[p] = 0;
    if (model.ksd[p] < 0) model.ksd[p] = 0;
    if (model.allee[p] < 0) model.allee[p] = 0;

    const int matrices = std::max<int>(1, model.stagematrices);
    if (pop.matrixindex == 0) pop.matrixindex = 1;
    if (pop.matrixindex > matrices) pop.matrixindex = static_cast<std::uint8_t>(matrices);
    const int stdevs = std::max<int>(1, model.stdevmatrices);
    if (pop.stdevindex == 0) pop.stdevindex = 1;
    if (pop.stdevindex > stdevs) pop.stdevindex = static_cast<std::uint8_t>(stdevs);

    if (IsExponential(pop.ddtype))
        model.capacity[p] = static_cast<float>(model.initialtotal[p]);
    if (!(model.capacity[p] > 0))
        model.capacity[p] = 1;
}

void CalculateRateMultipliers(TCoravel& model)
{
    // Cleared when they are calculated: a run that the check then stops
    // would otherwise leave the text standing.
    const TWorkStatus status("Calculating multipliers");
    for (int p = 1; p <= model.pops; ++p) {
        TRateMultiplierKey key;
        key.matrix = PopulationStageMatrix(model, p);
        key.affects = model.ddaffects;
        key.ignoreConstraints = model.ignoreconstraints;
        TRateMultiplierMemo& memo = rateMemo[static_cast<std::size_t>(p)];
        if (!(memo.valid && memo.key == key)) {
            memo.valid = false;
            for (int q = 1; q < p && !memo.valid; ++q) {
                const TRateMultiplierMemo& earlier = rateMemo[static_cast<std::size_t>(q)];
                if (earlier.valid && earlier.key == key) {
                    memo.multiplier = earlier.multiplier;
                    memo.valid = true;
                }
            }
            if (!memo.valid)
                memo.multiplier = FindRateMultiplier(key.matrix, 1.0, static_cast<DDAffects>(key.affects),
                                                     key.ignoreConstraints, true);
            memo.key = key;
            memo.valid = true;
        }
        model.ddmultiplier[p] = memo.multiplier;
    }
    for (bool& changed : model.matrixchanged) changed = false;
    for (bool& changed : model.popchanged) changed = false;
}

void CheckManagement(TCoravel& model)
{
    model.mgmtactive = false;
    for (int a = 1; a <= model.actioncount && a <= model.actions.Count(); ++a) {
        ManagementRecord& act = model.actions[a];
        if (!act.active)
            continue;
        const std::string kind = act.kind < 3 ? kActionKindNames[act.kind] : "?";
        const bool harvest = act.kind == 0;
        const bool introduction = act.kind == 1;
        const bool translocation = act.kind == 2;

        if (act.begintime > model.duration || act.begintime < 0)
            ReportInvalidInput(model, "Begin time for " + kind, a);
        if (act.endtime > model.duration || act.endtime < 0)
            ReportInvalidInput(model, "\rEnd time for " + kind, a);
        if (act.period > model.duration || act.period < 1)
            ReportInvalidInput(model, "Period for " + kind, a);
        if (act.endtime < act.begintime)
            ReportInvalidInput(model, "Begin time > End time for " + kind, a);
        if (act.firststage == 0 || act.firststage > model.stages || act.laststage == 0 ||
            act.laststage > model.stages || act.laststage < act.firststage)
            ReportInvalidInput(model, "\nStage for " + kind, a);
        if (act.frompop == 0 || act.frompop > model.pops || act.topop == 0 || act.topop > model.pops ||
            (!translocation && act.topop < act.frompop))
            ReportInvalidInput(model, "Populations for " + kind, a);
        if (act.amountkind == 0 && act.number < 0)
            ReportInvalidInput(model, "Pop. management: " + kind + " Number is out of range", a);
        if (act.amountkind == 1 && !(act.proportion >= 0 && act.proportion <= 1))
            ReportInvalidInput(model, "Pop. management: " + kind + " proportion is out of range", a);

        act.thresholdn = act.threshold;
        if (act.condition != 0 && act.threshold < 0)
            ReportInvalidInput(model, "Pop. management: Conditional " + kind, a);
        if ((harvest && act.condition != 2) || (introduction && act.condition != 1))
            act.thresholdn = 0;

        if (harvest && act.condition == 1)
            ReportInvalidInput(model, "Condition for harvest must be \"If N >\"", a);
        if (introduction && act.condition == 2)
            ReportInvalidInput(model, "Condition for introduction must be \"If N <\"", a);
        if (introduction && act.amountkind == 1)
            ReportInvalidInput(model, "Introduction cannot be proportional; use \"Number\" instead.", a);
        if (translocation && act.frompop == act.topop)
            ReportInvalidInput(model, "For Translocation, \"from\" and \"to\" must be different populations.", a);
    }
    // Management is on with any action, active or not: the checks that
    // depend on it (unique population names) hold for every model with
    // actions, whether or not one of them is switched on at the moment.
    if (model.actioncount >= 1 && model.state != kStateEmpty)
        model.mgmtactive = true;
}

// The stage's number text as a value in 0..2147483647; otherwise 1, and the
// text is set to "1" so the editor shows what is used.
float StageNumber(std::string& text)
{
    double v = 0.0;
    if (!text.empty() && ConvertNumber(text, v) && v >= 0.0 && v <= kLargestInput)
        return static_cast<float>(v);
    text = "1";
    return 1.0f;
}

void CheckStages(TCoravel& model)
{
    for (int s = 1; s <= model.stages; ++s) {
        StageRecord& stage = model.stageprops[s];
        if (stage.name.empty())
            stage.name = ("Stage " + std::to_string(s)).substr(0, kStageNameLength);
        for (int earlier = 1; earlier < s; ++earlier)
            if (model.stageprops[earlier].name == stage.name) {
                ReportInvalidInput(model, "Please supply a unique name for stage", s);
                break;
            }
        model.stagedispersal[1][s] = StageNumber(stage.value1text);
        model.stageweight[s] = StageNumber(stage.value2text);
    }
}

} // namespace

void ForgetRateMultipliers()
{
    for (TRateMultiplierMemo& memo : rateMemo) memo.valid = false;
}

void ValidateInput(TCoravel& model)
{
    if (model.state == kStateEmpty)
        model.state = kStateInputs;

    // Every stage matrix is checked, not only those marked changed: the
    // stage count can change without a matrix being marked.
    bool matrixFailed = false;
    if (model.stages >= 1) {
        for (int m = 1; m <= model.stagematrices && m <= model.stagematrix.Count(); ++m) {
            if (DominantEigenvalue(StoreStageMatrix(model, m)) > 0.0)
                continue;
            if (model.matrixheaders[m].name.empty())
                model.matrixheaders[m].name = "?";
            ReportInvalidInput(model, "Stage matrix", m);
            matrixFailed = true;
        }
    }
    if (model.stages < 1 || matrixFailed) {
        model.state = kStateEmpty;
        return;
    }

    if (model.pops < 1 || model.pops > model.populations.Count()) {
        model.pops = 0;
        ErrorMessage("Invalid population data");
        model.state = kStateEmpty;
        return;
    }

    model.selectedpop = 1;
    ResetPopulationNumbers(model);
    for (int p = 1; p <= model.pops; ++p)
        ConvertPopulation(model, p);

    CalculateRateMultipliers(model);
    CheckManagement(model);

    if (model.mgmtactive)
        for (int i = 1; i <= model.pops; ++i)
            for (int j = i + 1; j <= model.pops; ++j)
                if (model.populations[i].name == model.populations[j].name)
                    ReportInvalidInput(model, "Please supply a unique name for population", i);

    CheckStages(model);
}

void CheckStageMatrix(TCoravel& model, int m)
{
    if (m < 1 || m > model.stagematrix.Count())
        return;
    SingleMatrix& a = model.stagematrix[m];
    const int n = model.stages;
    bool negative = false, aboveOne = false, sumAboveOne = false;
    for (int j = 1; j <= n; ++j) {
        for (int i = 1; i <= n; ++i)
            if (a[i][j] < 0) {
                a[i][j] = 0;
                negative = true;
            }
        if (model.ignoreconstraints)
            continue;
        double survival = 0.0;
        for (int i = 2; i <= n; ++i) {
            if (a[i][j] > 1) {
                a[i][j] = 1;
                aboveOne = true;
            }
            survival += a[i][j];
        }
        if (survival - 1.0 > kSurvivalSumTolerance) {
            for (int i = 2; i <= n; ++i)
                a[i][j] = static_cast<float>(a[i][j] / survival);
            sumAboveOne = true;
        }
    }
    if (negative || aboveOne || sumAboveOne)
        if (m <= decltype(model.matrixchanged)::kLast)
            model.matrixchanged[m] = true;
    if (negative)
        InputWarning("Stage matrix elements cannot be less than zero.");
    if (aboveOne)
        InputWarning("Stage matrix elements after row 1 cannot be greater than one.");
    if (sumAboveOne)
        InputWarning("Stage matrix elements after row 1 must sum up to less than one.");
}

void CheckAllStageMatrices(TCoravel& model)
{
    for (int m = 1; m <= model.stagematrices; ++m)
        CheckStageMatrix(model, m);
}

void ReportInvalidInput(TCoravel& model, const std::string& what, int number)
{
    model.state = kStateEmpty;
    const std::string line = "Invalid input: " + what + " (" + std::to_string(number) + ")";
    TMessageSink* sink = GetMessageSink();
    if (sink)
        sink->AddSimulationWarning(line);
    if (BatchMode)
        LogLine(line);
    else if (!sink) {
        std::fprintf(stderr, "Warning: %s\n", line.c_str());
        std::fflush(stderr);
    }
}
