// Prints the speed of a whole age/stage run (7 stages, lognormal
// environmental and demographic stochasticity, 10000 replications of 100
// steps) and of a bare loop that makes the same random draws from the same
// generator and the same matrix products with none of the run's bookkeeping;
// the ratio of the two is the cost of everything else the run does.

#include "core/config.h"
#include "stage/model_store.h"
#include "sim/guarded_exp.h"
#include "sim/random_deviates.h"
#include "stage/run_simulation.h"
#include "stage/stage_matrix.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStages = 7;
constexpr int kReplications = 10000;
constexpr int kSteps = 100;
constexpr double kCeiling = 20000;
constexpr double kFecundities[kStages + 1] = {0, 0, 0, 0.33, 0.55, 0.77, 0.88, 0.99};
constexpr double kSurvivals[kStages + 1] = {0, 0.5, 0.6, 0.7, 0.75, 0.8, 0.85, 0.8};  // s -> s+1, last stays
constexpr double kRelativeSd = 0.1;
constexpr double kStartPerStage = 1000;

TStageMatrix Matrix(double scale)
{
    TStageMatrix m(kStages);
    for (int j = 1; j <= kStages; ++j) {
        m(1, j) = kFecundities[j] * scale;
        if (j < kStages)
            m(j + 1, j) = kSurvivals[j] * scale;
    }
    m(kStages, kStages) = kSurvivals[kStages] * scale;
    return m;
}

void BuildModel()
{
    ModelLimits limits;
    limits.pops = 1;
    limits.stages = kStages;
    limits.duration = kSteps;
    limits.replications = kReplications;
    CreateModelStore(limits);
    Info.stages = kStages;
    Info.duration = kSteps;
    Info.replications = kReplications;
    Info.distribution = 1;  // lognormal
    Info.demogstoch = true;
    const TStageMatrix mean = Matrix(1.0);
    const TStageMatrix sd = Matrix(kRelativeSd);
    for (int i = 1; i <= kStages; ++i)
        for (int j = 1; j <= kStages; ++j) {
            Info.stagematrix[1][i][j] = static_cast<float>(mean(i, j));
            Info.stdevmatrix[1][i][j] = static_cast<float>(sd(i, j));
        }
    PopulationRecord& pop = Info.populations[1];
    pop.ddtype = 3;  // ceiling
    pop.ktext = "20000";
    for (int s = 1; s <= kStages; ++s)
        Info.initialabundance[1][s] = kStartPerStage;
    Config.RandomSeed = "2024";
}

double LognormalRate(double m, double sd, double z, bool complement)
{
    if (complement) {
        const double q = 1.0 - m;
        const double s2 = std::log(1.0 + sd * sd / (q * q));
        return 1.0 - GuardedExp(std::log(q) - s2 / 2 - std::sqrt(s2) * z);
    }
    const double s2 = std::log(1.0 + sd * sd / (m * m));
    return GuardedExp(std::log(m) - s2 / 2 + std::sqrt(s2) * z);
}

// The same work per step without the run: four uniform numbers (the local
// catastrophe draws), one normal deviate, every rate sampled, clamped, and
// projected with a Poisson or binomial draw per transition, then the ceiling.
double BareLoop(std::int64_t& steps)
{
    TRandomSource random(2024);
    const TStageMatrix mean = Matrix(1.0);
    const TStageMatrix sd = Matrix(kRelativeSd);
    double checksum = 0;
    std::int32_t n[kStages + 1];
    std::int32_t next[kStages + 1];
    for (int r = 0; r < kReplications; ++r) {
        for (int s = 1; s <= kStages; ++s)
            n[s] = static_cast<std::int32_t>(kStartPerStage);
        for (int t = 1; t <= kSteps; ++t) {
            for (int k = 0; k < 4; ++k)
                checksum += random.Uniform();
            const double z = NormalDeviate(random);
            TStageMatrix m = mean;
            for (int i = 1; i <= kStages; ++i)
                for (int j = 1; j <= kStages; ++j) {
                    double& x = m(i, j);
                    if (!(x > 0))
                        continue;
                    x = LognormalRate(x, sd(i, j), z, i >= 2 && x > 0.5);
                    if (i >= 2 && x > 1)
                        x = 1;
                }
            for (int i = 1; i <= kStages; ++i)
                next[i] = 0;
            for (int j = 1; j <= kStages; ++j)
                for (int i = 1; i <= kStages; ++i) {
                    const double rate = m(i, j);
                    if (n[j] <= 0 || !(rate > 0))
                        continue;
                    next[i] += i == 1 ? POIDEV(random, n[j] * rate) : BNLDEV(random, n[j], rate);
                }
            double total = 0;
            for (int i = 1; i <= kStages; ++i)
                total += n[i] = next[i];
            if (total > kCeiling)
                for (int i = 1; i <= kStages; ++i)
                    n[i] = static_cast<std::int32_t>(std::nearbyint(n[i] * kCeiling / total));
            checksum += total;
            ++steps;
        }
    }
    return checksum;
}

}  // namespace

int main()
{
    BuildModel();
    std::vector<float> trajectory(kSteps + 1);
    std::int64_t engineSteps = 0;
    const auto start = std::chrono::steady_clock::now();
    TRunOutcome outcome;
    RunSimulation(trajectory, [&](std::int32_t, std::int32_t) {
        ++engineSteps;
        return true;
    }, &outcome);
    const std::chrono::duration<double> engineTime = std::chrono::steady_clock::now() - start;
    if (outcome.end != TRunEnd::Completed) {
        std::fprintf(stderr, "the run did not complete\n");
        return 1;
    }

    std::int64_t bareSteps = 0;
    const auto bareStart = std::chrono::steady_clock::now();
    const double checksum = BareLoop(bareSteps);
    const std::chrono::duration<double> bareTime = std::chrono::steady_clock::now() - bareStart;

    const double engineRate = engineSteps / engineTime.count();
    const double bareRate = bareSteps / bareTime.count();
    std::printf("7 stages, lognormal + demographic, %d replications x %d steps\n", kReplications, kSteps);
    std::printf("RunSimulation: %lld replication-steps in %.3f s = %.0f per second (mean final total %.0f)\n",
                static_cast<long long>(engineSteps), engineTime.count(), engineRate, Info.totalsum[kSteps]);
    std::printf("bare loop:     %lld replication-steps in %.3f s = %.0f per second (checksum %g)\n",
                static_cast<long long>(bareSteps), bareTime.count(), bareRate, checksum);
    std::printf("engine time / bare-loop time per step: %.2f (target 1.5 or less)\n", bareRate / engineRate);
    return 0;
}
