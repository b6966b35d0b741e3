// Damaged model files: thousands of deterministic mutations of good files
// through the reader. Every outcome must be a load code with the model left
// whole: cleared after a failure, and after a load that keeps the inputs
// saveable, with save, load, save giving the same file again.

#include "model_file_fixture.h"

#include "support/line_mutator.h"

#include <cstdint>
#include <filesystem>

using namespace multi;

TEST_F(MultiModelFileTest, MutatedFilesGiveLoadCodesAndWholeModels)
{
    // Two good files: one with a results section, one with a stored
    // dispersal matrix.
    // A short run keeps the section small, so that mutations hit its
    // structure often.
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    model.Duration = 8;
    FillResults(12);
    const std::string withResults = dir.file("results.mp");
    ASSERT_EQ(SaveModelFile(model, withResults), kModelFileOk);
    std::vector<std::string> withMatrix = SplitLines(ReadAll(DataFile("canonical.mp")));
    const std::size_t migration = IndexOf(withMatrix, "Migration");
    withMatrix[migration + 1] = "FALSE";
    withMatrix.insert(withMatrix.begin() + static_cast<std::ptrdiff_t>(migration) + 3,
                      {" 0, 0.1, 0,", " 0.1, 0, 0.05,", " 0, 0.05, 0,"});
    const std::vector<std::vector<std::string>> originals = {SplitLines(ReadAll(withResults)), withMatrix};

    const std::string file = dir.file("mutant.mp");
    const std::string first = dir.file("first.mp");
    const std::string second = dir.file("second.mp");
    LineMutator mutator(20260510);
    int loaded = 0, failed = 0, withResultsLoaded = 0;
    for (int k = 0; k < 3000; ++k) {
        SCOPED_TRACE(k);
        const std::vector<std::string> lines = mutator.Mutate(originals[static_cast<std::size_t>(k % 2)]);
        // A new file each time: rewriting one in place makes the file system
        // flush it, which costs more than everything else here.
        std::filesystem::remove(file);
        WriteAll(file, JoinLines(lines));
        model.Info.Title = "Model in hand";
        sink.boxes.clear();
        sink.statuses.clear();
        const int code = LoadModelFile(model, file);
        EXPECT_EQ(sink.statuses.back(), "");
        switch (code) {
        case kModelFileNotModel:
        case kModelFileTooManyPops:
        case kModelFileBadInput:
            ++failed;
            EXPECT_FALSE(sink.boxes.empty());
            EXPECT_EQ(model.ModelState, kStateEmpty);
            EXPECT_EQ(model.Info.Title, "");
            ASSERT_EQ(model.PopCount, 1);
            EXPECT_EQ(model.Populations[1].Name, "Pop 1");
            continue;
        case kModelFileOk:
        case kModelFileBadResults:
        case kModelFileTooManyRepl:
        case kModelFileDurationTooLong: break;
        default: FAIL() << "code " << code; continue;
        }
        ++loaded;
        ASSERT_LE(model.PopCount, model.MaxPops);
        ASSERT_GE(model.Duration, 1);
        ASSERT_LE(model.Duration, model.MaxDuration);
        ASSERT_GE(model.Replications, 0);
        ASSERT_LE(model.Replications, model.MaxReplications);
        ASSERT_GE(model.TimeBinWidth, 1);
        if (model.ModelState == kStateResults) {
            ++withResultsLoaded;
            EXPECT_EQ(code, kModelFileOk);
            EXPECT_FALSE(model.InputsChanged);
            for (int r = 2; r <= model.ReplicationsDone; ++r)
                ASSERT_LE(model.ReplicationFinal[r - 1], model.ReplicationFinal[r]);
        }

        // Saving costs a synchronised write: every fortieth loaded file, and
        // every tenth that kept its results, is saved.
        if (loaded % 40 != 0 && !(model.ModelState == kStateResults && withResultsLoaded % 10 == 0)) continue;
        const std::uint8_t state = model.ModelState;
        ASSERT_EQ(SaveModelFile(model, first), kModelFileOk) << Boxes();
        ASSERT_EQ(LoadModelFile(model, first), kModelFileOk) << Boxes();
        EXPECT_EQ(model.ModelState, state);
        ASSERT_EQ(SaveModelFile(model, second), kModelFileOk) << Boxes();
        ASSERT_EQ(ReadAll(second), ReadAll(first));
    }
    // Both kinds of outcome are well represented.
    EXPECT_GT(loaded, 500);
    EXPECT_GT(failed, 500);
    EXPECT_GT(withResultsLoaded, 100);
}
