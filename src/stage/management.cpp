#include "stage/management.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr std::uint8_t kHarvest = 0;
constexpr std::uint8_t kIntroduction = 1;
constexpr std::uint8_t kTranslocation = 2;
constexpr std::uint8_t kAmountNumber = 0;
constexpr std::uint8_t kAmountProportion = 1;
constexpr std::uint8_t kConditionNone = 0;
constexpr std::uint8_t kConditionBelow = 1;
constexpr std::uint8_t kConditionAbove = 2;

// What an action takes from a stage of n individuals, limited to 0..n.
std::int32_t AmountFrom(const ManagementRecord& action, TRunState& run, std::int32_t n)
{
    const std::int32_t amount = action.amountkind == kAmountNumber
                                    ? action.number
                                    : run.ClampCount(static_cast<double>(n) * action.proportion);
    return std::clamp(amount, 0, std::max(n, 0));
}

} // namespace

bool ActsAtStep(const ManagementRecord& action, std::int32_t t)
{
    if (!action.active || t < action.begintime || t > action.endtime)
        return false;
    if (t == action.begintime)
        return true;
    return action.period >= 1 && (t - action.begintime) % action.period == 0;
}

void Management(const TCoravel& model, TRunState& run, int number)
{
    const ManagementRecord& action = model.actions[number];
    if (!ActsAtStep(action, run.CurrentTimeStep))
        return;
    if (action.kind != kIntroduction && action.amountkind != kAmountNumber &&
        action.amountkind != kAmountProportion)
        throw std::runtime_error("Management: unknown Amount");

    // Ranges outside the model's populations and stages act on nothing there.
    const int firstStage = std::max<int>(action.firststage, 1);
    const int lastStage = std::min<int>(action.laststage, run.S);
    const std::int32_t threshold = action.thresholdn;

    if (action.kind == kHarvest) {
        const int lastPop = std::min<int>(action.topop, run.P);
        for (int p = std::max<int>(action.frompop, 1); p <= lastPop; ++p)
            for (int s = firstStage; s <= lastStage; ++s) {
                std::int32_t& n = run.StageAbundance[p][s];
                if (n <= threshold)
                    continue;
                const std::int32_t amount = AmountFrom(action, run, n);
                n -= amount;
                run.Repl.stepHarvest += static_cast<double>(amount) * model.stageweight[s];
            }
    } else if (action.kind == kIntroduction) {
        const int lastPop = std::min<int>(action.topop, run.P);
        for (int p = std::max<int>(action.frompop, 1); p <= lastPop; ++p)
            for (int s = firstStage; s <= lastStage; ++s) {
                std::int32_t& n = run.StageAbundance[p][s];
                if (action.condition == kConditionBelow && !(n < threshold))
                    continue;
                n = run.ClampCountNonNegative(static_cast<double>(n) + action.number);
            }
    } else if (action.kind == kTranslocation) {
        const int from = action.frompop;
        const int to = action.topop;
        if (from < 1 || from > run.P || to < 1 || to > run.P)
            return;
        for (int s = firstStage; s <= lastStage; ++s) {
            std::int32_t& source = run.StageAbundance[from][s];
            std::int32_t& target = run.StageAbundance[to][s];
            const bool acts = action.condition == kConditionNone ||
                              (action.condition == kConditionAbove && source > threshold) ||
                              (action.condition == kConditionBelow && target < threshold);
            if (!acts)
                continue;
            const std::int32_t amount = AmountFrom(action, run, source);
            source -= amount;
            target = run.ClampCountNonNegative(static_cast<double>(target) + amount);
        }
    }
}

void RecomputePopulationTotals(TRunState& run)
{
    for (int p = 1; p <= run.P; ++p) {
        double sum = 0.0;
        for (int s = 1; s <= run.S; ++s)
            sum += run.StageAbundance[p][s];
        run.PopulationTotal[p] = run.ClampCountNonNegative(sum);
    }
}

void DisperseIndividuals(const TCoravel& model, TRunState& run)
{
    const int P = run.P;
    const int S = run.S;
    for (int i = 1; i <= S; ++i)
        for (int p = 1; p <= P; ++p) {
            run.Immigrants[i][p] = 0;
            run.Emigrants[i][p] = 0;
        }

    const bool varied = run.Stochastic && model.dispersalcv > 1e-6;
    const bool demographic = run.Stochastic && model.demogstoch;
    auto& movers = run.Transitions;  // [stage][destination]
    TStageCounts out{};

    for (int s = 1; s <= P; ++s) {
        const std::int32_t total = run.PopulationTotal[s];
        if (total < 1)
            continue;
        const auto& n = run.StageAbundance[s];
        // Movers of an earlier source must never reach this source's
        // destinations: every buffer starts empty for each source.
        for (int i = 1; i <= S; ++i) {
            out[i] = 0;
            for (int d = 1; d <= P; ++d)
                movers[i][d] = 0;
        }

        // The proportion that leaves grows with the source's excess over its
        // carrying capacity (as the model holds it after catastrophes).
        const double crowding = (static_cast<double>(total) - model.capacity[s]) * model.dispersalslope[s] + 1.0;
        for (int d = 1; d <= P; ++d) {
            double r = model.migration(d, s);
            if (!(r > 1e-6))
                continue;
            if (varied)
                r *= static_cast<double>(NormalDeviate(run.Random)) * model.dispersalcv + 1.0;
            const double q = std::clamp(crowding * r, 0.0, 1.0);
            if (!(q > 0.0))
                continue;
            for (int i = 1; i <= S; ++i) {
                const double share = q * model.stagedispersal(1, i);
                movers[i][d] = demographic ? BNLDEV(run.Random, n[i], share)
                                           : run.ClampCountNonNegative(share * n[i]);
                out[i] = run.ClampCount(static_cast<double>(out[i]) + movers[i][d]);
            }
        }

        for (int i = 1; i <= S; ++i)
            if (out[i] > n[i])
                RemoveExcessMovers(std::span<std::int32_t>(movers[i]).subspan(1, static_cast<std::size_t>(P)), n[i],
                                   out[i], run.OverflowFlag);

        for (int i = 1; i <= S; ++i) {
            run.Emigrants[i][s] = out[i];
            for (int d = 1; d <= P; ++d)
                if (movers[i][d] != 0)
                    run.Immigrants[i][d] =
                        run.ClampCount(static_cast<double>(run.Immigrants[i][d]) + movers[i][d]);
        }
    }

    for (int p = 1; p <= P; ++p) {
        double sum = 0.0;
        for (int i = 1; i <= S; ++i) {
            std::int32_t& n = run.StageAbundance[p][i];
            n = run.ClampCountNonNegative(static_cast<double>(n) - run.Emigrants[i][p] + run.Immigrants[i][p]);
            sum += n;
        }
        run.PopulationTotal[p] = run.ClampCountNonNegative(sum);
    }
}
