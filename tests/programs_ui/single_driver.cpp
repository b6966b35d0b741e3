#include "unstructured_driver.h"

#include "single/result_kinds.h"
#include "single_ui/main_form.h"

namespace {

class TSingleDriver : public TUnstructuredDriver {
public:
    // The sample's last two comment lines are empty.
    TSingleDriver()
        : TUnstructuredDriver({"Voran Pelivo: Population Growth", "Untitled.sp", TKindTable::Monovara,
                               single::kTrajectory, {"Trajectory Summary", "Extinction/Decline", "Explosion/Increase"},
                               "marsh_frogs.sp", "meadow_orchid.sp", single_ui::kSingleSettingsKey, 1})
    {
    }

    void Start(TSettingsStore& settings) override
    {
        program_ = std::make_unique<unstructured_ui::TProgramWindows>(
            [&settings] { return std::make_unique<single_ui::TMainForm>(settings); });
    }
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeSingleDriver() { return std::make_unique<TSingleDriver>(); }
