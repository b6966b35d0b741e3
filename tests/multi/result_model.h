#pragma once
// A small multi-population model for the producer, table and chart tests:
// three populations with known parameters and, on request, the results of a
// run written in directly, so that every number a result shows is known.

#include "chart/recording_canvas.h"
#include "chart/scale_info.h"
#include "multi/model_data.h"
#include "multi/plot_buffer.h"
#include "multi/produce_output.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ResultModel : public ::testing::Test {
public:
    void SetUp() override
    {
        multi::TMultiLimits limits;
        limits.MaxPops = 4;
        limits.MaxDuration = 50;
        limits.MaxReplications = 1000;
        multi::AllocateModel(m, limits);
        Population(1, "North", multi::kContest, "500", "2", "1000");
        Population(2, "Middle", multi::kScramble, "300", "1.5", "600");
        Population(3, "South", multi::kCeiling, "40", "1.2", "200");
        m.Populations[3].IncludeInTotals = false;
        m.Info.Title = "Three ponds";
        m.Info.Comment1 = "first comment";
        m.Duration = 50;
        m.ModelState = kStateInputs;
        table = BuiltInScaleInfo(TKindTable::Plurimod);
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 600, 400);
    }

    multi::PopulationRecord& Population(int i, const char* name, std::uint8_t code, const char* n0, const char* r,
                                        const char* k)
    {
        m.PopCount = static_cast<std::uint8_t>(std::max<int>(m.PopCount, i));
        multi::PopulationRecord& pop = m.Populations[i];
        pop.Name = name;
        pop.DDType = code;
        pop.InitialAbundanceText = n0;
        pop.GrowthRateText = r;
        pop.CarryingCapacityText = k;
        pop.XText = std::to_string(100 * (i - 1));
        pop.YText = "0";
        return pop;
    }

    // Results of `replications` replications: population p at step t has the
    // mean 100 p + t, SD 10, extremes mean -+ 20; the total 1000 + t; the
    // occupancy 2; replication minima 0, 10, 20, ... and maxima 1000, 1010, ...
    void FakeResults(int replications)
    {
        for (int t = 1; t <= m.MaxDuration; ++t) {
            for (int p = 1; p <= m.PopCount; ++p) {
                m.PopMean[p][t] = static_cast<float>(100 * p + t);
                m.PopStdDev[p][t] = 10;
                m.PopMax[p][t] = 100 * p + t + 20;
                m.PopMin[p][t] = 100 * p + t - 20;
            }
            m.TotalMean[t] = static_cast<float>(1000 + t);
            m.TotalStdDev[t] = 5;
            m.TotalMax[t] = static_cast<float>(1000 + t + 30);
            m.TotalMin[t] = static_cast<float>(1000 + t - 30);
            m.OccupancyMean[t] = 2;
            m.OccupancyStdDev[t] = 0.5;
            m.OccupancyMax[t] = 2;
            m.OccupancyMin[t] = 1;
        }
        for (int k = 1; k <= replications; ++k) {
            m.ReplicationMin[k] = static_cast<float>(10 * (k - 1));
            m.ReplicationMax[k] = static_cast<float>(1000 + 10 * (k - 1));
        }
        m.ReplicationsDone = replications;
        m.ResultDate = "03/04/2024";
        m.ResultTime = "10:11:12";
        m.ModelState = kStateResults;
    }

    // One producer call on this model with the kind's settings from `table`
    // (kept in `settings` for a later call).
    bool Produce(int kind, int mode, bool warn = true, bool freshSettings = true)
    {
        if (freshSettings)
            settings = table[static_cast<std::size_t>(kind)];
        lines.clear();
        return multi::ProduceOutput({m, buffer, &table}, settings, mode == kModeChart ? &graph : nullptr, &lines,
                                    kind, mode, warn);
    }

    // The texts of the message boxes, in order.
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> out;
        for (const auto& b : sink.boxes)
            out.push_back(b.text);
        return out;
    }

    multi::TMultiModel m;
    multi::TMultiPlotBuffer buffer;
    std::vector<TScaleInfo> table;
    TScaleInfo settings;
    std::vector<std::string> lines;
    RecordingCanvas canvas{{0, 0, 600, 400}};
    TGraph graph;
    RecordingSink sink;
};
