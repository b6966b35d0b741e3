// The map-features file a map model names, as a person chooses it: Model,
// General Information, "...", OK, then File, Save or Save As; the saved
// file's header is checked.

#include "core/config.h"
#include "core/settings_store.h"
#include "multi/model_data.h"
#include "multi/startup.h"
#include "unstructured_ui/general_form.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"
#include "support/editor_fixture.h"
#include "support/file_lines.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/save_failures.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace multi;
using unstructured_ui::TGeneralForm;

namespace {

class MapFileNameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartMultiEngine(TMultiLimits{});
        ModelFileName = kUntitledModel;
        ModelFileNamed = false;
        std::filesystem::create_directories(dir.file("elsewhere"));
        std::filesystem::create_directories(dir.file("moved"));
        for (const char* map : {"moorland.map", "elsewhere/heath.map"})
            std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_valley.map", dir.file(map));
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_voles.mp", dir.file("voles.mp"));
        program = std::make_unique<TMultiProgram>(settings);
        ShowActive(Form());
    }

    void TearDown() override
    {
        program.reset();
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
    }

    TMainForm& Form() { return program->MainForm(); }

    // Model, General Information: seen once and cancelled, then "..." with
    // `chosen` picked in the file dialog; what the edit then shows; OK.
    QString ChooseMap(const std::string& chosen)
    {
        QString shown;
        modals.steps.push_back([](QDialog& d) { Click(static_cast<TGeneralForm&>(d).CancelButton()); });
        modals.steps.push_back([&](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            dialogs.fileNames.push_back(QString::fromStdString(chosen));
            Click(general.LandscapeMapBrowseButton());
            shown = general.LandscapeMapEdit().text();
            Click(general.OkButton());
        });
        for (int showing = 0; showing < 2; ++showing)
            Form().Item("GeneralItem").trigger();
        Settle();
        return shown;
    }

    // The header line of a saved model.
    static std::string Header(const std::string& path) { return SplitLines(ReadAll(path)).at(0); }

    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    RealModals modals;
    RecordingHelp help;
    std::unique_ptr<TMultiProgram> program;
};

}  // namespace

// A map in the model's folder is named by its bare name, one elsewhere by
// its path; a model saved into another folder still names the map it drew.
TEST_F(MapFileNameTest, AMapBesideTheModelIsNamedByItsBareName)
{
    const std::string model = dir.file("voles.mp");
    dialogs.fileNames.push_back(QString::fromStdString(model));
    Form().Item("OpenItem").trigger();
    ASSERT_EQ(ModelFileName, model);
    const std::string header = "Voran/Pelivo: rivedarulation (1.0) map=";
    ASSERT_EQ(Header(model).substr(0, header.size()), header);

    EXPECT_EQ(ChooseMap(dir.file("moorland.map")), "moorland.map");
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(Header(model), header + "moorland.map");

    const std::string far = dir.file("elsewhere/heath.map");
    EXPECT_EQ(ChooseMap(far), QString::fromStdString(far));
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(Header(model), header + far);

    // Back beside the model, then saved into another folder: the map keeps
    // its path there, and back in the map's folder its bare name.
    ChooseMap(dir.file("moorland.map"));
    const std::string moved = dir.file("moved/voles.mp");
    dialogs.fileNames.push_back(QString::fromStdString(moved));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(Header(moved), header + dir.file("moorland.map"));
    const std::string back = dir.file("again.mp");
    dialogs.fileNames.push_back(QString::fromStdString(back));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(Header(back), header + "moorland.map");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
}

// A Save As into the map's own folder that fails leaves the model naming
// its map as before: the model saved again beside itself still writes the
// map's path, not a bare name that would be looked for beside the model.
TEST_F(MapFileNameTest, AFailedSaveAsKeepsTheMapsName)
{
    const std::string model = dir.file("voles.mp");
    dialogs.fileNames.push_back(QString::fromStdString(model));
    Form().Item("OpenItem").trigger();
    const std::string far = dir.file("elsewhere/heath.map");
    EXPECT_EQ(ChooseMap(far), QString::fromStdString(far));
    for (const TSaveFailure& c : SaveFailures(dir.file("elsewhere"))) {
        SCOPED_TRACE(c.name);
        if (c.skip)
            continue;
        dialogs.boxes.clear();
        c.fail();
        dialogs.fileNames.push_back(QString::fromStdString(dir.file("elsewhere/voles.mp")));
        Form().Item("SaveAsItem").trigger();
        c.restore();
        EXPECT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(ModelFileName, model);
    }
    dialogs.fileNames.push_back(QString::fromStdString(model));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(Header(model), "Voran/Pelivo: rivedarulation (1.0) map=" + far);
}
