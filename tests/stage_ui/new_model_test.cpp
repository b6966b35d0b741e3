// A new model as a person makes it through the main window: File, New, the
// editors opened from the Model menu and typed into, Save As, Open and Run,
// every dialog shown modally for real. What the store or the saved file
// holds afterwards is checked.

#include "core/config.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "new_model_window.h"
#include "stage_tool.h"
#include "stage_ui/general_form.h"
#include "stage_ui/main_form.h"
#include "stage_ui/stage_program.h"
#include "support/editor_fixture.h"
#include "support/file_lines.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/result_text_window.h"
#include "ui/run_window.h"
#include "ui/spin_edit_ex.h"
#include "ui/string_align_grid.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// One cell typed: column, row and the text.
struct TypedCell {
    int col, row;
    const char* text;
};

class NewModelTest : public NewModelWindowTest {
protected:
    void Configure() override { Config.RandomSeed = "4321"; }

    // File, New (changes dropped); General Information gets the replications
    // and the duration typed into its spin edits.
    void NewWith(const char* replications, const char* duration)
    {
        if (Form().ChangesToSave())
            dialogs.boxAnswers.push_back(TBoxAnswer::No);
        GeneralWith("NewItem", replications, duration);
    }

    // General Information, from `item`, with the replications and the
    // duration typed in, then OK.
    void GeneralWith(const char* item, const char* replications, const char* duration)
    {
        Open(item, [=](QDialog& d) {
            auto& general = static_cast<TGeneralForm&>(d);
            RetypeField(general.ReplicationsSpinEdit(), QString::fromLatin1(replications));
            RetypeField(general.DurationSpinEdit(), QString::fromLatin1(duration));
            Click(general.OkButton());
        });
    }

    // A grid editor of the Model menu, cells typed one after the other, OK.
    void TypeInto(const char* item, const std::vector<TypedCell>& cells)
    {
        Open(item, [&](QDialog& d) {
            auto& grid = *d.findChild<TStringAlignGrid*>("Grid");
            for (const TypedCell& cell : cells) {
                ClickCell(grid, cell.col, cell.row);
                Type(QString::fromLatin1(cell.text));
                Press(Qt::Key_Return);
            }
            Click(ButtonOf(d, "OK"));
        });
    }

    // Simulation, Run: the window runs to its end and is closed.
    void Run()
    {
        Open("RunItem", [](QDialog& d) {
            WaitForRunEnd(static_cast<TRunWindow&>(d));
            d.close();
        });
    }

    // The report Stage Matrix, Display..., Finite Rate of Increase shows.
    QString RateOfIncreaseReport()
    {
        QString report;
        Open("StageMatrixItem", [&](QDialog& matrix) {
            modals.steps.push_back([&](QDialog& menu) {
                modals.steps.push_back([&](QDialog& window) {
                    report = static_cast<TResultTextTemplateForm&>(window).Memo().toPlainText();
                    window.close();
                });
                Click(*menu.findChild<QPushButton*>("RateOfIncreaseButton"));
                menu.close();
            });
            Click(ButtonOf(matrix, "Displa&y..."));
            Click(ButtonOf(matrix, "Cancel"));
        });
        return report;
    }

    // What the last run left: the mean and standard deviation of the total
    // at every time step.
    static std::vector<float> TrajectoryFigures()
    {
        std::vector<float> figures;
        for (int t = 1; t <= Info.duration; ++t) {
            figures.push_back(Info.totalsum[t]);
            figures.push_back(Info.totalsumsq[t]);
        }
        return figures;
    }

    TempDir dir;
};

// A three-stage model with variation in every vital rate.
const std::vector<TypedCell> kMatrix = {{2, 1, "1.2"}, {3, 1, "2.5"}, {1, 2, "0.4"}, {2, 3, "0.6"}, {3, 3, "0.8"}};
const std::vector<TypedCell> kDeviations = {{2, 1, "0.4"}, {3, 1, "0.8"}, {1, 2, "0.1"}, {2, 3, "0.15"},
                                            {3, 3, "0.1"}};
const std::vector<TypedCell> kAbundances = {{1, 1, "40"}, {2, 1, "20"}, {3, 1, "30"}};

}  // namespace

// A model made with File, New runs with the same variation before it is
// saved and after it is opened again, so one seed gives the same figures.
TEST_F(NewModelTest, ANewModelRunsTheSameAfterItIsSavedAndOpenedAgain)
{
    NewWith("50", "20");
    TypeInto("StageMatrixItem", kMatrix);
    TypeInto("StandardDeviationMatrixItem", kDeviations);
    TypeInto("InitialAbundancesItem", kAbundances);
    ASSERT_EQ(Info.replications, 50);
    ASSERT_EQ(Info.duration, 20);
    ASSERT_EQ(Info.stdevmatrix[1][1][3], 0.8f);
    ASSERT_EQ(Info.initialabundance[1][3], 30.0);

    const std::string path = dir.file("fresh.st");
    dialogs.fileNames.push_back(QString::fromStdString(path));
    Form().Item("SaveAsItem").trigger();
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::vector<std::string> saved = SplitLines(ReadAll(path));
    ASSERT_GT(saved.size(), 20u);
    EXPECT_EQ(saved[19], "Lognormal,0");

    Run();
    ASSERT_EQ(Info.state, kStateResults);
    const std::vector<float> before = TrajectoryFigures();

    OpenFromMenu(Form(), dialogs, path);
    ASSERT_EQ(ModelFileName, path);
    Run();
    ASSERT_EQ(Info.state, kStateResults);
    EXPECT_EQ(TrajectoryFigures(), before);
}

// What reading a file forces, File, New gives too: a new model saved, opened
// and saved again is the same file, byte for byte.
TEST_F(NewModelTest, ANewModelIsSavedAsItReadsBack)
{
    NewWith("10", "20");
    const std::string first = dir.file("first.st");
    dialogs.fileNames.push_back(QString::fromStdString(first));
    Form().Item("SaveAsItem").trigger();
    OpenFromMenu(Form(), dialogs, first);
    ASSERT_EQ(ModelFileName, first);
    const std::string second = dir.file("second.st");
    dialogs.fileNames.push_back(QString::fromStdString(second));
    Form().Item("SaveAsItem").trigger();
    ASSERT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(ReadAll(second), ReadAll(first));
}

// Before a model has run, its report headers show no run: neither a new
// model nor one opened without results shows the date, time or replications
// of the run of the model before.
TEST_F(NewModelTest, ReportHeadersShowNoRunOfTheModelBefore)
{
    const std::string stored = dir.file("stored.st");
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/meadow_herb.st", stored);
    const std::string plain = dir.file("plain.st");

    for (const bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "File, Open of a model without results" : "File, New");
        OpenFromMenu(Form(), dialogs, stored);
        GeneralWith("GeneralItem", "6", "10");
        Run();
        ASSERT_EQ(Info.state, kStateResults);
        ASSERT_NE(RateOfIncreaseReport().indexOf(" 6 replications"), -1);

        if (opened) {
            // A model saved before any run, then opened after a run.
            NewWith("500", "10");
            TypeInto("StageMatrixItem", kMatrix);
            dialogs.fileNames.push_back(QString::fromStdString(plain));
            Form().Item("SaveAsItem").trigger();
            Run();
            OpenFromMenu(Form(), dialogs, plain);
        } else {
            NewWith("500", "10");
            TypeInto("StageMatrixItem", kMatrix);
        }
        ASSERT_EQ(Info.replications, 500);
        const QString report = RateOfIncreaseReport();
        EXPECT_NE(report.indexOf("Date=00/00/0000 Time=00:00:00"), -1) << report.toStdString();
        EXPECT_EQ(report.indexOf("replications"), -1) << report.toStdString();
    }
}
