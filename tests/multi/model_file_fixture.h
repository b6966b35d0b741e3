#pragma once
// Shared set-up of the multi-population model file tests: a model with the
// map program's limits (22 populations, 50 time steps, 1000 replications),
// the side-file option off, a recording message sink and a temporary folder.

#include "core/config.h"
#include "multi/messages.h"
#include "multi/model_file.h"
#include "sim/results_section.h"
#include "support/file_lines.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class MultiModelFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedConfig_ = Config;
        Config.LoadScales = false;
        multi::SetWarningHandler({});
        SetDiskSpaceProvider({});
        multi::AllocateModel(model, multi::TMultiLimits{});
    }
    void TearDown() override
    {
        Config = savedConfig_;
        SetDiskSpaceProvider({});
    }

    static std::string DataFile(const std::string& name) { return std::string(PV_TEST_DATA) + "/multi/" + name; }
    static std::string ExampleFolder() { return std::string(PV_TEST_DATA) + "/../../examples"; }

    bool Warned(const std::string& text) const { return sink.HasBox(text); }
    std::string Boxes() const { return sink.BoxTexts(); }

    // The model as a completed run leaves it: every result array filled with
    // values across the layouts of the short number text.
    void FillResults(int replications, float extinction = 12.0f, float explosion = 480.5f)
    {
        static constexpr float kValues[] = {0.0f, 0.0004567f, 0.5f, 1.2345f, 12.345f, 999.96f, 1234.6f, 2.5e9f, 87.5f};
        auto value = [](int k) { return kValues[static_cast<std::size_t>(k) % std::size(kValues)]; };
        const int T = model.Duration, P = model.PopCount;
        model.TimeBinWidth = 1;
        model.ExtinctionThreshold = extinction;
        model.ExplosionThreshold = explosion;
        for (int t = 1; t <= T; ++t) {
            model.TotalMean[t] = value(t);
            model.TotalStdDev[t] = value(t + 3);
            model.TotalMin[t] = static_cast<float>(t);
            model.TotalMax[t] = static_cast<float>(10 * t);
            model.OccupancyMean[t] = value(t + 1);
            model.OccupancyStdDev[t] = 0.25f;
            model.OccupancyMin[t] = 0;
            model.OccupancyMax[t] = static_cast<float>(P);
            for (int p = 1; p <= P; ++p) {
                model.PopMean[p][t] = value(t * p + 2);
                model.PopStdDev[p][t] = value(t + p);
                model.PopMin[p][t] = t * p;
                model.PopMax[p][t] = 1000 * t + p;
            }
        }
        for (int p = 1; p <= P; ++p) {
            model.LocalOccupancyMean[p] = 30.5f;
            model.LocalOccupancyStdDev[p] = 3.2f;
            model.LocalOccupancyMin[p] = 12;
            model.LocalOccupancyMax[p] = static_cast<float>(T);
        }
        for (int r = 1; r <= replications; ++r) {
            model.ReplicationMin[r] = static_cast<float>(r);
            model.ReplicationMax[r] = static_cast<float>(100 + 3 * r);
            model.ReplicationFinal[r] = static_cast<float>(50 + 2 * r);
        }
        for (int i = 1; i <= multi::kTimeBins; ++i) {
            model.ExtinctionTimes[i] = static_cast<std::uint16_t>(i % 7);
            model.ExplosionTimes[i] = static_cast<std::uint16_t>(i % 3);
        }
        model.ReplicationsDone = replications;
        model.ResultDate = "12/10/2026";
        model.ResultTime = "09:49:11";
        model.ModelState = kStateResults;
        model.InputsChanged = false;
    }

    multi::TMultiModel model;
    RecordingSink sink;
    TempDir dir;

private:
    ConfigType savedConfig_;
};
