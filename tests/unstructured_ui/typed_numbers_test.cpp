// Numbers as a person types them into the windows that the programs of
// unstructured populations share, as each program shows them: opened
// through the Model menu and shown modally for real, each dialog closed once
// and opened again before typing; the model and the saved file are checked
// afterwards.

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/settings_store.h"
#include "multi/model_data.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"
#include "single_ui/main_form.h"
#include "support/editor_fixture.h"
#include "support/file_lines.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/numeric_edit.h"
#include "ui/spin_edit_ex.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using multi::Model;

namespace {

// One of the two programs over the engine's model, its main window shown,
// the settings in memory, messages and beeps recorded, the sample and its
// map in a folder of the test's own.
class MultiTypedNumbersTest : public ::testing::Test {
protected:
    void Start(TKindTable kinds)
    {
        table_ = CurrentKindTable();
        SelectKindTable(kinds);
        multi::StartMultiEngine(multi::TMultiLimits{});
        ModelFileName = kinds == TKindTable::Monovara ? "Untitled.sp" : multi::kUntitledModel;
        ModelFileNamed = false;
        Config.StepDelay = 0;
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_valley.map", dir.file("river_valley.map"));
        if (kinds == TKindTable::Monovara)
            program = std::make_unique<unstructured_ui::TProgramWindows>(
                [this] { return std::make_unique<single_ui::TMainForm>(settings); });
        else
            program = std::make_unique<multi::TMultiProgram>(settings);
        sink = std::make_unique<RecordingSink>();
        ShowActive(Form());
    }

    void TearDown() override
    {
        sink.reset();
        program.reset();
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
        SelectKindTable(table_);
    }

    unstructured_ui::TMainForm& Form() { return program->MainForm(); }

    // File, Open of a copy of the sample.
    void OpenSample()
    {
        const std::string path = dir.file("river_voles.mp");
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/river_voles.mp", path,
                                   std::filesystem::copy_options::overwrite_existing);
        OpenFromMenu(Form(), dialogs, path);
    }

    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const RecordedBox& box : sink->boxes)
            texts.push_back(QString::fromStdString(box.text));
        return texts;
    }

    KeptNumberSwitches switches;
    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    RealModals modals;
    std::unique_ptr<unstructured_ui::TProgramWindows> program;
    std::unique_ptr<RecordingSink> sink;
    TKindTable table_ = TKindTable::Strativa;
};

std::string LineOf(const std::string& file, const std::string& head)
{
    for (const std::string& line : SplitLines(ReadAll(file)))
        if (line.rfind(head, 0) == 0)
            return line;
    return {};
}

}  // namespace

// "0,5" typed into K is 0.5; a new Contest population with K 50 and a trend
// of -1.5 is saved with -1.5, not -15; -0.75 typed over the sample's -0.5
// is stored as -0.75.
TEST_F(MultiTypedNumbersTest, KAndItsTrendKeepTheFractionsTyped)
{
    Start(TKindTable::Plurimod);
    OpenSample();
    OpenTwice(Form(), modals, "PopulationsItem", [](QDialog& d) {
        auto& k = *d.findChild<TFnpNumericEdit*>("CarryingCapacityEdit");
        auto& trend = *d.findChild<TFnpNumericEdit*>("TemporalTrendInKEdit");
        TypeIntoMnemonic(Qt::Key_K, "0,5", true);  // Mill pond
        EXPECT_EQ(k.text(), "0.50");

        Click(ButtonOf(d, "&Add"));
        TypeIntoMnemonic(Qt::Key_I, "20");
        Press(Qt::Key_Tab);  // the growth rate
        Type("1,5");
        // The density dependence type: the second field whose mnemonic is N.
        auto* type = d.findChild<QComboBox*>("DensityDependenceComboBox");
        Press(Qt::Key_N, Qt::AltModifier);
        Press(Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), type);
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        EXPECT_EQ(type->currentText(), "Contest");
        TypeIntoMnemonic(Qt::Key_K, "50", true);
        TypeIntoMnemonic(Qt::Key_K, "-1.5");
        EXPECT_EQ(trend.text(), "-1.50");
        Click(ButtonOf(d, "OK"));
    });
    ASSERT_EQ(Model.PopCount, 6);
    EXPECT_EQ(Model.Populations[1].CarryingCapacityText, "0.5");
    EXPECT_EQ(Model.Populations[6].CarryingCapacityText, "50");
    EXPECT_EQ(Model.Populations[6].TrendInKText, "-1.5");
    EXPECT_EQ(Model.Populations[6].GrowthRateText, "1.5");

    const std::string saved = dir.file("voles_saved.mp");
    dialogs.fileNames.push_back(QString::fromStdString(saved));
    Form().Item("SaveAsItem").trigger();
    EXPECT_EQ(LineOf(saved, "Mill pond,").rfind("Mill pond,12,48,60,LO,1.8,0.5,", 0), 0u) << ReadAll(saved);
    const std::string added = LineOf(saved, "Pop 6,");
    EXPECT_NE(added.find(",50,"), std::string::npos) << added;
    EXPECT_NE(added.find(",-1.5,"), std::string::npos) << added;

    OpenTwice(Form(), modals, "PopulationsItem", [](QDialog& d) {
        auto& list = *d.findChild<QListWidget*>("PopulationsListBox");
        list.setFocus();
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Down);
        EXPECT_EQ(list.currentItem()->text(), "Becks end");
        EXPECT_EQ(d.findChild<TFnpNumericEdit*>("TemporalTrendInKEdit")->text(), "-0.50");
        TypeIntoMnemonic(Qt::Key_K, "-0.75");
        Click(ButtonOf(d, "OK"));
    });
    EXPECT_EQ(Model.Populations[4].TrendInKText, "-0.75");
    EXPECT_EQ(BoxTexts(), std::vector<QString>{});
}

// Replications beyond the limit are taken in full and refused with the
// range message when left; the single-population program, whose limits are
// the configuration's, names the setting.
TEST_F(MultiTypedNumbersTest, GeneralInformationRefusesANumberBeyondItsLimitInFull)
{
    const struct {
        TKindTable program;
        QString message;
    } cases[] = {
        {TKindTable::Plurimod, "This value must be between 0 and 1000, inclusive."},
        {TKindTable::Monovara, "This value must be between 0 and 1000, inclusive.\n"
                               "The limit is the setting REP of the configuration file ZERKANOL.CFG."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        Start(c.program);
        OpenTwice(Form(), modals, "GeneralItem", [&](QDialog& d) {
            auto& rep = *d.findChild<TSpinEditEx*>("ReplicationsSpinEdit");
            TypeIntoMnemonic(Qt::Key_R, "5000");
            EXPECT_EQ(rep.cleanText(), "5000");
            Press(Qt::Key_Tab);
            EXPECT_EQ(BoxTexts(), std::vector<QString>{c.message});
            EXPECT_EQ(QApplication::focusWidget(), &rep);
            Type("12");
            Click(ButtonOf(d, "OK"));
        });
        EXPECT_EQ(Model.Replications, 12);
        TearDown();
        std::filesystem::remove(dir.file("river_valley.map"));
    }
}

// Plurimod: "-0.3" typed into Survival keeps its sign and is refused with
// the range message, the keyboard back in the field; nothing is stored
// until it is mended. "1.234,5" pasted into K is 1234.5, never 1.23.
TEST_F(MultiTypedNumbersTest, ASurvivalBelowZeroIsRefusedAndAPastedKReadsOneWay)
{
    Start(TKindTable::Plurimod);
    OpenSample();
    const std::string survival = Model.Populations[1].SurvivalText;
    OpenTwice(Form(), modals, "PopulationsItem", [this](QDialog& d) {
        auto& s = *d.findChild<TFnpNumericEdit*>("SurvivalEdit");
        Press(Qt::Key_I, Qt::AltModifier);
        Press(Qt::Key_Tab);  // the growth rate
        Press(Qt::Key_Tab);  // the survival rate
        ASSERT_EQ(QApplication::focusWidget(), &s);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("-0.3");
        EXPECT_EQ(s.text(), "-0.300");
        Press(Qt::Key_Tab);
        EXPECT_EQ(BoxTexts(), std::vector<QString>{"This value must be between 0 and 1, inclusive."});
        EXPECT_EQ(QApplication::focusWidget(), &s);
        EXPECT_EQ(s.text(), "-0.300");
        Click(ButtonOf(d, "OK"));
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(QApplication::focusWidget(), &s);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("0.3");

        auto& k = *d.findChild<TFnpNumericEdit*>("CarryingCapacityEdit");
        TypeIntoMnemonic(Qt::Key_K, "", true);
        ASSERT_EQ(QApplication::focusWidget(), &k);
        QApplication::clipboard()->setText(QStringLiteral("1.234,5"));
        Press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(k.text(), "1234.50");
        Click(ButtonOf(d, "OK"));
    });
    EXPECT_NE(survival, "0.3");
    EXPECT_EQ(Model.Populations[1].SurvivalText, "0.3");
    EXPECT_EQ(Model.Populations[1].CarryingCapacityText, "1234.5");
    EXPECT_EQ(BoxTexts().size(), 2u);
}

// Monovara: "12.7" typed into Initial abundance stays as typed and is
// refused, naming the field, when the person clicks on to the growth rate;
// the click does not let the growth rate take the keys meant for it as an
// abundance, and nothing is stored until the abundance is mended.
TEST_F(MultiTypedNumbersTest, AFractionalInitialAbundanceIsRefusedNamingTheField)
{
    Start(TKindTable::Monovara);
    const std::string abundance = Model.Populations[1].InitialAbundanceText;
    OpenTwice(Form(), modals, "PopulationsItem", [this](QDialog& d) {
        auto& n = *d.findChild<TFnpNumericEdit*>("InitialAbundanceEdit");
        auto& r = *d.findChild<TFnpNumericEdit*>("GrowthRateEdit");
        TypeIntoMnemonic(Qt::Key_I, "12.7");
        EXPECT_EQ(n.text(), "12.7");
        QTest::mouseClick(&r, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(BoxTexts(), std::vector<QString>{"Initial abundance takes whole numbers only."});
        EXPECT_EQ(QApplication::focusWidget(), &n);
        EXPECT_EQ(n.text(), "12.7");
        Click(ButtonOf(d, "OK"));
        EXPECT_TRUE(d.isVisible());
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("13");
        TypeIntoMnemonic(Qt::Key_R, "1,4");
        Click(ButtonOf(d, "OK"));
    });
    EXPECT_NE(abundance, "13");
    EXPECT_EQ(Model.Populations[1].InitialAbundanceText, "13");
    EXPECT_EQ(Model.Populations[1].GrowthRateText, "1.4");
    EXPECT_EQ(BoxTexts().size(), 2u);
}
