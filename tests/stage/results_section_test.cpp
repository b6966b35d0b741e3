#include "stage_file_fixture.h"

#include "core/str_utilx.h"
#include "support/short_text.h"

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

namespace {

// Values across every layout of the short number text, boundaries included.
constexpr float kValues[] = {0.0f, 0.0004567f, 0.5f, 1.2345f, 12.345f, 999.96f, 1234.6f, 2.5e9f, 87.5f, 0.99996f};

float Value(int k) { return kValues[static_cast<std::size_t>(k) % std::size(kValues)]; }

}  // namespace

class ResultsSectionTest : public StageFileTest {
protected:
    void SetUp() override
    {
        StageFileTest::SetUp();
        ASSERT_EQ(LoadModelFile(model, DataFile("canonical.st")), kModelFileOk);
        sink.boxes.clear();
    }

    // The store as a completed run leaves it: 2 populations, 3 stages, 60
    // steps with one step per crossing bin (60 lines, beyond the 50 bins).
    void FillResults(int replications)
    {
        const int T = model.duration, P = model.pops, S = model.stages;
        model.crossbin = 1;
        model.extthreshold = 12.0f;
        model.explthreshold = 480.5f;
        for (int t = 1; t <= T; ++t) {
            model.totalsum[t] = Value(t);
            model.totalsumsq[t] = Value(t + 3);
            model.totalmin[t] = static_cast<float>(t);
            model.totalmax[t] = static_cast<float>(10 * t);
            model.occupancysum[t] = Value(t + 1);
            model.occupancysumsq[t] = 0.25f;
            model.occupancymin[t] = 0;
            model.occupancymax[t] = 2;
            const bool harvested = t % 20 == 5;
            model.harvestsum[t] = harvested ? Value(t) : 0;
            model.harvestsumsq[t] = harvested ? 1.5f : 0;
            model.harvestmin[t] = harvested ? 1 : 0;
            model.harvestmax[t] = harvested ? 44 : 0;
            for (int p = 1; p <= P; ++p) {
                model.popsum[p][t] = Value(t * p + 2);
                model.popsumsq[p][t] = Value(t + p);
                model.popmin[p][t] = t * p;
                model.popmax[p][t] = 1000 * t + p;
            }
        }
        for (int p = 1; p <= P; ++p) {
            model.localoccsum[p] = 40.5f;
            model.localoccsumsq[p] = 3.2f;
            model.localoccmin[p] = 12;
            model.localoccmax[p] = 60;
            model.extdursum[p] = 2.5f;
            model.extdursumsq[p] = 1.1f;
            model.extdurmin[p] = 0;
            model.extdurmax[p] = 7;
            for (int s = 1; s <= S; ++s) {
                model.finalsum[p][s] = Value(p + s);
                model.finalsumsq[p][s] = Value(p * s);
                model.finalmin[p][s] = s;
                model.finalmax[p][s] = 100 * s;
            }
        }
        for (int r = 1; r <= replications; ++r) {
            model.replmin[r] = static_cast<float>(r);
            model.replmax[r] = static_cast<float>(100 + 3 * r);
            model.replterminal[r] = static_cast<float>(50 + 2 * r);
        }
        for (int i = 1; i <= kCrossBins; ++i) {
            model.extinctiontimes[i] = static_cast<std::uint16_t>(i % 7);
            model.explosiontimes[i] = static_cast<std::uint16_t>(i % 3);
        }
        for (int k = 1; k <= 4; ++k) model.runstats[k] = Value(k + 4);
        model.state = kStateResults;
        InputsChanged = false;
        SetStoredRun(model, {replications, "12/10/2026", "09:49:11"});
    }

    std::vector<std::string> SavedLines(const std::string& file)
    {
        EXPECT_EQ(SaveModelFile(model, file), kModelFileOk) << Boxes();
        return SplitLines(ReadAll(file));
    }
};

TEST_F(ResultsSectionTest, RunSaveLoadKeepsTheResults)
{
    Config.LoadScales = true;
    FillResults(37);
    const TCoravel before = model;
    const std::string file = dir.file("with results.st");
    const std::vector<std::string> lines = SavedLines(file);
    EXPECT_TRUE(std::filesystem::exists(dir.file("with results.SCL")));
    const std::size_t section = IndexOf(lines, "Simulation results 12/10/2026 09:49:11");
    ASSERT_LT(section, lines.size());
    EXPECT_EQ(lines[section - 3], "12.0");
    EXPECT_EQ(lines[section - 2], "480.5");
    EXPECT_EQ(lines[section + 1], "37 replications");
    const std::size_t cross = IndexOf(lines, "Time to cross");
    EXPECT_EQ(lines[cross + 50], "1 2");
    EXPECT_EQ(lines[cross + 51], "0 0");  // bins beyond the histogram
    EXPECT_EQ(lines[cross + 61], "Final stage abundances");
    EXPECT_EQ(lines[IndexOf(lines, "Harvest") + 2], "3 t");

    SetStoredRun(model, TStoredRun{});
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.state, kStateResults);
    EXPECT_FALSE(InputsChanged);
    EXPECT_EQ(model.replicationsdone, 37);
    EXPECT_EQ(model.resultsdate, "12/10/2026");
    EXPECT_EQ(model.resultstime, "09:49:11");
    EXPECT_FLOAT_EQ(model.extthreshold, 12.0f);
    EXPECT_EQ(model.crossbin, 1);
    for (int t = 1; t <= model.duration; ++t) {
        SCOPED_TRACE(t);
        ExpectShortNear(before.totalsum[t], model.totalsum[t]);
        ExpectShortNear(before.totalsumsq[t], model.totalsumsq[t]);
        EXPECT_EQ(model.totalmax[t], before.totalmax[t]);
        ExpectShortNear(before.popsum[2][t], model.popsum[2][t]);
        EXPECT_EQ(model.popmax[2][t], before.popmax[2][t]);
        ExpectShortNear(before.occupancysum[t], model.occupancysum[t]);
        ExpectShortNear(before.harvestsum[t], model.harvestsum[t]);
        EXPECT_EQ(model.harvestmax[t], before.harvestmax[t]);
    }
    for (int r = 1; r <= 37; ++r) EXPECT_EQ(model.replterminal[r], before.replterminal[r]);
    for (int i = 1; i <= kCrossBins; ++i) EXPECT_EQ(model.extinctiontimes[i], before.extinctiontimes[i]);
    EXPECT_EQ(model.finalmax[2][3], 300);
    ExpectShortNear(before.finalsum[2][3], model.finalsum[2][3]);
    EXPECT_FLOAT_EQ(model.localoccsum[1], 40.5f);
    EXPECT_FLOAT_EQ(model.extdurmax[2], 7.0f);
    ExpectShortNear(before.runstats[2], model.runstats[2]);

    const std::string again = dir.file("again.st");
    ASSERT_EQ(SaveModelFile(model, again), kModelFileOk);
    EXPECT_EQ(ReadAll(again), ReadAll(file));
}

// A model saved under its own side file's name keeps its results: the chart
// settings never overwrite it.
TEST_F(ResultsSectionTest, ModelNamedLikeItsSideFileSurvivesTheSave)
{
    FillResults(10);
    for (const char* name : {"run.SCL", "run.scl", "Run.Scl"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.file(name);
        ASSERT_EQ(SaveModelFile(model, file), kModelFileOk) << Boxes();
        TCoravel copy = model;
        ASSERT_EQ(LoadModelFile(copy, file), kModelFileOk) << Boxes();
        EXPECT_EQ(copy.state, kStateResults);
        EXPECT_EQ(copy.replicationsdone, 10);
        std::filesystem::remove(file);
    }
}

TEST_F(ResultsSectionTest, EditedInputsSaveNoSection)
{
    FillResults(10);
    InputsChanged = true;
    const std::string file = dir.file("edited.st");
    const std::vector<std::string> lines = SavedLines(file);
    EXPECT_EQ(IndexOf(lines, "Simulation results 12/10/2026 09:49:11"), lines.size());
    EXPECT_FALSE(std::filesystem::exists(dir.file("edited.SCL")));
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk);
    EXPECT_EQ(model.state, kStateInputs);
}

TEST_F(ResultsSectionTest, DiskSpaceDecidesWhetherResultsAreSaved)
{
    FillResults(10);
    const long long needed = ResultsSpaceNeeded(model.pops, model.duration, 10);
    const struct {
        long long freeBytes, totalBytes;
        int code;
        bool section;
        std::string warning;
    } cases[] = {
        {0, 1'000'000'000, kModelFileNoSpace, false, "Not enough disk space to save results. Only input data is saved."},
        {needed + needed / 10, 1'000'000'000, kModelFileOk, true,
         "Available disk space may not be enough to save results.  Please wait ...."},
        // Size unknown: saved, with the warning.
        {0, 0, kModelFileOk, true, "Available disk space may not be enough to save results.  Please wait ...."},
        {needed * 10, 1'000'000'000, kModelFileOk, true, ""},
    };
    const std::string file = dir.file("space.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.freeBytes);
        SetDiskSpaceProvider([&](const std::string&, TDiskSpace& space) {
            space = {c.freeBytes, c.totalBytes};
            return true;
        });
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(model, file), c.code);
        if (!c.warning.empty()) {
            EXPECT_TRUE(Warned(c.warning)) << Boxes();
        } else {
            EXPECT_TRUE(sink.boxes.empty()) << Boxes();
        }
        const std::vector<std::string> lines = SplitLines(ReadAll(file));
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines.back(), "-End of file-");
        EXPECT_EQ(IndexOf(lines, "10 replications") != lines.size(), c.section);
        TCoravel copy = model;
        const bool wasInputsChanged = InputsChanged;
        ASSERT_EQ(LoadModelFile(copy, file), kModelFileOk) << Boxes();
        EXPECT_EQ(copy.state, c.section ? kStateResults : kStateInputs);
        InputsChanged = wasInputsChanged;
    }
}

// Damaged or out-of-range sections keep the inputs and the results out.
TEST_F(ResultsSectionTest, BadSectionsKeepTheInputsOnly)
{
    FillResults(20);
    const std::string good = dir.file("good.st");
    const std::vector<std::string> lines = SavedLines(good);
    const std::size_t harvest = IndexOf(lines, "Harvest");
    const std::size_t section = IndexOf(lines, "Simulation results 12/10/2026 09:49:11");
    const struct {
        const char* what;
        std::function<void(std::vector<std::string>&)> edit;
        int code;
        std::string message;
    } cases[] = {
        {"harvest step 0", [&](auto& l) { l[harvest + 3] = "0 1 1 1 1"; }, 6, "Error in loading results from file: "},
        {"harvest step beyond T", [&](auto& l) { l[harvest + 3] = "61 1 1 1 1"; }, 6,
         "Error in loading results from file: "},
        {"harvest step not whole", [&](auto& l) { l[harvest + 3] = "2.5 1 1 1 1"; }, 6,
         "Error in loading results from file: "},
        {"more harvest steps than T", [&](auto& l) { l[harvest + 2] = "61 t"; }, 6,
         "Error in loading results from file: "},
        {"letters in a value", [&](auto& l) { l[section + 4] = "1 x 2 3"; }, 6, "Error in loading results from file: "},
        {"negative replications", [&](auto& l) { l[section + 1] = "-4 replications"; }, 6,
         "Error in loading results from file: "},
        {"cut short", [&](auto& l) { l.resize(IndexOf(l, "Occupancy") + 3); }, 6,
         "Error in loading results from file: "},
        {"more replications than allowed", [&](auto& l) { l[section + 1] = "2000 replications"; }, 9,
         "Only input data can be loaded (too many replications)"},
        {"replications line clamped", [&](auto& l) { l[6] = "5000"; }, 9,
         "Only input data can be loaded (too many replications)"},
        {"duration line clamped", [&](auto& l) { l[7] = "500"; }, 10,
         "Only input data can be loaded (duration too large)"},
    };
    const std::string bad = dir.file("bad.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> edited = lines;
        c.edit(edited);
        WriteAll(bad, JoinLines(edited));
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, bad), c.code);
        const std::string message = c.code == 6 ? c.message + bad : c.message;
        EXPECT_TRUE(Warned(message)) << Boxes();
        EXPECT_EQ(model.state, kStateInputs);
        EXPECT_TRUE(InputsChanged);
        EXPECT_EQ(model.title, "Two marsh populations");
        EXPECT_EQ(model.populations[2].name, "East marsh");
    }
}

// Hand-edited values that would otherwise mislead later results.
TEST_F(ResultsSectionTest, HandEditedValuesAreTamed)
{
    FillResults(5);
    std::vector<std::string> lines = SavedLines(dir.file("good.st"));
    const std::size_t repl = IndexOf(lines, "Min.  Max.  Ter.");
    lines[repl + 1] = "90 5 700";  // out of order
    const std::size_t pop2 = IndexOf(lines, "Pop. 2");
    lines[pop2 + 1] = "1 1 -9000000000000 9000000000000";
    lines[IndexOf(lines, "Time to cross") + 1] = "1000000 -5";
    const std::string file = dir.file("edited.st");
    WriteAll(file, JoinLines(lines));

    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.state, kStateResults);
    const float mins[] = {2, 3, 4, 5, 90};
    const float maxs[] = {5, 106, 109, 112, 115};
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(model.replmin[r], mins[r - 1]);
        EXPECT_EQ(model.replmax[r], maxs[r - 1]);
    }
    EXPECT_EQ(model.replterminal[5], 700.0f);
    EXPECT_EQ(model.popmin[2][1], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(model.popmax[2][1], std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(model.extinctiontimes[1], 65535);
    EXPECT_EQ(model.explosiontimes[1], 0);
    ExpectShortNear(Value(6), model.runstats[2]);
}

// The run's date ends at the first blank after "Simulation results "; the
// time keeps its own blanks, so a 12-hour time written elsewhere stays whole.
TEST_F(ResultsSectionTest, RunDateAndTimeSplitAtTheFirstBlank)
{
    FillResults(3);
    const std::vector<std::string> lines = SavedLines(dir.file("stamped.st"));
    const std::size_t section = IndexOf(lines, "Simulation results 12/10/2026 09:49:11");
    ASSERT_LT(section, lines.size());
    const struct {
        const char* line;
        const char* date;
        const char* time;
    } cases[] = {
        {"Simulation results 3/4/2001 10:20:30 AM", "3/4/2001", "10:20:30 AM"},
        {"Simulation results 12/10/2026 09:49:11", "12/10/2026", "09:49:11"},
        // At most two blanks go from each end of the time.
        {"Simulation results 3/4/2001  10:20:30 AM  ", "3/4/2001", "10:20:30 AM"},
        {"Simulation results 3/4/2001    10:20:30 PM   ", "3/4/2001", " 10:20:30 PM "},
        // A blank right after the heading leaves the date empty.
        {"Simulation results  10 Dec 2026  09:49:11", "", "10 Dec 2026  09:49:11"},
        {"Simulation results 3/4/2001", "3/4/2001", ""},
        {"Simulation results ", "", ""},
    };
    const std::string file = dir.file("other.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> edited = lines;
        edited[section] = c.line;
        WriteAll(file, JoinLines(edited));
        ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
        EXPECT_EQ(model.resultsdate, c.date);
        EXPECT_EQ(model.resultstime, c.time);
    }

    // Saved again, the other installation's line comes back as it was.
    std::vector<std::string> edited = lines;
    edited[section] = cases[0].line;
    WriteAll(file, JoinLines(edited));
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(SavedLines(dir.file("resaved.st")), edited);
}

// The section writes the short number texts as they are (999.96 gives
// "1000.0", not "1000"), reads them back as values that give the same texts,
// and still reads the texts that files written before carry for them.
TEST_F(ResultsSectionTest, ShortTextsAreWrittenAsTheyAreAndSurviveResaving)
{
    FillResults(4);
    const struct {
        float value;
        const char* text;    // written
        const char* before;  // what files written earlier carry
    } cases[] = {
        {999.96f, "1000.0", "1000"},
        {105.637f, "105.6", "105.60"},
        {0.99996f, "1.0000", "1.000"},
        {0.00099996f, "1.0E-0003", "0.0010"},
    };
    for (int k = 1; k <= 4; ++k) {
        const auto& c = cases[k - 1];
        model.totalsum[k] = c.value;
        model.totalsumsq[k] = c.value;
        model.runstats[k] = c.value;
    }
    const std::string first = dir.file("first.st");
    std::vector<std::string> lines = SavedLines(first);
    const std::size_t all = IndexOf(lines, "Pop. ALL");
    const std::size_t harvest = IndexOf(lines, "Harvest");
    ASSERT_LT(harvest, lines.size());
    std::string harvestLine;
    for (int k = 1; k <= 4; ++k) {
        const auto& c = cases[k - 1];
        EXPECT_EQ(lines[all + k], std::string(c.text) + " " + c.text + " " + std::to_string(k) + " " +
                                      std::to_string(10 * k));
        harvestLine += std::string(c.text) + " ";
    }
    EXPECT_EQ(lines[harvest + 1], harvestLine);

    // save, load, save: the same file.
    ASSERT_EQ(LoadModelFile(model, first), kModelFileOk) << Boxes();
    EXPECT_EQ(SavedLines(dir.file("second.st")), lines);

    // A file with the earlier texts loads and saves them unchanged.
    harvestLine.clear();
    for (int k = 1; k <= 4; ++k) {
        const auto& c = cases[k - 1];
        lines[all + k] = std::string(c.before) + " " + c.before + " " + std::to_string(k) + " " +
                         std::to_string(10 * k);
        harvestLine += std::string(c.before) + " ";
    }
    lines[harvest + 1] = harvestLine;
    const std::string older = dir.file("older.st");
    WriteAll(older, JoinLines(lines));
    ASSERT_EQ(LoadModelFile(model, older), kModelFileOk) << Boxes();
    for (int k = 1; k <= 4; ++k) ExpectShortNear(cases[k - 1].value, model.totalsum[k]);
    EXPECT_EQ(SavedLines(dir.file("third.st")), lines);
}

// A file of a version before 2.2 may end its section without the
// local-extinction block and loads with durations 0; in a later file the
// "Harvest" heading follows the block, and one without it is damaged.
TEST_F(ResultsSectionTest, SectionWithoutTheLocalExtinctionBlock)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("version21.st")), kModelFileOk) << Boxes();
    FillResults(6);
    std::vector<std::string> saved = SavedLines(dir.file("saved.st"));
    const std::size_t ext = IndexOf(saved, "LocExtDur");
    ASSERT_LT(ext, saved.size());
    const std::size_t section = IndexOf(saved, "Simulation results 12/10/2026 09:49:11");

    // Version 2.1: its inputs, then the thresholds and the section up to the
    // local-extinction block.
    std::vector<std::string> old = SplitLines(ReadAll(DataFile("version21.st")));
    old.resize(old.size() - 4);  // thresholds, bin width, end line
    old.insert(old.end(), saved.begin() + static_cast<long>(section) - 3, saved.begin() + static_cast<long>(ext));
    old.push_back("-End of file-");
    // Version 3.0 without the block.
    std::vector<std::string> current = saved;
    current.erase(current.begin() + static_cast<long>(ext), current.begin() + static_cast<long>(ext) + 2);

    const struct {
        const char* what;
        std::vector<std::string> lines;
        int code;
        int state;
    } cases[] = {
        {"version 2.1", old, kModelFileOk, kStateResults},
        {"version 3.0", current, kModelFileBadResults, kStateInputs},
    };
    const std::string file = dir.file("noext.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(file, JoinLines(c.lines));
        sink.boxes.clear();
        model.extdursum[1] = model.extdurmax[1] = 9;
        EXPECT_EQ(LoadModelFile(model, file), c.code) << Boxes();
        EXPECT_EQ(model.state, c.state);
        EXPECT_EQ(Warned("Error in loading results from file: " + file), c.code == kModelFileBadResults)
            << Boxes();
        EXPECT_EQ(model.extdursum[1], 0.0f);
        EXPECT_EQ(model.extdurmax[1], 0.0f);
        EXPECT_EQ(model.harvestmax[5], 0.0f);
    }
}

TEST_F(ResultsSectionTest, RunDateTextsNeverHoldABlank)
{
    const TLocaleFormat saved = CurrentLocale();
    TLocaleFormat spaced = saved;
    spaced.shortDateFormat = "dd MMM yyyy";
    SetLocaleFormat(spaced);
    const TDateTime when{2026, 12, 10, 9, 49, 11};
    FillResults(3);
    model.resultsdate = RunDateText(when);
    model.resultstime = RunTimeText(when);
    SetLocaleFormat(saved);
    const std::string file = dir.file("dated.st");
    SavedLines(file);
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk);
    EXPECT_EQ(model.resultsdate, "12/10/2026");
    EXPECT_EQ(model.resultstime, "09:49:11");
}

// Every way a save can fail is reported through the input warnings (in a
// batch run, the log), once, with the code of the failure.
TEST_F(ResultsSectionTest, SaveFailuresAreInputWarnings)
{
    FillResults(3);
    std::filesystem::create_directory(dir.file("folder.st"));
    std::filesystem::create_directory(dir.file("blocked.SCL"));
    WriteAll(dir.file("locked.SCL"), "kept");
    ::chmod(dir.file("locked.SCL").c_str(), 0444);
    const struct {
        const char* what;
        std::string name;
        std::function<void(TCoravel&)> edit;
        int code;
        std::string message;
    } cases[] = {
        {"a folder", dir.file("folder.st"), {}, kModelFileCannotOpen, "Cannot open " + dir.file("folder.st")},
        {"no such folder", dir.file("none/model.st"), {}, kModelFileCannotOpen,
         "Cannot open " + dir.file("none/model.st")},
        {"side file not writable", dir.file("blocked.st"), {}, kModelFileWriteFailed,
         "Error in saving to file: " + dir.file("blocked.SCL")},
        {"side file read-only", dir.file("locked.st"), {}, kModelFileWriteFailed,
         "Cannot save to " + dir.file("locked.SCL") + ": the file is read-only."},
        {"text the file cannot carry", dir.file("comma.st"), [](TCoravel& m) { m.populations[2].name = "A, B"; },
         kModelFileWriteFailed, "Cannot save to " + dir.file("comma.st") + ": the name of population 2 contains a comma."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TCoravel copy = model;
        if (c.edit) c.edit(copy);
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(copy, c.name), c.code);
        ASSERT_EQ(sink.boxes.size(), 1u) << Boxes();
        EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Warning);
        EXPECT_EQ(sink.boxes[0].text, c.message);
    }
    EXPECT_EQ(ReadAll(dir.file("locked.SCL")), "kept");
    ::chmod(dir.file("locked.SCL").c_str(), 0644);
}
