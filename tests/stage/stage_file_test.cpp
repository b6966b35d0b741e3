#include "stage_file_fixture.h"

#include "core/str_utilx.h"

#include <cmath>
#include <filesystem>
#include <functional>

namespace {

std::string ExampleFolder() { return std::string(PV_TEST_DATA) + "/../../examples"; }

}  // namespace

TEST_F(StageFileTest, HandWrittenFilesResaveByteIdentical)
{
    const std::string canonicalLf = dir.file("canonical_lf.st");
    std::string lf = ReadAll(DataFile("canonical.st"));
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    WriteAll(canonicalLf, lf);

    struct Case {
        std::string file;
        std::string expected;
    };
    std::vector<Case> cases = {
        {DataFile("canonical.st"), DataFile("canonical.st")},
        {canonicalLf, DataFile("canonical.st")},  // LF in, CR LF out
    };
    for (const auto& entry : std::filesystem::directory_iterator(ExampleFolder()))
        if (entry.path().extension() == ".st") cases.push_back({entry.path().string(), entry.path().string()});
    ASSERT_GE(cases.size(), 4u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(LoadModelFile(model, c.file, 0), kModelFileOk) << Boxes();
        const std::string saved = dir.file("resaved.st");
        ASSERT_EQ(SaveModelFile(model, saved), kModelFileOk) << Boxes();
        EXPECT_EQ(ReadAll(saved), ReadAll(c.expected));
    }
}

TEST_F(StageFileTest, CanonicalFileFillsTheStore)
{
    ASSERT_EQ(LoadModelFile(model, "  " + DataFile("canonical.st") + " "), kModelFileOk) << Boxes();
    EXPECT_EQ(model.state, kStateInputs);
    EXPECT_TRUE(InputsChanged);
    EXPECT_EQ(Config.MapName, "");
    EXPECT_EQ(model.comments[3], "Third comment with trailing blanks  ");
    EXPECT_EQ(model.comments[4], "\xe9t\xe9 count");
    EXPECT_EQ(model.replications, 200);
    EXPECT_EQ(model.duration, 60);
    EXPECT_TRUE(model.ignoreconstraints);
    EXPECT_TRUE(model.poolvar);
    EXPECT_EQ(model.pops, 2);
    const PopulationRecord& east = model.populations[2];
    EXPECT_EQ(east.name, "East marsh");
    EXPECT_FLOAT_EQ(east.x, 12.5f);
    EXPECT_FLOAT_EQ(east.y, -3.25f);
    EXPECT_EQ(east.ddtype, 7);
    EXPECT_EQ(east.extratext1, "x1");
    EXPECT_EQ(east.kchange, "0.5");
    EXPECT_EQ(east.cat1probtext, "0.05");
    EXPECT_FALSE(east.intotal);
    EXPECT_EQ(east.matrixindex, 2);
    EXPECT_EQ(east.schange, "0.9");
    EXPECT_EQ(east.localthresholdtext, "5");
    EXPECT_EQ(model.stagematrices, 2);
    EXPECT_EQ(model.matrixheaders[2].name, "drought");
    EXPECT_FLOAT_EQ(model.matrixheaders[2].value1, 0.8f);
    EXPECT_FLOAT_EQ(model.matrixheaders[2].value2, 0.5f);
    EXPECT_FLOAT_EQ(model.stagematrix[2][1][3], 1.125f);
    EXPECT_FLOAT_EQ(model.stdevmatrix[1][3][2], 0.06f);
    EXPECT_DOUBLE_EQ(model.initialabundance[1][1], 10.25);
    EXPECT_DOUBLE_EQ(model.initialabundance[2][2], 12.5);
    EXPECT_EQ(model.stageprops[2].value1text, "0.500000");
    EXPECT_EQ(model.stageprops[3].value1text, "  150.00");
    EXPECT_EQ(model.stageprops[3].name, "Adult");
    EXPECT_EQ(model.stageprops[3].value2text, "1.6");
    EXPECT_TRUE(model.stageprops[3].flag);
    ASSERT_EQ(model.actioncount, 2);
    EXPECT_EQ(model.actions[1].amountkind, 1);
    EXPECT_FLOAT_EQ(model.actions[1].proportion, 0.1f);
    EXPECT_EQ(model.actions[1].laststage, 3);
    EXPECT_FALSE(model.actions[2].active);
    EXPECT_EQ(model.actions[2].kind, 1);
    EXPECT_EQ(model.actions[2].number, 5);
    EXPECT_EQ(model.actions[2].threshold, 12);
    EXPECT_EQ(model.crossbin, 2);
}

// A model set up in the store (not read from a file) survives save, load,
// save byte for byte, and every carried field comes back within its format.
TEST_F(StageFileTest, StoreModelRoundTrip)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("canonical.st")), kModelFileOk);
    Config.MapName = "lake shore.map";
    model.title = "Edited, with a comma in the title";
    PopulationRecord& east = model.populations[2];
    east.name = "A very long population name";
    east.x = 1.23456f;
    east.kchange = "kchange-file.txt";
    east.ddtype = 3;
    model.stagematrix[1][2][1] = 0.1234567f;
    model.stdevmatrix[1][1][3] = 12.5f;
    model.initialabundance[1][2] = 0.0004;  // vanishes at three decimals
    model.initialabundance[2][3] = 7.125;
    model.stageprops[2].value1text = "0.25";  // the input check takes the factor from its text
    model.stageprops[2].name = "Very long stage name";
    model.replications = 0;
    model.populations[2].stdevindex = 1;

    const std::string first = dir.file("first.st");
    const std::string second = dir.file("second.st");
    ASSERT_EQ(SaveModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(LoadModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(SaveModelFile(model, second), kModelFileOk) << Boxes();
    EXPECT_EQ(ReadAll(second), ReadAll(first));

    EXPECT_EQ(Config.MapName, "lake shore.map");
    EXPECT_EQ(model.title, "Edited, with a comma in the title");
    EXPECT_EQ(model.populations[2].name, "A very long popu");
    EXPECT_EQ(model.populations[2].name.size(), 16u);
    EXPECT_EQ(model.populations[2].kchange, "kchange-file.");
    EXPECT_NEAR(model.populations[2].x, 1.23456f, 0.0005);
    EXPECT_EQ(model.populations[2].ddtype, 3);
    EXPECT_NEAR(model.stagematrix[1][2][1], 0.1234567f, 1e-6);
    EXPECT_FLOAT_EQ(model.stdevmatrix[1][1][3], 12.5f);
    EXPECT_EQ(model.initialabundance[1][2], 0.0);
    EXPECT_NEAR(model.initialabundance[2][3], 7.125, 0.0005);
    EXPECT_EQ(model.stageprops[2].value1text, "0.250000");
    EXPECT_EQ(model.stageprops[2].name, "Very long ");
    EXPECT_EQ(model.replications, 0);
    const std::vector<std::string> lines = SplitLines(ReadAll(first));
    EXPECT_EQ(lines[0], std::string(kModelHeader) + " map=lake shore.map");
}

// A new model holds what reading a file forces, so it is the same model once
// saved and read back: every line but population 1's (its name and neutral
// texts, which only the file's reader fills in) is written again unchanged.
TEST_F(StageFileTest, ANewModelReadsBackAsItWasMade)
{
    model.Clear();
    model.replications = 50;
    model.duration = 20;
    model.stagematrix[1][1][2] = 1.5f;
    model.stagematrix[1][2][1] = 0.4f;
    model.stdevmatrix[1][1][2] = 0.3f;
    model.initialabundance[1][1] = 40;

    const std::string first = dir.file("new.st");
    const std::string second = dir.file("reopened.st");
    ASSERT_EQ(SaveModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(LoadModelFile(model, first), kModelFileOk) << Boxes();
    ASSERT_EQ(SaveModelFile(model, second), kModelFileOk) << Boxes();
    std::vector<std::string> made = SplitLines(ReadAll(first));
    std::vector<std::string> reread = SplitLines(ReadAll(second));
    ASSERT_EQ(made.size(), reread.size());
    EXPECT_EQ(made[19], "Lognormal,0");
    made.erase(made.begin() + 23);
    reread.erase(reread.begin() + 23);
    EXPECT_EQ(reread, made);
}

TEST_F(StageFileTest, OlderVersionsImportWithTheirDefaults)
{
    ASSERT_EQ(LoadModelFile(model, DataFile("version21.st")), kModelFileOk) << Boxes();
    EXPECT_TRUE(Warned("Importing from version 2.1"));
    EXPECT_TRUE(Warned("Changing density dependence affects to \"All vital rates\""));
    EXPECT_EQ(model.state, kStateInputs);
    EXPECT_TRUE(model.negsurvcorr);
    EXPECT_EQ(model.matrixheaders[1].name, "base");
    EXPECT_EQ(model.stdevheaders[1].name, "default");
    EXPECT_FLOAT_EQ(model.stdevmatrix[1][3][3], 0.05f);
    EXPECT_DOUBLE_EQ(model.initialabundance[1][3], 5);
    EXPECT_EQ(model.stageprops[2].name, "Stage 2");
    EXPECT_EQ(model.stageprops[2].value2text, "1");
    EXPECT_EQ(model.actioncount, 0);
    EXPECT_EQ(model.crossbin, 3);

    sink.boxes.clear();
    ASSERT_EQ(LoadModelFile(model, DataFile("version11.st")), kModelFileOk) << Boxes();
    EXPECT_TRUE(Warned("Importing from version 1.1"));
    EXPECT_EQ(model.crossbin, 1);  // a bin width of 0 reads as 1
    EXPECT_EQ(model.populations[1].fchange, "1.0");
    ASSERT_EQ(model.actioncount, 3);
    const struct {
        std::uint8_t kind, stage, amountkind;
        float proportion;
        int number;
    } expected[] = {{0, 2, 1, 0.25f, 0}, {0, 3, 1, 1.0f, 0}, {1, 2, 0, 0.0f, 4}};
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const ManagementRecord& a = model.actions[k];
        const auto& e = expected[k - 1];
        EXPECT_TRUE(a.active);
        EXPECT_EQ(a.kind, e.kind);
        EXPECT_EQ(a.firststage, e.stage);
        EXPECT_EQ(a.laststage, e.stage);
        EXPECT_EQ(a.amountkind, e.amountkind);
        EXPECT_FLOAT_EQ(a.proportion, e.proportion);
        EXPECT_EQ(a.number, e.number);
        EXPECT_EQ(a.frompop, 1);
        EXPECT_EQ(a.topop, 1);
        EXPECT_EQ(a.begintime, 1);
        EXPECT_EQ(a.endtime, 25);
        EXPECT_EQ(a.period, 1);
        EXPECT_EQ(a.condition, 0);
    }
    // Saved again, the old file becomes a current one.
    const std::string saved = dir.file("upgraded.st");
    ASSERT_EQ(SaveModelFile(model, saved), kModelFileOk);
    ASSERT_EQ(LoadModelFile(model, saved), kModelFileOk);
    EXPECT_EQ(model.actioncount, 3);
}

TEST_F(StageFileTest, FailedLoadsLeaveTheModelCleared)
{
    const std::vector<std::string> good = SplitLines(ReadAll(DataFile("canonical.st")));
    const std::size_t thresholds = good.size() - 4;
    const struct {
        const char* what;
        std::function<void(std::vector<std::string>&)> edit;
        int code;
        std::string message;
    } cases[] = {
        {"newer version", [](auto& l) { l[0] = "Voran/Pelivo: age and stage structure (3.5) map=\xff"; }, 3,
         "File not loaded: Cannot import from version 3.5"},
        {"version beyond 25", [](auto& l) { l[0] = "Voran/Pelivo: age and stage structure (30.) map="; }, 3,
         "File not loaded: Not an input file"},
        {"other first line", [](auto& l) { l[0] = "Voran/Pelivo: rivedarulation (1.0)"; }, 3,
         "File not loaded: Not an input file"},
        {"empty file", [](auto& l) { l.clear(); }, 3, "File not loaded: Not an input file"},
        {"Boolean", [](auto& l) { l[8] = "maybe"; }, 5, "File not loaded: Boolean error"},
        {"two stages", [](auto& l) { l[9] = "2 FALSE"; }, 5, "File not loaded: Not enough stages"},
        {"eight stages", [](auto& l) { l[9] = "8 FALSE"; }, 5, "File not loaded: Too many stages"},
        {"stages in words", [](auto& l) { l[9] = "three FALSE"; }, 5, "File not loaded: Invalid number of stages"},
        {"extent", [](auto& l) { l[12] = "Global"; }, 5, "File not loaded: Invalid catastrophe extent"},
        {"distribution", [](auto& l) { l[19] = "Uniform,0"; }, 5, "File not loaded: Invalid distribution type"},
        {"when below", [](auto& l) { l[21] = "never"; }, 5, "File not loaded: Invalid \"WhenBelow\" type"},
        {"correlation within", [](auto& l) { l[22] = "4 (none)"; }, 5,
         "File not loaded: Invalid \"Uncorrelated parameters\" type"},
        {"migration keyword", [](auto& l) { l[25] = "Dispersal"; }, 5, "File not loaded: Error in migration"},
        {"short migration row", [](auto& l) { l[29] = " 0,"; }, 5, "File not loaded: Error in migration"},
        {"bad stage matrix entry", [](auto& l) { l[IndexOf(l, "0.300000 0.000000 0.000000 ")] = "0.3 x 0"; }, 5,
         "File not loaded: Error reading stage matrices"},
        {"too many actions", [](auto& l) { l[IndexOf(l, "2 (pop mgmnt)")] = "101 (pop mgmnt)"; }, 5,
         "File not loaded: Error in reading input data"},
        {"no thresholds", [thresholds](auto& l) { l.resize(thresholds); }, 5,
         "File not loaded: Error in reading input data"},
    };
    const std::string bad = dir.file("bad.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(LoadModelFile(model, DataFile("canonical.st")), kModelFileOk);
        std::vector<std::string> lines = good;
        c.edit(lines);
        WriteAll(bad, JoinLines(lines));
        sink.boxes.clear();
        EXPECT_EQ(LoadModelFile(model, bad), c.code);
        EXPECT_TRUE(Warned(c.message)) << Boxes();
        EXPECT_EQ(model.state, kStateEmpty);
        // Nothing read before the failure stays behind.
        EXPECT_EQ(model.pops, 1);
        EXPECT_EQ(model.title, "");
        EXPECT_EQ(model.populations[2].name, "");
        EXPECT_EQ(model.actioncount, 0);
        EXPECT_EQ(model.stagematrices, 1);
        EXPECT_EQ(model.populations[1].name, "");
        EXPECT_EQ(model.distribution, 1);
    }
}

TEST_F(StageFileTest, LoadRefusesNamesAndPopulationsItCannotTake)
{
    EXPECT_EQ(LoadModelFile(model, "   "), kModelFileNoName);
    const std::string missing = dir.file("missing.st");
    EXPECT_EQ(LoadModelFile(model, missing), kModelFileCannotOpen);
    EXPECT_TRUE(Warned("Cannot open " + missing));
    EXPECT_EQ(model.state, kStateEmpty);

    Config.MaxPopulations = 1;
    EXPECT_EQ(LoadModelFile(model, DataFile("canonical.st")), kModelFileTooManyPops);
    EXPECT_TRUE(Warned("File not loaded: Too many populations"));
    EXPECT_EQ(model.pops, 1);
}

TEST_F(StageFileTest, OutOfRangeCountsAreClampedWithWarnings)
{
    const std::vector<std::string> good = SplitLines(ReadAll(DataFile("canonical.st")));
    const struct {
        std::size_t line;
        std::string text;
        int replications, duration;
        std::string warning;  // empty: none expected
    } cases[] = {
        {6, "5000", 1000, 60, "Changing number of replications to 1000"},
        {6, "-3", 0, 60, ""},
        {6, "", 0, 60, ""},
        {6, "12.5", 12, 60, ""},
        {7, "0", 200, 1, ""},
        {7, "500", 200, 120, "Changing duration to 120"},
        {18, "fecundities", 200, 60, "Changing density dependence affects to \"All vital rates\""},
    };
    const std::string file = dir.file("clamp.st");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> lines = good;
        lines[c.line] = c.text;
        WriteAll(file, JoinLines(lines));
        sink.boxes.clear();
        ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
        EXPECT_EQ(model.replications, c.replications);
        EXPECT_EQ(model.duration, c.duration);
        EXPECT_EQ(model.ddaffects, 0);
        if (!c.warning.empty()) {
            EXPECT_TRUE(Warned(c.warning)) << Boxes();
        }
    }
}

// After every load population 1 and the actions hold only what this
// program edits.
TEST_F(StageFileTest, LoadRestrictsTheModel)
{
    std::vector<std::string> lines = SplitLines(ReadAll(DataFile("canonical.st")));
    lines[11] = "0.700000";      // catastrophe 1 multiplier
    lines[12] = "Regional";
    lines[19] = "Normal,0";
    lines[20] = "0.300000";      // dispersal variability
    lines[21] = "assume dead";
    lines[22] = "3 (F, S, K uncorrelated)";
    lines[23] = "West,3.000,4.000,25,EA,1.2,300,a,b,2,0.1,0.5,0.2,FALSE,2,0.8,0.7,9,0.4,0.3,1";
    lines[24] = "East marsh,12.500,-3.250,40,CA,1.3,500,x1,x2,0.5,0,1,0.05,FALSE,3,1,0.9,5,1,0,1";
    lines[27] = "0.500,2.00000,1.00000,10.00000";
    lines[28] = " 0, 0.25000,";
    const std::size_t matrix = IndexOf(lines, "2 type(s) of stage matrix");
    lines[matrix + 3] = "0.900000";  // type 1 survival multiplier
    lines[matrix + 5] = "0.000000 0.400000 400.000000 ";
    const std::size_t actions = IndexOf(lines, "2 (pop mgmnt)");
    lines[actions + 1] = "1 2   1   2   5  10   2 1 1 0 0.1000  2  3 1 50 ";
    lines[actions - 7] = "TRUE";  // stage 1 flag
    const std::string file = dir.file("free.st");
    WriteAll(file, JoinLines(lines));

    ASSERT_EQ(LoadModelFile(model, file), kModelFileOk) << Boxes();
    EXPECT_TRUE(Warned("Some populations had undefined Stage matrix types (now they have type 2)")) << Boxes();
    EXPECT_EQ(model.populations[2].matrixindex, 2);
    const PopulationRecord& p1 = model.populations[1];
    EXPECT_EQ(p1.name, "");
    EXPECT_EQ(p1.x, 0.0f);
    EXPECT_EQ(p1.y, 0.0f);
    EXPECT_EQ(p1.initialtext, "");
    EXPECT_EQ(p1.ddtype, 0);
    for (const std::string* zero : {&p1.extratext1, &p1.extratext2, &p1.kchange, &p1.dispersalslopetext,
                                    &p1.cat1probtext, &p1.localthresholdtext, &p1.cat2probtext})
        EXPECT_EQ(*zero, "0.0");
    EXPECT_EQ(p1.fchange, "1.0");
    EXPECT_EQ(p1.schange, "1.0");
    EXPECT_EQ(p1.cat1multtext, "1");
    EXPECT_EQ(p1.cat2multtext, "1");
    EXPECT_TRUE(p1.intotal);
    EXPECT_EQ(p1.matrixindex, 1);
    EXPECT_EQ(model.cat1regprob, 0.0);
    EXPECT_EQ(model.cat1extent, 0);
    EXPECT_EQ(model.distribution, 1);
    EXPECT_EQ(model.dispersalcv, 0.0);
    EXPECT_EQ(model.whenbelow, 0);
    EXPECT_EQ(model.corrwithin, 0);
    EXPECT_EQ(model.migparams[2], 0.0f);
    EXPECT_EQ(model.migration[1][2], 0.0f);
    EXPECT_EQ(model.matrixheaders[1].value1, 1.0f);
    EXPECT_EQ(model.stagematrix[1][1][3], 350.0f);
    EXPECT_FALSE(model.stageprops[1].flag);
    EXPECT_EQ(model.stageprops[1].value1text, "1");
    const ManagementRecord& a = model.actions[1];
    EXPECT_EQ(a.kind, 0);
    EXPECT_EQ(a.frompop, 1);
    EXPECT_EQ(a.topop, 1);
    EXPECT_EQ(a.begintime, 1);
    EXPECT_EQ(a.endtime, 60);
    EXPECT_EQ(a.period, 1);
    EXPECT_EQ(a.timing, 0);
    EXPECT_EQ(a.condition, 0);
    EXPECT_EQ(a.threshold, 50);  // the N as entered stays
}

// A text the file cannot carry is refused and the old file stays as it was.
TEST_F(StageFileTest, SaveRefusesTextsThatWouldBreakTheFile)
{
    const std::string file = dir.file("model.st");
    const struct {
        const char* what;
        std::function<void(TCoravel&)> edit;
        std::string reason;
    } cases[] = {
        {"comma in a name", [](TCoravel& m) { m.populations[2].name = "East, marsh"; }, "contains a comma"},
        {"comma in a parameter", [](TCoravel& m) { m.populations[2].ktext = "1,5"; }, "contains a comma"},
        {"line break in the title", [](TCoravel& m) { m.title = "two\r\nlines"; }, "contains a line break"},
        {"line break in a stage name", [](TCoravel& m) { m.stageprops[1].name = "a\nb"; }, "contains a line break"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(LoadModelFile(model, DataFile("canonical.st")), kModelFileOk);
        ASSERT_EQ(SaveModelFile(model, file), kModelFileOk);
        const std::string before = ReadAll(file);
        c.edit(model);
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(model, file), kModelFileWriteFailed);
        ASSERT_EQ(sink.boxes.size(), 1u) << Boxes();
        EXPECT_NE(sink.boxes[0].text.find(c.reason), std::string::npos) << Boxes();
        EXPECT_EQ(ReadAll(file), before);
    }
}

TEST_F(StageFileTest, SaveToAnUnusableNameFails)
{
    EXPECT_EQ(SaveModelFile(model, " "), kModelFileNoName);
    const std::string folder = dir.file("folder.st");
    std::filesystem::create_directory(folder);
    const std::string nowhere = dir.file("no/such/folder/model.st");
    for (const std::string& name : {folder, nowhere}) {
        sink.boxes.clear();
        EXPECT_EQ(SaveModelFile(model, name), kModelFileCannotOpen);
        EXPECT_TRUE(Warned("Cannot open " + name)) << Boxes();
    }
}

TEST(StageFileParsers, FirstCharacterDecides)
{
    TReaderStatus status;
    EXPECT_EQ(ParseCatastropheExtent("super", status), 0);
    EXPECT_EQ(ParseCatastropheExtent("all", status), 1);
    EXPECT_EQ(ParseCatastropheAffects("capacities"), 2);
    EXPECT_EQ(ParseCatastropheAffects("vital"), 1);
    EXPECT_EQ(ParseCatastropheAffects("anything"), 0);
    EXPECT_EQ(ParseDdAffects("survival rates"), 2);
    EXPECT_EQ(ParseDistributionType("normal", status), 0);
    EXPECT_EQ(ParseWhenBelow("don't count", status), 1);
    EXPECT_EQ(ParseCorrWithin("3 (F, S, K uncorrelated)", status), 2);
    EXPECT_TRUE(status.ok);
    EXPECT_EQ(ParseCorrWithin("x", status), 0);
    EXPECT_FALSE(status.ok);
}
