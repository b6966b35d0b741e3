#pragma once
// Set-up shared by the single-population tests: the program's model with
// 1000 replications and 500 time steps allocated, one population with the
// given texts, a recording message sink, a fixed seed, and warnings of a run
// collected.

#include "core/config.h"
#include "multi/messages.h"
#include "multi/model_data.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SingleModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedConfig_ = Config;
        Config.RandomSeed = "20261210";
        Config.StepDelay = 0;
        Config.LoadScales = false;
        multi::TMultiLimits limits;
        limits.MaxDuration = 500;
        limits.MaxReplications = 2000;
        multi::AllocateModel(m, limits);
        multi::SetWarningHandler([this](const std::string& text) { warnings.push_back(text); });
    }
    void TearDown() override
    {
        multi::SetWarningHandler({});
        Config = savedConfig_;
    }

    // The population's texts; the density-dependence type by its code.
    multi::PopulationRecord& Population(std::uint8_t type, const std::string& n0, const std::string& r,
                                        const std::string& k = "", const std::string& sd = "",
                                        const std::string& survival = "")
    {
        multi::PopulationRecord& pop = m.Populations[1];
        pop.DDType = type;
        pop.InitialAbundanceText = n0;
        pop.GrowthRateText = r;
        pop.CarryingCapacityText = k;
        pop.StdDevOfRText = sd;
        pop.SurvivalText = survival;
        return pop;
    }

    void Counts(std::int32_t replications, std::int32_t duration)
    {
        m.Replications = replications;
        m.Duration = duration;
    }

    multi::TMultiModel m;
    RecordingSink sink;
    std::vector<std::string> warnings;

private:
    ConfigType savedConfig_;
};
