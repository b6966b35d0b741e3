#include "program_driver.h"

#include "core/config.h"
#include "multi/model_data.h"
#include "single/result_kinds.h"
#include "single_ui/main_form.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/program_windows.h"
#include "unstructured_ui/simulation_form.h"

#include <QLineEdit>

namespace {

class TSingleDriver : public TProgramDriver {
public:
    QString Title() const override { return "Voran Pelivo: Population Growth"; }
    QString UntitledName() const override { return "Untitled.sp"; }
    TKindTable Kinds() const override { return TKindTable::Monovara; }
    int Trajectory() const override { return single::kTrajectory; }
    std::string Sample() const override { return "marsh_frogs.sp"; }
    std::string OtherSample() const override { return "meadow_orchid.sp"; }

    void Prepare() override
    {
        SelectKindTable(TKindTable::Monovara);
        multi::StartMultiEngine(multi::TMultiLimits{});
        ModelFileName = "Untitled.sp";
        ModelFileNamed = false;
        Config.RandomSeed = "4321";
        Config.StepDelay = 0;
    }
    void Start(TSettingsStore& settings) override
    {
        program_ = std::make_unique<unstructured_ui::TProgramWindows>(
            [&settings] { return std::make_unique<single_ui::TMainForm>(settings); });
    }
    void Stop() override
    {
        program_.reset();
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
        Config.RandomSeed = "0";
    }

    TProgramMainWindow& Form() override { return program_->MainForm(); }
    TRunWindow& SimulationForm() override { return program_->MainForm().SimulationForm(); }

    void SetTitle(QDialog& d, const QString& title) const override
    {
        static_cast<unstructured_ui::TGeneralForm&>(d).TitleEdit().setText(title);
    }
    void SetReplications(int replications) override { multi::Model.Replications = replications; }
    bool HasResults() const override { return multi::Model.ModelState == kStateResults; }

private:
    std::unique_ptr<unstructured_ui::TProgramWindows> program_;
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeSingleDriver() { return std::make_unique<TSingleDriver>(); }
