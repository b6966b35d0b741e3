#pragma once
// Shared set-up of the model file tests: a store with room for ten
// populations, seven stages, three matrix types and 120 time steps, the
// configuration limits to match, a recording message sink and a temporary
// folder.

#include "core/config.h"
#include "stage/model_store.h"
#include "stage/results_section.h"
#include "stage/stage_file.h"
#include "support/file_lines.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class StageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedConfig_ = Config;
        Config.MaxPopulations = 10;
        Config.MaxStages = 7;
        Config.MaxDuration = 120;
        Config.MaxReplications = 1000;
        Config.LoadScales = false;
        Config.MapName.clear();
        ModelLimits limits;
        limits.pops = 10;
        limits.stages = 7;
        limits.duration = 120;
        limits.replications = 1000;
        limits.matrices = 3;
        model.Create(limits);
        model.state = kStateEmpty;
        InputsChanged = false;
        SetDiskSpaceProvider({});
    }
    void TearDown() override
    {
        Config = savedConfig_;
        SetDiskSpaceProvider({});
    }

    static std::string DataFile(const std::string& name) { return std::string(PV_TEST_DATA) + "/stage/" + name; }

    bool Warned(const std::string& text) const { return sink.HasBox(text); }
    std::string Boxes() const { return sink.BoxTexts(); }

    TCoravel model;
    RecordingSink sink;
    TempDir dir;

private:
    ConfigType savedConfig_;
};
