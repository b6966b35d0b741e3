#include "multi/run_simulation.h"

#include "core/config.h"
#include "core/messages.h"
#include "core/str_utilx.h"
#include "multi/time_step.h"
#include "multi/validate_input.h"
#include "sim/population_links.h"
#include "sim/random_deviates.h"
#include "sim/run_moments.h"
#include "sim/run_seed.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>
#include <string>

namespace multi {

namespace {

bool gRunning = false;
const TMultiRun* gActive = nullptr;

constexpr double kLongestStepDelay = 10.0;  // seconds

// Sets a flag or a pointer for a scope, whatever way the scope is left.
template <class T>
class TScopedValue {
public:
    TScopedValue(T& slot, T value) : slot_(slot), old_(slot) { slot_ = value; }
    ~TScopedValue() { slot_ = old_; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& slot_;
    T old_;
};

// Once the work arrays exist the status line is cleared at the end of the
// run, also when it fails.
class TClearStatusAtEnd {
public:
    TClearStatusAtEnd() = default;
    ~TClearStatusAtEnd() { StatusMessage(""); }
    TClearStatusAtEnd(const TClearStatusAtEnd&) = delete;
    TClearStatusAtEnd& operator=(const TClearStatusAtEnd&) = delete;
};

// The counts index the result arrays, which are sized for the limits: a
// model read from a hand-edited file may ask for more.
bool CountsFitTheLimits(const TMultiModel& model)
{
    if (model.Duration < 1 || model.Duration > model.MaxDuration) {
        WarningMessage("The duration must be from 1 to " + std::to_string(model.MaxDuration) + " time steps");
        return false;
    }
    if (model.Replications < 0 || model.Replications > model.MaxReplications) {
        WarningMessage("The number of replications must be from 0 to " + std::to_string(model.MaxReplications));
        return false;
    }
    return true;
}

// A threshold text that is not a number becomes the share of the total
// initial abundance, rounded, and is shown as that number from now on.
double Threshold(std::string& text, double share, double initialTotal)
{
    double value = 0.0;
    if (ConvertNumber(text, value))
        return value;
    value = std::nearbyint(share * initialTotal);
    text = WholeNumberText(value);
    return value;
}

std::uint32_t SeedOfTheRun()
{
    try {
        return RunSeed(Config.RandomSeed);
    } catch (const std::invalid_argument&) {
        // A seed text that is not a number is ignored.
        return RunSeed("0");
    }
}

void SortReplicationArray(SingleVector& values, std::int32_t count)
{
    HeapSortSingles(std::span<float>(values.Data(), static_cast<std::size_t>(count)));
}

void RunReplication(TMultiModel& model, TMultiRun& run, const TProgress& progress)
{
    ++model.ReplicationsDone;
    StartReplication(model, run);
    for (std::int32_t t = 1; t <= model.Duration; ++t) {
        run.CurrentTimeStep = t;
        for (int i = 1; i <= run.P; ++i)
            ++run.StepCounter[i];
        if (run.Stochastic)
            DrawDeviates(run);
        for (int i = 1; i <= run.P; ++i)
            StepPopulation(model, run, i);
        if (model.DispersalPresent)
            DisperseIndividuals(model, run);
        TimeSumm(model, run);

        // The only point where the caller's window gets control during a run.
        // One false answer is enough: the run ends after this replication.
        if (!progress(model.ReplicationsDone, run.CurrentTimeStep))
            run.StopRequested = true;

        if (run.AllExtinct)
            break;
    }
    ReplSumm(model, run);
}

// Everything of the run after the input check passed; the stored results are
// overwritten from the thresholds on (`resultsCleared`).
TRunEnd RunChecked(TMultiModel& model, const TProgress& progress, const TRunVariant& variant, bool& resultsCleared)
{
    const int P = model.PopCount;
    double initialTotal = 0.0;
    for (int i = 1; i <= P; ++i)
        if (model.Populations[i].IncludeInTotals)
            initialTotal += model.InitialAbundance[i];

    resultsCleared = true;
    model.ExtinctionThreshold = Threshold(model.Info.ExtinctionThresholdText, 0.1, initialTotal);
    model.ExplosionThreshold = Threshold(model.Info.ExplosionThresholdText, 1.5, initialTotal);
    if (Config.StepDelay > kLongestStepDelay)
        Config.StepDelay = kLongestStepDelay;
    model.OverflowFlag = false;
    model.InputsChanged = false;
    model.ExtinctionTimes.Fill(0);
    model.ExplosionTimes.Fill(0);
    model.TimeBinWidth = CrossingBinWidth(model.Duration);

    TMultiRun run;
    run.Random.Seed(SeedOfTheRun());

    model.DispersalPresent = false;
    if (P > 1 && variant.linkPopulations)
        for (int i = 1; i <= P; ++i)
            CheckMigration(model, i, true);

    run.Stochastic = model.Replications > 0;
    run.Demographic = run.Stochastic && model.Info.DemographicStochasticity;
    run.CorrelationStructure = run.Stochastic && variant.linkPopulations
                                   ? CheckCorrelationMatrix(model.CorrelationMatrix, P, model.CorrelationFromFunction)
                                   : kCorrelationIndependent;

    run.Allocate(P, model.Duration);
    const TClearStatusAtEnd clearStatus;
    if (run.CorrelationStructure == kCorrelationGeneral &&
        !FactorCorrelations(model.CorrelationMatrix, P, run.CholeskyFactor)) {
        // A matrix without a factor leaves the populations independent.
        for (int i = 1; i <= P; ++i)
            for (int j = 1; j <= i; ++j)
                model.CorrelationMatrix[i][j] = i == j ? 1.0f : 0.0f;
    }
    InitializeRun(model, run);
    if (variant.beforeReplications)
        variant.beforeReplications(model);

    {
        const TScopedValue<const TMultiRun*> active(gActive, &run);
        const std::int32_t requested = std::max<std::int32_t>(model.Replications, 1);
        do {
            RunReplication(model, run, progress);
        } while (model.ReplicationsDone < requested && !run.StopRequested);
    }

    StatusMessage("Please wait ...");
    const std::int32_t done = model.ReplicationsDone;
    if (done > 1) {
        SortReplicationArray(model.ReplicationMin, done);
        SortReplicationArray(model.ReplicationMax, done);
        SortReplicationArray(model.ReplicationFinal, done);
    }
    FinishRunStatistics(model, run);
    if (run.Random.overflow)
        model.OverflowFlag = true;
    if (model.OverflowFlag)
        SimulationWarning("Overflow error.");
    if (run.RoundOffFlag)
        SimulationWarning("Round-off error.");
    ReportRepeatedDeviateWarnings(run.Random);

    model.ModelState = kStateResults;
    const TDateTime now = NowLocal();
    model.ResultDate = RunDateText(now).substr(0, 20);
    model.ResultTime = RunTimeText(now).substr(0, 20);
    return done < std::max<std::int32_t>(model.Replications, 1) ? TRunEnd::Stopped : TRunEnd::Completed;
}

}  // namespace

bool RunActive() { return gRunning; }

const TMultiRun* ActiveRun() { return gActive; }

bool RunSimulation(TMultiModel& model, const TProgress& Progress, TRunOutcome* outcome, const TRunVariant& variant)
{
    TRunOutcome result;
    if (gRunning) {
        // Called again from inside a run's progress callback: the run in
        // progress owns the model and its working state.
        ErrorMessage("Simulation: a run is already in progress");
        if (outcome)
            *outcome = result;
        return false;
    }
    const TScopedValue<bool> running(gRunning, true);
    bool resultsCleared = false;
    result.end = RunOrReportFailure(
        [&] {
            if (!Progress)
                throw std::logic_error("RunSimulation: no progress callback");
            variant.validate(model);
            if (model.ModelState == kStateEmpty) {
                WarningMessage("Error in input data");
                return TRunEnd::InvalidInput;
            }
            if (!CountsFitTheLimits(model))
                return TRunEnd::Refused;
            const TRunEnd end = RunChecked(model, Progress, variant, resultsCleared);
            result.replicationsDone = model.ReplicationsDone;
            return end;
        },
        // Results half overwritten are not results.
        [&] {
            if (resultsCleared && model.ModelState == kStateResults)
                model.ModelState = kStateInputs;
        });
    if (outcome)
        *outcome = result;
    return HasRunResults(result.end);
}

}  // namespace multi
