// sp-produce on the marsh frog sample model: golden outputs of a fixed run
// (density dependence, trajectory, extinction and explosion risk, each as
// text and as comma-separated lines), results that survive a save, the check
// and the chart modes, and the exit status. The run's date and time are
// masked before comparing. PV_UPDATE_GOLDEN=1 rewrites the golden files.

#include "golden_output.h"

#include <string>

namespace {

const std::string kTool = SP_PRODUCE;
const std::string kData = std::string(PV_TEST_DATA) + "/tools/";
const std::string kModel = kData + "marsh_frogs.sp";

TToolResult Produce(const std::string& model, const std::string& args)
{
    return RunTool(kTool, "'" + model + "' " + args);
}

TEST(SpProduce, GoldenOutputsOfAFixedRun)
{
    const struct {
        int kind;
        const char* golden;
    } cases[] = {
        {1, "frogs_density_dependence"}, {3, "frogs_trajectory"},
        {4, "frogs_extinction_risk"},    {5, "frogs_explosion_risk"},
    };
    for (const auto& c : cases)
        for (const int mode : {2, 3})
            ExpectGoldenOutput(kTool, kModel, c.kind, mode, "2026", kData + c.golden + (mode == 2 ? ".txt" : ".csv"));
}

TEST(SpProduce, SavedResultsGiveTheSameOutput)
{
    TempDir dir;
    const std::string saved = dir.file("frogs_run.sp");
    // The risk curves come from whole numbers, which the file keeps exactly.
    for (const char* kind : {"4 3", "5 2"}) {
        const TToolResult fresh = Produce(kModel, std::string(kind) + " --run 777 --save '" + saved + "'");
        ASSERT_EQ(fresh.status, 0) << kind;
        const TToolResult loaded = Produce(saved, kind);
        ASSERT_EQ(loaded.status, 0) << kind;
        EXPECT_EQ(loaded.out, fresh.out) << kind;
    }
}

TEST(SpProduce, CheckAndChartModes)
{
    TToolResult r = Produce(kModel, "3 0");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Graph not available (no simulation results)\nfalse\n");
    r = Produce(kModel, "3 0 --run 5");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "true\n");

    r = Produce(kModel, "1 1");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"Density dependence in R\" font 14"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Population 1"), std::string::npos) << r.out;
}

TEST(SpProduce, ExitStatus)
{
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"'" + kModel + "' 4 2", 1},   // no results without a run
        {"'" + kModel + "' 2 2", 0},   // curves of the inputs need none
        {"'" + kModel + "' 6 2", 2},   // no such kind
        {"'" + kModel + "' 3 4", 2},   // no such mode
        {"'" + kData + "river_voles.mp' 1 2", 2},  // another program's file
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunTool(kTool, c.args).status, c.status) << c.args;
}

}  // namespace
