#include "screen_registry.h"

#include "stage_tool.h"

#include <stdexcept>

namespace {

std::vector<TScreen>& Registry()
{
    static std::vector<TScreen> screens;
    return screens;
}

}  // namespace

bool RegisterScreens(std::vector<TScreen> screens)
{
    for (TScreen& s : screens)
        Registry().push_back(std::move(s));
    return true;
}

const std::vector<TScreen>& Screens() { return Registry(); }

void UseStageSample()
{
    static bool loaded = false;
    if (loaded)
        return;
    const std::string model = std::string(PV_EXAMPLES) + "/meadow_herb.st";
    PrepareStageModelStore();
    if (!LoadStageModel("pv-screens", model) || !RunStageModel("pv-screens", model, "20261210"))
        throw std::runtime_error("the sample model " + model + " did not load and run");
    loaded = true;
}
