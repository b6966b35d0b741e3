#include "program_driver.h"

#include "core/config.h"
#include "multi/model_data.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/simulation_form.h"

#include <QLineEdit>

namespace {

class TMultiDriver : public TProgramDriver {
public:
    QString Title() const override { return "Voran Pelivo: Multiple Populations"; }
    QString UntitledName() const override { return multi::kUntitledModel; }
    TKindTable Kinds() const override { return TKindTable::Plurimod; }
    int Trajectory() const override { return multi::kTrajectory; }
    std::string Sample() const override { return "river_voles.mp"; }
    std::string OtherSample() const override { return "island_lizards.mp"; }

    void Prepare() override
    {
        SelectKindTable(TKindTable::Plurimod);
        multi::StartMultiEngine(multi::TMultiLimits{});
        ModelFileName = multi::kUntitledModel;
        ModelFileNamed = false;
        Config.RandomSeed = "4321";
        Config.StepDelay = 0;
    }
    void Start(TSettingsStore& settings) override { program_ = std::make_unique<multi::TMultiProgram>(settings); }
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
    std::unique_ptr<multi::TMultiProgram> program_;
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeMultiDriver() { return std::make_unique<TMultiDriver>(); }
