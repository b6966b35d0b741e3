#include "screen_registry.h"

#include "stage_tool.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/run_progress.h"
#include "core/str_utilx.h"
#include "multi/model_file.h"
#include "multi/run_simulation.h"
#include "single/model_file.h"
#include "single/run_simulation.h"

#include <functional>
#include <stdexcept>

namespace {

std::vector<TScreen>& Registry()
{
    static std::vector<TScreen> screens;
    return screens;
}

// The multi-population and the single-population samples share the
// engine's one model: the sample in it now.
enum class TUnstructuredSample { None, Multi, Single };
TUnstructuredSample SampleInModel = TUnstructuredSample::None;

// The number options of a user who has set none.
void UseDefaultNumberOptions()
{
    TextPrecision = 7;
    TextDecimals = 6;
    IntegersWithoutDecimals = false;
    TrimTrailingZeros = true;
}

// Loads the sample into the engine's model and runs it with a fixed seed.
void LoadAndRunSample(const std::string& model, const std::function<int()>& load,
                      const std::function<bool(TRunOutcome&)>& run)
{
    multi::StartMultiEngine(multi::TMultiLimits{});
    Config.RandomSeed = "20261210";
    Config.StepDelay = 0;
    TRunOutcome outcome;
    if (load() != kModelFileOk || !run(outcome) || outcome.end != TRunEnd::Completed)
        throw std::runtime_error("the sample model " + model + " did not load and run");
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
    // One process pictures all three programs; each has its own kind table.
    if (CurrentKindTable() != TKindTable::Strativa)
        SelectKindTable(TKindTable::Strativa);
    // Strativa's fixed number switches.
    TextPrecision = 20;
    TextDecimals = 4;
    IntegersWithoutDecimals = true;
    TrimTrailingZeros = true;
    static bool loaded = false;
    if (loaded)
        return;
    const std::string model = std::string(PV_EXAMPLES) + "/meadow_herb.st";
    PrepareStageModelStore();
    if (!LoadStageModel("pv-screens", model) || !RunStageModel("pv-screens", model, "20261210"))
        throw std::runtime_error("the sample model " + model + " did not load and run");
    loaded = true;
}

void UseMultiSample()
{
    if (CurrentKindTable() != TKindTable::Plurimod)
        SelectKindTable(TKindTable::Plurimod);
    UseDefaultNumberOptions();
    if (SampleInModel == TUnstructuredSample::Multi)
        return;
    const std::string& model = MultiSampleFileName();
    LoadAndRunSample(
        model, [&] { return multi::LoadModelFile(multi::Model, model); },
        [](TRunOutcome& outcome) {
            return multi::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        });
    SampleInModel = TUnstructuredSample::Multi;
}

const std::string& MultiSampleFileName()
{
    static const std::string name = std::string(PV_EXAMPLES) + "/river_voles.mp";
    return name;
}

void UseSingleSample()
{
    if (CurrentKindTable() != TKindTable::Monovara)
        SelectKindTable(TKindTable::Monovara);
    UseDefaultNumberOptions();
    if (SampleInModel == TUnstructuredSample::Single)
        return;
    const std::string& model = SingleSampleFileName();
    LoadAndRunSample(
        model, [&] { return single::LoadModelFile(multi::Model, model); },
        [](TRunOutcome& outcome) {
            return single::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome);
        });
    SampleInModel = TUnstructuredSample::Single;
}

const std::string& SingleSampleFileName()
{
    static const std::string name = std::string(PV_EXAMPLES) + "/marsh_frogs.sp";
    return name;
}
