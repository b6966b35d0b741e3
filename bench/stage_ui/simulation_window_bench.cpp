// Prints what the simulation window adds to a run: the same model with the
// same seed run bare, as a batch run does it, and through the window on the
// offscreen platform with no delay (progress bar, status panels, event
// passes, the switch to the graph view and the live chart). Each is timed
// several times, alternately, in processor time of the thread (so that other
// work on the machine does not count) and in wall-clock time; the medians
// and the window's overhead in percent are printed. Both runs start with the
// vector registers cleared (as a batch program without windows has them), so
// that what the window's Qt code leaves behind does not slow the bare run.
//
//   bench_simulation_window [MODEL.st]     (default: the pond turtle sample)

#include "core/config.h"
#include "stage/model_store.h"
#include "stage/startup.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"
#include "stage_ui/simulation_form.h"
#include "ui/vector_state.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 21;
constexpr const char* kSeed = "20261210";

// Processor time of this thread and wall-clock time, in milliseconds.
struct TTimes {
    double cpu = 0;
    double wall = 0;
};

TTimes Now()
{
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    const auto wall = std::chrono::steady_clock::now().time_since_epoch();
    return {cpu.tv_sec * 1e3 + cpu.tv_nsec * 1e-6, std::chrono::duration<double, std::milli>(wall).count()};
}

TTimes Between(const TTimes& from, const TTimes& to) { return {to.cpu - from.cpu, to.wall - from.wall}; }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TTimes BatchRun()
{
    Config.RandomSeed = kSeed;
    std::vector<float> trajectory(static_cast<std::size_t>(Info.duration) + 1, 0.0f);
    TRunOutcome outcome;
    ClearVectorState();
    const TTimes start = Now();
    RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome);
    const TTimes end = Now();
    if (outcome.end != TRunEnd::Completed)
        std::fprintf(stderr, "bench_simulation_window: the batch run did not complete\n");
    return Between(start, end);
}

TTimes WindowRun(TSimulationForm& form)
{
    Config.RandomSeed = kSeed;
    form.show();
    QApplication::processEvents();
    const TTimes start = Now();
    form.TimerTimer();
    const TTimes end = Now();
    if (!form.Completed())
        std::fprintf(stderr, "bench_simulation_window: the window's run did not complete\n");
    form.hide();
    return Between(start, end);
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
    std::vector<double> batchCpu, batchWall, windowCpu, windowWall;
    for (int round = 0; round < kRounds; ++round) {
        const TTimes b = BatchRun();
        const TTimes w = WindowRun(form);
        batchCpu.push_back(b.cpu);
        batchWall.push_back(b.wall);
        windowCpu.push_back(w.cpu);
        windowWall.push_back(w.wall);
    }
    std::printf("model: %s (%d replications of %d steps), medians of %d runs\n", model.c_str(), Info.replications,
                Info.duration, kRounds);
    std::printf("                      processor     wall clock\n");
    const auto line = [](const char* name, double cpu, double wall) {
        std::printf("%-20s %9.2f ms   %9.2f ms\n", name, cpu, wall);
    };
    const double bc = Median(batchCpu), bw = Median(batchWall), wc = Median(windowCpu), ww = Median(windowWall);
    line("batch run", bc, bw);
    line("simulation window", wc, ww);
    std::printf("%-20s %9.1f %%    %9.1f %%\n", "window overhead", 100.0 * (wc - bc) / bc, 100.0 * (ww - bw) / bw);
    return 0;
}
