#include "multi/time_step.h"

#include <gtest/gtest.h>

#include <vector>

using namespace multi;

// Rounded dispersers can outnumber their source: up to ten surplus are taken
// one by one from the largest target (the lowest-numbered among equals), more
// scale every target's count by the source over the total drawn.
TEST(MultiTimeStep, DispersersNeverOutnumberTheirSource)
{
    struct Case {
        const char* what;
        std::int32_t source;
        float rate;
        std::vector<std::int32_t> after;
    };
    const Case cases[] = {
        {"two surplus", 10, 0.6f, {0, 5, 5}},
        {"twelve surplus", 30, 0.7f, {0, 15, 15}},
        {"no surplus", 10, 0.3f, {4, 3, 3}},
    };
    for (const Case& c : cases) {
        TMultiModel m;
        TMultiLimits limits;
        limits.MaxPops = 3;
        AllocateModel(m, limits);
        m.DispersalMatrix[2][1] = m.DispersalMatrix[3][1] = c.rate;
        TMultiRun run;
        run.Allocate(3, 1);
        run.Abundance[1] = c.source;
        DisperseIndividuals(m, run);
        EXPECT_EQ(std::vector<std::int32_t>(run.Abundance.begin(), run.Abundance.end()), c.after) << c.what;
        EXPECT_FALSE(m.OverflowFlag) << c.what;
    }
}
