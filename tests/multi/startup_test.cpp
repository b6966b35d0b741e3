#include "multi/startup.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs in a fresh current folder that holds "here.mp", with a data folder
// of its own beside it.
class MultiStartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        fs::create_directory(dir_.file("work"));
        fs::create_directory(dir_.file("data"));
        fs::current_path(dir_.file("work"));
        WriteAll(dir_.file("work/here.mp"), "");
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
    }

    std::string Work(const std::string& name) const { return fs::current_path().string() + "/" + name; }
    std::string Data() const { return dir_.file("data") + "/"; }

    TempDir dir_;
    fs::path previous_;
};

}  // namespace

// The last argument that is not a directive names the model; ".mp" is added
// to a name without an extension; a name without a folder is the current
// folder's file when there is one, else the data folder's. Absolute paths
// are file names, not directives.
TEST_F(MultiStartupTest, TheLastFileArgumentNamesTheModel)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string name;  // empty: none named
    };
    const std::string abs = dir_.file("elsewhere");
    const Case cases[] = {
        {{}, ""},
        {{"/RUN=Y", "/rep=5"}, ""},
        {{"here"}, Work("here.mp")},
        {{"here.mp"}, Work("here.mp")},
        {{"missing"}, Data() + "missing.mp"},
        {{"first.mp", "/RUN=Y", "second"}, Data() + "second.mp"},
        {{"here", "/DAT=/tmp"}, Work("here.mp")},
        {{abs + "/model"}, abs + "/model.mp"},
        {{abs + "/model.MP"}, abs + "/model.MP"},
        {{abs + "/v1.2/model"}, abs + "/v1.2/model.mp"},
        {{"sub\\model"}, "sub\\model.mp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        ModelFileName = multi::kUntitledModel;
        ModelFileNamed = false;
        multi::ParseCommandLine(c.arguments, Data());
        EXPECT_EQ(ModelFileNamed, !c.name.empty());
        EXPECT_EQ(ModelFileName, c.name.empty() ? std::string("Untitled.mp") : c.name);
    }
}

// Start-up: the data folder is the current one, the model is new and the
// result kinds are this program's; no configuration file is read.
TEST_F(MultiStartupTest, StartsWithANewModelAndThisProgramsKinds)
{
    const TKindTable table = CurrentKindTable();
    WriteAll("ZERKANOL.CFG", "POP=3\r\nREP=7\r\n");
    multi::StartMultiProgram({"here", "/POP=2"}, fs::current_path().string());
    EXPECT_EQ(ModelFileName, Work("here.mp"));
    EXPECT_TRUE(ModelFileNamed);
    EXPECT_EQ(Config.DataPath, fs::current_path().string() + "/");
    EXPECT_EQ(CurrentKindTable(), TKindTable::Plurimod);
    EXPECT_EQ(multi::Model.MaxPops, 22);
    EXPECT_EQ(multi::Model.MaxReplications, 1000);
    EXPECT_EQ(multi::Model.PopCount, 1);
    EXPECT_EQ(multi::Model.ModelState, kStateEmpty);

    multi::StartMultiProgram({}, fs::current_path().string());
    EXPECT_EQ(ModelFileName, "Untitled.mp");
    EXPECT_FALSE(ModelFileNamed);
    SelectKindTable(table);
}
