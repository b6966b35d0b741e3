#include "multi_ui/main_form.h"

#include "program_fixture.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/messages.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "multi/model_data.h"
#include "multi/multi_options.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "unstructured_ui/general_form.h"
#include "multi_ui/multi_program.h"
#include "multi_ui/population_form.h"
#include "unstructured_ui/simulation_form.h"
#include "support/comments_paste.h"
#include "support/editor_fixture.h"
#include "support/file_lines.h"
#include "support/modal_steps.h"
#include "support/real_modals.h"
#include "support/number_switches.h"
#include "support/recording_help.h"
#include "support/save_failures.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/about_template_form.h"
#include "ui/mru_file_list.h"
#include "ui/numeric_edit.h"
#include "ui/picture_files.h"
#include "ui/summary_panel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QToolBar>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace multi;
using unstructured_ui::TSimulationForm;
using unstructured_ui::TGeneralForm;

namespace {

const QString kSampleTitle = "Water voles along the Ashbrook valley";

// The program's windows over the engine's model (see TProgramFixture); the
// sample's map is copied beside it.
class MultiMainFormTest : public ::testing::Test, protected TProgramFixture {
protected:
    void SetUp() override
    {
        StartProgram(MakeMultiDriver());
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_valley.map", dir.file("river_valley.map"));
    }
    void TearDown() override { StopProgram(); }

    TMainForm& Form() { return static_cast<TMainForm&>(Window()); }

    // Model, General Information seen once and cancelled, then "..." with
    // `chosen` picked in the file dialog; what the edit then shows; OK.
    QString ChooseMap(RealModals& runner, const std::string& chosen)
    {
        QString shown;
        OpenTwice(Form(), runner, "GeneralItem", [&](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            dialogs.fileNames.push_back(QString::fromStdString(chosen));
            Click(general.LandscapeMapBrowseButton());
            shown = general.LandscapeMapEdit().text();
            Click(general.OkButton());
        });
        return shown;
    }

    // The header line of a saved model.
    static std::string HeaderOf(const std::string& path) { return SplitLines(ReadAll(path)).at(0); }

    QString Label(const char* caption) { return Form().SummaryLabel(QString::fromLatin1(caption)).text(); }
    QWidget* Page() { return Form().PageControl().currentWidget(); }
};

}  // namespace

// The page follows ViewMode: map, general information, or in the automatic
// mode the map only for two populations or more; another value leaves the
// page alone and checks no view item. The View items write ViewMode.
TEST_F(MultiMainFormTest, ViewModeChoosesThePage)
{
    struct Case {
        const char* mode;
        int populations;
        bool map;
        const char* checked;
    };
    const Case cases[] = {
        {nullptr, 1, false, "AutoItem"}, {nullptr, 2, true, "AutoItem"}, {"3", 5, true, "AutoItem"},
        {"1", 1, true, "MapItem"},       {"2", 5, false, "GeneralInformationViewItem"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.mode ? c.mode : "none") << " " << c.populations);
        settings.DeleteValue(SettingsKey(), "ViewMode");
        if (c.mode)
            settings.WriteValue(SettingsKey(), "ViewMode", c.mode);
        Model.PopCount = static_cast<std::uint8_t>(c.populations);
        Form().UpdateBars();
        Form().UpdateMenus();
        EXPECT_EQ(Page(), c.map ? &Form().MapTabSheet() : static_cast<QWidget*>(&Form().GeneralTabSheet()));
        for (const char* item : {"MapItem", "GeneralInformationViewItem", "AutoItem"})
            EXPECT_EQ(Form().Item(item).isChecked(), std::string(item) == c.checked) << item;
    }
    settings.WriteValue(SettingsKey(), "ViewMode", "7");
    Form().UpdateBars();
    Form().UpdateMenus();
    EXPECT_EQ(Page(), static_cast<QWidget*>(&Form().GeneralTabSheet()));
    for (const char* item : {"MapItem", "GeneralInformationViewItem", "AutoItem"})
        EXPECT_FALSE(Form().Item(item).isChecked()) << item;

    const std::pair<const char*, const char*> items[] = {
        {"MapItem", "1"}, {"GeneralInformationViewItem", "2"}, {"AutoItem", "3"}};
    for (const auto& [item, mode] : items) {
        Form().Item(item).trigger();
        EXPECT_EQ(settings.ReadValue(SettingsKey(), "ViewMode"), mode);
        EXPECT_TRUE(Form().Item(item).isChecked());
    }
    EXPECT_EQ(Page(), &Form().MapTabSheet());
}

// The general page shows the model; the demographic line only with
// replications; labels open their dialogs.
TEST_F(MultiMainFormTest, TheGeneralPageShowsTheModelAndOpensItsDialogs)
{
    Open(CopySample());
    EXPECT_EQ(Label("Title:"), kSampleTitle);
    EXPECT_EQ(Label("Comments:"), "Five colonies on the main river and two side streams.\nAbundances are adult females "
                                  "counted in spring.\nMink control keeps survival at the values below.\nDistances in "
                                  "hundreds of metres.");
    EXPECT_EQ(Label("Replications:"), "500");
    EXPECT_EQ(Label("Duration:"), "30");
    EXPECT_EQ(Label("Populations:"), "5");
    EXPECT_FALSE(Form().SummaryLabel("Using demographic stochasticity").isHidden());

    Model.Replications = 0;
    Form().ShowModelSummary();
    EXPECT_EQ(Label("Replications:"), "0 (deterministic simulation)");
    EXPECT_TRUE(Form().SummaryLabel("Using demographic stochasticity").isHidden());

    settings.WriteValue(SettingsKey(), "ViewMode", "2");
    Form().show();
    const std::pair<QWidget*, QString> clicks[] = {
        {&Form().SummaryLabel("Title:"), "General Information"},
        {Form().GeneralTabSheet().CaptionLabel("Duration:"), "General Information"},
        {&Form().SummaryLabel("Populations:"), "Populations"},
        {Form().GeneralTabSheet().CaptionLabel("Populations:"), "Populations"},
    };
    for (const auto& [widget, dialog] : clicks) {
        modals.shown.clear();
        modals.steps.push_back(PressButton("Cancel"));
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(modals.shown, std::vector<QString>{dialog}) << widget->objectName().toStdString();
    }
    EXPECT_EQ(Form().SummaryLabel("Populations:").statusTip(), "Click to edit populations");
    EXPECT_EQ(Form().SummaryLabel("Title:").statusTip(), "Click to edit");
    EXPECT_FALSE(Form().Modified());
}

// Run needs something to run; the Results items need results.
TEST_F(MultiMainFormTest, RunAndResultsAreEnabledByTheModel)
{
    struct Case {
        int replications, duration, pops;
        std::uint8_t state;
        bool run, results;
    };
    const Case cases[] = {
        {0, 10, 1, kStateInputs, true, false},  // a deterministic run is a run
        {5, 0, 1, kStateInputs, false, false},
        {5, 10, 0, kStateEmpty, false, false},
        {-1, 10, 1, kStateInputs, false, false},
        {5, 10, 1, kStateResults, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.replications << " " << c.duration << " " << c.pops);
        Model.Replications = c.replications;
        Model.Duration = c.duration;
        Model.PopCount = static_cast<std::uint8_t>(c.pops);
        Model.ModelState = c.state;
        Form().UpdateMenus();
        EXPECT_EQ(Form().Item("RunItem").isEnabled(), c.run);
        for (QAction* item : Form().ResultsMenu().actions()) {
            if (!item->isSeparator()) {
                EXPECT_EQ(item->isEnabled(), c.results) << item->text().toStdString();
            }
        }
    }
}

// Open by its code: a model that loads is named after its file; one that
// cannot be read, or is no model of this program, leaves the model, its
// name and its flags; one read only in part is an untitled, modified model
// that a plain Save does not write over its file.
TEST_F(MultiMainFormTest, OpeningFollowsTheReadersCode)
{
    const std::string good = CopySample();
    const std::string other = CopySample("other.mp");
    const std::string junk = dir.file("junk.mp");
    WriteAll(junk, "Field notes, not a model\r\n");
    CopyWithBrokenResults("partial.mp");

    struct Case {
        std::string file;
        QString caption;
        bool needsName, modified, kept;
    };
    const Case cases[] = {
        {other, "other.mp", false, false, false},
        {dir.file("missing.mp"), "river_voles.mp", false, true, true},
        {junk, "river_voles.mp", false, true, true},
        {dir.file("partial.mp"), "Untitled.mp", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(good);
        EditTitle("Kept");
        dialogs.boxes.clear();
        dialogs.boxAnswers = {TBoxAnswer::No};
        Form().MRUFileListMRUItemClick(QString::fromStdString(c.file));
        EXPECT_EQ(Caption(), CaptionFor(c.caption));
        EXPECT_EQ(Form().NeedsFileName(), c.needsName);
        EXPECT_EQ(Form().Modified(), c.modified);
        EXPECT_EQ(Label("Title:"), c.kept ? "Kept" : kSampleTitle);
        EXPECT_EQ(Label("Populations:"), "5");
        // Only a file that loaded goes on top of the recent files.
        EXPECT_EQ(Form().MRUFileList().Items().front(), QString::fromStdString(c.file == other ? other : good));
    }

    // The partly read model is not saved over its file: Save asks for a name.
    const std::string bytes = ReadAll(dir.file("partial.mp"));
    const std::size_t asked = dialogs.fileCaptions.size();
    Form().SaveItemClick();
    EXPECT_EQ(dialogs.fileCaptions.size(), asked + 1);
    EXPECT_EQ(ReadAll(dir.file("partial.mp")), bytes);
}

// New after a model with a map and results: General Information shows no
// map, and the new model has one population, no map and no results made
// from other inputs.
TEST_F(MultiMainFormTest, NewStartsAnEmptyModelWithoutAMap)
{
    Open(CopySample());
    RunModel();
    EditTitle();
    ASSERT_NE(Model.MapName, "");
    dialogs.boxAnswers = {TBoxAnswer::No};
    QString shownMap = "not shown";
    modals.steps.push_back(PressButton(
        "OK", [&shownMap](QDialog& d) { shownMap = static_cast<TGeneralForm&>(d).LandscapeMapEdit().text(); }));
    Form().Item("NewItem").trigger();
    EXPECT_EQ(shownMap, "");
    EXPECT_EQ(Label("Populations:"), "1");
    EXPECT_EQ(Model.MapName, "");
    EXPECT_FALSE(Model.InputsChanged);
    EXPECT_EQ(Form().Item("NewItem").statusTip(), "Start a new file");
}

// File, New opens General Information with the keyboard in the title, as
// the other programs do: what is typed first is the title, not the map's
// name, the first time and every time after.
TEST_F(MultiMainFormTest, NewStartsTypingInTheTitle)
{
    RealModals runner;
    Form().show();
    for (const char* typed : {"Moor", "Fen"}) {
        const QString title = QString::fromLatin1(typed);
        SCOPED_TRACE(typed);
        if (Form().ChangesToSave())
            dialogs.boxAnswers.push_back(TBoxAnswer::No);
        runner.steps.push_back([title](QDialog&) {
            Type(title);
            Press(Qt::Key_Return);
        });
        Form().Item("NewItem").trigger();
        EXPECT_EQ(Model.Info.Title, title.toStdString());
        EXPECT_EQ(Model.MapName, "");
    }
}

// Every editor's OK marks the model modified; Cancel changes nothing.
TEST_F(MultiMainFormTest, EditorsMarkTheModelModified)
{
    struct Case {
        const char* item;
        QString dialog;
        std::function<void(QDialog&)> edit;
    };
    const Case cases[] = {
        {"GeneralItem", "General Information",
         [](QDialog& d) { static_cast<TGeneralForm&>(d).TitleEdit().setText("Retitled"); }},
        {"PopulationsItem", "Populations", {}},
        {"DispersalItem", "Dispersal and Correlation", {}},
    };
    for (const Case& c : cases) {
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.item << (ok ? " OK" : " Cancel"));
            Open(CopySample());
            modals.shown.clear();
            modals.steps.push_back(PressButton(ok ? "OK" : "Cancel", c.edit));
            Form().Item(c.item).trigger();
            EXPECT_EQ(modals.shown, std::vector<QString>{c.dialog});
            EXPECT_EQ(Form().Modified(), ok);
        }
    }
    EXPECT_EQ(Label("Title:"), kSampleTitle);
    // The population editor's display buttons open this program's windows.
    Open(CopySample());
    EXPECT_EQ(WindowsOpenedFrom("PopulationsItem",
                                [](QDialog& d) {
                                    static_cast<TPopulationForm&>(d).ShowPopulationResult(kDensityDependenceInR);
                                }),
              (std::vector<QString>{"Populations", "Density Dependence in R"}));
}

// The map page draws the sample's map with its five populations, in a
// window of its own size that cannot be made smaller than 300 x 200.
TEST_F(MultiMainFormTest, TheMapPageDrawsTheModelsMap)
{
    Open(CopySample());
    settings.WriteValue(SettingsKey(), "ViewMode", "1");
    const QImage window = GrabWindow(Form());
    EXPECT_EQ(Page(), &Form().MapTabSheet());
    EXPECT_GT(window.width(), 300);
    EXPECT_GT(window.height(), 200);
    EXPECT_EQ(Form().minimumSize(), QSize(300, 200));
    EXPECT_TRUE(HasSeveralColours(Form().Map().grab().toImage()));
    EXPECT_EQ(Form().MapLayout().X.size(), 6u);  // populations 1..5, and index 0
    EXPECT_EQ(Form().MapLayout().Width, Form().Map().width());
}

namespace {

// Tab to the next field, then replace its text.
void TabAndType(const QString& text)
{
    Press(Qt::Key_Tab);
    Type(text);
}

}  // namespace

// A two-population model built from File, New with the keyboard alone: the
// typed coordinates (0 and 0, as the new population showed them) are stored,
// so the populations are 10 apart and 0.2 e^-1 of each disperses to the other.
TEST_F(MultiMainFormTest, AModelTypedFromNewRunsWithWhatWasTyped)
{
    RealModals runner;
    Form().show();
    // File, New shows General Information: ten time steps, no replications.
    runner.steps.push_back([](QDialog&) {
        TypeIntoMnemonic(Qt::Key_D, "10");
        Press(Qt::Key_Return);
    });
    Form().Item("NewItem").trigger();
    EXPECT_EQ(Model.Duration, 10);
    EXPECT_EQ(runner.showings, 1);

    // Model, Populations, seen once and closed, then typed into.
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    runner.steps.push_back([](QDialog& d) {
        auto& form = static_cast<TPopulationForm&>(d);
        EXPECT_EQ(form.XEdit().text(), "0.000");
        TypeIntoMnemonic(Qt::Key_N, "West pond");
        TypeIntoMnemonic(Qt::Key_X, "0");
        TypeIntoMnemonic(Qt::Key_C, "0");
        TypeIntoMnemonic(Qt::Key_I, "100");
        TabAndType("1.2");
        Click(form.AddButton());
        TypeIntoMnemonic(Qt::Key_N, "East pond");
        TypeIntoMnemonic(Qt::Key_X, "10");
        TypeIntoMnemonic(Qt::Key_C, "0");
        TypeIntoMnemonic(Qt::Key_I, "50");
        TabAndType("1.2");
        Click(form.OkButton());
    });
    for (int showing = 0; showing < 2; ++showing)
        Form().Item("PopulationsItem").trigger();
    ASSERT_EQ(Model.PopCount, 2);
    EXPECT_EQ(Model.Populations[1].XText, "0");
    EXPECT_EQ(Model.Populations[1].YText, "0");
    EXPECT_EQ(Model.Populations[2].XText, "10");

    // Model, Dispersal and Correlation: average 10, maximum 50, rate 0.2.
    runner.steps.push_back([](QDialog&) { Press(Qt::Key_Escape); });
    runner.steps.push_back([](QDialog&) {
        TypeIntoMnemonic(Qt::Key_A, "10");
        TypeIntoMnemonic(Qt::Key_M, "50");
        TypeIntoMnemonic(Qt::Key_R, "0.2");
        Press(Qt::Key_Return);
    });
    for (int showing = 0; showing < 2; ++showing)
        Form().Item("DispersalItem").trigger();
    EXPECT_EQ(Model.DistanceFunctions.MaxDispersalRateText, "0.2");
    EXPECT_NEAR(Model.DispersalMatrix[1][2], 0.2 * std::exp(-1.0), 1e-6);
    EXPECT_TRUE(dialogs.boxes.empty());

    // Simulation, Run; the window is closed once the run is over.
    runner.steps.push_back([](QDialog& d) {
        WaitForRunEnd(static_cast<TRunWindow&>(d));
        d.close();
    });
    Form().Item("RunItem").trigger();
    ASSERT_EQ(Model.ModelState, kStateResults);
    const float west[] = {115, 134, 156};
    const float east[] = {65, 82, 103};
    for (int t = 1; t <= 3; ++t) {
        EXPECT_FLOAT_EQ(Model.PopMean[1][t], west[t - 1]) << t;
        EXPECT_FLOAT_EQ(Model.PopMean[2][t], east[t - 1]) << t;
    }

    // The saved file holds the coordinates.
    dialogs.fileNames.push_back(QString::fromStdString(dir.file("ponds.mp")));
    Form().Item("SaveAsItem").trigger();
    const std::vector<std::string> lines = SplitLines(ReadAll(dir.file("ponds.mp")));
    auto starts = [&](const std::string& head) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(head, 0) == 0; });
    };
    EXPECT_TRUE(starts("West pond,0,0,100,EX,1.2,")) << ReadAll(dir.file("ponds.mp"));
    EXPECT_TRUE(starts("East pond,10,0,50,EX,1.2,"));
}

// In the sample's Populations: R set back after Apply and after Duplicate is
// stored as set back; Becks end's trend in K of -0.5 shows as it is, and a 0
// typed over it is stored.
TEST_F(MultiMainFormTest, PopulationsStoreWhatIsShownAfterApplyAndDuplicate)
{
    Open(CopySample());
    RealModals runner;
    OpenTwice(Form(), runner, "PopulationsItem", [](QDialog& d) {
        auto& form = static_cast<TPopulationForm&>(d);
        EXPECT_EQ(form.GrowthRateEdit().text(), "1.8000");
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.5");
        Click(form.ApplyButton());
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.8");
        Click(form.DuplicateButton());
        // The copy took 1.8; the entry itself goes back and forth once more.
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.6");
        Click(form.ApplyButton());
        form.GrowthRateEdit().setFocus(Qt::TabFocusReason);
        Type("1.8");
        // Becks end.
        form.PopulationsListBox().setFocus();
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Down);
        EXPECT_EQ(form.NameEdit().text(), "Becks end");
        EXPECT_EQ(form.TemporalTrendInKEdit().text(), "-0.50");
        Press(Qt::Key_K, Qt::AltModifier);
        Type("0");
        Press(Qt::Key_Return);
    });
    EXPECT_EQ(Model.Populations[1].GrowthRateText, "1.8");
    EXPECT_EQ(Model.Populations[6].GrowthRateText, "1.8");
    EXPECT_EQ(Model.Populations[4].TrendInKText, "0");
    EXPECT_EQ(Model.TrendInK[4], 0.0f);
    // Values left alone keep their texts.
    EXPECT_EQ(Model.Populations[1].SurvivalText, "0.45");
    EXPECT_EQ(Model.Populations[5].TrendInKText, "0");
}

// 1.55 in "Maximum dispersal rate" and Tab: the range message comes as the
// field is left, the focus goes back to it, and nothing is stored.
TEST_F(MultiMainFormTest, DispersalRefusesARateOutOfRangeWhenTheFieldIsLeft)
{
    Open(CopySample());
    const DistanceFunctionsType before = Model.DistanceFunctions;
    RealModals runner;
    OpenTwice(Form(), runner, "DispersalItem", [this](QDialog& d) {
        TypeIntoMnemonic(Qt::Key_R, "1.55");
        Press(Qt::Key_Tab);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "This value must be between 0 and 1, inclusive.");
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "MaximumDispersalRateEdit");
        Press(Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(Model.DistanceFunctions.MaxDispersalRateText, before.MaxDispersalRateText);
}

// A map in the model's folder is named by its bare name, one elsewhere by
// its path; a model saved into another folder still names the map it drew.
// The map is chosen as a person does: Model, General Information, "...",
// OK, then File, Save or Save As; the saved file's header is checked.
TEST_F(MultiMainFormTest, AMapBesideTheModelIsNamedByItsBareName)
{
    std::filesystem::create_directories(dir.file("elsewhere"));
    std::filesystem::create_directories(dir.file("moved"));
    for (const char* map : {"moorland.map", "elsewhere/heath.map"})
        std::filesystem::copy_file(dir.file("river_valley.map"), dir.file(map));
    ShowActive(Form());
    RealModals runner;
    auto chooseMap = [&](const std::string& chosen) { return ChooseMap(runner, chosen); };

    const std::string model = CopySample("voles.mp");
    Open(model);
    ASSERT_EQ(ModelFileName, model);
    const std::string header = "Voran/Pelivo: rivedarulation (1.0) map=";
    ASSERT_EQ(HeaderOf(model).substr(0, header.size()), header);

    EXPECT_EQ(chooseMap(dir.file("moorland.map")), "moorland.map");
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(HeaderOf(model), header + "moorland.map");

    const std::string far = dir.file("elsewhere/heath.map");
    EXPECT_EQ(chooseMap(far), QString::fromStdString(far));
    Form().Item("SaveItem").trigger();
    EXPECT_EQ(HeaderOf(model), header + far);

    // Back beside the model, then saved into another folder: the map keeps
    // its path there, and back in the map's folder its bare name.
    chooseMap(dir.file("moorland.map"));
    const std::string moved = dir.file("moved/voles.mp");
    dialogs.fileNames.push_back(QString::fromStdString(moved));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(HeaderOf(moved), header + dir.file("moorland.map"));
    const std::string back = dir.file("again.mp");
    dialogs.fileNames.push_back(QString::fromStdString(back));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(HeaderOf(back), header + "moorland.map");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
}

// A Save As into the map's own folder that fails leaves the model naming
// its map as before: the model saved again beside itself still writes the
// map's path, not a bare name that would be looked for beside the model.
TEST_F(MultiMainFormTest, AFailedSaveAsKeepsTheMapsName)
{
    std::filesystem::create_directories(dir.file("elsewhere"));
    const std::string far = dir.file("elsewhere/heath.map");
    std::filesystem::copy_file(dir.file("river_valley.map"), far);
    ShowActive(Form());
    RealModals runner;
    const std::string model = CopySample("voles.mp");
    Open(model);
    EXPECT_EQ(ChooseMap(runner, far), QString::fromStdString(far));
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
    EXPECT_EQ(HeaderOf(model), "Voran/Pelivo: rivedarulation (1.0) map=" + far);
}

// The map leaves room for the circles it draws: at every shape of the
// window, no colony of the sample (Lower marsh at the top, Mill pond at the
// left) is cut off at the map's edge.
TEST_F(MultiMainFormTest, TheMapLeavesRoomForItsCircles)
{
    Open(CopySample());
    Form().Item("MapItem").trigger();
    Form().show();
    for (const QSize size : {QSize(560, 460), QSize(900, 320), QSize(320, 700), QSize(420, 420)}) {
        SCOPED_TRACE(size.width());
        Form().resize(size);
        Form().Map().grab();
        const TPopulationMapLayout& map = Form().MapLayout();
        ASSERT_EQ(map.Width, Form().Map().width());
        ASSERT_EQ(map.X.size(), 6u);
        for (std::size_t i = 1; i < map.X.size(); ++i) {
            const double r = map.Diameter[i] / 2;
            EXPECT_GE(map.X[i] - r, -0.5) << i;
            EXPECT_LE(map.X[i] + r, map.Width - 0.5) << i;
            EXPECT_GE(map.Y[i] - r, -0.5) << i;
            EXPECT_LE(map.Y[i] + r, map.Height - 0.5) << i;
        }
    }
}
