// Prints the speed of whole multi-population runs (lognormal environmental
// variation with correlated deviates, demographic stochasticity, density
// dependence and binomial dispersal) for two models: the limits of the map
// program (22 populations all linked, 1000 replications of 50 steps) and a
// 5-population model. Beside each, a bare loop makes the same random draws
// from the same generator with the same arithmetic and none of the run's
// bookkeeping; the ratio of the two is the cost of everything else the run
// does. The bare loop's mean final total equals the run's when both made
// the same draws.
//
// Build it in a Release tree without index checks:
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DPV_BOUNDS_CHECK=OFF
//   cmake --build build-bench --target bench_multi && build-bench/bench/multi/bench_multi

#include "core/config.h"
#include "multi/density_growth.h"
#include "multi/distance_matrices.h"
#include "multi/run_simulation.h"
#include "multi/time_step.h"
#include "sim/counts.h"
#include "sim/excess_movers.h"
#include "sim/guarded_exp.h"
#include "sim/population_links.h"
#include "sim/random_deviates.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

using namespace multi;

namespace {

constexpr std::uint32_t kSeed = 2024;

struct TCase {
    const char* name;
    int pops;
    int replications;
    int steps;
};

// Populations on a grid, scramble, contest and ceiling in turn, every one
// linked to every other by dispersal and correlated by distance.
void BuildModel(TMultiModel& m, const TCase& c)
{
    AllocateModel(m, TMultiLimits{});
    m.PopCount = static_cast<std::uint8_t>(c.pops);
    for (int i = 1; i <= c.pops; ++i) {
        multi::PopulationRecord& pop = m.Populations[i];
        pop.DDType = static_cast<std::uint8_t>(1 + i % 3);
        pop.InitialAbundanceText = "300";
        pop.GrowthRateText = "1.2";
        pop.CarryingCapacityText = "500";
        pop.StdDevOfRText = "0.2";
        pop.SurvivalText = "0.6";
        pop.TrendInKText = "1";
        pop.XText = std::to_string(10 * (i % 5));
        pop.YText = std::to_string(10 * (i / 5));
    }
    m.Info.DemographicStochasticity = true;
    m.Info.ExtinctionThresholdText = "0";
    m.Info.ExplosionThresholdText = "1e9";
    m.DistanceFunctions.MaxDispersalRateText = "0.02";
    m.DistanceFunctions.AvgDispersalDistanceText = "200";
    m.DistanceFunctions.MaxDispersalDistanceText = "1000";
    m.DistanceFunctions.CorrelationAt100Text = "0.5";
    UpdateDistanceMatrices(m);
    m.Duration = c.steps;
    m.Replications = c.replications;
    Config.RandomSeed = std::to_string(kSeed);
}

// The same draws and arithmetic as the run's time step, on plain arrays.
// Reads the parameters the run converted and checked.
double BareLoop(const TMultiModel& m, std::int64_t& steps)
{
    const int P = m.PopCount;
    TRandomSource random(kSeed);
    std::vector<double> factor;
    SingleMatrix correlation = m.CorrelationMatrix;
    bool checked = false;
    const int structure = CheckCorrelationMatrix(correlation, P, checked);
    if (structure == kCorrelationGeneral)
        FactorCorrelations(correlation, P, factor);
    std::vector<double> z(P);
    std::vector<float> deviate(P);
    std::vector<std::int32_t> n(P + 1), movers(P), emigrants(P + 1), immigrants(P + 1);
    const std::vector<TBinomialRate> rates = DispersalRatesOf(m, P);
    bool overflow = false;
    double finalSum = 0.0;
    for (int r = 1; r <= m.Replications; ++r) {
        for (int i = 1; i <= P; ++i)
            n[i] = m.InitialAbundance[i];
        for (int t = 1; t <= m.Duration; ++t) {
            DrawCorrelatedDeviates(random, structure, factor, z, deviate);
            for (int i = 1; i <= P; ++i) {
                if (n[i] <= 0)
                    continue;
                const double kt = std::max(0.0, m.CarryingCapacity[i] + t * static_cast<double>(m.TrendInK[i]));
                const double R = m.GrowthRate[i];
                double rate = static_cast<float>(DensityDependentRate(m.Populations[i].DDType, R, R, n[i], kt));
                const double sd = m.StdDevOfR[i];
                if (rate > 0.0 && sd > 0.0 && deviate[i - 1] != 0.0f) {
                    const double s2 = std::log(1.0 + sd * sd / (rate * rate));
                    rate = static_cast<float>(GuardedExp(std::log(rate) - s2 / 2 + std::sqrt(s2) * deviate[i - 1]));
                }
                double s = std::min(std::clamp(rate * m.SurvivalRate[i] / R, 0.0, 1.0), rate);
                const std::int32_t survivors = s > 0.0 ? BNLDEV(random, n[i], s) : 0;
                n[i] = CountFromReal(survivors + static_cast<double>(POIDEV(random, (rate - s) * n[i])), overflow);
                if (m.Populations[i].DDType == kCeiling && n[i] > kt)
                    n[i] = CountFromReal(kt, overflow);
            }
            std::fill(emigrants.begin(), emigrants.end(), 0);
            std::fill(immigrants.begin(), immigrants.end(), 0);
            for (int i = 1; i <= P; ++i) {
                if (n[i] <= 0)
                    continue;
                std::int32_t out = 0;
                for (int j = 1; j <= P; ++j) {
                    const TBinomialRate& rate = rates[static_cast<std::size_t>((i - 1) * P + j - 1)];
                    movers[j - 1] = rate.p > 1e-6 ? BNLDEV(random, n[i], rate) : 0;
                    out += movers[j - 1];
                }
                if (out > n[i])
                    RemoveExcessMovers(movers, n[i], out, overflow);
                emigrants[i] = out;
                for (int j = 1; j <= P; ++j)
                    immigrants[j] += movers[j - 1];
            }
            double total = 0.0;
            for (int i = 1; i <= P; ++i)
                total += n[i] = std::max(0, n[i] - emigrants[i] + immigrants[i]);
            ++steps;
            if (t == m.Duration)
                finalSum += total;
        }
    }
    return finalSum / m.Replications;
}

// The case's model built and run whole: its replication-steps, time and mean
// final total; false, said on the output, when the run did not complete.
struct TEngineFigures {
    std::int64_t steps = 0;
    double seconds = 0.0;
    double meanFinal = 0.0;
};

bool RunEngine(TMultiModel& m, const TCase& c, TEngineFigures& figures)
{
    BuildModel(m, c);
    TRunOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    RunSimulation(m, [&](std::int32_t, std::int32_t) {
        ++figures.steps;
        return true;
    }, &outcome);
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (outcome.end != TRunEnd::Completed) {
        std::printf("%s: the run did not complete\n", c.name);
        return false;
    }
    for (int k = 1; k <= m.ReplicationsDone; ++k)
        figures.meanFinal += m.ReplicationFinal[k];
    figures.meanFinal /= m.ReplicationsDone;
    return true;
}

void Measure(const TCase& c)
{
    static TMultiModel m;
    TEngineFigures engine;
    if (!RunEngine(m, c, engine))
        return;

    std::int64_t bareSteps = 0;
    const auto bareStart = std::chrono::steady_clock::now();
    const double bareFinal = BareLoop(m, bareSteps);
    const std::chrono::duration<double> bareTime = std::chrono::steady_clock::now() - bareStart;

    const double engineRate = engine.steps / engine.seconds;
    const double bareRate = bareSteps / bareTime.count();
    std::printf("%s: %d populations, %d replications x %d steps\n", c.name, c.pops, c.replications, c.steps);
    std::printf("  RunSimulation: %lld replication-steps in %.3f s = %.0f per second (mean final total %.1f)\n",
                static_cast<long long>(engine.steps), engine.seconds, engineRate, engine.meanFinal);
    std::printf("  bare loop:     %lld replication-steps in %.3f s = %.0f per second (mean final total %.1f%s)\n",
                static_cast<long long>(bareSteps), bareTime.count(), bareRate, bareFinal,
                bareFinal == engine.meanFinal ? ", the same draws" : ", DIFFERENT draws");
    std::printf("  engine time / bare-loop time per step: %.2f (target 1.5 or less)\n", bareRate / engineRate);
}

// The engine alone on the limits model, one line: what bench/multi/peer_workload
// reads.
void MeasureEngineOnly(const TCase& c)
{
    static TMultiModel m;
    TEngineFigures engine;
    if (!RunEngine(m, c, engine))
        return;
    std::printf("engine %s: mean_final=%.1f seconds=%.4f rate=%.0f\n", c.name, engine.meanFinal, engine.seconds,
                engine.steps / engine.seconds);
}

}  // namespace

// bench_multi            both models, each beside its bare loop
// bench_multi --engine   the engine alone on the limits model
int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--engine") {
        MeasureEngineOnly({"limits", 22, 1000, 50});
        return 0;
    }
    Measure({"limits", 22, 1000, 50});
    Measure({"five populations", 5, 1000, 50});
    return 0;
}
