#include "single/run_simulation.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/messages.h"
#include "multi/run_simulation.h"
#include "single/live_chart.h"
#include "single/plot_buffer.h"
#include "single/validate_input.h"

#include <algorithm>

namespace single {

TRunEndTexts LastRunEnd;

namespace {

void ReportTheRun(const multi::TMultiModel& model)
{
    const multi::InfoType& info = model.Info;
    for (const std::string* text : {&info.Title, &info.Comment1, &info.Comment2, &info.Comment3, &info.Comment4})
        StatusMessage(*text);
    if (BatchMode)
        StatusMessage("Batch run... File: " + ModelFileName);
    const std::string steps = std::to_string(model.Duration) + " time steps";
    if (model.Replications > 0)
        StatusMessage("Stochastic simulation with " + std::to_string(model.Replications) + " replications and " +
                      steps);
    else
        StatusMessage("Deterministic simulation with " + steps);
}

// The time axis of the live chart; the buffer holds the first 161 steps of a
// longer run.
void PrepareLiveChart(const multi::TMultiModel& model)
{
    const int last = std::min(model.Duration, TPlotBuffer::kPoints - 1);
    for (int t = 0; t <= last; ++t)
        PlotBuffer.PlotX[static_cast<std::size_t>(t)] = static_cast<float>(t);
    for (int t = 1; t <= last; ++t)
        PlotBuffer.PlotMean[static_cast<std::size_t>(t)] = 0.0f;
    TrajectoryChart.SetUp = false;
}

}  // namespace

bool RunSimulation(multi::TMultiModel& model, const TProgress& Progress, TRunOutcome* outcome)
{
    multi::TRunVariant variant;
    variant.validate = ValidateInput;
    variant.linkPopulations = false;
    variant.beforeReplications = [](multi::TMultiModel& m) {
        PrepareLiveChart(m);
        ReportTheRun(m);
    };
    const bool ended = multi::RunSimulation(model, Progress, outcome, variant);
    if (ended) {
        LastRunEnd.Date = model.ResultDate;
        LastRunEnd.Time = model.ResultTime;
    }
    return ended;
}

bool RunActive() { return multi::ActiveRun() != nullptr; }

}  // namespace single
