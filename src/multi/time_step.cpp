#include "multi/time_step.h"

#include "multi/density_growth.h"
#include "sim/counts.h"
#include "sim/excess_movers.h"
#include "sim/guarded_exp.h"
#include "sim/random_deviates.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace multi {

namespace {

constexpr float kMinStart = 1.7e38f;
constexpr std::int32_t kCountMinStart = 2147483647;

template <class T, class V>
void KeepMin(T& slot, V value)
{
    if (value < slot)
        slot = static_cast<T>(value);
}

template <class T, class V>
void KeepMax(T& slot, V value)
{
    if (value > slot)
        slot = static_cast<T>(value);
}

}  // namespace

void TMultiRun::Allocate(int populations, int duration)
{
    P = populations;
    T = duration;
    for (IntVector* v : {&Abundance, &Dispersers, &Immigrants, &Emigrants, &StepCounter, &OccupiedSteps})
        v->Allocate(P);
    RealizedRate.Allocate(P);
    Deviates.Allocate(P);
    IndependentDeviates.Allocate(P);
    CholeskyFactor.assign(static_cast<std::size_t>(P) * static_cast<std::size_t>(P), 0.0);
    DispersalRates.clear();
    Population.assign(static_cast<std::size_t>(P) * static_cast<std::size_t>(T), TMoments{});
    Total.assign(static_cast<std::size_t>(T), TMoments{});
    Occupancy.assign(static_cast<std::size_t>(T), TMoments{});
    LocalOccupancy.assign(static_cast<std::size_t>(P), TMoments{});
}

std::vector<TBinomialRate> DispersalRatesOf(const TMultiModel& model, int P)
{
    std::vector<TBinomialRate> rates;
    rates.reserve(static_cast<std::size_t>(P) * static_cast<std::size_t>(P));
    for (int i = 1; i <= P; ++i)
        for (int j = 1; j <= P; ++j)
            rates.push_back(MakeBinomialRate(std::min<double>(model.DispersalMatrix[j][i], 1.0)));
    return rates;
}

void InitializeRun(TMultiModel& model, TMultiRun& run)
{
    const int P = run.P;
    const int T = run.T;
    for (int i = 1; i <= P; ++i) {
        model.LocalOccupancyMean[i] = model.LocalOccupancyStdDev[i] = model.LocalOccupancyMax[i] = 0.0f;
        model.LocalOccupancyMin[i] = kMinStart;
    }
    for (int t = 1; t <= T; ++t) {
        model.TotalMean[t] = model.TotalStdDev[t] = model.TotalMax[t] = 0.0f;
        model.TotalMin[t] = kMinStart;
        model.OccupancyMean[t] = model.OccupancyStdDev[t] = model.OccupancyMax[t] = 0.0f;
        model.OccupancyMin[t] = static_cast<float>(P);
        for (int i = 1; i <= P; ++i) {
            model.PopMean[i][t] = model.PopStdDev[i][t] = 0.0f;
            model.PopMin[i][t] = kCountMinStart;
            model.PopMax[i][t] = 0;
        }
    }
    std::fill(run.Population.begin(), run.Population.end(), TMoments{});
    std::fill(run.Total.begin(), run.Total.end(), TMoments{});
    std::fill(run.Occupancy.begin(), run.Occupancy.end(), TMoments{});
    std::fill(run.LocalOccupancy.begin(), run.LocalOccupancy.end(), TMoments{});
    run.ReplicationsSummed = 0;
    model.ReplicationsDone = 0;
    run.StopRequested = false;
}

void StartReplication(const TMultiModel& model, TMultiRun& run)
{
    run.RunningTotal = 0.0;
    for (int i = 1; i <= run.P; ++i) {
        run.Abundance[i] = model.InitialAbundance[i];
        run.RunningTotal += run.Abundance[i];
        run.StepCounter[i] = 0;
        run.OccupiedSteps[i] = 0;
    }
    run.ExtinctionCrossed = run.ExplosionCrossed = run.AllExtinct = false;
    run.ReplicationMinimum = 1.7e38;
    run.ReplicationMaximum = 0.0;
    run.LastStepSummed = 0;
}

void DrawDeviates(TMultiRun& run)
{
    const auto P = static_cast<std::size_t>(run.P);
    DrawCorrelatedDeviates(run.Random, run.CorrelationStructure, run.CholeskyFactor,
                           std::span<double>(run.IndependentDeviates.Data(), P),
                           std::span<float>(run.Deviates.Data(), P));
}

double StepCarryingCapacity(TMultiModel& model, const TMultiRun& run, int i)
{
    const double kt = model.CarryingCapacity[i] + static_cast<double>(run.StepCounter[i]) * model.TrendInK[i];
    if (!(kt > 0.0))
        return 0.0;
    if (kt >= kCountLimit) {
        model.OverflowFlag = true;
        return kCountClamped;
    }
    return kt;
}

void ApplyDensityDependence(const TMultiModel& model, TMultiRun& run, int i, double kt)
{
    const double r = model.GrowthRate[i];
    run.RealizedRate[i] =
        static_cast<float>(DensityDependentRate(model.Populations[i].DDType, r, r, run.Abundance[i], kt));
}

void EnvStoch(const TMultiModel& model, TMultiRun& run, int i)
{
    const double sd = model.StdDevOfR[i];
    const double z = run.Deviates[i];
    float& rate = run.RealizedRate[i];
    // A rate of 0 (no carrying capacity left) has no lognormal spread.
    if (sd > 0.0 && z != 0.0 && rate > 0.0f) {
        const double m = rate;
        const double s2 = std::log(1.0 + sd * sd / (m * m));
        rate = static_cast<float>(GuardedExp(std::log(m) - s2 / 2.0 + std::sqrt(s2) * z));
    }
    if (rate < 0.0f)
        rate = 0.0f;
}

void StepPopulation(TMultiModel& model, TMultiRun& run, int i)
{
    const std::int32_t n = run.Abundance[i];
    if (n <= 0)
        return;
    const double kt = StepCarryingCapacity(model, run, i);
    ApplyDensityDependence(model, run, i, kt);
    if (run.Stochastic)
        EnvStoch(model, run, i);

    const double rate = run.RealizedRate[i];
    double next;
    if (run.Demographic) {
        // Survivors are the part of the rate that survival makes up; the
        // rest of the rate is offspring.
        double s = std::clamp(rate * model.SurvivalRate[i] / model.GrowthRate[i], 0.0, 1.0);
        s = std::min(s, rate);
        const double f = rate - s;
        const std::int32_t survivors = s > 0.0 ? BNLDEV(run.Random, n, s) : 0;
        next = static_cast<double>(survivors) + POIDEV(run.Random, f * n);
    } else {
        next = n * rate;
    }
    run.Abundance[i] = CountFromReal(next, model.OverflowFlag);
    if (IsCeiling(model.Populations[i].DDType) && run.Abundance[i] > kt)
        run.Abundance[i] = CountFromReal(kt, model.OverflowFlag);
}

void DisperseIndividuals(TMultiModel& model, TMultiRun& run)
{
    const int P = run.P;
    bool& overflow = model.OverflowFlag;
    if (run.DispersalRates.empty())
        run.DispersalRates = DispersalRatesOf(model, P);
    run.Immigrants.Fill(0);
    run.Emigrants.Fill(0);
    for (int i = 1; i <= P; ++i) {
        const std::int32_t n = run.Abundance[i];
        if (n <= 0)
            continue;
        run.Dispersers.Fill(0);
        std::int32_t out = 0;
        const TBinomialRate* rates = run.DispersalRates.data() + static_cast<std::size_t>(i - 1) * P;
        for (int j = 1; j <= P; ++j) {
            const TBinomialRate& rate = rates[j - 1];
            if (!(rate.p > 1e-6))
                continue;
            const std::int32_t movers =
                run.Demographic ? BNLDEV(run.Random, n, rate) : CountFromReal(rate.p * n, overflow);
            run.Dispersers[j] = movers;
            out = CountFromReal(static_cast<double>(out) + movers, overflow);
        }
        if (out > n)
            RemoveExcessMovers(std::span<std::int32_t>(run.Dispersers.Data(), static_cast<std::size_t>(P)), n, out,
                               overflow);
        run.Emigrants[i] = out;
        for (int j = 1; j <= P; ++j)
            if (run.Dispersers[j] != 0)
                run.Immigrants[j] = CountFromReal(static_cast<double>(run.Immigrants[j]) + run.Dispersers[j], overflow);
    }
    for (int i = 1; i <= P; ++i) {
        const std::int32_t n =
            CountFromReal(static_cast<double>(run.Abundance[i]) - run.Emigrants[i] + run.Immigrants[i], overflow);
        run.Abundance[i] = n < 0 ? 0 : n;
    }
}

void TimeSumm(TMultiModel& model, TMultiRun& run)
{
    const int P = run.P;
    const int t = run.CurrentTimeStep;
    const bool first = run.ReplicationsSummed == 0;

    double included = 0.0;
    int occupied = 0;
    double all = 0.0;
    for (int i = 1; i <= P; ++i) {
        const std::int32_t n = run.Abundance[i];
        if (n > 0) {
            if (model.Populations[i].IncludeInTotals) {
                ++occupied;
                included += n;
            }
            ++run.OccupiedSteps[i];
        }
        all += n;
        run.Population[run.PopIndex(i, t)].Add(n, first);
        KeepMin(model.PopMin[i][t], n);
        KeepMax(model.PopMax[i][t], n);
    }
    run.IncludedTotal = included;
    run.Total[static_cast<std::size_t>(t - 1)].Add(included, first);
    KeepMin(model.TotalMin[t], included);
    KeepMax(model.TotalMax[t], included);
    KeepMin(run.ReplicationMinimum, included);
    KeepMax(run.ReplicationMaximum, included);
    run.Occupancy[static_cast<std::size_t>(t - 1)].Add(occupied, first);
    KeepMin(model.OccupancyMin[t], occupied);
    KeepMax(model.OccupancyMax[t], occupied);

    // First crossings only: a total that comes back to a threshold later in
    // the same replication is not a new event.
    if (!run.ExtinctionCrossed && included <= model.ExtinctionThreshold) {
        run.ExtinctionCrossed = true;
        std::uint16_t& bin = model.ExtinctionTimes[CrossingBin(t, model.TimeBinWidth)];
        if (bin < UINT16_MAX)
            ++bin;
    }
    if (!run.ExplosionCrossed && included >= model.ExplosionThreshold) {
        run.ExplosionCrossed = true;
        std::uint16_t& bin = model.ExplosionTimes[CrossingBin(t, model.TimeBinWidth)];
        if (bin < UINT16_MAX)
            ++bin;
    }

    run.RunningTotal = all;
    run.LastStepSummed = t;
    run.AllExtinct = !(all > 0.0);
    if (run.AllExtinct) {
        // Nothing can come back: every later step of the replication is 0.
        for (int k = t; k <= run.T; ++k) {
            model.TotalMin[k] = 0.0f;
            model.OccupancyMin[k] = 0.0f;
            for (int i = 1; i <= P; ++i)
                model.PopMin[i][k] = 0;
        }
    }
}

void ReplSumm(TMultiModel& model, TMultiRun& run)
{
    const int P = run.P;
    const bool first = run.ReplicationsSummed == 0;
    for (int t = run.LastStepSummed + 1; t <= run.T; ++t) {
        for (int i = 1; i <= P; ++i)
            run.Population[run.PopIndex(i, t)].Add(0.0, first);
        run.Total[static_cast<std::size_t>(t - 1)].Add(0.0, first);
        run.Occupancy[static_cast<std::size_t>(t - 1)].Add(0.0, first);
    }

    const std::int32_t r = model.ReplicationsDone;
    model.ReplicationMin[r] = static_cast<float>(run.ReplicationMinimum);
    model.ReplicationMax[r] = static_cast<float>(run.ReplicationMaximum);
    model.ReplicationFinal[r] = static_cast<float>(run.RunningTotal);

    for (int i = 1; i <= P; ++i) {
        const std::int32_t c = run.OccupiedSteps[i];
        run.LocalOccupancy[static_cast<std::size_t>(i - 1)].Add(c, first);
        KeepMin(model.LocalOccupancyMin[i], c);
        KeepMax(model.LocalOccupancyMax[i], c);
    }
    ++run.ReplicationsSummed;
}

void FinishRunStatistics(TMultiModel& model, TMultiRun& run)
{
    const int R = run.ReplicationsSummed;
    bool roundOff = false;
    for (int i = 1; i <= run.P; ++i)
        for (int t = 1; t <= run.T; ++t)
            roundOff |= StoreCountStatistics(run.Population[run.PopIndex(i, t)], R, model.PopMean[i][t],
                                             model.PopStdDev[i][t], model.PopMin[i][t], model.PopMax[i][t]);
    for (int t = 1; t <= run.T; ++t) {
        const auto k = static_cast<std::size_t>(t - 1);
        roundOff |= StoreSingleStatistics(run.Total[k], R, model.TotalMean[t], model.TotalStdDev[t], model.TotalMin[t],
                                          model.TotalMax[t]);
        StoreSingleStatistics(run.Occupancy[k], R, model.OccupancyMean[t], model.OccupancyStdDev[t],
                              model.OccupancyMin[t], model.OccupancyMax[t]);
    }
    for (int i = 1; i <= run.P; ++i)
        StoreSingleStatistics(run.LocalOccupancy[static_cast<std::size_t>(i - 1)], R, model.LocalOccupancyMean[i],
                              model.LocalOccupancyStdDev[i], model.LocalOccupancyMin[i], model.LocalOccupancyMax[i]);
    if (roundOff)
        run.RoundOffFlag = true;
}

}  // namespace multi
