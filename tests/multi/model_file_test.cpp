#include "model_file_fixture.h"

#include "core/model_file_codes.h"
#include "core/str_utilx.h"
#include "multi/run_simulation.h"
#include "support/short_text.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

using namespace multi;

namespace {

const char* const kNotLoaded = "File not loaded: ";

}  // namespace

TEST_F(MultiModelFileTest, HandWrittenFilesResaveByteIdentical)
{
    const std::string canonicalLf = dir.file("canonical_lf.mp");
    std::string lf = ReadAll(DataFile("canonical.mp"));
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    WriteAll(canonicalLf, lf);

    struct Case {
        std::string file;
        std::string expected;
    };
    std::vector<Case> cases = {
        {DataFile("canonical.mp"), DataFile("canonical.mp")},
        {canonicalLf, DataFile("canonical.mp")},  // LF in, CR LF out
    };
    for (const auto& entry : std::filesystem::directory_iterator(ExampleFolder()))
        if (entry.path().extension() == ".mp") cases.push_back({entry.path().string(), entry.path().string()});
    ASSERT_GE(cases.size(), 4u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        sink.boxes.clear();
        ASSERT_EQ(LoadModelFile(model, c.file), kModelFileOk) << Boxes();
        EXPECT_EQ(model.ModelState, kStateInputs) << Boxes();
        EXPECT_TRUE(sink.boxes.empty()) << Boxes();
        const std::string saved = dir.file("resaved.mp");
        ASSERT_EQ(SaveModelFile(model, saved), kModelFileOk) << Boxes();
        EXPECT_EQ(ReadAll(saved), ReadAll(c.expected));
    }
}

TEST_F(MultiModelFileTest, CanonicalFileFillsTheModel)
{
    model.MapName = "old.map";
    ASSERT_EQ(LoadModelFile(model, "  " + DataFile("canonical.mp") + " "), kModelFileOk) << Boxes();
    EXPECT_EQ(model.ModelState, kStateInputs);
    EXPECT_TRUE(model.InputsChanged);
    EXPECT_EQ(model.MapName, "");
    EXPECT_EQ(model.Info.Title, "Three heath populations");
    EXPECT_EQ(model.Info.Comment2, "");
    EXPECT_EQ(model.Info.Comment3, "Comment with trailing blanks  ");
    EXPECT_EQ(model.Info.Comment4, "\xe9t\xe9 survey");
    EXPECT_EQ(model.Replications, 250);
    EXPECT_EQ(model.Duration, 40);
    EXPECT_TRUE(model.Info.DemographicStochasticity);
    EXPECT_EQ(model.Info.StageCountText, "1");
    EXPECT_EQ(model.Info.FractionText, "0");
    EXPECT_EQ(model.Info.Extent, 1);
    ASSERT_EQ(model.PopCount, 3);
    const multi::PopulationRecord& south = model.Populations[2];
    EXPECT_EQ(south.Name, "South heath");
    EXPECT_EQ(south.XText, "14.5");
    EXPECT_EQ(south.YText, "-3");
    EXPECT_EQ(south.InitialAbundanceText, "80");
    EXPECT_EQ(south.DDType, kCeiling);
    EXPECT_EQ(south.GrowthRateText, "1.1");
    EXPECT_EQ(south.CarryingCapacityText, "150");
    EXPECT_EQ(south.StdDevOfRText, "0.1");
    EXPECT_EQ(south.SpareText, "x");
    EXPECT_EQ(south.TrendInKText, "");
    EXPECT_EQ(south.DispersalSlopeText, "0.2");
    EXPECT_EQ(south.SurvivalText, "0.7");
    EXPECT_TRUE(south.IncludeInTotals);
    EXPECT_EQ(model.Populations[1].DDType, kScramble);
    EXPECT_EQ(model.Populations[3].DDType, kExponential);
    EXPECT_EQ(model.DistanceFunctions.MaxDispersalRateText, "0.200");
    EXPECT_EQ(model.DistanceFunctions.AvgDispersalDistanceText, "15");
    EXPECT_EQ(model.DistanceFunctions.CorrelationAt100Text, "0.5");
    EXPECT_EQ(model.DistanceFunctions.MaxDispersalDistanceText, "40");
    // The thresholds and the bin width come back from the file.
    EXPECT_EQ(model.Info.ExtinctionThresholdText, "12");
    EXPECT_EQ(model.Info.ExplosionThresholdText, "450");
    EXPECT_DOUBLE_EQ(model.ExtinctionThreshold, 12.0);
    EXPECT_DOUBLE_EQ(model.ExplosionThreshold, 450.0);
    EXPECT_EQ(model.TimeBinWidth, 1);
    // Both matrices follow from the distances: North and South heath are
    // sqrt(4.5^2 + 23^2) = 23.44 apart.
    const double d = std::hypot(4.5, 23.0);
    EXPECT_NEAR(model.DispersalMatrix[2][1], 0.2 * std::exp(-d / 15), 1e-6);
    EXPECT_NEAR(model.DispersalMatrix[1][2], 0.2 * std::exp(-d / 15), 1e-6);
    EXPECT_NEAR(model.CorrelationMatrix[2][1], std::pow(0.5, d / 100), 1e-6);
    EXPECT_TRUE(model.DispersalUpToDate && model.CorrelationUpToDate);
    // The converted parameters are ready for a run.
    EXPECT_EQ(model.InitialAbundance[1], 120);
    EXPECT_FLOAT_EQ(model.CarryingCapacity[3], 40.0f);  // exponential: K is N0
    const std::vector<std::string> statuses = {"Loading ... ", "(ver 1.0)", "Pop. data", "Migr data",
                                               "Corr matrix", "Checking ", ""};
    EXPECT_EQ(sink.statuses, statuses);
}

// A model set up in memory survives save, load, save byte for byte, and each
// field comes back within the file's widths.
TEST_F(MultiModelFileTest, ModelRoundTrip)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    model.MapName = "heath land.map";
    model.Info.Title = "Edited, with a comma in the title";
    model.Info.ExtinctionThresholdText = "";  // a run takes 10% of the total
    multi::PopulationRecord& bog = model.Populations[3];
    bog.Name = "A very long population name";
    bog.GrowthRateText = "1.234567890123";
    bog.DDType = 6;  // contest with an Allee effect runs as contest
    bog.CarryingCapacityText = "60";
    model.Replications = 0;

    const std::string first = dir.file("first.mp");
    const std::string second = dir.file("second.mp");
    ASSERT_EQ(SaveModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(LoadModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(SaveModelFile(model, second), kModelFileOk) << Boxes();
    EXPECT_EQ(ReadAll(second), ReadAll(first));

    EXPECT_EQ(model.MapName, "heath land.map");
    EXPECT_EQ(model.Info.Title, "Edited, with a comma in the title");
    EXPECT_EQ(model.Info.ExtinctionThresholdText, "");
    EXPECT_EQ(model.Info.ExplosionThresholdText, "450");
    EXPECT_EQ(model.Populations[3].Name, "A very long popu");
    EXPECT_EQ(model.Populations[3].GrowthRateText, "1.23456789");
    EXPECT_EQ(model.Populations[3].DDType, kContest);
    EXPECT_EQ(model.Replications, 0);
    const std::vector<std::string> lines = SplitLines(ReadAll(first));
    EXPECT_EQ(lines[0], "Voran/Pelivo: rivedarulation (1.0) map=heath land.map");
    EXPECT_EQ(lines[17], "A very long popu,30,5,40,BH,1.23456789,60,0,,,,0.5,");
    EXPECT_EQ(lines.back(), "-End of file-");

    // A new model: no map (the byte 0xFF), and the fixed lines every model
    // read from a file has.
    NewModel(model);
    ASSERT_EQ(SaveModelFile(model, first), kModelFileOk) << Boxes();
    const std::vector<std::string> fresh = SplitLines(ReadAll(first));
    const std::vector<std::string> expected = {
        "Voran/Pelivo: rivedarulation (1.0) map=\xFF", "", "", "", "", "", "0", "1", "FALSE", "1 FALSE", "0",
        "Regional", "Abundances", "All", "Lognormal", "Pop 1,,,,EX,,,,,,,,", "Migration", "TRUE", "0.000,,,", "", "",
        "1", "-End of file-"};
    EXPECT_EQ(fresh, expected);
}

// What the first line decides: this program's file (of this or an older
// version), another program's, a newer version, or no model at all.
TEST_F(MultiModelFileTest, HeaderTable)
{
    const std::vector<std::string> good = SplitLines(ReadAll(DataFile("canonical.mp")));
    const struct {
        std::string header;
        int code;
        std::string message;
    } cases[] = {
        {"Voran/Pelivo: age and stage structure (3.0) map=\xFF", kModelFileNotModel,
         "File not loaded: Not an input file"},
        {"Rivedarulation input file (1.0)", kModelFileNotModel,
         "File not loaded: This model is designed for Voran Coravel"},
        {"Voran/Pelivo: rivedarulation (2.0) map=\xFF", kModelFileNotModel,
         "Voran/Pelivo ver. 1.0 cannot read version 2.0 input files"},
        {"Voran/Pelivo: rivedarulation (1.5) map=\xFF", kModelFileNotModel,
         "Voran/Pelivo ver. 1.0 cannot read version 1.5 input files"},
        {"Voran/Pelivo: rivedarulation (30.) map=\xFF", kModelFileNotModel, "File not loaded: Not an input file"},
        {"Voran/Pelivo: rivedarulation (x.y)", kModelFileNotModel, "File not loaded: Not an input file"},
        {"Voran/Pelivo: rivedarulation", kModelFileNotModel, "File not loaded: Not an input file"},
        {"", kModelFileNotModel, "File not loaded: Not an input file"},
        {"Voran/Pelivo: rivedarulation (0.5) map=\xFF", kModelFileOk, "Importing from version 0.5"},
        // The name after the first "=", whatever the text before it.
        {"Voran/Pelivo: rivedarulation (1.0)map=a=b.map", kModelFileOk, ""},
    };
    const std::string file = dir.file("header.mp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        std::vector<std::string> lines = good;
        lines[0] = c.header;
        WriteAll(file, JoinLines(lines));
        model.Info.Title = "Previous model";
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, file), c.code);
        if (!c.message.empty()) {
            EXPECT_TRUE(Warned(c.message)) << Boxes();
            EXPECT_EQ(sink.boxes.size(), 1u) << Boxes();
        }
        if (c.code == kModelFileOk) {
            EXPECT_EQ(model.ModelState, kStateInputs);
            EXPECT_EQ(model.PopCount, 3);
        } else {
            // Nothing of the file or of the model before stays behind.
            EXPECT_EQ(model.ModelState, kStateEmpty);
            EXPECT_EQ(model.Info.Title, "");
            EXPECT_EQ(model.PopCount, 1);
            EXPECT_EQ(model.Populations[1].Name, "Pop 1");
        }
    }
    EXPECT_EQ(model.MapName, "a=b.map");

    // Before version 0.4 the "Abundances" line is not there.
    std::vector<std::string> old = good;
    old[0] = "Voran/Pelivo: rivedarulation (0.3) map=\xFF";
    old.erase(old.begin() + static_cast<std::ptrdiff_t>(IndexOf(old, "Abundances")));
    WriteAll(file, JoinLines(old));
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.PopCount, 3);
    EXPECT_EQ(model.Populations[1].Name, "North heath");
}

// Population lines, the dispersal block and the general lines: what loads,
// and which code and message a fault gives (the model is then cleared).
TEST_F(MultiModelFileTest, InputLinesAndTheirFaults)
{
    const std::vector<std::string> good = SplitLines(ReadAll(DataFile("canonical.mp")));
    const std::size_t firstPop = IndexOf(good, "North heath,10,20,120,LO,1.25,300,0.15,,0.5,,0.6,");
    const std::size_t migration = IndexOf(good, "Migration");
    auto populations = [&](int count) {
        std::vector<std::string> lines(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(firstPop));
        for (int p = 1; p <= count; ++p)
            lines.push_back("P" + std::to_string(p) + "," + std::to_string(p) + ",0,10,EX,1.1,,,,,,0.5,");
        lines.insert(lines.end(), good.begin() + static_cast<std::ptrdiff_t>(migration), good.end());
        return lines;
    };
    const struct {
        const char* what;
        std::function<void(std::vector<std::string>&)> edit;
        int code;
        std::string message;  // after "File not loaded: "; empty for none
    } cases[] = {
        {"22 populations", [&](auto& l) { l = populations(22); }, kModelFileOk, ""},
        {"23 populations", [&](auto& l) { l = populations(23); }, kModelFileTooManyPops, "Too many populations"},
        {"no Migration line", [&](auto& l) { l[migration] = "Migrations"; }, kModelFileBadInput,
         "Error in migration"},
        {"bad Boolean in the dispersal block", [&](auto& l) { l[migration + 1] = "X"; }, kModelFileBadInput,
         "Boolean error"},
        {"bad Boolean on line 9", [&](auto& l) { l[8] = "maybe"; }, kModelFileBadInput, "Boolean error"},
        {"empty Boolean on line 9", [&](auto& l) { l[8] = ""; }, kModelFileBadInput, "Boolean error"},
        {"file ends in the general lines", [&](auto& l) { l.resize(11); }, kModelFileBadInput,
         "Error in reading input data"},
        {"file ends before the dispersal block", [&](auto& l) { l.resize(migration); }, kModelFileBadInput,
         "Error in reading input data"},
        {"no parameter line", [&](auto& l) { l.resize(migration + 2); }, kModelFileBadInput, "Error in migration"},
        // Without "-End of file-" the inputs load up to the end of the file.
        {"no end line", [&](auto& l) { l.pop_back(); }, kModelFileOk, ""},
        {"nothing after the dispersal block", [&](auto& l) { l.resize(migration + 3); }, kModelFileOk, ""},
        {"unknown lines before the thresholds", [&](auto& l) { l.insert(l.begin() + migration + 3, {"x", "y"}); },
         kModelFileOk, ""},
    };
    const std::string file = dir.file("inputs.mp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = good;
        c.edit(lines);
        WriteAll(file, JoinLines(lines));
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, file), c.code);
        if (c.message.empty()) {
            EXPECT_TRUE(sink.boxes.empty()) << Boxes();
            EXPECT_EQ(model.ModelState, kStateInputs) << Boxes();
        } else {
            EXPECT_TRUE(Warned(kNotLoaded + c.message)) << Boxes();
            EXPECT_EQ(model.ModelState, kStateEmpty);
            EXPECT_EQ(model.PopCount, 1);
            EXPECT_EQ(model.Info.Title, "");
        }
    }
}

TEST_F(MultiModelFileTest, PopulationFieldsAreCutAndTypesReadExactly)
{
    std::vector<std::string> lines = SplitLines(ReadAll(DataFile("canonical.mp")));
    const std::size_t first = IndexOf(lines, "North heath,10,20,120,LO,1.25,300,0.15,,0.5,,0.6,");
    const std::string longField = "12345678901234";
    lines[first] = "Seventeen letters" + std::string(",") + longField + ",20,120,lo,1.25,300,0.15,,0.5,,0.6,";
    lines[first + 1] = "Short line,1,2,3,BH";
    lines[first + 2] = "Allee code,1,2,3,CA,1.5,100,,,,,0.5,extra,fields,";
    const std::string file = dir.file("fields.mp");
    WriteAll(file, JoinLines(lines));
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.Populations[1].Name, "Seventeen letter");
    EXPECT_EQ(model.Populations[1].XText, "1234567890");
    EXPECT_EQ(model.Populations[1].DDType, kExponential);  // "lo" is no code
    EXPECT_EQ(model.Populations[2].DDType, kContest);
    EXPECT_EQ(model.Populations[2].SurvivalText, "");
    EXPECT_EQ(model.Populations[3].DDType, kExponential);  // nor is "CA" in this file
    EXPECT_EQ(model.Populations[3].SurvivalText, "0.5");
}

// A stored dispersal matrix (flag FALSE) is read and checked; the matrices
// are then made from the distances, as they are for every loaded model.
TEST_F(MultiModelFileTest, StoredDispersalMatrixIsReadThenReplacedByTheDistances)
{
    std::vector<std::string> lines = SplitLines(ReadAll(DataFile("canonical.mp")));
    const std::size_t migration = IndexOf(lines, "Migration");
    lines[migration + 1] = "FALSE";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(migration) + 3,
                 {" 0, 0.1, 0,", " 0.1, 0, 0.05,", " 0, 0.05, 0,"});
    const std::string file = dir.file("matrix.mp");
    WriteAll(file, JoinLines(lines));
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_NEAR(model.DispersalMatrix[2][1], 0.2 * std::exp(-std::hypot(4.5, 23.0) / 15), 1e-6);
    EXPECT_TRUE(model.DispersalFromFunction);
    const std::string saved = dir.file("saved.mp");
    ASSERT_EQ(SaveModelFile(model, saved), kModelFileOk);
    EXPECT_EQ(ReadAll(saved), ReadAll(DataFile("canonical.mp")));

    for (const char* bad : {" 0, x, 0,", " 0, 0.1,", "nan,0,0,"}) {
        SCOPED_TRACE(bad);
        std::vector<std::string> edited = lines;
        edited[migration + 4] = bad;
        WriteAll(file, JoinLines(edited));
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, file), kModelFileBadInput);
        EXPECT_TRUE(Warned("File not loaded: Error in reading input data")) << Boxes();
    }
}

// Replications and duration beyond the model's limits are clamped with a
// warning; bad texts give 0 replications and duration 1.
TEST_F(MultiModelFileTest, OutOfRangeCountsAreClampedWithWarnings)
{
    const std::vector<std::string> good = SplitLines(ReadAll(DataFile("canonical.mp")));
    const struct {
        const char* replications;
        const char* duration;
        int expectedReplications, expectedDuration;
        std::vector<std::string> warnings;
    } cases[] = {
        {"5000", "500", 1000, 50, {"Changing number of replications to 1000", "Changing duration to 50"}},
        {"1e308", "1e308", 1000, 50, {"Changing number of replications to 1000", "Changing duration to 50"}},
        {"-3", "-7", 0, 1, {}},
        {"abc", "", 0, 1, {}},
        {"nan", "0", 0, 1, {}},
        {" 1000 ", "50", 1000, 50, {}},
        {"12.6", "2.4", 13, 2, {}},
    };
    const std::string file = dir.file("counts.mp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replications);
        std::vector<std::string> lines = good;
        lines[6] = c.replications;
        lines[7] = c.duration;
        WriteAll(file, JoinLines(lines));
        sink.boxes.clear();
        ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
        EXPECT_EQ(model.Replications, c.expectedReplications);
        EXPECT_EQ(model.Duration, c.expectedDuration);
        std::vector<std::string> texts;
        for (const RecordedBox& b : sink.boxes) texts.push_back(b.text);
        EXPECT_EQ(texts, c.warnings);
    }
}

TEST_F(MultiModelFileTest, SaveRefusesTextsThatWouldBreakTheFile)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    const std::string file = dir.file("kept.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
    const std::string before = ReadAll(file);
    const struct {
        std::function<void(TMultiModel&)> edit;
        std::string reason;
    } cases[] = {
        {[](TMultiModel& m) { m.Populations[2].Name = "South, dry"; }, "the name of population 2 contains a comma"},
        {[](TMultiModel& m) { m.Populations[1].GrowthRateText = "1,5"; }, "R of population 1 contains a comma"},
        {[](TMultiModel& m) { m.Populations[3].SurvivalText = "0.5\n"; },
         "the survival rate of population 3 contains a line break"},
        {[](TMultiModel& m) { m.Info.Title = "two\r\nlines"; }, "the title contains a line break"},
        {[](TMultiModel& m) { m.Info.Comment4 = "\n"; }, "comment line 4 contains a line break"},
        {[](TMultiModel& m) { m.MapName = "a\nb.map"; }, "the map-features file name contains a line break"},
        {[](TMultiModel& m) { m.Info.ExplosionThresholdText = "1\r"; },
         "the explosion threshold contains a line break"},
        {[](TMultiModel& m) { m.DistanceFunctions.CorrelationAt100Text = "0,5"; },
         "the correlation at distance 100 contains a comma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        TMultiModel edited = model;
        c.edit(edited);
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(edited, file), kModelFileWriteFailed);
        EXPECT_TRUE(Warned("Cannot save to " + file + ": " + c.reason + ".")) << Boxes();
        EXPECT_EQ(ReadAll(file), before);
    }
}

TEST_F(MultiModelFileTest, NamesThatCannotBeOpenedOrCreated)
{
    EXPECT_EQ(LoadModelFile(model, "   "), kModelFileNoName);
    EXPECT_EQ(SaveModelFile(model, ""), kModelFileNoName);
    EXPECT_TRUE(sink.boxes.empty());

    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    const std::string missing = dir.file("no such file.mp");
    EXPECT_EQ(LoadModelFile(model, missing), kModelFileCannotOpen);
    EXPECT_TRUE(Warned("Cannot open " + missing));
    EXPECT_EQ(model.PopCount, 3);  // the model in hand stays

    const std::string noFolder = dir.file("missing/model.mp");
    EXPECT_EQ(SaveModelFile(model, noFolder), kModelFileCannotOpen);
    EXPECT_TRUE(Warned("Cannot open " + noFolder));
    EXPECT_EQ(SaveModelFile(model, dir.path().string()), kModelFileCannotOpen);
}

// The same reader and writer serve another program's file: its own header,
// no message for other headers, and matrices left as read.
TEST_F(MultiModelFileTest, AnotherProgramsFormatUsesItsOwnHeader)
{
    TModelFileFormat single;
    single.header = "Voran/Pelivo: single population (1.0)";
    single.matricesFromDistances = false;
    std::vector<std::string> lines = SplitLines(ReadAll(DataFile("canonical.mp")));

    const std::string file = dir.file("other.sp");
    WriteAll(file, JoinLines(lines));
    EXPECT_EQ(LoadModelFile(model, file, single), kModelFileNotModel);
    EXPECT_TRUE(Warned("File not loaded: Not an input file")) << Boxes();

    lines[0] = "Voran/Pelivo: single population (1.0) map=\xFF";
    WriteAll(file, JoinLines(lines));
    ASSERT_EQ(LoadModelFile(model, file, single), kModelFileOk) << Boxes();
    EXPECT_EQ(model.PopCount, 3);
    EXPECT_EQ(model.DispersalMatrix[2][1], 0.0f);
    EXPECT_FALSE(model.DispersalUpToDate);
    const std::string saved = dir.file("saved.sp");
    ASSERT_EQ(SaveModelFile(model, saved, single), kModelFileOk);
    EXPECT_EQ(ReadAll(saved), JoinLines(lines));

    // This program's file refuses the other header with the plain message.
    sink.boxes.clear();
    EXPECT_EQ(LoadModelFile(model, saved), kModelFileNotModel);
    EXPECT_TRUE(Warned("File not loaded: Not an input file")) << Boxes();
}

// ---------------------------------------------------------------------------
// The results section

TEST_F(MultiModelFileTest, ResultsSaveAndLoadBack)
{
    Config.LoadScales = true;
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(37);
    const TMultiModel before = model;
    const std::string file = dir.file("with results.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_TRUE(std::filesystem::exists(dir.file("with results.SCL")));
    const std::vector<std::string> lines = SplitLines(ReadAll(file));
    const std::size_t section = IndexOf(lines, "Simulation results 12/10/2026 09:49:11");
    ASSERT_LT(section, lines.size());
    EXPECT_EQ(lines[section - 3], "12.0");
    EXPECT_EQ(lines[section - 2], "480.5");
    EXPECT_EQ(lines[section - 1], "1");
    EXPECT_EQ(lines[section + 1], "37 replications");
    EXPECT_EQ(lines[section + 3], "Pop. ALL");
    EXPECT_EQ(lines[section + 4 + 40], "Pop. 1");
    const std::size_t cross = IndexOf(lines, "Time to cross");
    EXPECT_EQ(lines[cross + 40], "5 1");
    EXPECT_EQ(lines[cross + 41], "-End of file-");
    // No blocks of the age/stage file.
    EXPECT_EQ(IndexOf(lines, "LocExtDur"), lines.size());
    EXPECT_EQ(IndexOf(lines, "Harvest"), lines.size());

    NewModel(model);
    model.ModelState = kStateEmpty;
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.ModelState, kStateResults);
    EXPECT_FALSE(model.InputsChanged);
    EXPECT_EQ(model.ReplicationsDone, 37);
    EXPECT_EQ(model.ResultDate, "12/10/2026");
    EXPECT_EQ(model.ResultTime, "09:49:11");
    EXPECT_DOUBLE_EQ(model.ExtinctionThreshold, 12.0);
    EXPECT_DOUBLE_EQ(model.ExplosionThreshold, 480.5);
    EXPECT_EQ(model.Info.ExplosionThresholdText, "480.5");
    for (int t = 1; t <= model.Duration; ++t) {
        SCOPED_TRACE(t);
        ExpectShortNear(before.TotalMean[t], model.TotalMean[t]);
        ExpectShortNear(before.TotalStdDev[t], model.TotalStdDev[t]);
        EXPECT_EQ(model.TotalMax[t], before.TotalMax[t]);
        ExpectShortNear(before.OccupancyMean[t], model.OccupancyMean[t]);
        for (int p = 1; p <= 3; ++p) {
            ExpectShortNear(before.PopMean[p][t], model.PopMean[p][t]);
            EXPECT_EQ(model.PopMin[p][t], before.PopMin[p][t]);
            EXPECT_EQ(model.PopMax[p][t], before.PopMax[p][t]);
        }
    }
    for (int r = 1; r <= 37; ++r) EXPECT_EQ(model.ReplicationFinal[r], before.ReplicationFinal[r]);
    for (int i = 1; i <= kTimeBins; ++i) {
        EXPECT_EQ(model.ExtinctionTimes[i], i <= 40 ? before.ExtinctionTimes[i] : 0);
        EXPECT_EQ(model.ExplosionTimes[i], i <= 40 ? before.ExplosionTimes[i] : 0);
    }
    EXPECT_FLOAT_EQ(model.LocalOccupancyStdDev[2], 3.2f);

    const std::string again = dir.file("again.mp");
    ASSERT_EQ(SaveModelFile(model, again), kModelFileOk);
    EXPECT_EQ(ReadAll(again), ReadAll(file));
}

TEST_F(MultiModelFileTest, EditedInputsSaveNoSection)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(10);
    model.InputsChanged = true;
    const std::string file = dir.file("edited.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
    EXPECT_EQ(ReadAll(file), ReadAll(DataFile("canonical.mp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("edited.SCL")));
}

TEST_F(MultiModelFileTest, DiskSpaceDecidesWhetherResultsAreSaved)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(10);
    const long long needed = ResultsSpaceNeeded(3, 40, 10);
    EXPECT_EQ(needed, 20 * 40 * 5 + 16 * 3 + 12 * 10 + 300 + 8 * 5 + 1024);
    const struct {
        long long freeBytes, totalBytes;
        int code;
        bool section;
        std::string warning;
    } cases[] = {
        {0, 1'000'000'000, kModelFileNoSpace, false, "Not enough disk space to save results. Only input data is saved."},
        {needed, 1'000'000'000, kModelFileNoSpace, false,
         "Not enough disk space to save results. Only input data is saved."},
        {needed + needed / 10, 1'000'000'000, kModelFileOk, true,
         "Available disk space may not be enough to save results.  Please wait ...."},
        {needed * 10, 1'000'000'000, kModelFileOk, true, ""},
    };
    const std::string file = dir.file("space.mp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.freeBytes);
        SetDiskSpaceProvider([&](const std::string&, TDiskSpace& space) {
            space = {c.freeBytes, c.totalBytes};
            return true;
        });
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(model, file), c.code);
        if (c.warning.empty())
            EXPECT_TRUE(sink.boxes.empty()) << Boxes();
        else
            EXPECT_TRUE(Warned(c.warning)) << Boxes();
        const std::vector<std::string> lines = SplitLines(ReadAll(file));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "-End of file-");
        EXPECT_EQ(IndexOf(lines, "10 replications") != lines.size(), c.section);
        // Either way a valid file: inputs only without the section.
        TMultiModel copy = model;
        ASSERT_EQ(LoadModelFile(copy, file), kModelFileOk) << Boxes();
        EXPECT_EQ(copy.ModelState, c.section ? kStateResults : kStateInputs);
        EXPECT_DOUBLE_EQ(copy.ExtinctionThreshold, 12.0);
    }
}

// A damaged or out-of-range section keeps the inputs and the results out.
TEST_F(MultiModelFileTest, BadSectionsKeepTheInputsOnly)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(20);
    const std::string good = dir.file("good.mp");
    ASSERT_EQ(SaveModelFile(model, good), kModelFileOk);
    const std::vector<std::string> lines = SplitLines(ReadAll(good));
    const std::size_t section = IndexOf(lines, "Simulation results 12/10/2026 09:49:11");
    const std::size_t cross = IndexOf(lines, "Time to cross");
    const std::string damaged = "Error in loading results from file: ";
    const struct {
        const char* what;
        std::function<void(std::vector<std::string>&)> edit;
        int code;
        std::string message;
    } cases[] = {
        {"negative replications", [&](auto& l) { l[section + 1] = "-4 replications"; }, 6, damaged},
        {"replications not whole", [&](auto& l) { l[section + 1] = "2.5 replications"; }, 6, damaged},
        {"replications not a number", [&](auto& l) { l[section + 1] = "nan replications"; }, 6, damaged},
        {"letters in a value", [&](auto& l) { l[section + 4] = "1 x 2 3"; }, 6, damaged},
        {"a line short of values", [&](auto& l) { l[section + 5] = "1 2 3"; }, 6, damaged},
        {"cut in the crossings", [&](auto& l) { l.resize(cross + 10); }, 6, damaged},
        {"cut after the heading", [&](auto& l) { l.resize(section + 1); }, 6, damaged},
        {"more replications than allowed", [&](auto& l) { l[section + 1] = "2000 replications"; }, 9,
         "Only input data can be loaded (too many replications)"},
        {"1e308 replications", [&](auto& l) { l[section + 1] = "1e308 replications"; }, 9,
         "Only input data can be loaded (too many replications)"},
        {"replications line clamped", [&](auto& l) { l[6] = "5000"; }, 9,
         "Only input data can be loaded (too many replications)"},
        {"duration line clamped", [&](auto& l) { l[7] = "500"; }, 10,
         "Only input data can be loaded (duration too large)"},
        {"duration line bad", [&](auto& l) { l[7] = "forty"; }, 10,
         "Only input data can be loaded (duration too large)"},
    };
    const std::string bad = dir.file("bad.mp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> edited = lines;
        c.edit(edited);
        WriteAll(bad, JoinLines(edited));
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, bad), c.code);
        EXPECT_TRUE(Warned(c.code == 6 ? c.message + bad : c.message)) << Boxes();
        EXPECT_EQ(model.ModelState, kStateInputs);
        EXPECT_TRUE(model.InputsChanged);
        EXPECT_EQ(model.Info.Title, "Three heath populations");
        EXPECT_EQ(model.Populations[3].Name, "Bog edge");
    }
}

// Hand-edited values that would otherwise mislead later results: the
// replication values are sorted, counts kept within their integer types.
TEST_F(MultiModelFileTest, HandEditedResultsAreTamed)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(5);
    const std::string file = dir.file("edited.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
    std::vector<std::string> lines = SplitLines(ReadAll(file));
    const std::size_t repl = IndexOf(lines, "Min.  Max.  Ter.");
    lines[repl + 1] = "90 5 700";
    const std::size_t pop2 = IndexOf(lines, "Pop. 2");
    lines[pop2 + 1] = "1 1 -9000000000000 9000000000000";
    lines[IndexOf(lines, "Time to cross") + 1] = "1000000 -5";
    WriteAll(file, JoinLines(lines));

    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.ModelState, kStateResults);
    const float mins[] = {2, 3, 4, 5, 90};
    const float maxs[] = {5, 106, 109, 112, 115};
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(model.ReplicationMin[r], mins[r - 1]);
        EXPECT_EQ(model.ReplicationMax[r], maxs[r - 1]);
    }
    EXPECT_EQ(model.PopMin[2][1], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(model.PopMax[2][1], std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(model.ExtinctionTimes[1], 65535);
    EXPECT_EQ(model.ExplosionTimes[1], 0);
}

// A run with wider time bins writes fewer crossing lines; the width read
// back from the file reads them all.
TEST_F(MultiModelFileTest, BinWidthOfTheRunComesBack)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(8);
    model.TimeBinWidth = 3;  // 40 steps: 13 + 1 lines
    const std::string file = dir.file("bins.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
    const std::vector<std::string> lines = SplitLines(ReadAll(file));
    EXPECT_EQ(lines.size() - IndexOf(lines, "Time to cross"), 14u + 2u);
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.ModelState, kStateResults);
    EXPECT_EQ(model.TimeBinWidth, 3);
    EXPECT_EQ(model.ExplosionTimes[14], 2);
    EXPECT_EQ(model.ExtinctionTimes[13], 6);
    EXPECT_EQ(model.ExtinctionTimes[16], 0);  // beyond the lines written
}

// A file that ends within the three lines after the dispersal block loads
// with the extinction threshold "0", the explosion threshold "1" and bins of
// one step, also after a model whose thresholds were other, and saves them.
TEST_F(MultiModelFileTest, AFileWithoutThresholdLinesLoadsTheStartThresholds)
{
    const std::vector<std::string> canonical = SplitLines(ReadAll(DataFile("canonical.mp")));
    const std::size_t block = IndexOf(canonical, "Migration") + 3;   // the line after the parameters
    for (const std::size_t kept : {0u, 1u, 2u}) {
        for (const bool endLine : {false, true}) {
            SCOPED_TRACE(std::to_string(kept) + (endLine ? " with the end line" : " at the end of the file"));
            std::string text;
            for (std::size_t i = 0; i < block + kept; ++i) text += canonical[i] + "\r\n";
            if (endLine) text += "-End of file-\r\n";
            const std::string file = dir.file("short.mp");
            WriteAll(file, text);
            ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
            model.TimeBinWidth = 3;
            ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
            EXPECT_EQ(model.Info.ExtinctionThresholdText, "0");
            EXPECT_EQ(model.Info.ExplosionThresholdText, "1");
            EXPECT_DOUBLE_EQ(model.ExtinctionThreshold, 0);
            EXPECT_DOUBLE_EQ(model.ExplosionThreshold, 1);
            EXPECT_EQ(model.TimeBinWidth, 1);
            const std::string saved = dir.file("resaved.mp");
            ASSERT_EQ(SaveModelFile(model, saved), kModelFileOk) << Boxes();
            const std::vector<std::string> lines = SplitLines(ReadAll(saved));
            ASSERT_GE(lines.size(), block + 4);
            EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(block), lines.end()),
                      (std::vector<std::string>{"0", "1", "1", "-End of file-"}));
        }
    }
}

// Results of a model whose inputs do not pass the check are not read.
TEST_F(MultiModelFileTest, InvalidInputsLoadNoResults)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    FillResults(4);
    const std::string file = dir.file("invalid.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
    std::vector<std::string> lines = SplitLines(ReadAll(file));
    lines[15] = "North heath,10,20,120,LO,-1,300,0.15,,0.5,,0.6,";
    WriteAll(file, JoinLines(lines));
    sink.boxes.clear();
    EXPECT_EQ(LoadModelFile(model, file), kModelFileOk);
    EXPECT_TRUE(Warned("Invalid input parameter: \"R\" for population 1")) << Boxes();
    EXPECT_EQ(model.ModelState, kStateEmpty);
    EXPECT_EQ(model.PopCount, 3);
}

// A run's results saved and loaded back are the run's within the file's
// number texts; and the reloaded model runs exactly as before, thresholds
// and bin width included.
TEST_F(MultiModelFileTest, RunSaveLoadGivesTheRunsResults)
{
    Config.RandomSeed = "4242";
    auto run = [&] {
        ASSERT_TRUE(RunSimulation(model, [](std::int32_t, std::int32_t) { return true; })) << Boxes();
        ASSERT_EQ(model.ModelState, kStateResults);
    };
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.mp")), kModelFileOk);
    run();
    const TMultiModel before = model;
    int crossings = 0;
    for (int i = 1; i <= kTimeBins; ++i) crossings += before.ExtinctionTimes[i] + before.ExplosionTimes[i];
    ASSERT_GT(crossings, 0);  // the thresholds matter to this run

    const std::string file = dir.file("run.mp");
    ASSERT_EQ(SaveModelFile(model, file), kModelFileOk) << Boxes();
    NewModel(model);
    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_EQ(model.ModelState, kStateResults);
    EXPECT_FALSE(model.InputsChanged);
    EXPECT_EQ(model.ReplicationsDone, 250);
    EXPECT_EQ(model.ResultDate, before.ResultDate);
    EXPECT_EQ(model.ResultTime, before.ResultTime);
    EXPECT_DOUBLE_EQ(model.ExtinctionThreshold, 12.0);
    EXPECT_DOUBLE_EQ(model.ExplosionThreshold, 450.0);
    EXPECT_EQ(model.TimeBinWidth, before.TimeBinWidth);
    for (int t = 1; t <= model.Duration; ++t) {
        SCOPED_TRACE(t);
        ExpectShortNear(before.TotalMean[t], model.TotalMean[t]);
        ExpectShortNear(before.TotalStdDev[t], model.TotalStdDev[t]);
        EXPECT_EQ(model.TotalMin[t], before.TotalMin[t]);
        EXPECT_EQ(model.TotalMax[t], before.TotalMax[t]);
        ExpectShortNear(before.OccupancyMean[t], model.OccupancyMean[t]);
        ExpectShortNear(before.OccupancyStdDev[t], model.OccupancyStdDev[t]);
        EXPECT_EQ(model.OccupancyMin[t], before.OccupancyMin[t]);
        EXPECT_EQ(model.OccupancyMax[t], before.OccupancyMax[t]);
        for (int p = 1; p <= 3; ++p) {
            ExpectShortNear(before.PopMean[p][t], model.PopMean[p][t]);
            ExpectShortNear(before.PopStdDev[p][t], model.PopStdDev[p][t]);
            EXPECT_EQ(model.PopMin[p][t], before.PopMin[p][t]);
            EXPECT_EQ(model.PopMax[p][t], before.PopMax[p][t]);
        }
    }
    for (int p = 1; p <= 3; ++p) {
        EXPECT_NEAR(model.LocalOccupancyMean[p], before.LocalOccupancyMean[p], 0.05);
        EXPECT_NEAR(model.LocalOccupancyStdDev[p], before.LocalOccupancyStdDev[p], 0.05);
        EXPECT_EQ(model.LocalOccupancyMin[p], before.LocalOccupancyMin[p]);
        EXPECT_EQ(model.LocalOccupancyMax[p], before.LocalOccupancyMax[p]);
    }
    for (int r = 1; r <= 250; ++r) {
        EXPECT_EQ(model.ReplicationMin[r], before.ReplicationMin[r]);
        EXPECT_EQ(model.ReplicationMax[r], before.ReplicationMax[r]);
        EXPECT_EQ(model.ReplicationFinal[r], before.ReplicationFinal[r]);
    }
    for (int i = 1; i <= kTimeBins; ++i) {
        EXPECT_EQ(model.ExtinctionTimes[i], before.ExtinctionTimes[i]);
        EXPECT_EQ(model.ExplosionTimes[i], before.ExplosionTimes[i]);
    }
    const std::string again = dir.file("again.mp");
    ASSERT_EQ(SaveModelFile(model, again), kModelFileOk);
    EXPECT_EQ(ReadAll(again), ReadAll(file));

    run();
    for (int i = 1; i <= kTimeBins; ++i) {
        EXPECT_EQ(model.ExtinctionTimes[i], before.ExtinctionTimes[i]);
        EXPECT_EQ(model.ExplosionTimes[i], before.ExplosionTimes[i]);
    }
    for (int t = 1; t <= model.Duration; ++t) EXPECT_EQ(model.TotalMean[t], before.TotalMean[t]);
}
