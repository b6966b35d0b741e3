// Strativa's main window, on the sample model with its results.

#include "screen_registry.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "core/str_utilx.h"
#include "stage_ui/main_form.h"

namespace {

const bool registered = RegisterScreens({
    {"strativa", "main",
     [] {
         UseStageSample();
         IntegersWithoutDecimals = true;
         TrimTrailingZeros = true;
         // The options and recent files of a user who has none yet.
         static TMemorySettingsStore settings;
         auto form = std::make_unique<TMainForm>(settings);
         ModelFileNamed = false;
         form->SetModelFileName(std::string(PV_EXAMPLES) + "/meadow_herb.st");
         return form;
     }},
});

}  // namespace
