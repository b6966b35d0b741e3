// Golden outputs of st-produce for a fixed model and seed: a trajectory, a
// risk and a stage kind, each as text and as comma-separated lines. The run's
// date and time differ from run to run and are masked before comparing.
// PV_UPDATE_GOLDEN=1 rewrites the golden files from the current output.

#include "core/config.h"
#include "stage/model_store.h"
#include "stage/results_section.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"
#include "golden_output.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kTool = ST_PRODUCE;
const std::string kData = std::string(PV_TEST_DATA) + "/tools/";
const std::string kModel = kData + "heath_shrub.st";

TToolResult RunTool(const std::string& args) { return ::RunTool(kTool, args); }

TEST(StProduce, GoldenOutputsOfAFixedRun)
{
    const struct {
        int kind;
        int mode;
        const char* golden;
    } cases[] = {
        {19, 2, "trajectory.txt"}, {19, 3, "trajectory.csv"},
        {26, 2, "extinction_risk.txt"}, {26, 3, "extinction_risk.csv"},
        {17, 2, "stable_distribution.txt"}, {17, 3, "stable_distribution.csv"},
    };
    for (const auto& c : cases)
        ExpectGoldenOutput(kTool, kModel, c.kind, c.mode, "12345", kData + c.golden);
}

TEST(StProduce, SameSeedSameOutput)
{
    const auto a = RunTool("'" + kModel + "' 27 3 --run 777");
    const auto b = RunTool("'" + kModel + "' 27 3 --run 777");
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(MaskRunTime(a.out), MaskRunTime(b.out));
}

// A model saved with its results gives its results without a new run.
TEST(StProduce, ResultsLoadedFromTheModelFile)
{
    TempDir dir;
    const std::string saved = dir.file("with_results.st");
    CreateModelStore(ModelLimits{});
    ASSERT_EQ(LoadModelFile(Info, kModel), kModelFileOk);
    Config.RandomSeed = "12345";
    std::vector<float> trajectory(static_cast<std::size_t>(Info.duration) + 1, 0.0f);
    ASSERT_TRUE(RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }));
    ASSERT_EQ(SaveModelFile(Info, saved), kModelFileOk);
    FreeModelStore();

    const TToolResult fresh = RunTool("'" + kModel + "' 26 2 --run 12345");
    const TToolResult loaded = RunTool("'" + saved + "' 26 2");
    ASSERT_EQ(loaded.status, 0);
    EXPECT_NE(loaded.out.find("  200 replications;  Duration = 30"), std::string::npos) << loaded.out;
    EXPECT_EQ(std::count(loaded.out.begin(), loaded.out.end(), '\n'),
              std::count(fresh.out.begin(), fresh.out.end(), '\n'));
}

TEST(StProduce, ExitStatus)
{
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"'" + kModel + "' 19 2", 1},           // no results without a run
        {"'" + kModel + "' 17 2", 0},           // inputs kinds need none
        {"'" + kModel + "' 6 2", 1},            // never produced
        {"'" + kModel + "' 19 1", 2},           // charts are not printed
        {"'" + kModel + "' 40 2", 2},
        {"'" + kModel + "' 19", 2},
        {"'" + kModel + "' 19 2 --seed 5", 2},
        {"'" + kData + "missing.st' 17 2", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(RunTool(c.args).status, c.status) << c.args;
}

}  // namespace
