#include "stage/time_step.h"

#include "core/messages.h"
#include "sim/guarded_exp.h"
#include "stage/change_series.h"
#include "stage/density_factor.h"
#include "stage/density_types.h"
#include "stage/eigen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace {

constexpr int kDistributionLognormal = 1;
constexpr int kCatAffectsAbundances = 0;
constexpr int kCatAffectsVitalRates = 1;
constexpr int kCatAffectsCapacity = 2;
constexpr int kExtentRegional = 1;

// The settings of catastrophe c (1 or 2), read from the model's paired fields.
struct TCatastrophe {
    std::uint8_t extent;
    std::uint8_t affects;
    double regionalProbability;
    const SingleVector& localMultiplier;
    const SingleVector& localProbability;
    const SingleMatrix& stageMultiplier;   // 1 x S, abundances
    const SingleMatrix& vitalMultiplier;   // S x S, vital rates
};

TCatastrophe Catastrophe(const TCoravel& model, int c)
{
    if (c == 1)
        return {model.cat1extent, model.cat1affects, model.cat1regprob, model.catmult1, model.catprob1,
                model.catabund1, model.catmatrix1};
    return {model.cat2extent, model.cat2affects, model.cat2regprob, model.catmult2, model.catprob2,
            model.catabund2, model.catmatrix2};
}

// Whether catastrophe c strikes population p in this step. Regional ones use
// the step's single draw. A local one draws a fresh uniform number at the
// point of use whenever the run is stochastic, also when p's probability is
// 0: the stream of draws then does not depend on the probabilities, so two
// models that differ only in a probability see the same random numbers
// elsewhere. Deterministic runs draw nothing and know no catastrophes.
bool StrikesCatastrophe(const TCoravel& model, TRunState& run, int c, int p)
{
    const TCatastrophe cat = Catastrophe(model, c);
    if (!run.Stochastic)
        return false;
    if (cat.extent == kExtentRegional)
        return run.Repl.regionalDraw[c] < cat.regionalProbability;
    return run.Random.Uniform() < cat.localProbability[p];
}

void RecomputeTotal(TRunState& run, int p)
{
    double sum = 0.0;
    for (int s = 1; s <= run.S; ++s)
        sum += run.StageAbundance[p][s];
    run.PopulationTotal[p] = run.ClampCountNonNegative(sum);
}

void StrikeAbundances(const TCatastrophe& cat, TRunState& run, int p)
{
    const double local = cat.localMultiplier[p];
    for (int s = 1; s <= run.S; ++s) {
        const double n = run.StageAbundance[p][s];
        run.StageAbundance[p][s] = run.ClampCountNonNegative(local * cat.stageMultiplier(1, s) * n);
    }
    RecomputeTotal(run, p);
}

// The lognormal parameters of a rate of mean `mean` and variance `variance`,
// on the complement 1 - mean when `complement` (which keeps a high survival
// below 1), from the slot's last ones when the arguments are the same.
const TLognormalRate& Lognormal(TLognormalRate& slot, double mean, double variance, bool complement)
{
    if (mean != slot.mean || variance != slot.variance || complement != slot.complement) {
        slot.mean = mean;
        slot.variance = variance;
        slot.complement = complement;
        const double m = complement ? 1.0 - mean : mean;
        const double s2 = std::log(1.0 + variance / (m * m));
        slot.mu = std::log(m) - s2 / 2.0;
        slot.sigma = std::sqrt(s2);
    }
    return slot;
}

double LognormalDraw(const TLognormalRate& rate, double z)
{
    if (rate.complement)
        return 1.0 - GuardedExp(rate.mu - rate.sigma * z);
    return GuardedExp(rate.mu + rate.sigma * z);
}

// A vital rate of mean `mean`, standard deviation `sd` and deviate `z`:
// normal, lognormal, or lognormal on the complement.
double SampleRate(TLognormalRate& slot, double mean, double sd, double z, bool lognormal, bool complement)
{
    if (!lognormal)
        return mean + sd * z;
    return LognormalDraw(Lognormal(slot, mean, sd * sd, complement), z);
}

// The same for a column's survival sum, whose variance is given directly.
double SamplePooled(TLognormalRate& slot, double mean, double variance, double z, bool lognormal)
{
    if (!lognormal)
        return std::sqrt(variance) * z + mean;
    return LognormalDraw(Lognormal(slot, mean, variance, mean > 0.5), z);
}

} // namespace

void StartReplicationAbundances(const TCoravel& model, TRunState& run)
{
    run.CurrentTotal = 0.0;
    for (int p = 1; p <= run.P; ++p) {
        for (int s = 1; s <= run.S; ++s)
            run.StageAbundance[p][s] = run.ClampCountNonNegative(model.initialabundance(p, s));
        // The initial total as entered: 10.5 and 10.5 are 21 individuals,
        // though each stage on its own rounds to 10.
        run.PopulationTotal[p] = std::max<std::int32_t>(0, model.initialtotal[p]);
        run.BelowThresholdRun[p] = 0;
        run.LongestBelowThresholdRun[p] = 0;
        run.StepsSinceCatastrophe[p] = 0;
        run.StepsAboveThreshold[p] = 0;
        if (model.populations[p].intotal)
            run.CurrentTotal += model.CountedInitialAbundance(p);
    }
}

void RegionalCatastrophes(const TCoravel& model, TRunState& run)
{
    for (int c = 1; c <= 2; ++c) {
        const TCatastrophe cat = Catastrophe(model, c);
        const bool regional = cat.extent == kExtentRegional;
        const double u = run.Stochastic && regional ? run.Random.Uniform() : 1.0;
        run.Repl.regionalDraw[c] = u;
        if (regional && u < cat.regionalProbability && cat.affects == kCatAffectsAbundances)
            for (int p = 1; p <= run.P; ++p)
                StrikeAbundances(cat, run, p);
    }
}

void LocalAbundanceCatastrophes(const TCoravel& model, TRunState& run, int p)
{
    for (int c = 1; c <= 2; ++c) {
        const TCatastrophe cat = Catastrophe(model, c);
        if (cat.extent == kExtentRegional || cat.affects != kCatAffectsAbundances)
            continue;
        if (StrikesCatastrophe(model, run, c, p))
            StrikeAbundances(cat, run, p);
    }
}

void CapacityCatastrophes(TCoravel& model, TRunState& run, int p)
{
    if (run.PopulationTotal[p] < 1)
        return;
    for (int c = 1; c <= 2; ++c) {
        const TCatastrophe cat = Catastrophe(model, c);
        if (cat.affects != kCatAffectsCapacity)
            continue;
        if (!StrikesCatastrophe(model, run, c, p) || !(cat.localMultiplier[p] < 1.0f))
            continue;
        if (model.kchangeindex[p] == 0) {
            const double steps = run.StepsSinceCatastrophe[p];
            double k = ((steps - 1.0) * model.ktrend[p] + model.capacity[p]) * cat.localMultiplier[p];
            if (k >= kCountLimit) {
                k = kCountClamped;
                run.OverflowFlag = true;
            }
            model.capacity[p] = static_cast<float>(k);
        }
        run.StepsSinceCatastrophe[p] = 1;
        run.CapacityChanged = true;
    }
}

double StepCarryingCapacity(const TCoravel& model, TRunState& run, int p)
{
    const double steps = run.StepsSinceCatastrophe[p];
    const double deviation = static_cast<double>(run.CarryingCapacityDeviates[p]) * model.ksd[p];
    double kt;
    if (model.kchangeindex[p] != 0)
        kt = ChangeSeriesAt(model.kchange[model.kchangeindex[p]], run.StepsSinceCatastrophe[p]) + deviation;
    else
        kt = steps * model.ktrend[p] + model.capacity[p] + deviation;
    if (!(kt > 0.0))
        return 0.0;  // a negative capacity (or one that is not a number) means none
    if (kt >= kCountLimit) {
        run.OverflowFlag = true;
        return kCountClamped;
    }
    return kt;
}

void StepMatrix(const TCoravel& model, TRunState& run, int p, double kt, TStepMatrix& M)
{
    const PopulationRecord& pop = model.populations[p];
    const int S = run.S;

    // Trends: the step's multipliers come from the change series when the
    // population has one. They are used for this step only; the model keeps
    // its own multipliers.
    double fecundity = model.fecmultiplier[p];
    double survival = model.survmultiplier[p];
    if (model.fchangeindex[p] != 0)
        fecundity = ChangeSeriesAt(model.fchange[model.fchangeindex[p]], run.CurrentTimeStep);
    if (model.schangeindex[p] != 0)
        survival = ChangeSeriesAt(model.schange[model.schangeindex[p]], run.CurrentTimeStep);

    // Row 1 times the fecundity multiplier, rows 2..S times the survival
    // multiplier, each product stored as a single.
    const SingleMatrix& stored = model.stagematrix[pop.matrixindex];
    M = TStepMatrix(S);
    for (int i = 1; i <= S; ++i) {
        const double multiplier = i == 1 ? fecundity : survival;
        for (int j = 1; j <= S; ++j)
            M(i, j) = static_cast<float>(stored(i, j) * multiplier);
    }

    // The run holds the population's rate multiplier in place of its Rmax.
    // A factor of 1 (exponential and ceiling types) leaves every rate as it
    // is: a single times 1 is that single.
    const DDType type = static_cast<DDType>(pop.ddtype);
    const double n = run.PopulationTotal[p];
    const double f = DensityFactor(type, model.rmax[p], model.ddmultiplier[p], kt, n);
    const DDAffects affects = static_cast<DDAffects>(model.ddaffects);
    for (int i = 1; i <= S; ++i)
        if (AffectsRow(affects, i))
            for (int j = 1; j <= S; ++j)
                M(i, j) = static_cast<float>(M(i, j) * f);

    TruncateVitalRates(model, run, M);

    if (HasAllee(type)) {
        const double denominator = n + model.allee[p];
        const double factor = denominator > 0.0 ? n / denominator : 0.0;
        for (int i = 1; i <= S; ++i)
            for (int j = 1; j <= S; ++j)
                M(i, j) = static_cast<float>(M(i, j) * factor);
    }
}

void EnvStoch(const TCoravel& model, TRunState& run, int p, TStepMatrix& M)
{
    double zF = 0.0;
    double zS = 0.0;
    switch (model.corrwithin) {
    case 0:
    case 1:
        zF = zS = run.Deviates[p];
        break;
    case 2:
        zF = run.Deviates[p];
        zS = run.SurvivalDeviates[p];
        break;
    default:
        throw std::runtime_error("EnvStoch: unknown Info.corrwithin");
    }

    const int S = run.S;
    for (int c = 1; c <= 2; ++c) {
        const TCatastrophe cat = Catastrophe(model, c);
        if (cat.affects != kCatAffectsVitalRates || !StrikesCatastrophe(model, run, c, p))
            continue;
        const double local = cat.localMultiplier[p];
        for (int i = 1; i <= S; ++i)
            for (int j = 1; j <= S; ++j)
                M(i, j) = static_cast<float>(M(i, j) * (local * cat.vitalMultiplier(i, j)));
    }

    const SingleMatrix& sdMatrix = model.stdevmatrix[model.populations[p].stdevindex];
    const bool lognormal = model.distribution == kDistributionLognormal;
    const bool constrained = !model.ignoreconstraints;
    const bool pooled = model.poolvar && constrained && S >= 3;
    const bool negative = constrained && S >= 3 && model.negsurvcorr;
    TLognormalRates& rates = run.LognormalRates[p];
    auto slot = [&rates](int i, int j) -> TLognormalRate& {
        return rates[static_cast<std::size_t>(i * (kMaxRunStages + 1) + j)];
    };

    if (!pooled) {
        for (int i = 1; i <= S; ++i)
            for (int j = 1; j <= S; ++j) {
                const double mean = M(i, j);
                const double sd = sdMatrix(i, j);
                if (!(mean > 0.0) || !(sd > 0.0) || !(i == 1 || mean < 1.0 || !constrained))
                    continue;
                double z = zF;
                if (i >= 2)
                    z = negative && mean > 0.5 ? -zS : zS;
                const bool complement = i >= 2 && mean > 0.5 && constrained;
                M(i, j) = static_cast<float>(SampleRate(slot(i, j), mean, sd, z, lognormal, complement));
            }
    } else {
        for (int j = 1; j <= S; ++j) {
            const double fec = M(1, j);
            const double fecSd = sdMatrix(1, j);
            if (fec > 0.0 && fecSd > 0.0)
                M(1, j) = static_cast<float>(SampleRate(slot(1, j), fec, fecSd, zF, lognormal, false));
            double s = 0.0;
            double sdSum = 0.0;
            for (int i = 2; i <= S; ++i) {
                s += M(i, j);
                sdSum += sdMatrix(i, j);
            }
            // The sum over every pair of the column's deviations.
            const double v = sdSum * sdSum;
            if (s > 0.0 && v > 0.0 && s < 1.0) {
                const double varied = SamplePooled(slot(0, j), s, v, zS, lognormal);
                for (int i = 2; i <= S; ++i)
                    M(i, j) = static_cast<float>(M(i, j) * (varied / s));
            }
        }
    }

    TruncateVitalRates(model, run, M);
}

void TruncateVitalRates(const TCoravel& model, TRunState& run, TStepMatrix& M)
{
    const int S = run.S;
    const bool constrained = !model.ignoreconstraints;
    for (int j = 1; j <= S; ++j) {
        double survival = 0.0;
        for (int i = 1; i <= S; ++i) {
            if (M(i, j) < 0.0f) {
                M(i, j) = 0.0f;
                ++run.TruncBelowZero;
            }
            if (constrained && i >= 2) {
                if (M(i, j) > 1.0f) {
                    M(i, j) = 1.0f;
                    ++run.TruncAboveOne;
                }
                survival += M(i, j);
            }
        }
        if (survival - 1.0 > kSurvivalSumTolerance) {
            for (int i = 2; i <= S; ++i)
                M(i, j) = static_cast<float>(M(i, j) / survival);
            ++run.TruncColumnSum;
        }
    }
}

void ProjectStages(const TCoravel& model, TRunState& run, int p, const TStepMatrix& M)
{
    const int S = run.S;
    const bool constrained = !model.ignoreconstraints;
    const bool demographic = model.demogstoch && run.Stochastic;
    auto& n = run.StageAbundance[p];
    auto& T = run.Transitions;  // [target][source]

    // Draw order under demographic stochasticity: source stage j = 1..S, and
    // within it target stage i = 1..S. An element with nobody to move (no
    // individuals in j or a rate of 0) is 0 and draws nothing.
    for (int j = 1; j <= S; ++j) {
        const double source = n[j];
        for (int i = 1; i <= S; ++i) {
            const double rate = M(i, j);
            if (!demographic) {
                T[i][j] = run.ClampCountNonNegative(source * rate);
            } else if (!(source > 0.0) || !(rate > 0.0)) {
                T[i][j] = 0;
            } else if (i == 1 || !constrained) {
                T[i][j] = POIDEV(run.Random, source * rate);
            } else {
                T[i][j] = BNLDEV(run.Random, n[j], rate);
            }
        }
        if (constrained) {
            // Survivors never outnumber the individuals they came from.
            double sum = 0.0;
            for (int i = 2; i <= S; ++i)
                sum += T[i][j];
            const std::int32_t u = run.ClampCount(sum);
            if (source < u)
                for (int i = 2; i <= S; ++i)
                    T[i][j] = run.ClampCountNonNegative(source / u * T[i][j]);
        }
    }

    double total = 0.0;
    for (int i = 1; i <= S; ++i) {
        double sum = 0.0;
        for (int j = 1; j <= S; ++j)
            sum += T[i][j];
        run.NewStageAbundance[i] = run.ClampCountNonNegative(sum);
    }
    for (int i = 1; i <= S; ++i) {
        n[i] = run.NewStageAbundance[i];
        total += n[i];
    }
    run.PopulationTotal[p] = run.ClampCountNonNegative(total);
}

void ApplyCeiling(const TCoravel& model, TRunState& run, int p, double kt)
{
    if (!IsCeiling(static_cast<DDType>(model.populations[p].ddtype)))
        return;
    const double total = run.PopulationTotal[p];
    if (!(total > kt))
        return;
    for (int s = 1; s <= run.S; ++s)
        run.StageAbundance[p][s] = run.ClampCountNonNegative(run.StageAbundance[p][s] * kt / total);
    RecomputeTotal(run, p);
}

void StepPopulation(TCoravel& model, TRunState& run, int p)
{
    LocalAbundanceCatastrophes(model, run, p);
    double kt = 0.0;
    if (run.PopulationTotal[p] >= 1) {
        CapacityCatastrophes(model, run, p);
        kt = StepCarryingCapacity(model, run, p);
        TStepMatrix M(run.S);
        StepMatrix(model, run, p, kt, M);
        if (run.Stochastic)
            EnvStoch(model, run, p, M);
        ProjectStages(model, run, p, M);
    } else {
        for (int s = 1; s <= run.S; ++s)
            run.StageAbundance[p][s] = 0;
        run.PopulationTotal[p] = 0;
    }
    ApplyCeiling(model, run, p, kt);
}

std::vector<std::string> TruncationReport(const TCoravel& model, const TRunState& run)
{
    std::vector<std::string> lines;
    const double S = model.stages;
    const double base = 2.0 * model.pops * static_cast<double>(run.ReplicationCount) * model.duration;
    auto add = [&lines](const char* label, std::int64_t count, double denominator) {
        if (count > std::numeric_limits<std::int32_t>::max()) {
            lines.push_back(std::string(label) + "over 2 billion!");
            return;
        }
        if (!(denominator > 0.0))
            return;
        const double percent = static_cast<double>(count) * 100.0 / denominator;
        if (!(percent > 1.0))
            return;
        char text[32];
        std::snprintf(text, sizeof text, "%5.1f", percent);
        lines.push_back(std::string(label) + std::to_string(count) + "  (" + text + "%)");
    };
    add("Truncations (col. sum >1) = ", run.TruncColumnSum, S * base);
    add("Truncations (vital rate <0) = ", run.TruncBelowZero, S * S * base);
    if (model.stages >= 2 && !model.ignoreconstraints)
        add("Truncations (vital rate >1) = ", run.TruncAboveOne, S * (S - 1.0) * base);
    return lines;
}

void ReportTruncations(const TCoravel& model, const TRunState& run)
{
    for (const std::string& line : TruncationReport(model, run))
        SimulationWarning(line);
}
