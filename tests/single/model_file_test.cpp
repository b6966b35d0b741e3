#include "single/model_file.h"

#include "multi/run_simulation.h"
#include "sim/results_section.h"
#include "single/run_simulation.h"
#include "single_model.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

#include <filesystem>

using namespace multi;

namespace {

const TProgress kGoOn = [](std::int32_t, std::int32_t) { return true; };

class SingleModelFileTest : public SingleModelTest {
protected:
    void SetUp() override
    {
        SingleModelTest::SetUp();
        SetDiskSpaceProvider({});
    }

    static std::string Example(const std::string& name) { return std::string(PV_EXAMPLES) + "/" + name; }

    // What a results section carries exactly (means and deviations are
    // written in four figures).
    struct TStored {
        std::vector<float> minima, maxima, finals;
        std::vector<std::uint16_t> extinctions, explosions;
        bool operator==(const TStored&) const = default;
    };
    TStored Stored() const
    {
        TStored s;
        for (int t = 1; t <= m.Duration; ++t) {
            s.minima.push_back(m.TotalMin[t]);
            s.maxima.push_back(m.TotalMax[t]);
        }
        for (int r = 1; r <= m.ReplicationsDone; ++r) s.finals.push_back(m.ReplicationFinal[r]);
        for (int b = 1; b <= kTimeBins; ++b) {
            s.extinctions.push_back(m.ExtinctionTimes[b]);
            s.explosions.push_back(m.ExplosionTimes[b]);
        }
        return s;
    }

    TempDir dir;
};

}  // namespace

TEST_F(SingleModelFileTest, SampleModelsLoadAndSaveByteForByte)
{
    for (const char* name : {"marsh_frogs.sp", "mountain_goats.sp", "meadow_orchid.sp"}) {
        SCOPED_TRACE(name);
        sink.boxes.clear();
        ASSERT_EQ(single::LoadModelFile(m, Example(name)), kModelFileOk) << sink.BoxTexts();
        EXPECT_EQ(m.ModelState, kStateInputs);
        EXPECT_EQ(m.PopCount, 1);
        EXPECT_TRUE(sink.boxes.empty()) << sink.BoxTexts();
        const std::string saved = dir.file(name);
        ASSERT_EQ(single::SaveModelFile(m, saved), kModelFileOk);
        EXPECT_EQ(ReadAll(saved), ReadAll(Example(name)));
    }

    // A new model: no map-features name, written as the byte 0xFF.
    NewModel(m);
    const std::string fresh = dir.file("new.sp");
    ASSERT_EQ(single::SaveModelFile(m, fresh), kModelFileOk);
    EXPECT_EQ(ReadAll(fresh).substr(0, 45), "Voran/Pelivo: single population (1.0) map=\xFF\r\n");
}

// The first line decides: this program's header (a map-features name or
// none), a newer version, or another program's file, which is refused and
// leaves the model in hand, results and all.
TEST_F(SingleModelFileTest, HeaderTable)
{
    ASSERT_EQ(single::LoadModelFile(m, Example("mountain_goats.sp")), kModelFileOk);
    ASSERT_TRUE(single::RunSimulation(m, kGoOn));
    m.MapName = "valley.map";
    const TStored results = Stored();
    const std::vector<std::string> good = SplitLines(ReadAll(Example("meadow_orchid.sp")));
    const struct {
        std::string header;
        int code;
        std::string message;
        std::string mapName;  // afterwards
    } cases[] = {
        {"Voran/Pelivo: rivedarulation (1.0) map=\xFF", kModelFileNotModel, "File not loaded: Not an input file",
         "valley.map"},
        {"Rivedarulation input file (1.0)", kModelFileNotModel, "File not loaded: Not an input file", "valley.map"},
        {"Voran/Pelivo: single population (2.0) map=\xFF", kModelFileNotModel,
         "Voran/Pelivo ver. 1.0 cannot read version 2.0 input files", "valley.map"},
        {"", kModelFileNotModel, "File not loaded: Not an input file", "valley.map"},
        {"Voran/Pelivo: single population (1.0) map=coast.map", kModelFileOk, "", "coast.map"},
        {"Voran/Pelivo: single population (1.0)", kModelFileOk, "", ""},
    };
    const std::string file = dir.file("header.sp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        std::vector<std::string> lines = good;
        lines[0] = c.header;
        WriteAll(file, JoinLines(lines));
        sink.boxes.clear();
        EXPECT_EQ(single::LoadModelFile(m, file), c.code);
        EXPECT_EQ(m.MapName, c.mapName);
        if (c.code == kModelFileOk) {
            EXPECT_TRUE(sink.boxes.empty()) << sink.BoxTexts();
            EXPECT_EQ(m.Info.Title, "Orchid of a grazed meadow");
            continue;
        }
        EXPECT_EQ(sink.BoxTexts(), "[" + c.message + "]");
        EXPECT_EQ(m.ModelState, kStateResults);
        EXPECT_FALSE(m.InputsChanged);
        EXPECT_EQ(m.Info.Title, "Reintroduced mountain goats");
        EXPECT_TRUE(Stored() == results);
    }

    // A file of the multi-population program, as it saves them.
    const std::string mp = std::string(PV_EXAMPLES) + "/island_lizards.mp";
    sink.boxes.clear();
    EXPECT_EQ(single::LoadModelFile(m, mp), kModelFileNotModel);
    EXPECT_EQ(sink.BoxTexts(), "[File not loaded: Not an input file]");
    // And this program's file in the multi-population program.
    EXPECT_EQ(LoadModelFile(m, Example("meadow_orchid.sp")), kModelFileNotModel);
}

TEST_F(SingleModelFileTest, ResultsSaveAndReload)
{
    // 50 steps and 100 replications; then long runs whose crossing times
    // are binned several steps to a bin (the last more bins than kept).
    for (const int duration : {50, 120, 499}) {
        SCOPED_TRACE(duration);
        ASSERT_EQ(single::LoadModelFile(m, Example("meadow_orchid.sp")), kModelFileOk);
        m.Duration = duration;
        m.Replications = 100;
        // Thresholds that every run crosses, at different times.
        m.Info.ExtinctionThresholdText = "800";
        m.Info.ExplosionThresholdText = "1000";
        ASSERT_TRUE(single::RunSimulation(m, kGoOn));
        const TStored before = Stored();
        const std::string file = dir.file("run.sp");
        ASSERT_EQ(single::SaveModelFile(m, file), kModelFileOk);

        NewModel(m);
        ASSERT_EQ(single::LoadModelFile(m, file), kModelFileOk) << sink.BoxTexts();
        EXPECT_EQ(m.ModelState, kStateResults);
        EXPECT_EQ(m.ReplicationsDone, 100);
        EXPECT_EQ(m.Duration, duration);
        EXPECT_TRUE(Stored() == before);
        const std::string again = dir.file("again.sp");
        ASSERT_EQ(single::SaveModelFile(m, again), kModelFileOk);
        EXPECT_EQ(ReadAll(again), ReadAll(file));
    }
}

TEST_F(SingleModelFileTest, EveryPopulationLineLoads)
{
    std::vector<std::string> lines = SplitLines(ReadAll(Example("marsh_frogs.sp")));
    const std::size_t migration = IndexOf(lines, "Migration");
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(migration), "Second pond,,,50,EX,1.05,,0.1,,,,0.5,");
    const std::string file = dir.file("two.sp");
    WriteAll(file, JoinLines(lines));
    ASSERT_EQ(single::LoadModelFile(m, file), kModelFileOk) << sink.BoxTexts();
    EXPECT_EQ(m.PopCount, 2);
    EXPECT_EQ(m.Populations[2].Name, "Second pond");
    EXPECT_EQ(m.InitialAbundance[2], 50);
}
