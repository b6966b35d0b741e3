// Plurimod's main window on both its pages, and its General Information,
// Options and About dialogs, on the water-vole sample with its map.

#include "screen_registry.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "multi/multi_options.h"
#include "unstructured_ui/about_form.h"
#include "unstructured_ui/general_form.h"
#include "multi_ui/main_form.h"
#include "unstructured_ui/option_form.h"

namespace {

using namespace multi;
using unstructured_ui::TGeneralForm;
using unstructured_ui::TOptionForm;
using unstructured_ui::TAboutForm;

// The main window of a user whose settings hold only the page to show.
std::unique_ptr<QWidget> MainWindow(int viewMode)
{
    UseMultiSample();
    static TMemorySettingsStore settings;
    settings.WriteValue(kMultiSettingsKey, "ViewMode", std::to_string(viewMode));
    ModelFileNamed = false;
    ModelFileName = MultiSampleFileName();
    auto form = std::make_unique<TMainForm>(settings);
    form->UpdateCaption();
    return form;
}

const bool registered = RegisterScreens({
    {"plurimod", "main", [] { return MainWindow(kViewAuto); }},
    {"plurimod", "main-general", [] { return MainWindow(kViewGeneral); }},
    {"plurimod", "general",
     [] {
         UseMultiSample();
         auto form = std::make_unique<TGeneralForm>();
         form->LoadFromModel();
         return form;
     }},
    {"plurimod", "options",
     [] {
         static TMemorySettingsStore settings;
         return std::make_unique<TOptionForm>(settings);
     }},
    {"plurimod", "about", [] { return std::make_unique<TAboutForm>(nullptr, MultiAboutTexts()); }},
});

}  // namespace
