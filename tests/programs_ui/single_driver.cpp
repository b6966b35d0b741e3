#include "unstructured_driver.h"

#include "single/result_kinds.h"
#include "single_ui/main_form.h"

namespace {

class TSingleDriver : public TUnstructuredDriver {
public:
    QString Title() const override { return "Voran Pelivo: Population Growth"; }
    QString UntitledName() const override { return "Untitled.sp"; }
    TKindTable Kinds() const override { return TKindTable::Monovara; }
    int Trajectory() const override { return single::kTrajectory; }
    std::string Sample() const override { return "marsh_frogs.sp"; }
    std::string OtherSample() const override { return "meadow_orchid.sp"; }
    std::string SettingsKey() const override { return single_ui::kSingleSettingsKey; }
    // The sample's last two comment lines are empty.
    std::size_t LastSampleComment() const override { return 1; }

    void Start(TSettingsStore& settings) override
    {
        program_ = std::make_unique<unstructured_ui::TProgramWindows>(
            [&settings] { return std::make_unique<single_ui::TMainForm>(settings); });
    }
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeSingleDriver() { return std::make_unique<TSingleDriver>(); }
