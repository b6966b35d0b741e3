#include "stage/eigen_model.h"

#include "matrix_rows.h"

#include "core/batch_log.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void SetMatrix(const std::vector<std::vector<double>>& rows) { SetMatrixRows(Info, Info.stagematrix[1], rows); }

std::vector<double> Row(int p)
{
    std::vector<double> v;
    for (int s = 1; s <= Info.stages; ++s) v.push_back(Info.initialabundance[p][s]);
    return v;
}

class EVectorTest : public testing::Test {
protected:
    void SetUp() override
    {
        CreateModelStore(ModelLimits{});
        for (int p = 1; p <= 3; ++p) {
            Info.populations[p].matrixindex = 1;
            Info.fecmultiplier[p] = 1;
            Info.survmultiplier[p] = 1;
        }
    }
    RecordingSink sink_;
};

} // namespace

TEST_F(EVectorTest, StableDistributionSplitsTheTotal)
{
    struct Case {
        std::string name;
        std::vector<std::vector<double>> matrix;
        std::int32_t total;
        std::vector<double> counts;
    };
    const std::vector<Case> cases = {
        {"Leslie", {{0, 4, 3}, {0.5, 0, 0}, {0, 0.25, 0}}, 100, {72, 24, 4}},
        // Periodic: every power has one non-zero per row, so the vector of
        // plain repeated products never settles.
        {"periodic", {{0, 0, 6}, {0.5, 0, 0}, {0, 1.0 / 3, 0}}, 1000, {600, 300, 100}},
        // Nothing reproduces: stage 1 empties out.
        {"empty first row", {{0, 0}, {1, 0.5}}, 10, {0, 10}},
        {"equal thirds", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 100, {34, 33, 33}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SetMatrix(c.matrix);
        Info.pops = 1;
        Info.initialtotal[1] = c.total;
        EVector(Info, kEVectorStableDistribution, 0, 1);
        EXPECT_EQ(Row(1), c.counts);
    }
}

TEST_F(EVectorTest, ChoosesTheMatrixAndStopsOnAMismatch)
{
    SetMatrix({{0, 4, 3}, {0.5, 0, 0}, {0, 0.25, 0}});
    Info.pops = 2;
    Info.initialtotal[1] = 100;
    Info.initialtotal[2] = 1000;
    Info.fecmultiplier[2] = 2;  // lambda^3 = 4 lambda + 0.75
    EXPECT_TRUE(EVector(Info, kEVectorStableDistribution, 0, 2));
    EXPECT_EQ(Row(1), (std::vector<double>{72, 24, 4}));
    // w = (1, 0.5 / lambda, 0.125 / lambda^2): 788.7, 188.7, 22.6, and
    // the one too many comes off the largest stage
    EXPECT_EQ(Row(2), (std::vector<double>{788, 189, 23}));
    EXPECT_FLOAT_EQ(Info.workmatrix[1][2], 8.0f);

    // One population's matrix into population 1's slots.
    Info.initialtotal[1] = 1000;
    EXPECT_TRUE(EVector(Info, kEVectorStableDistribution, 1, 2));
    EXPECT_EQ(Row(1), (std::vector<double>{788, 189, 23}));

    EXPECT_TRUE(EVector(Info, kEVectorReproductiveValues, 1, 0));
    const std::vector<double> v = Row(1);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_NEAR(v[0], 1, 1e-6);
    EXPECT_NEAR(v[1], 3, 1e-6);
    EXPECT_NEAR(v[2], 2, 1e-6);
    EXPECT_NEAR(Info.stagework[2], 3.0f, 1e-5);

    const struct {
        int type, pop;
        std::string message;
    } stops[] = {
        {2, 1, "Error in EVector: matrix does not match Pop.!"},
        {0, 1, "Error in EVector: matrix=0, but Pop<>pops"},
    };
    for (const auto& s : stops) {
        try {
            EVector(Info, kEVectorStableDistribution, s.type, s.pop);
            ADD_FAILURE() << "no stop for " << s.message;
        } catch (const ProgramStopped& e) {
            EXPECT_EQ(std::string(e.what()), s.message);
        }
    }
}
