// Damaged ".sp" files: deterministic mutations of a sample model with a
// short results section through the reader. Every outcome is a load code;
// a refused first line leaves the model in hand, any other failure clears
// it, and what loads saves and loads back to the same file.

#include "single/model_file.h"

#include "sim/results_section.h"
#include "single/run_simulation.h"
#include "single_model.h"
#include "support/file_lines.h"
#include "support/line_mutator.h"
#include "support/temp_dir.h"

#include <filesystem>

using namespace multi;

TEST_F(SingleModelTest, MutatedFilesGiveLoadCodes)
{
    SetDiskSpaceProvider({});
    TempDir dir;
    ASSERT_EQ(single::LoadModelFile(m, std::string(PV_EXAMPLES) + "/marsh_frogs.sp"), kModelFileOk);
    // A short run keeps the section small, so that mutations hit its
    // structure often.
    m.Duration = 6;
    m.Replications = 8;
    ASSERT_TRUE(single::RunSimulation(m, [](std::int32_t, std::int32_t) { return true; }));
    const std::string original = dir.file("original.sp");
    ASSERT_EQ(single::SaveModelFile(m, original), kModelFileOk);
    const std::vector<std::string> lines = SplitLines(ReadAll(original));

    const std::string file = dir.file("mutant.sp");
    const std::string first = dir.file("first.sp");
    const std::string second = dir.file("second.sp");
    LineMutator mutator(20261210);
    int loaded = 0, refused = 0, failed = 0;
    for (int k = 0; k < 1000; ++k) {
        SCOPED_TRACE(k);
        std::filesystem::remove(file);
        WriteAll(file, JoinLines(mutator.Mutate(lines)));
        m.Info.Title = "Model in hand";
        sink.boxes.clear();
        sink.statuses.clear();
        const int code = single::LoadModelFile(m, file);
        EXPECT_EQ(sink.statuses.back(), "");
        switch (code) {
        case kModelFileNotModel:
            if (m.Info.Title == "Model in hand") {
                ++refused;  // the first line: nothing read
                EXPECT_EQ(sink.boxes.size(), 1u);
                continue;
            }
            [[fallthrough]];
        case kModelFileTooManyPops:
        case kModelFileBadInput:
            ++failed;
            EXPECT_FALSE(sink.boxes.empty());
            EXPECT_EQ(m.ModelState, kStateEmpty);
            EXPECT_EQ(m.Info.Title, "");
            EXPECT_EQ(m.PopCount, 1);
            continue;
        case kModelFileOk:
        case kModelFileBadResults:
        case kModelFileTooManyRepl:
        case kModelFileDurationTooLong: break;
        default: FAIL() << "code " << code; continue;
        }
        ++loaded;
        ASSERT_LE(m.PopCount, m.MaxPops);
        ASSERT_GE(m.Duration, 1);
        ASSERT_LE(m.Duration, m.MaxDuration);
        ASSERT_GE(m.Replications, 0);
        ASSERT_LE(m.Replications, m.MaxReplications);
        if (m.ModelState == kStateResults) {
            EXPECT_EQ(code, kModelFileOk);
        }

        if (loaded % 25 != 0) continue;
        const std::uint8_t state = m.ModelState;
        ASSERT_EQ(single::SaveModelFile(m, first), kModelFileOk) << sink.BoxTexts();
        ASSERT_EQ(single::LoadModelFile(m, first), kModelFileOk) << sink.BoxTexts();
        EXPECT_EQ(m.ModelState, state);
        ASSERT_EQ(single::SaveModelFile(m, second), kModelFileOk) << sink.BoxTexts();
        ASSERT_EQ(ReadAll(second), ReadAll(first));
    }
    // Every kind of outcome is well represented.
    EXPECT_GT(loaded, 500);
    EXPECT_GT(failed, 100);
    EXPECT_GT(refused, 10);
}
