#include "stage/run_simulation.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/messages.h"
#include "stage/model_store.h"
#include "core/str_utilx.h"
#include "sim/random_deviates.h"
#include "stage/correlation_migration.h"
#include "stage/density_types.h"
#include "stage/eigen.h"
#include "stage/eigen_model.h"
#include "stage/management.h"
#include "stage/run_statistics.h"
#include "stage/time_step.h"
#include "stage/validate_input.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

bool gRunning = false;
TRunState* gActive = nullptr;

constexpr double kLongestStepDelay = 10.0;  // seconds
constexpr int kCatAffectsVitalRates = 1;
constexpr int kExtentLocal = 0;
constexpr int kExtentRegional = 1;
constexpr std::uint8_t kTimingBeforeDispersal = 0;
constexpr std::uint8_t kTimingAfterDispersal = 1;

// Marks the run as in progress for its whole life, whatever way it ends.
class TRunningMark {
public:
    TRunningMark() { gRunning = true; }
    ~TRunningMark()
    {
        gRunning = false;
        gActive = nullptr;
    }
    TRunningMark(const TRunningMark&) = delete;
    TRunningMark& operator=(const TRunningMark&) = delete;
};

// Publishes the run's working state to the live chart for as long as that
// state exists: a failure unwinds the state before its error is shown, and a
// repaint during that message must find no run rather than a destroyed one.
class TActiveRun {
public:
    explicit TActiveRun(TRunState& run) { gActive = &run; }
    ~TActiveRun() { gActive = nullptr; }
    TActiveRun(const TActiveRun&) = delete;
    TActiveRun& operator=(const TActiveRun&) = delete;
};

// Model values that the run replaces for its own use: the rate multipliers of
// scramble and contest populations take the place of their Rmax, catastrophes
// on vital rates are switched off for them, catastrophes lower carrying
// capacities during a replication, and a negative survival correlation is
// dropped when variances are pooled. The values the input check derived are
// taken once the check has passed and put back when the run ends, however it
// ends, so that a run changes no input a user could see or save. Carrying
// capacities are also put back at the start of every replication after a
// catastrophe changed one (for exponential types K is the initial total, which
// no text holds).
class TRunInputs {
public:
    void Take(const TCoravel& model)
    {
        const int P = model.pops;
        rmax_.assign(static_cast<std::size_t>(P + 1), 0.0f);
        capacity_.assign(static_cast<std::size_t>(P + 1), 0.0f);
        catprob1_.assign(static_cast<std::size_t>(P + 1), 0.0f);
        catprob2_.assign(static_cast<std::size_t>(P + 1), 0.0f);
        for (int p = 1; p <= P; ++p) {
            rmax_[p] = model.rmax[p];
            capacity_[p] = model.capacity[p];
            catprob1_[p] = model.catprob1[p];
            catprob2_[p] = model.catprob2[p];
        }
        cat1regprob_ = model.cat1regprob;
        cat2regprob_ = model.cat2regprob;
        negsurvcorr_ = model.negsurvcorr;
        taken_ = true;
    }

    void RestoreCapacities(TCoravel& model) const
    {
        for (std::size_t p = 1; p < capacity_.size(); ++p)
            model.capacity[static_cast<int>(p)] = capacity_[p];
    }

    void Restore(TCoravel& model) const
    {
        if (!taken_)
            return;
        for (std::size_t i = 1; i < rmax_.size(); ++i) {
            const int p = static_cast<int>(i);
            model.rmax[p] = rmax_[i];
            model.capacity[p] = capacity_[i];
            model.catprob1[p] = catprob1_[i];
            model.catprob2[p] = catprob2_[i];
        }
        model.cat1regprob = cat1regprob_;
        model.cat2regprob = cat2regprob_;
        model.negsurvcorr = negsurvcorr_;
    }

private:
    bool taken_ = false;
    std::vector<float> rmax_, capacity_, catprob1_, catprob2_;
    double cat1regprob_ = 0.0;
    double cat2regprob_ = 0.0;
    bool negsurvcorr_ = false;
};

class TRestoreInputs {
public:
    TRestoreInputs(TRunInputs& inputs, TCoravel& model) : inputs_(inputs), model_(model) {}
    ~TRestoreInputs() { inputs_.Restore(model_); }
    TRestoreInputs(const TRestoreInputs&) = delete;
    TRestoreInputs& operator=(const TRestoreInputs&) = delete;

private:
    TRunInputs& inputs_;
    TCoravel& model_;
};

std::string StageName(const TCoravel& model, int s)
{
    const std::string& name = model.stageprops[s].name;
    return name.empty() ? "Stage " + std::to_string(s) : name;
}

// Step 12 of the set-up for one scramble or contest population: its Rmax is
// replaced by the multiplier of the density-affected vital rates that gives
// that growth rate. Populations that share everything the multiplier depends
// on share it.
void EvaluateRateMultiplier(TCoravel& model, int p)
{
    const PopulationRecord& pop = model.populations[p];
    for (int q = 1; q < p; ++q) {
        const PopulationRecord& earlier = model.populations[q];
        if (earlier.ddtype == pop.ddtype && earlier.rmaxtext == pop.rmaxtext &&
            earlier.matrixindex == pop.matrixindex && earlier.fchange == pop.fchange &&
            earlier.schange == pop.schange && model.ddmultiplier[q] == model.ddmultiplier[p]) {
            model.rmax[p] = model.rmax[q];
            return;
        }
    }
    const TStageMatrix matrix = PopulationStageMatrix(model, p);
    model.rmax[p] = static_cast<float>(FindRateMultiplier(matrix, model.rmax[p],
                                                          static_cast<DDAffects>(model.ddaffects),
                                                          model.ignoreconstraints));
}

// Catastrophes on vital rates would act on top of density dependence that is
// calibrated to the population's Rmax, so scramble and contest populations do
// without them. Returns how many were switched off.
int SwitchOffVitalRateCatastrophes(TCoravel& model, int p)
{
    auto switchOff = [](auto affects, auto extent, auto& localProbability, auto& regionalProbability) {
        if (affects != kCatAffectsVitalRates)
            return 0;
        if (extent == kExtentLocal && localProbability > 0) {
            localProbability = 0;
            return 1;
        }
        if (extent == kExtentRegional && regionalProbability > 0) {
            regionalProbability = 0;
            return 1;
        }
        return 0;
    };
    return switchOff(model.cat1affects, model.cat1extent, model.catprob1[p], model.cat1regprob) +
           switchOff(model.cat2affects, model.cat2extent, model.catprob2[p], model.cat2regprob);
}

// The environmental deviates of one step: drawn once per correlation group of
// the within-population option (1, 2 or 3 draws). The first draw drives the
// carrying capacities, the first (option 0) or second draw the survivals, the
// last the fecundities.
void DrawEnvironmentalDeviates(const TCoravel& model, TRunState& run, const std::vector<double>& factor)
{
    const int P = run.P;
    const int draws = model.corrwithin + 1;
    for (int d = 1; d <= draws; ++d) {
        DrawCorrelatedDeviates(run.Random, run.CorrelationStructure, factor,
                               std::span<double>(run.IndependentDeviates).subspan(1, static_cast<std::size_t>(P)),
                               std::span<float>(run.Deviates).subspan(1, static_cast<std::size_t>(P)));
        if (d == 1)
            std::copy(run.Deviates.begin(), run.Deviates.end(), run.CarryingCapacityDeviates.begin());
        if ((d == 1 && model.corrwithin == 0) || d == 2)
            std::copy(run.Deviates.begin(), run.Deviates.end(), run.SurvivalDeviates.begin());
    }
}

void ManagementActions(TCoravel& model, TRunState& run, std::uint8_t timing)
{
    for (int a = 1; a <= model.actioncount; ++a)
        if (model.actions[a].timing == timing)
            Management(model, run, a);
    RecomputePopulationTotals(run);
}

void SortSingles(SingleVector& values, std::int32_t count)
{
    HeapSortSingles(std::span<float>(values.Data(), static_cast<std::size_t>(count)));
}

struct TRunBody {
    std::span<float> trajectory;
    const TProgress& progress;
    TRunState& run;
    TRunStatistics& stats;
    TRunInputs& inputs;
    std::vector<double>& factor;
};

// One replication, steps 1..duration or until every population is extinct.
void RunReplication(TCoravel& model, TRunBody& b)
{
    TRunState& run = b.run;
    ++run.ReplicationCount;
    StartReplicationAbundances(model, run);
    if (run.CapacityChanged) {
        b.inputs.RestoreCapacities(model);
        run.CapacityChanged = false;
    }
    const bool stop = run.Repl.stop;
    run.Repl = TReplicationRecord{};
    run.Repl.stop = stop;

    for (std::int32_t t = 1; t <= model.duration; ++t) {
        run.CurrentTimeStep = t;
        for (int p = 1; p <= run.P; ++p)
            ++run.StepsSinceCatastrophe[p];
        run.Repl.stepHarvest = 0.0;

        RegionalCatastrophes(model, run);
        if (run.Stochastic)
            DrawEnvironmentalDeviates(model, run, b.factor);
        for (int p = 1; p <= run.P; ++p)
            StepPopulation(model, run, p);
        if (model.mgmtactive)
            ManagementActions(model, run, kTimingBeforeDispersal);
        if (model.migchecked)
            DisperseIndividuals(model, run);
        if (model.mgmtactive)
            ManagementActions(model, run, kTimingAfterDispersal);

        TimeSumm(model, run, b.stats);
        if (t == 1)
            b.trajectory[0] = static_cast<float>(run.PreviousTotal);
        b.trajectory[static_cast<std::size_t>(t)] = static_cast<float>(run.CurrentTotal);

        // The only point where the caller's window gets control during a run.
        // One false answer is enough: the run ends after this replication.
        if (!b.progress(run.ReplicationCount, run.CurrentTimeStep))
            run.Repl.stop = true;

        // Extinction of every population ends the replication, also with
        // an introduction still to come: the later steps count as extinct.
        if (run.Repl.allExtinct)
            break;
    }
    ReplSumm(model, run, b.stats);
}

std::string StochasticityText(const TCoravel& model)
{
    if (model.replications == 0)
        return "Deterministic simulation with " + std::to_string(model.duration) + " time steps";
    return "Stochastic simulation with " + std::to_string(model.replications) + " replications and " +
           std::to_string(model.duration) + " time steps";
}

// Everything of the run after the input check passed. Returns how it ended;
// sets `resultsCleared` once it starts to overwrite the stored results.
TRunEnd RunChecked(TCoravel& model, std::span<float> trajectory, const TProgress& progress, TRunInputs& inputs,
                   bool& resultsCleared, std::int32_t& replicationsDone)
{
    CheckAllStageMatrices(model);
    for (int s = 1; s <= model.stages; ++s)
        if (model.stageprops[s].flag)
            SimulationWarning("\nExcluding " + StageName(model, s) + " from population totals");

    if (Config.StepDelay > kLongestStepDelay)
        Config.StepDelay = kLongestStepDelay;

    const bool stochastic = model.replications > 0;
    if (model.replications < 0 || std::max(model.replications, 1) > model.replterminal.Count())
        throw std::length_error("more replications than the result arrays hold");
    TRunState run;
    run.Random.Seed(RunSeed(Config.RandomSeed));

    StatusMessage("Checking migrations...");
    model.migchecked = false;
    if (model.pops >= 2)
        for (int p = 1; p <= model.pops; ++p)
            CheckMigration(model, p);

    StatusMessage("Checking correlations...");
    const int correlation = stochastic ? CheckCorrelationMatrix(model) : kCorrelationIndependent;

    StatusMessage("Allocating memory...");
    run.Allocate(model.pops, model.stages);
    run.Stochastic = stochastic;
    run.CorrelationStructure = correlation;
    TRunStatistics stats;
    std::vector<double> factor;

    inputs.Take(model);
    StatusMessage("Evaluating density dependence ...");
    int incompatible = 0;
    int catastrophesIgnored = 0;
    for (int p = 1; p <= model.pops; ++p) {
        const auto type = static_cast<DDType>(model.populations[p].ddtype);
        if (!UsesMaximumGrowthRate(type))
            continue;
        StatusMessage("Evaluating density dependence for Pop." + std::to_string(p));
        EvaluateRateMultiplier(model, p);
        if (!(model.rmax[p] > 0))
            incompatible = p;
        if (stochastic)
            catastrophesIgnored += SwitchOffVitalRateCatastrophes(model, p);
    }
    if (incompatible != 0) {
        model.selectedpop = static_cast<std::uint8_t>(incompatible);
        SimulationWarning("Stage matrix incompatible with density dependence (Pop " + std::to_string(incompatible) +
                          ").  See help file.");
        return TRunEnd::Refused;
    }
    if (catastrophesIgnored >= 1) {
        SimulationWarning("If density dependence type is scramble or contest, then");
        SimulationWarning("       catastrophes affecting vital rates are ignored.");
    }
    if (model.poolvar && model.negsurvcorr) {
        SimulationWarning("Negative corr for survival is not allowed if variances are pooled");
        model.negsurvcorr = false;
    }

    // From here on the stored results are overwritten. Nothing above touches
    // them, so a refused run leaves the results of the last run as they were.
    resultsCleared = true;
    model.extthreshold = static_cast<float>(model.extinctionlevel);
    model.explthreshold = static_cast<float>(model.explosionlevel);
    model.extlevelchanged = false;
    model.expllevelchanged = false;
    for (int bin = 1; bin <= kCrossBins; ++bin) {
        model.extinctiontimes[bin] = 0;
        model.explosiontimes[bin] = 0;
    }
    model.crossbin = CrossingBinWidth(model.duration);

    StatusMessage("Evaluating correlation structure ...");
    if (correlation == kCorrelationGeneral)
        FactorCorrelations(model.correlation, model.pops, factor);

    InitializeRun(model, run, stats);

    run.LiveChartAxesDrawn = false;
    StatusMessage(model.title);
    for (int c = 1; c <= 4; ++c)
        StatusMessage(model.comments[c]);
    if (BatchMode)
        StatusMessage("Batch run... File: " + ModelFileName);
    StatusMessage(StochasticityText(model));

    const TActiveRun active(run);
    TRunBody body{trajectory, progress, run, stats, inputs, factor};
    const std::int32_t requested = std::max<std::int32_t>(model.replications, 1);
    run.ReplicationCount = 0;
    run.Repl.stop = false;
    do {
        RunReplication(model, body);
    } while (run.ReplicationCount < requested && !run.Repl.stop);

    StatusMessage("Please wait ...");
    if (run.ReplicationCount >= 2) {
        SortSingles(model.replmin, run.ReplicationCount);
        SortSingles(model.replmax, run.ReplicationCount);
        SortSingles(model.replterminal, run.ReplicationCount);
    }
    FinishRunStatistics(model, run, stats);
    WarningBeep();
    if (run.OverflowFlag || run.Random.overflow)
        SimulationWarning("Overflow error.  See help file for details.");
    if (run.RoundOffFlag)
        SimulationWarning("Round-off error.  See help file for details.");
    ReportTruncations(model, run);
    ReportRepeatedDeviateWarnings(run.Random);

    StatusMessage("End of simulation.");
    model.state = kStateResults;
    InputsChanged = false;
    const TDateTime now = NowLocal();
    model.resultsdate = RunDateText(now).substr(0, 20);
    model.resultstime = RunTimeText(now).substr(0, 20);
    model.replicationsdone = run.ReplicationCount;
    replicationsDone = run.ReplicationCount;
    return run.ReplicationCount < requested ? TRunEnd::Stopped : TRunEnd::Completed;
}

}  // namespace

bool RunningFlag() { return gRunning; }

TRunState* ActiveRunState() { return gActive; }

bool RunSimulation(std::span<float> Trajectory, const TProgress& Progress, TRunOutcome* outcome)
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
    TRunningMark running;
    TCoravel& model = Info;
    bool resultsCleared = false;
    TRunInputs inputs;
    result.end = RunOrReportFailure(
        [&] {
            TRestoreInputs restore(inputs, model);
            StatusMessage("Please wait...");
            if (!Progress)
                throw std::logic_error("RunSimulation: no progress callback");
            if (model.duration < 0 || Trajectory.size() < static_cast<std::size_t>(model.duration) + 1)
                throw std::length_error("RunSimulation: trajectory shorter than the duration");
            std::fill(Trajectory.begin(), Trajectory.begin() + model.duration + 1, 0.0f);

            ValidateInput(model);
            if (model.state == kStateEmpty) {
                WarningMessage("Error in input data");
                return TRunEnd::InvalidInput;
            }
            return RunChecked(model, Trajectory, Progress, inputs, resultsCleared, result.replicationsDone);
        },
        // Stored results half overwritten are not results.
        [&] {
            if (resultsCleared && model.state == kStateResults)
                model.state = kStateInputs;
        });
    if (result.end == TRunEnd::Failed)
        result.replicationsDone = 0;
    if (outcome)
        *outcome = result;
    return result.end == TRunEnd::Completed || result.end == TRunEnd::Stopped || result.end == TRunEnd::Refused;
}
