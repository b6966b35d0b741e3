#pragma once
// One program's windows over the store it starts with, every dialog
// answered by script, the settings in memory; the examples a test opens are
// copied into a folder of its own. The shared main-window tests run it over
// each program's driver; each program's own window tests build on it with
// their program's driver.

#include "program_driver.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "support/modal_steps.h"
#include "support/number_switches.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "support/window_steps.h"
#include "ui/program_main_window.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TProgramFixture {
protected:
    // The driver's store prepared and its windows made; Stop ends both.
    void StartProgram(std::unique_ptr<TProgramDriver> driver)
    {
        table_ = CurrentKindTable();
        program = std::move(driver);
        program->Prepare();
        program->Start(settings);
    }
    void StopProgram()
    {
        program->Stop();
        SelectKindTable(table_);
    }
    // The program started anew over the same store and settings.
    void Restart()
    {
        program->Close();
        program->Start(settings);
    }

    TProgramMainWindow& Window() { return program->Form(); }

    std::string Copy(const std::string& example, const std::string& as = {})
    {
        const std::string path = dir.file(as.empty() ? example : as);
        std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + example, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    // The program's sample, under its own name or `as`.
    std::string CopySample(const std::string& as = {}) { return Copy(program->Sample(), as); }

    // The sample copied as `as` with `results` in place of its end: its
    // inputs read, its results section does not.
    std::string CopyWithBrokenResults(
        const std::string& as,
        const std::string& results = "Simulation results 01/02/2024 10:00:00\r\n500 replications\r\nbroken\r\n")
    {
        std::string bytes = ReadAll(std::string(PV_EXAMPLES) + "/" + program->Sample());
        bytes.replace(bytes.find("-End of file-"), 13, results);
        const std::string path = dir.file(as);
        WriteAll(path, bytes);
        return path;
    }

    // File, Open from the menu with the name chosen in the dialog; changes
    // of the model in the window are dropped ("No" to saving them).
    void Open(const std::string& path) { OpenFromMenu(Window(), dialogs, path); }

    // A model edit as the user makes it: General Information, new title, OK.
    void EditTitle(const QString& title = "Edited")
    {
        modals.steps.push_back(PressButton("OK", [this, title](QDialog& d) { program->SetTitle(d, title); }));
        Window().Item("GeneralItem").trigger();
    }

    // Simulation, Run: the window's run in full, with few replications.
    void RunModel(int replications = 5)
    {
        program->SetReplications(replications);
        RunInFull(Window(), modals);
    }

    // Simulation, Run from the menu with few replications; Esc closes the
    // window once the run is over.
    void RunFromMenu(RealModals& runner)
    {
        program->SetReplications(5);
        ::RunFromMenu(Window(), runner);
    }

    // The captions of the windows shown when `item`'s editor opens and
    // `inEditor` opens a further window from it; both are cancelled.
    std::vector<QString> WindowsOpenedFrom(const char* item, const std::function<void(QDialog&)>& inEditor)
    {
        modals.shown.clear();
        modals.steps.push_back([inEditor](QDialog& d) {
            inEditor(d);
            return TModalResult::Cancel;
        });
        modals.steps.push_back([](QDialog&) { return TModalResult::Cancel; });
        Window().Item(item).trigger();
        return modals.shown;
    }

    QString Caption() { return Window().windowTitle(); }
    // The caption for a model file named `name`.
    QString CaptionFor(const QString& name) const { return program->Title() + " - " + name; }
    std::string SettingsKey() const { return program->SettingsKey(); }
    // Whether Results, Trajectory summary can be chosen: its menu and the
    // item both enabled.
    bool TrajectoryCanBeChosen()
    {
        QAction& item = Window().Item("TrajectorySummaryItem");
        return item.isEnabled() && MenuOf(item).menuAction()->isEnabled();
    }

    KeptNumberSwitches switches;
    TempDir dir;
    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedModals modals{true};
    RecordingHelp help;
    std::unique_ptr<TProgramDriver> program;

private:
    TKindTable table_ = TKindTable::Strativa;
};

// A test over the program its parameter names.
class TProgramTest : public ::testing::TestWithParam<TProgramEntry>, protected TProgramFixture {
protected:
    void SetUp() override { StartProgram(GetParam().make()); }
    void TearDown() override { StopProgram(); }
    bool Is(const char* name) const { return std::string(GetParam().name) == name; }
};
