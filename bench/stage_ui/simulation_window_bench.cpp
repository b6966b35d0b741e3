// Prints what the simulation window adds to a run: the same model with the
// same seed run bare, as a batch run does it, and through the window on the
// offscreen platform with no delay (progress bar, status panels, event
// passes, the switch to the graph view and the live chart). Each is timed
// several times, alternately; the medians and the window's overhead in
// percent are printed.
//
//   bench_simulation_window [MODEL.st]     (default: the pond turtle sample)

#include "core/config.h"
#include "core/model_store.h"
#include "core/startup.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"
#include "stage_ui/simulation_form.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr const char* kSeed = "20261210";

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double BatchRun()
{
    Config.RandomSeed = kSeed;
    std::vector<float> trajectory(static_cast<std::size_t>(Info.duration) + 1, 0.0f);
    TRunOutcome outcome;
    const auto start = Clock::now();
    RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
    const auto end = Clock::now();
    if (outcome.end != TRunEnd::Completed)
        std::fprintf(stderr, "bench_simulation_window: the batch run did not complete\n");
    return Milliseconds(start, end);
}

double WindowRun(TSimulationForm& form)
{
    Config.RandomSeed = kSeed;
    form.show();
    QApplication::processEvents();
    const auto start = Clock::now();
    form.TimerTimer();
    const auto end = Clock::now();
    if (!form.Completed())
        std::fprintf(stderr, "bench_simulation_window: the window's run did not complete\n");
    form.hide();
    return Milliseconds(start, end);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string model = argc > 1 ? argv[1] : std::string(PV_EXAMPLES) + "/pond_turtle.st";

    ModelLimits limits = LimitsFromConfig(Config);
    limits.stages = std::min(limits.stages, kMaxStages);
    CreateModelStore(limits);
    ResultMemoryKind = kMainMemory;
    const int code = LoadModelFile(Info, model);
    if (code != kModelFileOk && code != kModelFileBadResults) {
        std::fprintf(stderr, "bench_simulation_window: %s did not load (code %d)\n", model.c_str(), code);
        return 1;
    }

    TSimulationForm form;
    std::vector<double> batch, window;
    for (int round = 0; round < kRounds; ++round) {
        batch.push_back(BatchRun());
        window.push_back(WindowRun(form));
    }
    const double b = Median(batch);
    const double w = Median(window);
    std::printf("model: %s (%d replications of %d steps)\n", model.c_str(), Info.replications, Info.duration);
    std::printf("batch run:          %8.2f ms (median of %d)\n", b, kRounds);
    std::printf("simulation window:  %8.2f ms (median of %d)\n", w, kRounds);
    std::printf("window overhead:    %8.1f %%\n", 100.0 * (w - b) / b);
    return 0;
}
