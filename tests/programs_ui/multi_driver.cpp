#include "unstructured_driver.h"

#include "multi/multi_options.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"

namespace {

class TMultiDriver : public TUnstructuredDriver {
public:
    QString Title() const override { return "Voran Pelivo: Multiple Populations"; }
    QString UntitledName() const override { return multi::kUntitledModel; }
    TKindTable Kinds() const override { return TKindTable::Plurimod; }
    int Trajectory() const override { return multi::kTrajectory; }
    std::string Sample() const override { return "river_voles.mp"; }
    std::string OtherSample() const override { return "island_lizards.mp"; }
    std::string SettingsKey() const override { return multi::kMultiSettingsKey; }
    std::size_t LastSampleComment() const override { return 3; }

    void Start(TSettingsStore& settings) override { program_ = std::make_unique<multi::TMultiProgram>(settings); }
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeMultiDriver() { return std::make_unique<TMultiDriver>(); }
