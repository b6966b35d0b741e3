#include "unstructured_driver.h"

#include "multi/multi_options.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "multi_ui/main_form.h"
#include "multi_ui/multi_program.h"

namespace {

class TMultiDriver : public TUnstructuredDriver {
public:
    TMultiDriver()
        : TUnstructuredDriver({"Voran Pelivo: Multiple Populations", multi::kUntitledModel, TKindTable::Plurimod,
                               multi::kTrajectory,
                               {"Trajectory Summary", "Population Structure", "Rivedarulation Occupancy",
                                "Extinction/Decline", "Explosion/Increase"},
                               "river_voles.mp", "island_lizards.mp", multi::kMultiSettingsKey, 3})
    {
    }

    void Start(TSettingsStore& settings) override { program_ = std::make_unique<multi::TMultiProgram>(settings); }
};

}  // namespace

std::unique_ptr<TProgramDriver> MakeMultiDriver() { return std::make_unique<TMultiDriver>(); }
