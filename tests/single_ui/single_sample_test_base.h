#pragma once
// What the tests of the single-population program's windows share: the
// moor-frog sample (one population, 500 replications of 30 time steps) in
// the engine's model, the program's kind table and a fixed seed, put back
// as they were afterwards.

#include "chart/scale_info.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "single/model_file.h"

#include <gtest/gtest.h>

#include <string>

class SingleSampleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table_ = CurrentKindTable();
        SelectKindTable(TKindTable::Monovara);
        multi::StartMultiEngine(multi::TMultiLimits{});
        ASSERT_EQ(single::LoadModelFile(multi::Model, std::string(PV_EXAMPLES) + "/marsh_frogs.sp"), kModelFileOk);
        Config.RandomSeed = "777";
    }
    void TearDown() override
    {
        Config.RandomSeed = "0";
        SelectKindTable(table_);
    }

private:
    TKindTable table_ = TKindTable::Strativa;
};
