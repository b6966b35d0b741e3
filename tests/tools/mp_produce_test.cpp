// mp-produce on the water-vole sample model: golden outputs of a fixed run
// (dispersal, trajectory, structure, occupancy and extinction risk, each as
// text and as comma-separated lines), results that survive a save, the check
// and the chart modes, and the exit status. The run's date and time are
// masked before comparing. PV_UPDATE_GOLDEN=1 rewrites the golden files.

#include "golden_output.h"

#include <string>

namespace {

const std::string kTool = MP_PRODUCE;
const std::string kData = std::string(PV_TEST_DATA) + "/tools/";
const std::string kModel = kData + "river_voles.mp";

TToolResult Produce(const std::string& model, const std::string& args)
{
    return RunTool(kTool, "'" + model + "' " + args);
}

TEST(MpProduce, GoldenOutputsOfAFixedRun)
{
    const struct {
        int kind;
        const char* golden;
    } cases[] = {
        {3, "voles_dispersal"}, {7, "voles_trajectory"}, {8, "voles_structure"},
        {9, "voles_occupancy"}, {10, "voles_extinction_risk"},
    };
    for (const auto& c : cases)
        for (const int mode : {2, 3})
            ExpectGoldenOutput(kTool, kModel, c.kind, mode, "12345", kData + c.golden + (mode == 2 ? ".txt" : ".csv"));
}

TEST(MpProduce, SavedResultsGiveTheSameOutput)
{
    TempDir dir;
    const std::string saved = dir.file("voles_run.mp");
    const TToolResult fresh = Produce(kModel, "10 3 --run 777 --save '" + saved + "'");
    ASSERT_EQ(fresh.status, 0);
    const TToolResult loaded = Produce(saved, "10 3");
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.out, fresh.out);
}

TEST(MpProduce, CheckAndChartModes)
{
    TToolResult r = Produce(kModel, "7 0");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error: Graph not available (no simulation results)\nfalse\n");
    r = Produce(kModel, "7 0 --run 5");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "true\n");

    r = Produce(kModel, "3 1");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("TextOut (320,19) \"Dispersal\" font 14"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("TextOut (1,1) \"Total rate of dispersal from Population 1 (\"Mill pond\") = 0.022\" font 8"),
              std::string::npos)
        << r.out;
}

TEST(MpProduce, ExitStatus)
{
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"'" + kModel + "' 10 2", 1},             // no results without a run
        {"'" + kModel + "' 1 2", 0},              // curves of the inputs need none
        {"'" + kModel + "' 12 2", 2},             // no such kind
        {"'" + kModel + "' 7 4", 2},              // no such mode
        {"'" + kModel + "' 7", 2},
        {"'" + kModel + "' 7 2 --seed 5", 2},
        {"'" + kModel + "' 7 2 --run 5 --run 6", 2},
        {"'" + kData + "missing.mp' 1 2", 2},
        {"'" + kModel + "' 7 2 --run 5 --save '/nonexistent/dir/x.mp'", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunTool(kTool, c.args).status, c.status) << c.args;
}

}  // namespace
