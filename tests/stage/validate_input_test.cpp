#include "stage/validate_input.h"

#include "matrix_rows.h"

#include "core/batch_log.h"
#include "stage/eigen.h"
#include "stage/eigen_model.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

void SetMatrix(const std::vector<std::vector<double>>& rows) { SetMatrixRows(Info, Info.stagematrix[1], rows); }

// One exponential population of 100 in stage 1, the 3-stage Leslie matrix
// with lambda 1.5, 20 time steps.
class ValidateInputTest : public testing::Test {
public:
    void SetUp() override
    {
        CreateModelStore(ModelLimits{});
        ForgetRateMultipliers();
        SetMatrix({{0, 4, 3}, {0.5, 0, 0}, {0, 0.25, 0}});
        Info.duration = 20;
        Info.initialabundance[1][1] = 100;
    }

    ManagementRecord& AddAction(std::uint8_t kind)
    {
        ManagementRecord& a = Info.actions[++Info.actioncount];
        a.active = true;
        a.kind = kind;
        a.firststage = a.laststage = 1;
        a.frompop = a.topop = 1;
        a.begintime = 1;
        a.endtime = 10;
        a.period = 1;
        a.condition = kind == 1 ? 1 : (kind == 0 ? 2 : 0);
        return a;
    }

    void AddPopulation(const std::string& name)
    {
        const int p = ++Info.pops;
        Info.populations[p].name = name;
        Info.populations[p].matrixindex = 1;
        Info.initialabundance[p][1] = 50;
    }

    RecordingSink sink_;
};

} // namespace

TEST_F(ValidateInputTest, FaultsAreListedWithTheirTexts)
{
    struct Case {
        std::string name;
        std::function<void(ValidateInputTest&)> setup;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"valid model", [](ValidateInputTest&) {}, {}},
        {"zero matrix", [](ValidateInputTest&) { SetMatrix({{0, 0}, {0, 0}}); },
         {"Invalid input: Stage matrix (1)"}},
        {"contest Rmax below 1",
         [](ValidateInputTest&) {
             Info.populations[1].ddtype = 2;
             Info.populations[1].rmaxtext = "0.8";
             Info.populations[1].ktext = "500";
         },
         {"Invalid input: Rmax (1)"}},
        {"scramble without K",
         [](ValidateInputTest&) {
             Info.populations[1].ddtype = 1;
             Info.populations[1].rmaxtext = "1.2";
         },
         {"Invalid input: K (1)"}},
        {"ceiling K not a number",
         [](ValidateInputTest&) {
             Info.populations[1].ddtype = 3;
             Info.populations[1].ktext = "lots";
         },
         {"Invalid input: K (1)"}},
        {"harvest ends before it begins",
         [](ValidateInputTest& t) {
             ManagementRecord& a = t.AddAction(0);
             a.begintime = 10;
             a.endtime = 5;
         },
         {"Invalid input: Begin time > End time for Harvest (1)"}},
        {"times and period outside the duration",
         [](ValidateInputTest& t) {
             ManagementRecord& a = t.AddAction(0);
             a.begintime = -1;
             a.endtime = 21;
             a.period = 0;
         },
         {"Invalid input: Begin time for Harvest (1)", "Invalid input: \rEnd time for Harvest (1)",
          "Invalid input: Period for Harvest (1)"}},
        {"stages and populations out of range",
         [](ValidateInputTest& t) {
             ManagementRecord& a = t.AddAction(1);
             a.laststage = 4;
             a.topop = 2;
         },
         {"Invalid input: \nStage for Introduction (1)", "Invalid input: Populations for Introduction (1)"}},
        {"amounts out of range",
         [](ValidateInputTest& t) {
             t.AddAction(0).number = -5;
             ManagementRecord& b = t.AddAction(0);
             b.amountkind = 1;
             b.proportion = 1.5f;
         },
         {"Invalid input: Pop. management: Harvest Number is out of range (1)",
          "Invalid input: Pop. management: Harvest proportion is out of range (2)"}},
        {"conditions that cannot hold",
         [](ValidateInputTest& t) {
             t.AddAction(0).condition = 1;
             t.AddAction(1).condition = 2;
             ManagementRecord& c = t.AddAction(1);
             c.amountkind = 1;
             c.proportion = 0.5f;
             t.AddAction(0).threshold = -3;
         },
         {"Invalid input: Condition for harvest must be \"If N >\" (1)",
          "Invalid input: Condition for introduction must be \"If N <\" (2)",
          "Invalid input: Introduction cannot be proportional; use \"Number\" instead. (3)",
          "Invalid input: Pop. management: Conditional Harvest (4)"}},
        {"translocation within one population",
         [](ValidateInputTest& t) { t.AddAction(2); },
         {"Invalid input: For Translocation, \"from\" and \"to\" must be different populations. (1)"}},
        {"equal population names with management",
         [](ValidateInputTest& t) {
             t.AddPopulation("Pop 1");
             t.AddAction(0);
         },
         {"Invalid input: Please supply a unique name for population (1)"}},
        {"equal population names without management", [](ValidateInputTest& t) { t.AddPopulation("Pop 1"); }, {}},
        {"equal stage names",
         [](ValidateInputTest&) { Info.stageprops[3].name = "Stage 1"; },
         {"Invalid input: Please supply a unique name for stage (3)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        sink_.warnings.clear();
        c.setup(*this);
        ValidateInput(Info);
        EXPECT_EQ(sink_.warnings, c.warnings);
        EXPECT_EQ(Info.state, c.warnings.empty() ? kStateInputs : kStateEmpty);
    }
}

TEST_F(ValidateInputTest, ShortCircuitsAndRepairs)
{
    // A failing matrix without a name gets "?", and nothing else is checked.
    SetMatrix({{0, 0}, {0, 0}});
    Info.matrixheaders[1].name = "";
    Info.populations[1].ddtype = 2;  // would be a K fault
    ValidateInput(Info);
    EXPECT_EQ(Info.matrixheaders[1].name, "?");
    EXPECT_EQ(sink_.warnings, std::vector<std::string>{"Invalid input: Stage matrix (1)"});

    SetUp();
    Info.pops = 0;
    ValidateInput(Info);
    EXPECT_EQ(Info.state, kStateEmpty);
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].text, "Invalid population data");

    // Texts become numbers; the neutral settings are imposed.
    SetUp();
    AddPopulation("B");
    Info.initialabundance[1][2] = 0.3;  // 100.3 rounds to 100
    Info.initialabundance[2][1] = 0.4;  // below 0.5: total 0
    Info.populations[1].rmaxtext = " 1.5 ";
    Info.populations[1].matrixindex = 0;
    Info.populations[2].matrixindex = 7;
    Info.stageprops[2].name = "";
    Info.stageprops[2].value1text = "-2";
    Info.stageprops[3].value2text = "0.25";
    Info.catmult1[1] = 0.5f;
    Info.catprob2[2] = 0.3f;
    ValidateInput(Info);
    EXPECT_EQ(Info.state, kStateInputs);
    EXPECT_EQ(Info.initialtotal[1], 100);
    EXPECT_EQ(Info.initialtotal[2], 0);
    EXPECT_FLOAT_EQ(Info.rmax[1], 1.5f);
    EXPECT_EQ(Info.populations[1].matrixindex, 1);
    EXPECT_EQ(Info.populations[2].matrixindex, 1);
    // Exponential populations: K is the initial total, at least 1.
    EXPECT_FLOAT_EQ(Info.capacity[1], 100.0f);
    EXPECT_FLOAT_EQ(Info.capacity[2], 1.0f);
    EXPECT_EQ(Info.stageprops[2].name, "Stage 2");
    EXPECT_EQ(Info.stageprops[2].value1text, "1");
    EXPECT_FLOAT_EQ(Info.stagedispersal[1][2], 1.0f);
    EXPECT_FLOAT_EQ(Info.stageweight[3], 0.25f);
    EXPECT_FLOAT_EQ(Info.catmult1[1], 1.0f);
    EXPECT_FLOAT_EQ(Info.catprob2[2], 0.0f);
}

TEST_F(ValidateInputTest, ManagementThresholdsAndFlag)
{
    struct Case {
        std::uint8_t kind, condition;
        std::int32_t threshold, expected;
    };
    const Case cases[] = {
        {0, 2, 50, 50}, {0, 0, 50, 0}, {1, 1, 40, 40}, {1, 0, 40, 0}, {2, 1, 30, 30}, {2, 0, 30, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.condition));
        SetUp();
        AddPopulation("B");
        ManagementRecord& a = AddAction(c.kind);
        a.condition = c.condition;
        a.threshold = c.threshold;
        a.topop = 2;
        ValidateInput(Info);
        EXPECT_EQ(a.thresholdn, c.expected);
        EXPECT_EQ(a.threshold, c.threshold);  // what was entered stays stored
        EXPECT_TRUE(Info.mgmtactive);
    }
    // A fault anywhere leaves management off.
    SetUp();
    AddAction(0).begintime = 30;
    ValidateInput(Info);
    EXPECT_FALSE(Info.mgmtactive);

    // Any action turns management on, also one switched off (its faults are
    // not checked), and with it the check of population names.
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active action" : "inactive action");
        SetUp();
        AddPopulation("A");
        Info.populations[1].name = "A";
        ManagementRecord& a = AddAction(0);
        a.active = active;
        a.begintime = 30;  // a fault only where the action is active
        ValidateInput(Info);
        EXPECT_EQ(Info.mgmtactive, !active);
        const std::string names = "Invalid input: Please supply a unique name for population (1)";
        EXPECT_EQ(std::count(sink_.warnings.begin(), sink_.warnings.end(), names), active ? 0 : 1);
        EXPECT_EQ(Info.state, kStateEmpty);
    }
    SetUp();
    AddPopulation("");
    Info.populations[1].name = "";
    ValidateInput(Info);  // no actions: names are not checked
    EXPECT_FALSE(Info.mgmtactive);
    EXPECT_EQ(Info.state, kStateInputs);
}

// The initial total is the sum of the stages rounded as every count is: to
// the nearest, halves to even.
TEST_F(ValidateInputTest, InitialTotalRoundsHalvesToEven)
{
    const std::pair<std::vector<double>, std::int32_t> cases[] = {
        {{2.5, 3.0, 1.0}, 6}, {{7.5, 0, 0}, 8}, {{0.25, 0.25, 0}, 0}, {{1.25, 0.25, 0}, 2}, {{100, 0.3, 0}, 100},
    };
    for (const auto& [stages, total] : cases) {
        SetUp();
        for (int s = 1; s <= 3; ++s)
            Info.initialabundance[1][s] = stages[static_cast<std::size_t>(s - 1)];
        ValidateInput(Info);
        EXPECT_EQ(Info.initialtotal[1], total) << stages[0] << " " << stages[1] << " " << stages[2];
    }
}

TEST_F(ValidateInputTest, RateMultiplierFollowsEveryInputItDependsOn)
{
    // Two stages: scaling every rate by m gives lambda = m sqrt(0.05) until
    // the survival 0.5 m is held at 1, then lambda = sqrt(0.1 m); scaling
    // the fecundity f alone gives lambda = sqrt(0.5 f m).
    SetMatrix({{0, 0.1}, {0.5, 0}});
    const double free = 1.0 / std::sqrt(0.05);
    struct Case {
        std::string name;
        std::function<void()> change;
        double expected;
    };
    const std::vector<Case> cases = {
        {"constraints held", [] {}, 10.0},
        {"ignore constraints, nothing marked", [] { Info.ignoreconstraints = true; }, free},
        {"constraints held again", [] { Info.ignoreconstraints = false; }, 10.0},
        {"fecundities only", [] { Info.ddaffects = 1; }, 20.0},
        {"matrix edited, nothing marked", [] { Info.stagematrix[1][1][2] = 0.4f; }, 5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        ValidateInput(Info);
        ASSERT_EQ(Info.state, kStateInputs);
        EXPECT_NEAR(Info.ddmultiplier[1], c.expected, 1e-3 * c.expected);
        EXPECT_FALSE(Info.matrixchanged[1]);
        EXPECT_FALSE(Info.popchanged[1]);
    }

    // Rmax 1 gives exactly the multiplier for growth rate 1.
    SetUp();
    ValidateInput(Info);
    EXPECT_NEAR(Info.ddmultiplier[1], 2.0 / 3.0, 1e-4);
    EXPECT_EQ(FindRateMultiplier(PopulationStageMatrix(Info, 1), 1.0, DDAffects::AllVitalRates, false),
              Info.ddmultiplier[1]);
}

TEST_F(ValidateInputTest, BatchRunLogsWhyInputIsInvalid)
{
    TempDir dir;
    ResetBatchLog();
    BatchMode = true;
    ASSERT_TRUE(OpenBatchLogFile(dir.file("run.log")));
    ReportInvalidInput(Info, "Rmax", 2);
    CloseBatchLog();
    ResetBatchLog();
    EXPECT_EQ(ReadAll(dir.file("run.log")), "      Invalid input: Rmax (2)\r\n");
    EXPECT_EQ(sink_.warnings, std::vector<std::string>{"Invalid input: Rmax (2)"});
    EXPECT_EQ(Info.state, kStateEmpty);
}

TEST_F(ValidateInputTest, StageMatrixRepairs)
{
    struct Case {
        std::string name;
        std::vector<std::vector<double>> matrix;
        bool ignore;
        std::vector<std::vector<double>> repaired;
        std::vector<std::string> warnings;
    };
    const std::string w1 = "Stage matrix elements cannot be less than zero.";
    const std::string w2 = "Stage matrix elements after row 1 cannot be greater than one.";
    const std::string w3 = "Stage matrix elements after row 1 must sum up to less than one.";
    const std::vector<Case> cases = {
        {"column sum above one", {{0, 4, 3}, {0.7, 0, 0}, {0.5, 0.25, 0}}, false,
         {{0, 4, 3}, {0.583333, 0, 0}, {0.416667, 0.25, 0}}, {w3}},
        {"negative and above one", {{-1, 4, 3}, {1.5, 0, 0}, {0, 0.25, 0}}, false,
         {{0, 4, 3}, {1, 0, 0}, {0, 0.25, 0}}, {w1, w2}},
        {"fecundity above one is fine", {{0, 40, 3}, {0.5, 0, 0}, {0, 0.25, 0}}, false,
         {{0, 40, 3}, {0.5, 0, 0}, {0, 0.25, 0}}, {}},
        {"constraints ignored", {{0, 4, -3}, {1.5, 0, 0}, {0.5, 0.25, 0}}, true,
         {{0, 4, 0}, {1.5, 0, 0}, {0.5, 0.25, 0}}, {w1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        sink_.boxes.clear();
        Info.matrixchanged[1] = false;
        Info.ignoreconstraints = c.ignore;
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j)
                Info.stagematrix[1][i][j] = static_cast<float>(c.matrix[i - 1][j - 1]);
        CheckAllStageMatrices(Info);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j)
                EXPECT_NEAR(Info.stagematrix[1][i][j], c.repaired[i - 1][j - 1], 1e-5) << i << "," << j;
        std::vector<std::string> shown;
        for (const RecordedBox& b : sink_.boxes) shown.push_back(b.text);
        EXPECT_EQ(shown, c.warnings);
        EXPECT_EQ(Info.matrixchanged[1], !c.warnings.empty());
    }
}
