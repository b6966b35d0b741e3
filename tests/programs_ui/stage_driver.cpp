#include "program_driver.h"

#include "core/config.h"
#include "core/str_utilx.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "stage/stage_options.h"
#include "stage_tool.h"
#include "stage_ui/general_form.h"
#include "stage_ui/main_form.h"
#include "stage_ui/simulation_form.h"
#include "stage_ui/stage_program.h"

#include <QLineEdit>

#include <filesystem>

namespace {

class TStageDriver : public TProgramDriver {
public:
    TStageDriver()
        : TProgramDriver({"Voran Pelivo: Age and Stage Structure", "Untitled.st", TKindTable::Strativa, 19,
                          {"Trajectory Summary", "Harvest Summary", "Final Age/Stage Abundances",
                           "Extinction/Decline", "Explosion/Increase"},
                          "meadow_herb.st", "island_seabird.st", kStageSettingsKey, 3})
    {
    }

    QString ResultsLostPrompt() const override
    {
        return "Results will not be saved.\r\n\r\nThe model has changed.  Save changes?";
    }
    QStringList FileMenuLayout() const override
    {
        return {"NewItem", "OpenItem", "OpenSeparator", "&Reopen", "SaveItem", "SaveAsItem", "-", "ExitItem"};
    }

    void Prepare() override
    {
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
        SelectKindTable(TKindTable::Strativa);
        Config.RandomSeed = "4321";
        PrepareStageModelStore();
        NewModel();
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
    }
    void Start(TSettingsStore& settings) override { program_ = std::make_unique<TStageProgram>(settings); }
    void Close() override { program_.reset(); }
    void Stop() override
    {
        program_.reset();
        ::InputsChanged = false;
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
    }

    TProgramMainWindow& Form() override { return program_->MainForm(); }
    TRunWindow& SimulationForm() override { return program_->MainForm().SimulationForm(); }

    void SetTitle(QDialog& d, const QString& title) const override
    {
        static_cast<TGeneralForm&>(d).TitleEdit().setText(title);
    }
    QString TitleIn(QDialog& d) const override { return static_cast<TGeneralForm&>(d).TitleEdit().text(); }
    void SetReplications(int replications) override { Info.replications = replications; }
    bool HasResults() const override { return Info.state == kStateResults; }

    std::uint8_t State() const override { return Info.state; }
    int ReplicationsDone() const override { return Info.replicationsdone; }
    std::string ModelTitle() const override { return Info.title; }
    std::vector<std::string> Comments() const override
    {
        return {Info.comments[1], Info.comments[2], Info.comments[3], Info.comments[4]};
    }
    void SetInputsChanged(bool on) override { ::InputsChanged = on; }
    bool InputsChanged() const override { return ::InputsChanged; }

private:
    std::unique_ptr<TStageProgram> program_;
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeStageDriver() { return std::make_unique<TStageDriver>(); }
