#include "stage/run_statistics.h"

#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/density_types.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr float kMinStart = 1.7e38f;
constexpr std::int32_t kCountMinStart = 2147483647;

std::uint16_t Increment(std::uint16_t n)
{
    return n == std::numeric_limits<std::uint16_t>::max() ? n : static_cast<std::uint16_t>(n + 1);
}

std::uint16_t Saturate16(long long n)
{
    return static_cast<std::uint16_t>(std::clamp<long long>(n, 0, std::numeric_limits<std::uint16_t>::max()));
}

template <class T, class V>
void KeepMin(T& slot, V value)
{
    if (value < slot) slot = static_cast<T>(value);
}

template <class T, class V>
void KeepMax(T& slot, V value)
{
    if (value > slot) slot = static_cast<T>(value);
}

// Abundance of population p without the stages excluded from totals.
long long CountedAbundance(const TRunStatistics& stats, const TRunState& run, int p)
{
    long long c = run.PopulationTotal[static_cast<std::size_t>(p)];
    const TStageCounts& stages = run.StageAbundance[static_cast<std::size_t>(p)];
    for (int s = 1; s <= stats.S; ++s)
        if (stats.excludedStage[static_cast<std::size_t>(s)]) c -= stages[static_cast<std::size_t>(s)];
    return c;
}

void CheckFits(const TCoravel& model, const TRunState& run)
{
    const ModelLimits& limits = model.Limits();
    if (model.pops < 1 || model.pops > limits.pops || model.stages < 1 ||
        model.stages > limits.stages || model.stages > kMaxRunStages || model.duration < 1 ||
        model.duration > model.totalsum.Count())
        throw std::length_error("model does not fit the result arrays");
    if (run.P < model.pops || run.S < model.stages)
        throw std::length_error("run working state smaller than the model");
}

}  // namespace

std::int32_t LocalThresholdFromText(const std::string& text)
{
    // Texts read from a model file use "."; texts typed in an editor may use
    // the locale's decimal point.
    double v = TextToRealDef(TrimBlanks(text), -1.0);
    if (v == -1.0) v = StrToFloatDefault(text, -1.0);
    if (!(v > 0.0) || v > 2147483647.0) return 0;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

void InitializeRun(TCoravel& model, TRunState& run, TRunStatistics& stats)
{
    StatusMessage("Initializing...");
    CheckFits(model, run);
    const int P = model.pops;
    const int S = model.stages;
    const int T = model.duration;

    // Density dependence of dispersal is stated per unit of emigration: divide
    // by the population's total emigration rate (its column of the migration
    // matrix). Exponential populations have none.
    for (int p = 1; p <= P; ++p) {
        const auto type = static_cast<DDType>(model.populations[p].ddtype);
        double emigration = 0.0;
        for (int d = 1; d <= P; ++d) emigration += model.migration[d][p];
        if (IsExponential(type) || !(emigration > 0.0))
            model.dispersalslope[p] = 0.0f;
        else
            model.dispersalslope[p] = static_cast<float>(model.dispersalslope[p] / emigration);
    }
    // A stage cannot disperse more than all of its individuals.
    for (int s = 1; s <= S; ++s) {
        float& factor = model.stagedispersal[1][s];
        factor = factor > 1.0f ? 1.0f : (factor >= 0.0f ? factor : 0.0f);
    }

    for (int p = 1; p <= P; ++p) {
        model.localoccsum[p] = 0;
        model.localoccsumsq[p] = 0;
        model.localoccmin[p] = kMinStart;
        model.localoccmax[p] = 0;
        model.extdursum[p] = 0;
        model.extdursumsq[p] = 0;
        model.extdurmin[p] = static_cast<float>(T);
        model.extdurmax[p] = 0;
        run.LocalThreshold[static_cast<std::size_t>(p)] =
            LocalThresholdFromText(model.populations[p].localthresholdtext);
    }
    for (int t = 1; t <= T; ++t) {
        model.totalsum[t] = model.totalsumsq[t] = model.totalmax[t] = 0;
        model.totalmin[t] = kMinStart;
        model.occupancysum[t] = model.occupancysumsq[t] = model.occupancymax[t] = 0;
        model.occupancymin[t] = static_cast<float>(P);
        model.harvestsum[t] = model.harvestsumsq[t] = model.harvestmax[t] = 0;
        model.harvestmin[t] = kMinStart;
    }
    model.runstats[1] = model.runstats[2] = model.runstats[4] = 0;
    model.runstats[3] = kMinStart;
    run.ReplicationCount = 0;
    run.Repl = TReplicationRecord{};

    for (int p = 1; p <= P; ++p) {
        for (int t = 1; t <= T; ++t) {
            model.popsum[p][t] = model.popsumsq[p][t] = 0;
            model.popmin[p][t] = kCountMinStart;
            model.popmax[p][t] = 0;
        }
        for (int s = 1; s <= S; ++s) {
            model.finalsum[p][s] = model.finalsumsq[p][s] = 0;
            model.finalmin[p][s] = kCountMinStart;
            model.finalmax[p][s] = 0;
        }
    }

    stats.P = P;
    stats.S = S;
    stats.T = T;
    const auto n = [](int k) { return static_cast<std::size_t>(k); };
    stats.population.assign(n(P) * n(T), TMoments{});
    stats.finalStage.assign(n(P) * n(S), TMoments{});
    stats.total.assign(n(T), TMoments{});
    stats.occupancy.assign(n(T), TMoments{});
    stats.harvest.assign(n(T), TMoments{});
    stats.localOccupancy.assign(n(P), TMoments{});
    stats.extinctionDuration.assign(n(P), TMoments{});
    stats.replicationHarvest = TMoments{};
    stats.excludedStage.fill(false);
    for (int s = 1; s <= S; ++s) stats.excludedStage[static_cast<std::size_t>(s)] = model.stageprops[s].flag;
    stats.countedInTotal.assign(n(P) + 1, 0);
    for (int p = 1; p <= P; ++p) stats.countedInTotal[n(p)] = model.populations[p].intotal ? 1 : 0;
    stats.replicationsSummed = 0;
    stats.lastStepSummed = 0;
}

void TimeSumm(TCoravel& model, TRunState& run, TRunStatistics& stats)
{
    const int P = stats.P;
    const int T = stats.T;
    const int t = run.CurrentTimeStep;
    if (t < 1 || t > T) throw std::out_of_range("time step outside the run's duration");
    const bool first = stats.replicationsSummed == 0;
    const std::uint8_t whenBelow = model.whenbelow;

    run.PreviousTotal = run.CurrentTotal;
    double statTotal = 0.0;
    int occupied = 0;
    for (int p = 1; p <= P; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const bool counted = stats.countedInTotal[static_cast<std::size_t>(p)] != 0;
        long long c = CountedAbundance(stats, run, p);
        if (c <= run.LocalThreshold[i]) {
            run.BelowThresholdRun[i] = Increment(run.BelowThresholdRun[i]);
            if (c >= 1) {
                if (whenBelow == 0) {
                    if (counted) statTotal += static_cast<double>(c);
                } else if (whenBelow == 2) {
                    // Assumed dead: the population is gone now, not after the
                    // next projection, so its total goes too.
                    TStageCounts& stages = run.StageAbundance[i];
                    for (int s = 1; s <= stats.S; ++s) stages[static_cast<std::size_t>(s)] = 0;
                    run.PopulationTotal[i] = 0;
                    c = 0;
                }
            }
        } else {
            run.LongestBelowThresholdRun[i] =
                std::max(run.LongestBelowThresholdRun[i], run.BelowThresholdRun[i]);
            run.BelowThresholdRun[i] = 0;
            run.StepsAboveThreshold[i] = Increment(run.StepsAboveThreshold[i]);
            if (counted) {
                ++occupied;
                statTotal += static_cast<double>(c);
            }
        }
        if (t == T)
            run.LongestBelowThresholdRun[i] =
                std::max(run.LongestBelowThresholdRun[i], run.BelowThresholdRun[i]);
        stats.population[stats.PopIndex(p, t)].Add(static_cast<double>(c), first);
        KeepMin(model.popmin[p][t], c);
        KeepMax(model.popmax[p][t], c);
    }

    const double harvest = run.Repl.stepHarvest;
    stats.total[static_cast<std::size_t>(t - 1)].Add(statTotal, first);
    KeepMin(model.totalmin[t], statTotal);
    KeepMax(model.totalmax[t], statTotal);
    KeepMin(run.Repl.minTotal, statTotal);
    KeepMax(run.Repl.maxTotal, statTotal);
    stats.occupancy[static_cast<std::size_t>(t - 1)].Add(occupied, first);
    KeepMin(model.occupancymin[t], occupied);
    KeepMax(model.occupancymax[t], occupied);
    stats.harvest[static_cast<std::size_t>(t - 1)].Add(harvest, first);
    KeepMin(model.harvestmin[t], harvest);
    KeepMax(model.harvestmax[t], harvest);
    run.Repl.cumulativeHarvest += harvest;

    // First crossings only: a total that dips to the threshold again later in
    // the same replication is not a new event.
    if (!run.Repl.extinctionCrossed && statTotal <= model.extthreshold) {
        run.Repl.extinctionCrossed = true;
        std::uint16_t& bin = model.extinctiontimes[CrossingBin(t, model.crossbin)];
        bin = Increment(bin);
    }
    if (!run.Repl.explosionCrossed && statTotal >= model.explthreshold) {
        run.Repl.explosionCrossed = true;
        std::uint16_t& bin = model.explosiontimes[CrossingBin(t, model.crossbin)];
        bin = Increment(bin);
    }

    long long alive = 0;
    double trajectory = 0.0;
    for (int p = 1; p <= P; ++p) {
        alive += run.PopulationTotal[static_cast<std::size_t>(p)];
        if (stats.countedInTotal[static_cast<std::size_t>(p)] != 0)
            trajectory += static_cast<double>(CountedAbundance(stats, run, p));
    }
    // Whether the replication may end here is the run's decision; the steps it
    // then leaves out are summarised as extinct by ReplSumm.
    run.Repl.allExtinct = alive <= 0;
    run.CurrentTotal = trajectory;
    stats.lastStepSummed = t;
}

void ReplSumm(TCoravel& model, TRunState& run, TRunStatistics& stats)
{
    const int P = stats.P;
    const int S = stats.S;
    const int T = stats.T;
    const bool first = stats.replicationsSummed == 0;

    // A replication that ended early ended because nothing was left: every
    // later step counts as zero individuals, zero occupancy and zero harvest,
    // and every population stays at or below its local threshold to the end.
    // The step it died out in keeps what TimeSumm saw: its totals were 0
    // already, and a harvest that took the last individuals was a real one,
    // which a minimum of 0 there would deny.
    const int last = stats.lastStepSummed;
    if (last < T) {
        for (int p = 1; p <= P; ++p) {
            const auto i = static_cast<std::size_t>(p);
            run.LongestBelowThresholdRun[i] = std::max<std::uint16_t>(
                run.LongestBelowThresholdRun[i], Saturate16(run.BelowThresholdRun[i] + (T - last)));
            for (int t = last + 1; t <= T; ++t) {
                stats.population[stats.PopIndex(p, t)].Add(0.0, first);
                KeepMin(model.popmin[p][t], 0);
                KeepMax(model.popmax[p][t], 0);
            }
        }
        for (int t = last + 1; t <= T; ++t) {
            const auto k = static_cast<std::size_t>(t - 1);
            stats.total[k].Add(0.0, first);
            stats.occupancy[k].Add(0.0, first);
            stats.harvest[k].Add(0.0, first);
            KeepMin(model.totalmin[t], 0.0f);
            KeepMin(model.occupancymin[t], 0.0f);
            KeepMin(model.harvestmin[t], 0.0f);
        }
    }

    const std::int32_t r = run.ReplicationCount;
    if (r >= 1 && r <= model.replmin.Count()) {
        model.replmin[r] = static_cast<float>(run.Repl.minTotal);
        model.replmax[r] = static_cast<float>(run.Repl.maxTotal);
        model.replterminal[r] = static_cast<float>(run.CurrentTotal);
    }

    if (S >= 2) {
        for (int p = 1; p <= P; ++p) {
            const TStageCounts& stages = run.StageAbundance[static_cast<std::size_t>(p)];
            for (int s = 1; s <= S; ++s) {
                const std::int32_t x = stages[static_cast<std::size_t>(s)];
                stats.finalStage[stats.StageIndex(p, s)].Add(x, first);
                KeepMin(model.finalmin[p][s], x);
                KeepMax(model.finalmax[p][s], x);
            }
        }
    }

    const double harvest = run.Repl.cumulativeHarvest;
    stats.replicationHarvest.Add(harvest, first);
    KeepMin(model.runstats[3], harvest);
    KeepMax(model.runstats[4], harvest);

    for (int p = 1; p <= P; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const double above = run.StepsAboveThreshold[i];
        const double longest = run.LongestBelowThresholdRun[i];
        stats.localOccupancy[i - 1].Add(above, first);
        KeepMin(model.localoccmin[p], above);
        KeepMax(model.localoccmax[p], above);
        stats.extinctionDuration[i - 1].Add(longest, first);
        KeepMin(model.extdurmin[p], longest);
        KeepMax(model.extdurmax[p], longest);
    }

    ++stats.replicationsSummed;
    stats.lastStepSummed = 0;
}

void FinishRunStatistics(TCoravel& model, TRunState& run, const TRunStatistics& stats)
{
    const int P = stats.P;
    const int S = stats.S;
    const int T = stats.T;
    const int R = stats.replicationsSummed;
    bool roundOff = false;

    // With one replication the count minimum and maximum are the stored
    // value, a single, rounded: they agree with the mean beside them, also
    // for counts above 16777216 that a single cannot hold exactly.
    const auto countQuadruple = [&](const TMoments& m, float& sum, float& sumsq, std::int32_t& min,
                                    std::int32_t& max) {
        roundOff |= StoreCountStatistics(m, R, sum, sumsq, min, max);
        if (R < 2) min = max = SingleReplicationCount(sum);
    };
    // `flagged` says whether a lost variance is reported.
    const auto singleQuadruple = [&](const TMoments& m, float& sum, float& sumsq, float& min, float& max,
                                     bool flagged) {
        const bool lost = StoreSingleStatistics(m, R, sum, sumsq, min, max);
        if (flagged) roundOff |= lost;
    };

    for (int p = 1; p <= P; ++p) {
        for (int t = 1; t <= T; ++t)
            countQuadruple(stats.population[stats.PopIndex(p, t)], model.popsum[p][t],
                           model.popsumsq[p][t], model.popmin[p][t], model.popmax[p][t]);
        if (S >= 2)
            for (int s = 1; s <= S; ++s)
                countQuadruple(stats.finalStage[stats.StageIndex(p, s)], model.finalsum[p][s],
                               model.finalsumsq[p][s], model.finalmin[p][s], model.finalmax[p][s]);
    }
    for (int t = 1; t <= T; ++t) {
        const auto k = static_cast<std::size_t>(t - 1);
        singleQuadruple(stats.total[k], model.totalsum[t], model.totalsumsq[t], model.totalmin[t],
                        model.totalmax[t], true);
        singleQuadruple(stats.harvest[k], model.harvestsum[t], model.harvestsumsq[t],
                        model.harvestmin[t], model.harvestmax[t], true);
        singleQuadruple(stats.occupancy[k], model.occupancysum[t], model.occupancysumsq[t],
                        model.occupancymin[t], model.occupancymax[t], false);
    }
    singleQuadruple(stats.replicationHarvest, model.runstats[1], model.runstats[2], model.runstats[3],
                    model.runstats[4], true);
    for (int p = 1; p <= P; ++p) {
        const auto k = static_cast<std::size_t>(p - 1);
        singleQuadruple(stats.localOccupancy[k], model.localoccsum[p], model.localoccsumsq[p],
                        model.localoccmin[p], model.localoccmax[p], false);
        singleQuadruple(stats.extinctionDuration[k], model.extdursum[p], model.extdursumsq[p],
                        model.extdurmin[p], model.extdurmax[p], false);
    }
    if (roundOff) run.RoundOffFlag = true;
}
