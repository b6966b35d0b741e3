#include "core/config.h"

#include "core/batch_log.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// Runs each test in a fresh folder and restores the working directory and the
// batch switch afterwards.
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        fs::current_path(dir_.path());
        startup_ = fs::current_path().string();
        ResetBatchLog();
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        ResetBatchLog();
    }
    TConfigStartup Startup(TProgramVariant variant, std::vector<std::string> args, const std::string& programDir = "")
    {
        return TConfigStartup{variant, std::move(args), startup_, programDir};
    }
    std::string Sub(const std::string& name)
    {
        fs::create_directories(dir_.path() / name);
        return (fs::path(startup_) / name).string();
    }

    TempDir dir_;
    fs::path previous_;
    std::string startup_;
};

}  // namespace

TEST_F(ConfigTest, DirectivesAreBoundedPerVariant)
{
    using Field = std::function<double()>;
    const Field pop = [] { return Config.MaxPopulations; };
    const Field sta = [] { return Config.MaxStages; };
    const Field kch = [] { return Config.MaxKChange; };
    const Field mat = [] { return Config.MaxMatrices; };
    const Field rep = [] { return Config.MaxReplications; };
    const Field dur = [] { return Config.MaxDuration; };
    const Field fil = [] { return Config.FileCount; };
    const Field del = [] { return Config.StepDelay; };
    const Field dis = [] { return Config.DisplayMode; };
    const Field out = [] { return Config.OutputLevel; };
    const Field row = [] { return Config.MapRows; };
    struct Case {
        const char* line;
        Field field;
        double strativa, monovara;
    } cases[] = {
        {"POP=500", pop, 160, 50},
        {"POP=0", pop, 1, 1},
        {"POP=abc", pop, 50, 50},
        {"POP=-5", pop, 1, 1},  // never wraps in the unsigned field
        {"POPULATIONS=20", pop, 20, 20},
        {"STA=9", sta, 7, 2},
        {"STA=abc", sta, 7, 2},  // the fallback obeys the cap
        {"STA=-1", sta, 1, 1},
        {"KCH=5", kch, 1, 5},
        {"KCH=abc", kch, 1, 10},
        {"KCH=", kch, 1, 10},
        {"KCH=-300", kch, 1, 1},
        {"MAT=abc", mat, 1, 10},
        {"MAT=500", mat, 1, 100},
        {"REP=20000", rep, 10000, 1000},
        {"DUR=501", dur, 500, 500},
        {"DUR=x", dur, 100, 100},
        {"FIL=1", fil, 2, 2},
        {"DEL=-3", del, 0, 0},
        {"DEL=12.5", del, 10, 10},
        {"DEL=0.25", del, 0.25, 0.25},
        {"DEL=1,5", del, 0, 0},
        {"DIS=Text", dis, 2, 2},
        {"DIS=trajectory", dis, 1, 1},
        {"DIS=map", dis, 0, 0},
        {"DIS=xyz", dis, 2, 2},
        {"OUT=25", out, 0, 0},
        {"OUT=-1", out, 0, 0},
        {"OUT=5", out, 5, 5},
        {"row=-2", row, 1, 1},
        {"ROW=  ", row, 80, 80},
    };
    for (const Case& c : cases) {
        for (TProgramVariant v : {TProgramVariant::Strativa, TProgramVariant::Monovara}) {
            ResetConfiguration(v, startup_, "");
            ApplyConfigDirective(c.line);
            EXPECT_DOUBLE_EQ(c.field(), v == TProgramVariant::Strativa ? c.strativa : c.monovara)
                << c.line << (v == TProgramVariant::Strativa ? " (Strativa)" : " (Monovara)");
        }
    }
}

TEST_F(ConfigTest, SwitchesAndTexts)
{
    ResetConfiguration(TProgramVariant::Strativa, startup_, "/opt/prog");
    EXPECT_EQ(Config.MaxStages, 7);
    EXPECT_EQ(Config.MaxMatrices, 1);
    EXPECT_EQ(Config.MaxKChange, 1);
    EXPECT_EQ(Config.MaxPopulations, 80);
    EXPECT_EQ(Config.ProgramDir, "/opt/prog/");
    EXPECT_EQ(Config.DataPath, startup_ + "/");
    EXPECT_EQ(ModelFileName, "Untitled.st");

    ApplyConfigDirective("LOA=yes");
    EXPECT_TRUE(Config.LoadScales);
    ApplyConfigDirective("loa=no");
    EXPECT_FALSE(Config.LoadScales);
    ApplyConfigDirective("LOA=yes");
    EXPECT_FALSE(Config.LoadScales);

    ApplyConfigDirective("MIG=  0.5 1  ");
    EXPECT_TRUE(Config.MigrationSet);
    EXPECT_EQ(Config.MigrationText, "0.5 1");
    ApplyConfigDirective("RAN=-42");
    EXPECT_EQ(Config.RandomSeed, "-42");
    ApplyConfigDirective("DIR=/usr/lib/x");
    EXPECT_EQ(Config.ProgramDir, "/usr/lib/x/");
    ApplyConfigDirective("DIR=");
    EXPECT_EQ(Config.ProgramDir, "");
    ApplyConfigDirective("PSH=Lines");
    EXPECT_EQ(Config.PrintShade, 3);
    ApplyConfigDirective("DRW=none");
    EXPECT_EQ(Config.DrawMode, 0);
    ApplyConfigDirective("RET=no");
    EXPECT_TRUE(Config.RetSwitch);
    for (const char* ignored : {"", " ", "REM POP=3", "::: x", "PRI=1", "XYZ=1", "PO"})
        ApplyConfigDirective(ignored);
    EXPECT_EQ(Config.MaxPopulations, 80);

    ApplyConfigDirective("WIN= 1 2 3 4 5 6 7 8 15");
    EXPECT_EQ(ChartColors, (std::array<std::uint8_t, 9>{1, 2, 3, 4, 5, 6, 7, 8, 15}));
    for (const char* bad : {"WIN=1 2 3", "WIN=1 2 3 4 5 6 7 8 x", "WIN=1 2 3 4 5 6 7 8 16"}) {
        EXPECT_THROW(ApplyConfigDirective(bad), ConfigError) << bad;
        EXPECT_EQ(ChartColors[8], 15) << bad;  // a refused line changes nothing
    }

    EXPECT_FALSE(BatchMode);
    ApplyConfigDirective("RUN=no");
    EXPECT_FALSE(BatchMode);
    ApplyConfigDirective("run=yes");
    EXPECT_TRUE(BatchMode);
}

TEST_F(ConfigTest, BadSeedRaisesWithTheWholeDirective)
{
    ResetConfiguration(TProgramVariant::Strativa, startup_, "");
    for (const char* line : {"RAN=abc", "RAN=", "RAN=1.5"}) {
        try {
            ApplyConfigDirective(line);
            ADD_FAILURE() << line;
        } catch (const ConfigError& e) {
            EXPECT_EQ(e.what(), std::string("Invalid initial random seed: ") + line);
        }
    }
    try {
        LoadConfiguration(Startup(TProgramVariant::Strativa, {"/RAN=abc"}));
        ADD_FAILURE();
    } catch (const ConfigError& e) {
        EXPECT_STREQ(e.what(), "Invalid initial random seed: RAN=abc");
    }
}

TEST_F(ConfigTest, DirectivesAndFileNamesOnTheCommandLine)
{
    struct Case {
        const char* argument;
        bool directive;
    } cases[] = {{"/RUN=Y", true},   {"/DAT=/home/me/models", true}, {"/pop=5", true},
                 {"/home/me/model.st", false}, {"/1=2", false}, {"model.st", false}, {"/", false},
                 {"/tmp", true},  // the rule's reading: a slash, a letter, no further slash
                 {"/a/b=c", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsDirectiveArgument(c.argument), c.directive) << c.argument;
}

TEST_F(ConfigTest, CommandLineBeatsTheFileAndNamesTheModel)
{
    WriteAll(dir_.file("ZERKANOL.CFG"), "POP=30\r\nDUR=80\r\n");
    LoadConfiguration(Startup(TProgramVariant::Strativa, {"/POP=10", "mymodel"}));
    EXPECT_EQ(Config.MaxPopulations, 10);
    EXPECT_EQ(Config.MaxDuration, 80);
    EXPECT_EQ(ModelFileName, startup_ + "/mymodel.st");
    EXPECT_TRUE(ModelFileNamed);
    EXPECT_EQ(ConfigFileName, startup_ + "/ZERKANOL.CFG");

    // Monovara's extension; an existing file in the current directory; a
    // name with a directory is kept as given.
    WriteAll(dir_.file("here.sp"), "");
    LoadConfiguration(Startup(TProgramVariant::Monovara, {"here"}));
    EXPECT_EQ(ModelFileName, startup_ + "/here.sp");
    LoadConfiguration(Startup(TProgramVariant::Monovara, {"/abs/dir.v1/m"}));
    EXPECT_EQ(ModelFileName, "/abs/dir.v1/m.sp");
    EXPECT_EQ(Config.MaxPopulations, 30);  // the file's value, now within Monovara's cap
}

TEST_F(ConfigTest, FileLinesWithCommentsBlanksAndCrlf)
{
    WriteAll(dir_.file("zerkanol.cfg"), "rem settings\r\npop = 20 | comment\r\n| only a comment\r\n\r\n"
                                        "STA=3\nkch=50\r\nRUN=y");
    LoadConfiguration(Startup(TProgramVariant::Monovara, {}));
    EXPECT_EQ(Config.MaxPopulations, 20);
    EXPECT_EQ(Config.MaxStages, 2);
    EXPECT_EQ(Config.MaxKChange, 20);  // the change series stay within the populations
    EXPECT_TRUE(BatchMode);
    EXPECT_EQ(ConfigFileName, startup_ + "/zerkanol.cfg");
}

TEST_F(ConfigTest, TheModelFolderFileWinsOverTheProgramFolderFile)
{
    const std::string models = Sub("models");
    const std::string program = Sub("program");
    WriteAll(program + "/ZERKANOL.CFG", "POP=30\r\nREP=50\r\n");
    WriteAll(models + "/ZERKANOL.CFG", "POP=40\r\n");
    LoadConfiguration(Startup(TProgramVariant::Strativa, {models + "/m.st"}, program));
    EXPECT_EQ(Config.MaxPopulations, 40);
    EXPECT_EQ(Config.MaxReplications, 1000);  // only one file is read
    EXPECT_EQ(ConfigFileName, models + "/ZERKANOL.CFG");

    // Without one in the model folder, the program folder's file is read.
    LoadConfiguration(Startup(TProgramVariant::Strativa, {Sub("empty") + "/m.st"}, program));
    EXPECT_EQ(Config.MaxPopulations, 30);
    EXPECT_EQ(ConfigFileName, program + "/ZERKANOL.CFG");
}

TEST_F(ConfigTest, DataPathChangesDirectoryOrReportsOnce)
{
    const std::string data = Sub("data");
    WriteAll(data + "/ZERKANOL.CFG", "DUR=99\r\n");
    LoadConfiguration(Startup(TProgramVariant::Strativa, {"/DAT=data\\", "m"}));
    EXPECT_EQ(Config.DataPath, data);
    EXPECT_EQ(fs::current_path().string(), data);
    EXPECT_EQ(Config.MaxDuration, 99);  // read from the data folder
    EXPECT_EQ(ModelFileName, data + "/m.st");

    fs::current_path(startup_);
    RecordingSink sink;
    LoadConfiguration(Startup(TProgramVariant::Strativa, {"/DAT=nowhere"}));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "Cannot find data path nowhere");
    EXPECT_EQ(Config.DataPath, "nowhere");
}

TEST_F(ConfigTest, ADataPathFailureReachesTheBatchLogWhereverRunStands)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* file;  // ZERKANOL.CFG in the start-up folder; none when null
    } cases[] = {
        {"DAT before RUN on the command line", {"/DAT=nowhere", "/RUN=Y"}, nullptr},
        {"DAT in the file, RUN later in it", {}, "DAT=nowhere\r\nRUN=Y\r\n"},
        {"DAT in the file, RUN on the command line", {"/RUN=Y"}, "DAT=nowhere\r\n"},
    };
    for (const Case& c : cases) {
        TempDir logDir;
        fs::current_path(startup_);
        fs::remove(dir_.file("ZERKANOL.CFG"));
        if (c.file)
            WriteAll(dir_.file("ZERKANOL.CFG"), c.file);
        ResetBatchLog();
        RecordingSink sink;
        LoadConfiguration(Startup(TProgramVariant::Strativa, c.arguments));
        EXPECT_TRUE(BatchMode) << c.name;
        EXPECT_TRUE(sink.boxes.empty()) << c.name;
        ASSERT_TRUE(OpenBatchLog(logDir.path().string())) << c.name;
        CloseBatchLog();
        EXPECT_EQ(ReadAll(logDir.file("VEREDUZ.REC")), "      Cannot find data path nowhere\r\n") << c.name;
    }
}
